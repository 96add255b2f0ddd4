#pragma once
// The few colours that carry a meaning of their own (red: a fault, green: on air) drawn over a
// background the desktop's palette chooses: a dark palette gets lighter shades, so that the text
// stays readable.

#include <QColor>

namespace tesso
{

// The contrast of two colours as a ratio of their relative luminances (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);
// Red for a warning or a fault over `background`.
QColor warningRed(const QColor& background);
// Green for an input on air over `background`.
QColor onAirGreen(const QColor& background);

} // namespace tesso
