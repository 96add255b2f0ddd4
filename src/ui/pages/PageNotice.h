#pragma once
// A notice that lies over a page, hidden until the page has something to say: a label sized to its
// text and named for the code that shows it.

#include <QLabel>

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

} // namespace tesso
