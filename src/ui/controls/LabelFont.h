#pragma once
// The frames' pixel layouts leave their labels a fixed width that the default desktop font may
// overflow; the label's font is made just small enough for the longest caption the program gives.

#include <QString>

class QLabel;

namespace tesso
{

// Lowers the label's font size, one point at a time down to 6 points, until `longestCaption`
// fits in `width` pixels; leaves the font alone when it already fits.
void fitLabelFont(QLabel* label, const QString& longestCaption, int width);

} // namespace tesso
