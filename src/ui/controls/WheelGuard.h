#pragma once
// WheelGuard: a wheel turned over a list, a scroll bar or a number box changes it only when that
// control has the keyboard focus. Scrolling past a page must never change the device: an unfocused
// control passes the wheel on to its parents. Installed once on the application, it covers every
// window. The scroll bars of scrollable views (logs, lists) scroll as ever.

#include <QObject>

class QWidget;

namespace tesso
{

class WheelGuard : public QObject
{
    Q_OBJECT

  public:
    explicit WheelGuard(QObject* parent = nullptr);

    // Guards every widget of the application, once.
    static void installOnApplication();

    // A control whose value a wheel would change.
    static bool guards(const QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tesso
