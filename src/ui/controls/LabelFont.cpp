#include "LabelFont.h"

#include <QFontMetrics>
#include <QLabel>

namespace tesso
{

void fitLabelFont(QLabel* label, const QString& longestCaption, int width)
{
    constexpr int kSmallestPointSize = 6;
    QFont font = label->font();
    if (font.pointSize() <= 0)
        return; // a pixel-sized font was chosen on purpose
    while (QFontMetrics(font).horizontalAdvance(longestCaption) > width &&
           font.pointSize() > kSmallestPointSize)
        font.setPointSize(font.pointSize() - 1);
    if (font != label->font())
        label->setFont(font);
}

} // namespace tesso
