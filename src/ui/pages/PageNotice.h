#pragma once
// A notice on a page, hidden until the page has something to say: a label sized to its text and
// named for the code that shows it. The page's layout gives it its place, beside or instead of
// the controls it speaks of, never over them.

#include <QLabel>
#include <QPalette>

#include "ReadableColours.h"

namespace tesso
{

inline QLabel* MakePageNotice(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->adjustSize();
    label->hide();
    return label;
}

// Warnings are red. On a dark desktop the red is lightened so that it still reads on the page's
// background, on which the label draws rather than painting its own. The page calls this again
// when its palette changes (its children may learn of the change only after it).
inline void PaintWarningRed(QLabel* label)
{
    const QWidget* page = label->parentWidget() ? label->parentWidget() : label;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, warningRed(page->palette().color(QPalette::Window)));
    label->setPalette(palette);
}

} // namespace tesso
