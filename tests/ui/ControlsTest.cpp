// The custom controls driven offscreen: the compact arrow button and chooser, the value frame's
// tracking flag and the pages' red notices.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "CompactButton.h"
#include "CompactCombo.h"
#include "PageFrameAlert.h"
#include "ReadableColours.h"
#include "ReportCapture.h"
#include "TrackingScrollBar.h"
#include "ValueSlider.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(w, &event);
}

void press(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, at, button, button);
}

void release(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void key(QWidget* w, QEvent::Type type, int k)
{
    QKeyEvent event(type, k, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void wheel(QWidget* w, int angle)
{
    const QPoint at = w->rect().center();
    QWheelEvent event(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

using tesso::test::ReportCapture;

// ---- CompactButton ---------------------------------------------------------------------------

TEST(SmallBitBtnTest, OnlyALeftButtonReleasedOverTheButtonClicksAndOnlyOnceUpAgain)
{
    CompactButton button;
    button.resize(17, 17);
    std::vector<bool> downAtClick;
    QObject::connect(&button, &CompactButton::clicked, [&] { downAtClick.push_back(button.Down()); });
    // (button, release point, clicks so far): released outside or by the right button, no click.
    const std::tuple<Qt::MouseButton, QPoint, std::size_t> steps[] = {
        {Qt::LeftButton, {8, 8}, 1}, {Qt::LeftButton, {40, 8}, 1}, {Qt::RightButton, {8, 8}, 1}};
    for (const auto& [which, at, clicks] : steps) {
        press(&button, {8, 8}, which);
        EXPECT_TRUE(button.Down()) << which;
        release(&button, at, which);
        EXPECT_FALSE(button.Down()) << which;
        EXPECT_EQ(downAtClick.size(), clicks) << which << " released at " << at.x();
    }
    EXPECT_EQ(downAtClick, std::vector<bool>{false});
}

// ---- CompactCombo ----------------------------------------------------------------------------

// A combo with its change and click events counted.
struct ComboProbe {
    CompactCombo combo;
    int changes = 0;
    int clicks = 0;
    std::vector<int> indexAtClick;

    ComboProbe()
    {
        QObject::connect(&combo, &CompactCombo::changed, [this] { ++changes; });
        QObject::connect(&combo, &CompactCombo::choiceMade, [this] {
            ++clicks;
            indexAtClick.push_back(combo.ItemIndex());
        });
        combo.show();
    }

    void clickButton()
    {
        press(combo.button(), combo.button()->rect().center());
        release(combo.button(), combo.button()->rect().center());
    }
};

// Picks entry `position` of an open menu with the keyboard, as a person would.
void pickWithKeys(QMenu* menu, int position)
{
    for (int i = 0; i <= position; ++i)
        key(menu, QEvent::KeyPress, Qt::Key_Down);
    key(menu, QEvent::KeyPress, Qt::Key_Return);
}

std::unique_ptr<QMenu> menuOf(const QStringList& captions)
{
    auto menu = std::make_unique<QMenu>();
    for (const QString& c : captions)
        menu->addAction(c);
    return menu;
}

TEST(SmallComboTest, IndexOutsideTheEntriesClearsTheChoice)
{
    const QStringList entries = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (bool withMenu : {true, false}) {
        SCOPED_TRACE(withMenu ? "menu" : "items");
        ComboProbe p;
        auto menu = menuOf(entries);
        if (withMenu)
            p.combo.setPopUpMenu(menu.get());
        else
            p.combo.setItems(entries);
        EXPECT_EQ(p.combo.ItemIndex(), withMenu ? 0 : -1) << "a menu selects its first entry";
        const int before = p.changes;
        // (index written, index read, change events so far): no event when nothing changes.
        const std::tuple<int, int, int> steps[] = {{2, 2, 1},   {5, -1, 2}, {3, -1, 2},
                                                   {-7, -1, 2}, {1, 1, 3},  {1, 1, 3}};
        for (const auto& [written, read, changes] : steps) {
            p.combo.setItemIndex(written);
            EXPECT_EQ(p.combo.ItemIndex(), read) << written;
            EXPECT_EQ(p.combo.Text(), read < 0 ? QString() : entries[read]) << written;
            EXPECT_EQ(p.changes - before, changes) << written;
        }
    }
    ComboProbe p;
    p.combo.setItemIndex(0);
    EXPECT_EQ(p.combo.ItemIndex(), -1) << "no entries at all";
    QMenu empty;
    p.combo.setPopUpMenu(&empty);
    EXPECT_EQ(p.combo.ItemIndex(), -1) << "an empty menu leaves no choice";
    EXPECT_EQ(p.changes, 0);
}

TEST(SmallComboTest, TheBuiltListShowsItemsAsWrittenIsReplacedOnReopeningAndFreedAfterAChoice)
{
    ReportCapture report;
    ComboProbe p;
    p.clickButton(); // an empty list opens without a choice
    QPointer<QMenu> first = p.combo.builtMenu();
    ASSERT_TRUE(first);

    p.combo.setItems({QStringLiteral("Fade to black"), QStringLiteral("Cut"), QStringLiteral("R&D")});
    p.combo.setDroppedDown(true);
    QPointer<QMenu> menu = p.combo.builtMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_NE(menu.data(), first.data()) << "a second opening replaces the first menu";
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(2)->text(), QStringLiteral("R&&D")); // shown as written

    // A failing handler is reported, and the choice stands.
    QObject::connect(&p.combo, &CompactCombo::choiceMade,
                     [] { throw std::runtime_error("click handler failed"); });
    pickWithKeys(menu, 2);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("R&D"));
    EXPECT_EQ(p.changes, 1);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("click handler failed")});
    EXPECT_TRUE(tesso::test::waitFor([&] {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return menu.isNull() && first.isNull();
    }));
}

TEST(SmallComboTest, ASharedMenuAnswersTheComboThatOpenedItLastAndIsForgottenWhenGone)
{
    auto menu = menuOf({QStringLiteral("Normal"), QStringLiteral("Wide")});
    ComboProbe a;
    ComboProbe b;
    a.combo.setPopUpMenu(menu.get());
    b.combo.setPopUpMenu(menu.get());
    a.changes = 0;

    // Choosing the chosen entry clicks without a change; choiceMade comes after the new index.
    a.clickButton();
    ASSERT_TRUE(menu->isVisible());
    pickWithKeys(menu.get(), 0);
    EXPECT_EQ(a.changes, 0);
    a.clickButton();
    pickWithKeys(menu.get(), 1);
    EXPECT_EQ(a.changes, 1);
    EXPECT_EQ(a.indexAtClick, (std::vector<int>{0, 1}));

    b.combo.setDroppedDown(true);
    pickWithKeys(menu.get(), 1);
    EXPECT_EQ(b.combo.ItemIndex(), 1);
    EXPECT_EQ(a.clicks, 2);
    EXPECT_EQ(b.clicks, 1) << "only its own choice";

    // A combo that lets go of the menu no longer hears it.
    b.combo.setPopUpMenu(nullptr);
    menu->actions().at(0)->trigger();
    EXPECT_EQ(b.clicks, 1);

    // Destroyed by its owner, the menu is forgotten and the combo's own items serve again.
    menu.reset();
    EXPECT_EQ(a.combo.PopUpMenu(), nullptr);
    a.clickButton();
    EXPECT_NE(a.combo.builtMenu(), nullptr);
}

// ---- ValueSlider ------------------------------------------------------------------------

struct ScrollProbe {
    ValueSlider frame;
    TrackingScrollBar* bar = nullptr;
    std::vector<std::pair<int, int>> notes; // (code, position)
    std::vector<int> flagDuringNote;

    ScrollProbe()
    {
        bar = qobject_cast<TrackingScrollBar*>(frame.ScrollBar);
        QObject::connect(&frame, &ValueSlider::scrolled, [this](int code, int position) {
            notes.emplace_back(code, position);
            flagDuringNote.push_back(frame.Tracking());
        });
        frame.show();
    }
};

TEST(FrameScrollBarTest, AnArrowClickOrADragTracksUntilTheButtonIsReleased)
{
    ScrollProbe p;
    const QPoint arrow = p.bar->controlRect(QStyle::SC_ScrollBarAddLine).center();
    press(p.bar, arrow);
    EXPECT_EQ(p.frame.Tracking(), 1);
    release(p.bar, arrow);
    EXPECT_EQ(p.frame.Tracking(), 0);
    using Note = std::pair<int, int>;
    EXPECT_EQ(p.notes, (std::vector<Note>{{QAbstractSlider::SliderSingleStepAdd, 129},
                                          {ValueSlider::EndScroll, 129}}));
    // The flag changes after each notification, so an owner sees the previous state.
    EXPECT_EQ(p.flagDuringNote, (std::vector<int>{0, 1}));

    const QPoint start = p.bar->controlRect(QStyle::SC_ScrollBarSlider).center();
    press(p.bar, start);
    EXPECT_EQ(p.frame.Tracking(), 0); // pressing the thumb alone scrolls nothing yet
    sendMouse(p.bar, QEvent::MouseMove, start + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p.frame.Tracking(), 1);
    const int moved = p.bar->value();
    EXPECT_GT(moved, 129);
    EXPECT_EQ(p.notes.back(), Note(QAbstractSlider::SliderMove, moved));
    release(p.bar, start + QPoint(20, 0));
    EXPECT_EQ(p.frame.Tracking(), 0);
    EXPECT_EQ(p.notes.back(), Note(ValueSlider::EndScroll, moved));
}

TEST(FrameScrollBarTest, WheelAndKeysEndTheirScrollToo)
{
    ScrollProbe p;
    // The flag follows the last note, so 0 after a scroll means it ended with EndScroll.
    wheel(p.bar, -120);
    EXPECT_NE(p.bar->value(), 128);
    const bool wheeledUp = p.bar->value() > 128;
    ASSERT_FALSE(p.notes.empty());
    EXPECT_EQ(p.frame.Tracking(), 0);

    p.bar->setFocus();
    const int before = p.bar->value();
    key(p.bar, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(std::abs(p.bar->value() - before), 1); // Qt decides the direction
    EXPECT_EQ(p.frame.Tracking(), 1);
    key(p.bar, QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_EQ(p.frame.Tracking(), 0);

    // At the end of the range the wheel moves nothing; whatever it reports, the scroll ends.
    const int end = wheeledUp ? 255 : 0;
    p.bar->setValue(end);
    wheel(p.bar, -120);
    EXPECT_EQ(p.bar->value(), end);
    EXPECT_EQ(p.frame.Tracking(), 0);

    // A key the scroll bar does not use starts no scroll and ends none.
    const std::size_t notesBefore = p.notes.size();
    key(p.bar, QEvent::KeyPress, Qt::Key_A);
    key(p.bar, QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(p.notes.size(), notesBefore);
    EXPECT_EQ(p.frame.Tracking(), 0);
}

// ---- Warnings on the pages -------------------------------------------------------------------------

TEST(PageWarnings, StayRedAndReadableWhenTheDesktopTurnsDark)
{
    PageFrameAlert page;
    page.ShowNotAvailable(QStringLiteral("Device not connected"));
    const QLabel* notice = page.LblFrameNotAvailable;
    const std::tuple<const char*, QColor, double> desktops[] = {{"light", QColor(0xef, 0xef, 0xef), 3.0},
                                                                {"dark", QColor(0x2b, 0x2b, 0x2b), 4.5}};
    for (const auto& [name, window, least] : desktops) {
        // What the application's palette change does to the page (outside an event loop, Qt
        // leaves it to the caller).
        page.setPalette(QPalette(window, window));
        const QColor text = notice->palette().color(QPalette::WindowText);
        EXPECT_GE(contrastRatio(text, page.palette().color(QPalette::Window)), least) << name;
        EXPECT_TRUE(text.red() > 2 * text.green() && text.red() > 2 * text.blue())
            << name << " " << text.name().toStdString();
    }
}

} // namespace
