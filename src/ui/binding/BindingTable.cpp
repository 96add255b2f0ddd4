#include "BindingTable.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "CompactCombo.h"
#include "DisplayScale.h"
#include "ErrorReport.h"
#include "ListPositions.h"
#include "NumberText.h"
#include "RadioGroup.h"
#include "TrackingScrollBar.h"
#include "ValueSlider.h"

namespace tesso
{

// ---- Value maps ------------------------------------------------------------------------------------

std::optional<std::uint32_t> ValueMap::valueAt(int position) const
{
    if (!table.empty())
        return ValueAtIndex(position, table);
    if (position < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(position);
}

int ValueMap::positionOf(std::uint32_t value) const
{
    if (!table.empty())
        return IndexOfValue(value, table);
    return value <= static_cast<std::uint32_t>(INT32_MAX) ? static_cast<int>(value) : -1;
}

// ---- Table -----------------------------------------------------------------------------------------

namespace
{

// Unchecks every button of an exclusive group, which Qt allows only with the exclusion lifted.
template <typename Group, typename Items> void clearExclusive(Group* group, const Items& items)
{
    const bool exclusive = group->exclusive();
    group->setExclusive(false);
    for (auto* item : items) {
        const QSignalBlocker blocker(item);
        item->setChecked(false);
    }
    group->setExclusive(exclusive);
}

// Checks one item of a group, or none. The items' own signals stay open: the group keeps its
// choice through them, and a choice is sent only on `triggered`, which checking does not raise.
void checkOnly(QActionGroup* group, QAction* chosen)
{
    if (chosen)
        return chosen->setChecked(true);
    const auto policy = group->exclusionPolicy();
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* action : group->actions())
        action->setChecked(false);
    group->setExclusionPolicy(policy);
}

// A reported value as a row shows it: booleans as 0 or 1.
std::uint32_t shown(tVAR variable, std::uint32_t raw)
{
    return tesso::isBoolean(variable) ? ((raw & 0xFFu) != 0 ? 1u : 0u) : raw;
}

int barPosition(std::uint32_t value)
{
    return static_cast<int>(std::min<std::uint32_t>(value, INT32_MAX));
}

// The scroll bar of a scrolling row, or nothing.
QScrollBar* scrollBarOf(const BindingRow& row)
{
    if (row.kind == ControlKind::ValueFrame)
        return static_cast<ValueSlider*>(row.control)->ScrollBar;
    if (row.kind == ControlKind::ScrollBar)
        return static_cast<QScrollBar*>(row.control);
    return nullptr;
}

} // namespace

BindingTable::BindingTable(EventRouter& router) : m_router(router), m_context(std::make_unique<QObject>()) {}

BindingTable::~BindingTable() = default;

void BindingTable::Bind(std::initializer_list<BindingRow> rows)
{
    for (const BindingRow& row : rows)
        Bind(row);
}

void BindingTable::Bind(const BindingRow& binding)
{
    Row& row = m_rows.emplace_back();
    row.binding = binding;
    row.control = binding.control;
    if (binding.kind == ControlKind::MenuGroup)
        row.shownAction = static_cast<QActionGroup*>(binding.control)->checkedAction();
    // A scroll bar spans the variable's range; a report outside it shows at its nearer end.
    if (QScrollBar* bar = scrollBarOf(binding)) {
        const tesso::ValueRange range = tesso::variableRange(binding.variable);
        const QSignalBlocker blocker(bar);
        bar->setRange(barPosition(range.minimum), barPosition(range.maximum));
    }
    row.subscription =
        m_router.subscribe(binding.variable, [this, &row](std::uint32_t value) { reported(row, value); });
    connectUserAction(row);
}

// The mirrored value a row shows: its input's entry for a per-input row (entry 0 holds a report
// that addressed all inputs).
std::uint32_t BindingTable::mirrored(const Row& row, int input) const
{
    const DeviceDriver* driver = m_router.driver();
    const tVAR v = row.binding.variable;
    return shown(v, row.binding.input > 0 ? driver->mirrorValueOfInput(v, input) : driver->mirrorValue(v));
}

// A row shows the value it is handed; a per-input row reads its input's entry from the mirror.
void BindingTable::reported(Row& row, std::uint32_t value)
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    row.everReported = true;
    if (row.binding.input <= 0)
        return show(row, shown(row.binding.variable, value));
    // A per-input report is for the input PCHAN addresses, or for all of them when it is 0.
    const std::uint32_t addressed = driver->PCHAN();
    if (addressed == 0)
        show(row, mirrored(row, 0));
    else if (addressed == static_cast<std::uint32_t>(row.binding.input))
        show(row, mirrored(row, row.binding.input));
}

void BindingTable::ShowAll()
{
    for (Row& row : m_rows)
        if (row.everReported && m_router.driver())
            show(row, mirrored(row, row.binding.input));
}

void BindingTable::show(Row& row, std::uint32_t value)
{
    QObject* control = row.control;
    if (!control || (row.binding.shows && !row.binding.shows(value)))
        return;
    const int position = row.binding.map.positionOf(value);
    const QSignalBlocker blocker(control);
    switch (row.binding.kind) {
    case ControlKind::ValueFrame: {
        auto* frame = static_cast<ValueSlider*>(control);
        QString text = QString::number(value);
        if (row.binding.map.conversion)
            row.binding.map.conversion->PositionDriver(static_cast<std::int32_t>(value), text);
        const QSignalBlocker editBlocker(frame->Edt);
        frame->Edt->setText(text);
        // The thumb stays where the user holds it.
        if (frame->Tracking() == 0) {
            const QSignalBlocker barBlocker(frame->ScrollBar);
            frame->ScrollBar->setValue(barPosition(value));
        }
        break;
    }
    case ControlKind::ScrollBar: {
        auto* bar = static_cast<QScrollBar*>(control);
        if (QLineEdit* edit = row.binding.edit) {
            const QSignalBlocker editBlocker(edit);
            edit->setText(QString::number(value));
        }
        if (!bar->isSliderDown())
            bar->setValue(barPosition(value));
        break;
    }
    case ControlKind::CheckableAction:
        static_cast<QAction*>(control)->setChecked(value != 0);
        break;
    case ControlKind::Combo: {
        auto* combo = static_cast<QComboBox*>(control);
        combo->setCurrentIndex(position < combo->count() ? position : -1);
        break;
    }
    case ControlKind::SmallCombo:
        static_cast<CompactCombo*>(control)->setItemIndex(position);
        break;
    case ControlKind::CheckBox:
    case ControlKind::ToggleButton:
        static_cast<QAbstractButton*>(control)->setChecked(value != 0);
        break;
    case ControlKind::RadioGroup:
        if (auto* group = qobject_cast<RadioGroup*>(control)) {
            group->setItemIndex(position);
        } else if (auto* buttons = qobject_cast<QButtonGroup*>(control)) {
            if (QAbstractButton* button = buttons->button(position)) {
                const QSignalBlocker buttonBlocker(button);
                button->setChecked(true);
            } else {
                clearExclusive(buttons, buttons->buttons());
            }
        }
        break;
    case ControlKind::MenuGroup: {
        auto* group = static_cast<QActionGroup*>(control);
        QAction* chosen = nullptr;
        for (QAction* action : group->actions())
            if (action->data().toInt() == position)
                chosen = action;
        // A value no item stands for leaves none checked rather than an old choice.
        row.shownAction = chosen;
        checkOnly(group, chosen);
        break;
    }
    case ControlKind::PushButton:
        break;
    }
    if (row.binding.shown)
        row.binding.shown();
}

// ---- User actions ----------------------------------------------------------------------------------

void BindingTable::send(const Row& row, std::uint32_t value)
{
    DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    if (row.binding.input > 0)
        driver->setPCHAN(static_cast<std::uint32_t>(row.binding.input));
    driver->setVariable(row.binding.variable, value);
}

void BindingTable::sendPosition(const Row& row, int position)
{
    if (const std::optional<std::uint32_t> value = row.binding.map.valueAt(position))
        send(row, *value);
}

// Enter in a value frame's or a scroll bar's field: a number within the shown range is sent as the
// device value it stands for; any other number resends the mirrored value, so the device answers
// with it and the field shows it again; text that is no number is refused and sends nothing.
void BindingTable::enterTyped(const Row& row)
{
    if (!row.control || !m_router.driver())
        return;
    QScrollBar* bar = scrollBarOf(row.binding);
    QLineEdit* edit = row.binding.kind == ControlKind::ValueFrame
                          ? static_cast<ValueSlider*>(row.control.data())->Edt
                          : row.binding.edit;
    const QString text = edit->text();
    const QByteArray bytes = text.trimmed().toLatin1();
    const std::optional<std::int32_t> typed =
        tesso::scanInt32(bytes.constData(), bytes.constData() + bytes.size());
    if (!typed) {
        tesso::reportError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return;
    }
    const DisplayScale* conversion = row.binding.map.conversion;
    const int low = conversion ? conversion->shownMinimum() : bar->minimum();
    const int high = conversion ? conversion->shownMaximum() : bar->maximum();
    if (*typed < low || *typed > high)
        send(row, mirrored(row, row.binding.input));
    else
        send(row, static_cast<std::uint32_t>(conversion ? conversion->shownPosition(*typed) : *typed));
}

// A toggle asks for the negation of what the device reported, never for the control's own state;
// the control goes back to that report until the device answers.
void BindingTable::toggle(Row& row)
{
    if (!m_router.driver())
        return;
    const std::uint32_t current = mirrored(row, row.binding.input);
    show(row, current);
    send(row, current != 0 ? 0 : 1);
}

void BindingTable::connectUserAction(Row& row)
{
    QObject* context = m_context.get();
    auto guard = [](auto&& action) {
        return [action](auto&&... args) { tesso::guarded([&] { action(args...); }); };
    };
    switch (row.binding.kind) {
    case ControlKind::ValueFrame: {
        auto* frame = static_cast<ValueSlider*>(row.binding.control);
        // Every position of a drag goes out, the raw 0..255 value: the device follows the thumb.
        QObject::connect(frame, &ValueSlider::scrolled, context, guard([this, &row](int, int position) {
                             send(row, static_cast<std::uint32_t>(position));
                         }));
        QObject::connect(frame->Edt, &QLineEdit::returnPressed, context,
                         guard([this, &row] { enterTyped(row); }));
        break;
    }
    case ControlKind::Combo:
        QObject::connect(static_cast<QComboBox*>(row.binding.control), &QComboBox::activated, context,
                         guard([this, &row](int position) { sendPosition(row, position); }));
        break;
    case ControlKind::SmallCombo: {
        auto* combo = static_cast<CompactCombo*>(row.binding.control);
        QObject::connect(combo, &CompactCombo::choiceMade, context,
                         guard([this, &row, combo] { sendPosition(row, combo->ItemIndex()); }));
        break;
    }
    case ControlKind::CheckBox:
        QObject::connect(static_cast<QCheckBox*>(row.binding.control), &QCheckBox::clicked, context,
                         guard([this, &row](bool checked) { send(row, checked ? 1 : 0); }));
        break;
    case ControlKind::RadioGroup:
        if (auto* group = qobject_cast<RadioGroup*>(row.binding.control))
            QObject::connect(group, &RadioGroup::itemClicked, context,
                             guard([this, &row](int position) { sendPosition(row, position); }));
        else if (auto* buttons = qobject_cast<QButtonGroup*>(row.binding.control))
            QObject::connect(buttons, &QButtonGroup::idClicked, context,
                             guard([this, &row](int id) { sendPosition(row, id); }));
        break;
    case ControlKind::ScrollBar: {
        auto* bar = static_cast<QScrollBar*>(row.binding.control);
        // Each scroll action, and the end of a scroll, sends where the thumb is.
        auto sendPosition = guard([this, &row, bar](auto&&...) {
            send(row, static_cast<std::uint32_t>(std::max(bar->sliderPosition(), 0)));
        });
        QObject::connect(bar, &QAbstractSlider::actionTriggered, context, sendPosition);
        if (auto* tracking = qobject_cast<TrackingScrollBar*>(bar))
            QObject::connect(tracking, &TrackingScrollBar::scrollEnded, context, sendPosition);
        if (row.binding.edit)
            QObject::connect(row.binding.edit, &QLineEdit::returnPressed, context,
                             guard([this, &row] { enterTyped(row); }));
        break;
    }
    case ControlKind::ToggleButton:
        QObject::connect(static_cast<QAbstractButton*>(row.binding.control), &QAbstractButton::clicked,
                         context, guard([this, &row](bool) { toggle(row); }));
        break;
    case ControlKind::CheckableAction:
        QObject::connect(static_cast<QAction*>(row.binding.control), &QAction::triggered, context,
                         guard([this, &row](bool) { toggle(row); }));
        break;
    case ControlKind::PushButton:
        QObject::connect(static_cast<QAbstractButton*>(row.binding.control), &QAbstractButton::clicked,
                         context, guard([this, &row](bool) { send(row, 1); }));
        break;
    case ControlKind::MenuGroup:
        // The mark Qt moved on the click goes back to the device's report until the device
        // answers, and stays there when nothing could be sent.
        QObject::connect(static_cast<QActionGroup*>(row.binding.control), &QActionGroup::triggered, context,
                         guard([this, &row](QAction* action) {
                             checkOnly(static_cast<QActionGroup*>(row.control.data()), row.shownAction);
                             sendPosition(row, action->data().toInt());
                         }));
        break;
    }
}

} // namespace tesso
