#include "ConsoleLayout.h"

#include <algorithm>
#include <cmath>

namespace tesso
{

int ConsoleLayout::Round(double value)
{
    return static_cast<int>(std::lrint(value));
}

ConsoleLayout ConsoleLayout::Compute(int clientWidth, int clientHeight, int offset)
{
    ConsoleLayout l;
    const int w = clientWidth - StripWidth;
    const int h = Round(w / 2.0) - 1;
    const int q = Round(h / 2.0);
    const int p = std::clamp(q + offset, -Overshoot, std::max(-Overshoot, h + Overshoot));
    l.offset = p - q;
    const int paneHeight = std::max(0, clientHeight - ProgressHeight);
    const int leftWidth = h + l.offset;
    l.sendPane = QRect(0, 0, std::max(0, leftWidth), paneHeight);
    l.strip = QRect(leftWidth, 0, StripWidth, paneHeight);
    l.receivedPane = QRect(leftWidth + StripWidth, 0, std::max(0, h - l.offset), paneHeight);
    l.progressBar = QRect(0, paneHeight, std::max(0, clientWidth - 1), ProgressHeight);
    return l;
}

} // namespace tesso
