// The event router and the binding table: every control kind shows what the device reports
// without sending anything, and sends only what the user does.

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QWheelEvent>

#include "BindingTable.h"
#include "CompactButton.h"
#include "CompactCombo.h"
#include "DisplayScale.h"
#include "EventRouter.h"
#include "RadioGroup.h"
#include "ReportCapture.h"
#include "TestLinks.h"
#include "TrackingScrollBar.h"
#include "ValueSlider.h"
#include "WheelGuard.h"

using namespace tesso;

namespace
{

using tesso::test::ScriptedDriver;

// One control of each kind, bound to a driver on a scripted serial link.
struct BoundControls {
    ScriptedDriver d;
    EventRouter router{*d};
    DisplayScale conversion;
    QWidget window;
    ValueSlider* frame = new ValueSlider(&window);
    QComboBox* combo = new QComboBox(&window);
    CompactCombo* small = new CompactCombo(&window);
    QMenu menu;
    QCheckBox* check = new QCheckBox(&window);
    RadioGroup* radio = new RadioGroup(QStringLiteral("R"), &window);
    QButtonGroup* buttons = new QButtonGroup(&window);
    QToolButton* toggle = new QToolButton(&window);
    QActionGroup* items = new QActionGroup(&window);
    TrackingScrollBar* bar = new TrackingScrollBar(Qt::Horizontal, &window);
    QLineEdit* barEdit = new QLineEdit(&window);
    QAction* action = new QAction(&window);
    BindingTable table{router};

    BoundControls()
    {
        d.connectSerial();
        conversion.setDeviceMaximum(255);
        conversion.setShownMinimum(-128);
        conversion.setShownMaximum(127);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        for (const char* entry : {"Normal", "Wide"})
            menu.addAction(QString::fromLatin1(entry));
        small->setPopUpMenu(&menu);
        radio->setItems({QStringLiteral("x"), QStringLiteral("y")});
        for (int id = 1; id <= 2; ++id)
            buttons->addButton(new QRadioButton(&window), id);
        toggle->setCheckable(true);
        for (int tag = 0; tag <= 2; ++tag) {
            QAction* a = items->addAction(QString::number(tag));
            a->setCheckable(true);
            a->setData(tag);
        }
        action->setCheckable(true);
        window.show();
        BindingRow scroll{_FADEDURATION, bar, ControlKind::ScrollBar};
        scroll.edit = barEdit;
        table.Bind(scroll);
        table.Bind({{_AMUTE, action, ControlKind::CheckableAction},
                    {_BRGT, frame, ControlKind::ValueFrame, {{}, &conversion}},
                    {_OFMTM, combo, ControlKind::Combo, ValueMap{{10, 0, 1}}},
                    {_REFASP, small, ControlKind::SmallCombo, {}, 3},
                    {_PENA, check, ControlKind::CheckBox, {}, 3},
                    {_SWITCHMODE, radio, ControlKind::RadioGroup},
                    {_ACHANM, buttons, ControlKind::RadioGroup},
                    {_OBLACK, toggle, ControlKind::ToggleButton},
                    {_OSYNCTIME, items, ControlKind::MenuGroup}});
        d.serial->written.clear();
    }
    QByteArray sent()
    {
        const QByteArray all = d.serial->allWritten();
        d.serial->written.clear();
        return all;
    }
    QAction* checkedItem() const { return items->checkedAction(); }
};

} // namespace

TEST(BindingTable, ReportsAreShownAndSendNothingBack)
{
    BoundControls c;
    c.d.feed("BRG200\r\nOFTM0\r\nPCH3\r\nPRAR1\r\nPEN0\r\nsM1\r\nACH2\r\nOBLK1\r\nOST2\r\n");
    EXPECT_EQ(c.frame->Edt->text(), QStringLiteral("72"));
    EXPECT_EQ(c.frame->ScrollBar->value(), 200);
    EXPECT_EQ(c.combo->currentIndex(), 1) << "OFMTM 0 stands at position 1 of the table";
    EXPECT_EQ(c.small->ItemIndex(), 1);
    EXPECT_FALSE(c.check->isChecked());
    EXPECT_EQ(c.radio->ItemIndex(), 1);
    EXPECT_TRUE(c.buttons->button(2)->isChecked());
    EXPECT_TRUE(c.toggle->isChecked());
    EXPECT_EQ(c.checkedItem(), c.items->actions().at(2));

    // Values no entry stands for leave no choice rather than an old one.
    c.d.feed("OFTM7\r\nsM5\r\nACH0\r\nOST3\r\n");
    EXPECT_EQ(c.combo->currentIndex(), -1);
    EXPECT_EQ(c.radio->ItemIndex(), -1);
    EXPECT_EQ(c.buttons->checkedId(), -1);
    EXPECT_EQ(c.checkedItem(), nullptr);
    EXPECT_EQ(c.sent(), QByteArray());
}

TEST(BindingTable, UserActionsSendTheirValues)
{
    BoundControls c;
    emit c.combo->activated(0);
    c.radio->button(0)->click();
    c.buttons->button(1)->click();
    c.items->actions().at(1)->trigger();
    EXPECT_EQ(c.sent(), QByteArray("10FM0sM1RC1oT"));

    // The table's last entry is sent; one past it (a list longer than its table) sends nothing.
    tesso::test::ReportCapture report;
    emit c.combo->activated(2);
    emit c.combo->activated(3);
    EXPECT_EQ(c.sent(), QByteArray("1FM"));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("ItemIndex out about Tab: nothing is sent")});

    c.small->setDroppedDown(true); // the list open, as the user opens it

    c.menu.actions().at(0)->trigger();
    EXPECT_EQ(c.sent(), QByteArray("3PC0PA"));

    // A toggle asks for the opposite of what the device reported and shows that report meanwhile.
    c.d.feed("OBLK1\r\n");
    c.toggle->click();
    EXPECT_EQ(c.sent(), QByteArray("0FO"));
    EXPECT_TRUE(c.toggle->isChecked());
}

TEST(BindingTable, ValueFrameSendsScrollsAndTypedNumbers)
{
    BoundControls c;
    tesso::test::ReportCapture report;
    c.frame->ScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(c.sent(), QByteArray("129B")) << "the raw position";
    const std::pair<const char*, const char*> typed[] = {{"0", "128B"}, {"127", "255B"}, {"-128", "0B"},
                                                         {"128", "0B"}, {"-129", "0B"},  {"$10", "144B"}};
    for (const auto& [text, wire] : typed) {
        c.frame->Edt->setText(QString::fromLatin1(text));
        emit c.frame->Edt->returnPressed();
        EXPECT_EQ(c.sent(), QByteArray(wire)) << text << ": out of range resends the mirrored value";
    }
    c.frame->Edt->setText(QStringLiteral("abc"));
    emit c.frame->Edt->returnPressed();
    EXPECT_EQ(c.sent(), QByteArray());
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("'abc' is not a valid integer value")});

    // While the user holds the thumb, reports change the number but not the thumb.
    c.frame->handleScrollAction(QAbstractSlider::SliderMove);
    c.d.feed("BRG10\r\n");
    EXPECT_EQ(c.frame->Edt->text(), QStringLiteral("-118"));
    EXPECT_EQ(c.frame->ScrollBar->value(), 129);
    c.frame->handleScrollAction(ValueSlider::EndScroll);
    c.d.feed("BRG10\r\n");
    EXPECT_EQ(c.frame->ScrollBar->value(), 10);
}

TEST(BindingTable, ScrollBarShowsReportsWithinTheRangeAndSendsUserScrollsAndTypedNumbers)
{
    BoundControls c;
    tesso::test::ReportCapture report;
    const tesso::ValueRange range = tesso::variableRange(_FADEDURATION);

    // A report shows in both; one beyond the range puts the thumb at its nearer end.
    const std::tuple<const char*, const char*, int> reports[] = {{"FDur40\r\n", "40", 40},
                                                                 {"FDur300\r\n", "300", int(range.maximum)},
                                                                 {"FDur1\r\n", "1", int(range.minimum)}};
    for (const auto& [line, text, position] : reports) {
        c.d.feed(line);
        EXPECT_EQ(c.barEdit->text(), QString::fromLatin1(text));
        EXPECT_EQ(c.bar->value(), position) << line;
    }
    c.bar->setValue(100);
    c.barEdit->setText(QStringLiteral("9"));
    EXPECT_EQ(c.sent(), QByteArray()) << "no user action, nothing sent";

    c.bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    emit c.bar->scrollEnded();
    EXPECT_EQ(c.sent(), QByteArray("101FD101FD"));

    // A wheel over the bar without the focus is no user action.
    WheelGuard::installOnApplication();
    QWheelEvent wheel(QPointF(5, 5), c.bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c.bar, &wheel);
    EXPECT_EQ(c.sent(), QByteArray());
    EXPECT_EQ(c.bar->value(), 101);

    // While the user holds the thumb, a report changes the number only.
    c.bar->setSliderDown(true);
    c.bar->setSliderPosition(120);
    c.d.feed("FDur60\r\n");
    EXPECT_EQ(c.barEdit->text(), QStringLiteral("60"));
    EXPECT_EQ(c.bar->sliderPosition(), 120);
    c.bar->setSliderDown(false);
    EXPECT_EQ(c.sent(), QByteArray("120FD"));

    const std::pair<const char*, const char*> typed[] = {
        {"250", "250FD"}, {"5", "5FD"}, {"251", "60FD"}, {"4", "60FD"}, {"x", ""}};
    for (const auto& [text, wire] : typed) {
        c.barEdit->setText(QString::fromLatin1(text));
        emit c.barEdit->returnPressed();
        EXPECT_EQ(c.sent(), QByteArray(wire)) << text << ": out of range resends the mirrored value";
    }
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("'x' is not a valid integer value")});
}

TEST(BindingTable, CheckableActionShowsTheDeviceAndATriggerAsksForTheOpposite)
{
    BoundControls c;
    const std::pair<const char*, bool> reports[] = {
        {"MUTE1\r\n", true}, {"MUTE0\r\n", false}, {"MUTE2\r\n", true}};
    for (const auto& [line, checked] : reports) {
        c.d.feed(line);
        EXPECT_EQ(c.action->isChecked(), checked) << line << ": any value but 0 is checked";
    }
    c.action->setChecked(false);
    EXPECT_EQ(c.sent(), QByteArray());

    c.action->trigger();
    EXPECT_EQ(c.sent(), QByteArray("0RM"));
    EXPECT_TRUE(c.action->isChecked()) << "the device's state until it answers";
    c.d.feed("MUTE0\r\n");
    c.action->trigger();
    EXPECT_EQ(c.sent(), QByteArray("1RM"));
    EXPECT_FALSE(c.action->isChecked());
}

// ---- Router ---------------------------------------------------------------------------------------

TEST(EventRouter, FansOutTakesOverAndLetsGo)
{
    ScriptedDriver d;
    d.connectSerial();
    tesso::test::ReportCapture report;
    QStringList heard;
    auto router = std::make_unique<EventRouter>(*d);
    Subscription a = router->subscribe(_ICHM, [&] { heard << QStringLiteral("a"); });
    Subscription failing = router->subscribe(_ICHM, [] { throw std::runtime_error("page fault"); });
    Subscription b = router->subscribe(_ICHM, [&] { heard << QStringLiteral("b"); });
    d.feed("CH1\r\n");
    EXPECT_EQ(heard, (QStringList{QStringLiteral("a"), QStringLiteral("b")})) << "a failing one stops nobody";
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("page fault")});

    heard.clear();
    Subscription console =
        router->takeOver(DriverEvent::ReplyApplied, [&] { heard << QStringLiteral("console"); });
    Subscription log = router->subscribe(DriverEvent::ReplyApplied, [&] { heard << QStringLiteral("log"); });
    d.feed("CH2\r\n");
    EXPECT_EQ(heard, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("console")}));
    heard.clear();
    console.reset(); // given back
    a.reset();
    std::vector<std::uint32_t> values;
    Subscription value = router->subscribe(_ICHM, [&](std::uint32_t v) { values.push_back(v); });
    d.feed("CH3\r\n");
    EXPECT_EQ(heard, (QStringList{QStringLiteral("b"), QStringLiteral("log")}));
    EXPECT_EQ(values, std::vector<std::uint32_t>{3}) << "a report comes with its value";

    // Of two take-overs the latest hears the event; the earlier one hears it again once given back.
    heard.clear();
    Subscription first =
        router->takeOver(DriverEvent::ReplyApplied, [&] { heard << QStringLiteral("first"); });
    Subscription second =
        router->takeOver(DriverEvent::ReplyApplied, [&] { heard << QStringLiteral("second"); });
    b.reset();
    d.feed("CH4\r\n");
    second.reset();
    d.feed("CH5\r\n");
    EXPECT_EQ(heard, (QStringList{QStringLiteral("second"), QStringLiteral("first")}));

    // Subscriptions may outlive the router; nothing reaches them once it is gone.
    heard.clear();
    values.clear();
    router.reset();
    d.feed("CH6\r\n");
    EXPECT_TRUE(heard.isEmpty() && values.empty());
    EXPECT_EQ(d->ICHM(), 6u);
}
