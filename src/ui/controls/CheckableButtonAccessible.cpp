#include "CheckableButtonAccessible.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QRadioButton>
#include <QToolButton>

#include "TextFormat.h"

namespace tesso
{

QAccessibleInterface* CheckableButtonAccessible::Factory(const QString&, QObject* object)
{
    // Chosen by kind, not by being checkable: Qt asks for a button's interface as soon as its
    // caption is set, which is before it is made checkable, and keeps the first answer.
    auto* button = qobject_cast<QAbstractButton*>(object);
    const auto* tool = qobject_cast<QToolButton*>(object);
    const bool ours = (tool && !tool->menu() && tool->popupMode() != QToolButton::MenuButtonPopup) ||
                      qobject_cast<QRadioButton*>(object) || qobject_cast<QCheckBox*>(object);
    return button && ours ? new CheckableButtonAccessible(button) : nullptr;
}

CheckableButtonAccessible::CheckableButtonAccessible(QAbstractButton* button) : QAccessibleWidget(button)
{
    addControllingSignal(QStringLiteral("toggled(bool)"));
}

void CheckableButtonAccessible::installFactory()
{
    // Factories installed last are asked first, so this one goes before Qt's.
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAbstractButton* CheckableButtonAccessible::button() const
{
    return static_cast<QAbstractButton*>(object());
}

QAccessible::Role CheckableButtonAccessible::role() const
{
    if (!button()->isCheckable())
        return QAccessible::PushButton;
    return button()->autoExclusive() ? QAccessible::RadioButton : QAccessible::CheckBox;
}

QString CheckableButtonAccessible::text(QAccessible::Text t) const
{
    QString text;
    if (t == QAccessible::Name) {
        text = widget()->accessibleName();
        if (text.isEmpty())
            text = TextFormat::WithoutAccessMarks(button()->text());
    } else if (t == QAccessible::Accelerator) {
        text = QKeySequence::mnemonic(button()->text()).toString(QKeySequence::NativeText);
    }
    return text.isEmpty() ? QAccessibleWidget::text(t) : text;
}

QAccessible::State CheckableButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const QAbstractButton* b = button();
    state.checkable = b->isCheckable();
    state.checked = b->isChecked();
    if (const auto* box = qobject_cast<const QCheckBox*>(b))
        state.checkStateMixed = box->checkState() == Qt::PartiallyChecked;
    state.pressed = b->isDown();
    if (const auto* tool = qobject_cast<const QToolButton*>(b))
        state.hotTracked = tool->autoRaise();
    return state;
}

QStringList CheckableButtonAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled()) {
        if (button()->isCheckable())
            names << toggleAction();
        names << pressAction();
    }
    return names + QAccessibleWidget::actionNames();
}

void CheckableButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == toggleAction() || actionName == pressAction())
        button()->click(); // does nothing while the button is disabled
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace tesso
