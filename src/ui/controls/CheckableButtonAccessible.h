#pragma once
// CheckableButtonAccessible: what assistive technology sees of a tool button, a radio button or a
// check box (the input, Black, Freeze, effect and mode buttons among them). Qt's own interface
// toggles a checkable button's look on the toggle action without a click, so nothing reaches the
// device and the button no longer shows what the device holds. Here the press and toggle actions
// click the button, exactly as the mouse does; role, name and states stay what Qt reports. Tool
// buttons with a menu (given before the first question, as the tool bar's are) and push buttons
// keep Qt's interface.

#include <QAccessibleWidget>

class QAbstractButton;

namespace tesso
{

class CheckableButtonAccessible : public QAccessibleWidget
{
  public:
    explicit CheckableButtonAccessible(QAbstractButton* button);

    // Puts the interface in front of Qt's for every checkable button, once.
    static void installFactory();
    // The factory: this interface for the buttons above, else none (Qt's then).
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  private:
    QAbstractButton* button() const;
};

} // namespace tesso
