#include "WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPointer>

namespace tesso
{

WheelGuard::WheelGuard(QObject* parent) : QObject(parent) {}

void WheelGuard::installOnApplication()
{
    static QPointer<WheelGuard> guard;
    if (guard || !qApp)
        return;
    guard = new WheelGuard(qApp);
    qApp->installEventFilter(guard);
}

bool WheelGuard::guards(const QWidget* widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    if (!qobject_cast<const QAbstractSlider*>(widget))
        return false;
    // A view's own scroll bar moves the view, not a device value.
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(up))
            return false;
    return true;
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel && event->type() != QEvent::Polish)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!guards(widget))
        return false;
    if (event->type() == QEvent::Polish) {
        // A click gives the focus (and with it the wheel); a wheel alone never takes it.
        if (widget->focusPolicy() == Qt::WheelFocus || widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (widget->hasFocus())
        return false;
    event->ignore(); // on to the parent, which may scroll
    return true;
}

} // namespace tesso
