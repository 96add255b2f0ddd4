#include "ReadableColours.h"

#include <algorithm>
#include <cmath>

namespace tesso
{

namespace
{

double luminance(const QColor& colour)
{
    auto linear = [](float c) { return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// Below this a background counts as dark: black text on it would read worse than white.
constexpr double DarkLuminance = 0.18;

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor warningRed(const QColor& background)
{
    return luminance(background) < DarkLuminance ? QColor(255, 112, 112) : QColor(Qt::red);
}

QColor onAirGreen(const QColor& background)
{
    return luminance(background) < DarkLuminance ? QColor(102, 221, 102) : QColor(Qt::darkGreen);
}

} // namespace tesso
