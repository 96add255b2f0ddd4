#include "FloatingHint.h"

namespace tesso
{

FloatingHint::FloatingHint(QWidget* parent) : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FloatingHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QStringLiteral("QLabel { background: #ff4040; color: white; border: 1px solid #800000; "
                                 "padding: 2px 6px; }"));
    setAccessibleName(QStringLiteral("Hint"));
}

void FloatingHint::ShowAt(const QString& text, const QPoint& globalPosition)
{
    setText(text);
    setAccessibleDescription(text);
    adjustSize();
    move(globalPosition);
    show();
}

} // namespace tesso
