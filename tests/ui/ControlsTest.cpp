// The custom controls driven offscreen: the compact arrow button and chooser, the value frame's
// tracking flag and the input row's greying.

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "ErrorReport.h"
#include "FrmInput.h"
#include "FrmScrollbar.h"
#include "ReportCapture.h"
#include "SmallBitBtn.h"
#include "SmallCombo.h"
#include "TrackingScrollBar.h"
#include "WaitFor.h"

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

void click(QWidget* w, QPoint at)
{
    press(w, at);
    release(w, at);
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

// ---- TSmallBitBtn ---------------------------------------------------------------------------

TEST(SmallBitBtnTest, PressShowsDownAndAClickCallsBackWhenUpAgain)
{
    TSmallBitBtn button;
    button.resize(17, 17);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(button.BevelWidth(), 2);

    std::vector<bool> downAtClick;
    button.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &button);
        downAtClick.push_back(button.Down());
    };
    press(&button, {8, 8});
    EXPECT_TRUE(button.Down());
    EXPECT_TRUE(downAtClick.empty());
    release(&button, {8, 8});
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(downAtClick, std::vector<bool>{false});

    // Released outside: no click.
    press(&button, {8, 8});
    release(&button, {40, 8});
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(downAtClick.size(), 1u);

    // The right button shows the button pressed but does not click.
    press(&button, {8, 8}, Qt::RightButton);
    EXPECT_TRUE(button.Down());
    release(&button, {8, 8}, Qt::RightButton);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(downAtClick.size(), 1u);
}

// ---- TSmallCombo ----------------------------------------------------------------------------

// A combo with every event counted.
struct ComboProbe {
    TSmallCombo combo;
    int changes = 0;
    int clicks = 0;
    int dropDowns = 0;
    std::vector<int> indexAtClick;

    ComboProbe()
    {
        combo.OnChange = [this](QObject* s) { changes += s == &combo ? 1 : 1000; };
        combo.OnDropDown = [this](QObject* s) { dropDowns += s == &combo ? 1 : 1000; };
        combo.OnClick = [this](QObject* s) {
            clicks += s == &combo ? 1 : 1000; // a wrong sender shows as a count far off
            indexAtClick.push_back(combo.ItemIndex());
        };
    }

    void clickButton()
    {
        TSmallBitBtn* b = combo.button();
        click(b, b->rect().center());
    }
};

// The menu that a combo has open now, whichever kind.
QMenu* openMenu(TSmallCombo& combo)
{
    QMenu* m = combo.PopUpMenu() ? combo.PopUpMenu() : combo.builtMenu();
    return m && m->isVisible() ? m : nullptr;
}

// Picks entry `position` of an open menu with the keyboard, as a person would.
void pickWithKeys(QMenu* menu, int position)
{
    for (int i = 0; i <= position; ++i)
        key(menu, QEvent::KeyPress, Qt::Key_Down);
    key(menu, QEvent::KeyPress, Qt::Key_Return);
}

// Picks entry `position` of an open menu with the mouse.
void pickWithMouse(QMenu* menu, int position)
{
    const QPoint at = menu->actionGeometry(menu->actions().at(position)).center();
    sendMouse(menu, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    sendMouse(menu, QEvent::MouseMove, at + QPoint(1, 0), Qt::NoButton, Qt::NoButton);
    press(menu, at);
    release(menu, at);
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
        p.combo.setItemIndex(0); // no entries at all
        EXPECT_EQ(p.combo.ItemIndex(), -1);
        EXPECT_EQ(p.changes, 0);
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
    QMenu empty;
    p.combo.setPopUpMenu(&empty);
    EXPECT_EQ(p.combo.ItemIndex(), -1) << "an empty menu leaves no choice";
}

TEST(SmallComboTest, ButtonOpensTheBuiltListBelowTheComboAndAChoiceFreesIt)
{
    QWidget window;
    window.resize(300, 200);
    auto* combo = new TSmallCombo(&window);
    combo->move(20, 30);
    window.show();
    int changes = 0;
    int clicks = 0;
    int dropDowns = 0;
    combo->OnChange = [&](QObject*) { ++changes; };
    combo->OnClick = [&](QObject*) { ++clicks; };
    combo->OnDropDown = [&](QObject*) { ++dropDowns; };
    combo->setItems({QStringLiteral("Fade to black"), QStringLiteral("Cut"), QStringLiteral("R&D")});

    click(combo->button(), combo->button()->rect().center());
    QPointer<QMenu> menu = openMenu(*combo);
    ASSERT_TRUE(menu);
    EXPECT_EQ(dropDowns, 1);
    EXPECT_EQ(menu->pos(), combo->mapToGlobal(QPoint(0, combo->height())));
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(2)->text(), QStringLiteral("R&&D")); // shown as written

    pickWithMouse(menu, 2);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), QStringLiteral("R&D"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo->builtMenu(), nullptr);
    EXPECT_TRUE(tesso::test::waitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return menu.isNull();
    }));
}

TEST(SmallComboTest, ChoosingTheChosenEntryClicksWithoutChange)
{
    ComboProbe p;
    p.combo.show();
    auto menu = menuOf({QStringLiteral("Normal"), QStringLiteral("Wide")});
    p.combo.setPopUpMenu(menu.get());
    p.changes = 0;

    p.clickButton();
    ASSERT_EQ(openMenu(p.combo), menu.get());
    pickWithKeys(menu.get(), 0);
    EXPECT_EQ(p.clicks, 1);
    EXPECT_EQ(p.changes, 0);

    p.clickButton();
    pickWithKeys(menu.get(), 1);
    EXPECT_EQ(p.clicks, 2);
    EXPECT_EQ(p.changes, 1);
    EXPECT_EQ(p.indexAtClick, (std::vector<int>{0, 1})); // OnClick after the new index
    EXPECT_EQ(p.dropDowns, 2);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("Wide"));
}

TEST(SmallComboTest, ASharedMenuAnswersTheComboThatOpenedItLast)
{
    auto menu = menuOf({QStringLiteral("Normal"), QStringLiteral("Wide")});
    ComboProbe a;
    ComboProbe b;
    a.combo.show();
    b.combo.show();
    a.combo.setPopUpMenu(menu.get());
    b.combo.setPopUpMenu(menu.get());

    a.clickButton();
    pickWithKeys(menu.get(), 1);
    EXPECT_EQ(a.combo.ItemIndex(), 1);
    EXPECT_EQ(b.combo.ItemIndex(), 0);

    b.combo.setDroppedDown(true);
    EXPECT_EQ(a.dropDowns, 1);
    EXPECT_EQ(b.dropDowns, 1);
    pickWithKeys(menu.get(), 1);
    EXPECT_EQ(b.combo.ItemIndex(), 1);
    EXPECT_EQ(a.clicks, 1);
    EXPECT_EQ(b.clicks, 1);

    // A combo that lets go of the menu no longer hears it.
    b.combo.setPopUpMenu(nullptr);
    menu->actions().at(0)->trigger();
    EXPECT_EQ(b.clicks, 1);
    EXPECT_EQ(b.combo.ItemIndex(), -1);
}

TEST(SmallComboTest, EmptyListOpensWithoutAChoice)
{
    ComboProbe p;
    p.combo.show();
    p.clickButton();
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    EXPECT_EQ(p.clicks, 0);
    // A second opening replaces the first built menu rather than piling menus up.
    QPointer<QMenu> first = p.combo.builtMenu();
    p.combo.setDroppedDown(true);
    EXPECT_NE(p.combo.builtMenu(), first.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST(SmallComboTest, AMenuDestroyedByItsOwnerIsForgotten)
{
    ComboProbe p;
    p.combo.show();
    auto menu = menuOf({QStringLiteral("a"), QStringLiteral("b")});
    p.combo.setPopUpMenu(menu.get());
    menu.reset();
    EXPECT_EQ(p.combo.PopUpMenu(), nullptr);
    p.combo.setItems({QStringLiteral("only")});
    p.clickButton();
    ASSERT_NE(p.combo.builtMenu(), nullptr);
    pickWithKeys(p.combo.builtMenu(), 0);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("only"));
}

TEST(SmallComboTest, ButtonStaysPutWhenTooSmallForTheBorder)
{
    TSmallCombo combo;
    combo.show(); // a hidden widget gets its resize events only when shown
    combo.resize(100, 30);
    const QRect before = combo.button()->geometry();
    combo.setBorderStyle(TSmallCombo::TBorderStyle::bsNone);
    EXPECT_FALSE(combo.textField()->hasFrame());
    EXPECT_EQ(combo.button()->geometry(), QRect(70, 0, 30, 30)) << "the whole height without a border";
    combo.setBorderStyle(TSmallCombo::TBorderStyle::bsSingle);
    EXPECT_EQ(combo.button()->geometry(), before);
    combo.resize(50, 4);
    EXPECT_EQ(combo.textField()->geometry(), QRect(0, 0, 50, 4));
    EXPECT_EQ(combo.button()->geometry(), before);
    combo.resize(50, 5);
    EXPECT_EQ(combo.button()->geometry(), QRect(47, 2, 1, 1));
}

TEST(SmallComboTest, DisabledTextTakesTheShadowColourAndGetsItsOwnColourBack)
{
    TSmallCombo combo;
    const QColor shadow = combo.palette().color(QPalette::Dark);
    const QColor original = combo.textField()->palette().color(QPalette::Text);
    ASSERT_NE(shadow.rgb(), original.rgb());
    auto textColour = [&] {
        return combo.textField()->palette().color(QPalette::Disabled, QPalette::Text).rgb();
    };

    combo.setEnabled(false);
    EXPECT_EQ(textColour(), shadow.rgb());
    combo.setEnabled(true);
    EXPECT_EQ(textColour(), original.rgb());

    combo.setEnabled(false);
    combo.setFontColor(Qt::red); // remembered, shown once enabled
    EXPECT_EQ(textColour(), shadow.rgb());
    combo.setEnabled(true);
    EXPECT_EQ(combo.textField()->palette().color(QPalette::Active, QPalette::Text).rgb(),
              QColor(Qt::red).rgb());

    // Disabling the parent disables the combo too.
    QWidget parent;
    auto* child = new TSmallCombo(&parent);
    parent.setEnabled(false);
    EXPECT_EQ(child->textField()->palette().color(QPalette::Text).rgb(), shadow.rgb());
}

TEST(SmallComboTest, PointerMovesAreReportedInTheChildsCoordinates)
{
    TSmallCombo combo;
    QStringList moves;
    combo.OnMouseMoveChange = [&](QObject* s, Qt::KeyboardModifiers shift, Qt::MouseButtons b, int x, int y) {
        EXPECT_EQ(s, &combo);
        moves << QStringLiteral("%1,%2 %3 %4").arg(x).arg(y).arg(int(shift)).arg(int(b));
    };
    sendMouse(combo.textField(), QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    sendMouse(combo.button(), QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(moves, (QStringList{QStringLiteral("5,6 %1 0").arg(int(Qt::ShiftModifier)),
                                  QStringLiteral("3,4 0 %1").arg(int(Qt::LeftButton))}));
}

TEST(SmallComboTest, AFailingHandlerIsReportedAndTheChoiceStands)
{
    ReportCapture report;
    TSmallCombo combo;
    combo.show();
    combo.setItems({QStringLiteral("a"), QStringLiteral("b")});
    combo.OnClick = [](QObject*) { throw std::runtime_error("click handler failed"); };
    click(combo.button(), combo.button()->rect().center());
    ASSERT_NE(combo.builtMenu(), nullptr);
    pickWithKeys(combo.builtMenu(), 1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("click handler failed")});
}

// ---- TFrameScrollBar ------------------------------------------------------------------------

struct ScrollProbe {
    TFrameScrollBar frame;
    TTrackingScrollBar* bar = nullptr;
    std::vector<std::pair<int, int>> notes; // (code, position)
    std::vector<int> flagDuringNote;

    ScrollProbe()
    {
        bar = qobject_cast<TTrackingScrollBar*>(frame.ScrollBar);
        QObject::connect(&frame, &TFrameScrollBar::scrolled, [this](int code, int position) {
            notes.emplace_back(code, position);
            flagDuringNote.push_back(frame.Tracking());
        });
        frame.show();
    }
};

TEST(FrameScrollBarTest, DraggingTheThumbTracksUntilTheButtonIsReleased)
{
    ScrollProbe p;
    const QRect thumb = p.bar->controlRect(QStyle::SC_ScrollBarSlider);
    ASSERT_TRUE(thumb.isValid());
    const QPoint start = thumb.center();
    press(p.bar, start);
    EXPECT_EQ(p.frame.Tracking(), 0); // pressing the thumb alone scrolls nothing yet
    sendMouse(p.bar, QEvent::MouseMove, start + QPoint(10, 0), Qt::NoButton, Qt::LeftButton);
    sendMouse(p.bar, QEvent::MouseMove, start + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(p.frame.Tracking(), 1);
    const int moved = p.bar->value();
    EXPECT_GT(moved, 128);
    ASSERT_GE(p.notes.size(), 2u);
    EXPECT_EQ(p.notes.back(), std::make_pair(static_cast<int>(QAbstractSlider::SliderMove), moved));

    release(p.bar, start + QPoint(20, 0));
    EXPECT_EQ(p.frame.Tracking(), 0);
    EXPECT_EQ(p.notes.back(), std::make_pair(TFrameScrollBar::EndScroll, moved));
    // The flag changes after each notification, so an owner sees the previous state.
    EXPECT_EQ(p.flagDuringNote.back(), 1);
}

TEST(FrameScrollBarTest, AnArrowClickTracksThenEnds)
{
    ScrollProbe p;
    const QPoint arrow = p.bar->controlRect(QStyle::SC_ScrollBarAddLine).center();
    press(p.bar, arrow);
    EXPECT_EQ(p.frame.Tracking(), 1);
    EXPECT_EQ(p.bar->value(), 129);
    release(p.bar, arrow);
    EXPECT_EQ(p.frame.Tracking(), 0);
    ASSERT_EQ(p.notes.size(), 2u);
    EXPECT_EQ(p.notes[0], std::make_pair(static_cast<int>(QAbstractSlider::SliderSingleStepAdd), 129));
    EXPECT_EQ(p.notes[1], std::make_pair(TFrameScrollBar::EndScroll, 129));
}

TEST(FrameScrollBarTest, WheelAndKeysEndTheirScrollToo)
{
    ScrollProbe p;
    wheel(p.bar, -120);
    EXPECT_NE(p.bar->value(), 128);
    const bool wheeledUp = p.bar->value() > 128;
    EXPECT_EQ(p.frame.Tracking(), 0);
    ASSERT_FALSE(p.notes.empty());
    EXPECT_EQ(p.notes.back().first, TFrameScrollBar::EndScroll);
    EXPECT_EQ(p.flagDuringNote.back(), 1);

    p.bar->setFocus();
    const int before = p.bar->value();
    key(p.bar, QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(std::abs(p.bar->value() - before), 1); // Qt decides the direction
    EXPECT_EQ(p.frame.Tracking(), 1);
    key(p.bar, QEvent::KeyPress, Qt::Key_Right); // held down: auto-repeat
    EXPECT_EQ(p.frame.Tracking(), 1);
    key(p.bar, QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_EQ(p.frame.Tracking(), 0);

    // At the end of the range the wheel moves nothing; whatever it reports, the scroll ends.
    const int end = wheeledUp ? 255 : 0;
    p.bar->setValue(end);
    p.notes.clear();
    wheel(p.bar, -120);
    EXPECT_EQ(p.bar->value(), end);
    EXPECT_EQ(p.frame.Tracking(), 0);
    if (!p.notes.empty()) {
        EXPECT_EQ(p.notes.back().first, TFrameScrollBar::EndScroll);
    }

    // A key the scroll bar does not use starts no scroll and ends none.
    const std::size_t notesBefore = p.notes.size();
    key(p.bar, QEvent::KeyPress, Qt::Key_A);
    key(p.bar, QEvent::KeyRelease, Qt::Key_A);
    EXPECT_EQ(p.notes.size(), notesBefore);
    EXPECT_EQ(p.frame.Tracking(), 0);
}

// ---- TFrameInput ----------------------------------------------------------------------------

TEST(FrameInputTest, TagReachesEveryControlOfTheRow)
{
    TFrameInput row;
    row.setTag(3);
    for (QObject* o : std::initializer_list<QObject*>{row.Lbl, row.ChkUsed, row.ChkVCR, row.CboSignalType,
                                                      row.CboStandard, row.SmallCombo_REFASP})
        EXPECT_EQ(o->property("Tag").toInt(), 3) << o->metaObject()->className();
}

TEST(FrameInputTest, UncheckingUsedGreysTheRowButNotTheAspectChooser)
{
    TFrameInput row;
    row.show();
    ASSERT_TRUE(row.ChkUsed->isChecked());
    auto enabledStates = [&] {
        return std::vector<bool>{row.Lbl->isEnabled(), row.ChkVCR->isEnabled(),
                                 row.CboSignalType->isEnabled(), row.CboStandard->isEnabled()};
    };
    EXPECT_EQ(enabledStates(), std::vector<bool>(4, true));

    click(row.ChkUsed, row.ChkUsed->rect().center());
    ASSERT_FALSE(row.ChkUsed->isChecked());
    EXPECT_EQ(enabledStates(), std::vector<bool>(4, false));
    EXPECT_TRUE(row.SmallCombo_REFASP->isEnabled());
    EXPECT_TRUE(row.ChkUsed->isEnabled());

    click(row.ChkUsed, row.ChkUsed->rect().center());
    ASSERT_TRUE(row.ChkUsed->isChecked());
    EXPECT_EQ(enabledStates(), std::vector<bool>(4, true));

    // The owner showing the device's value greys the row the same way.
    row.SmallCombo_REFASP->setEnabled(false);
    row.ChkUsed->setChecked(false);
    EXPECT_EQ(enabledStates(), std::vector<bool>(4, false));
    row.ChkUsed->setChecked(true);
    EXPECT_EQ(enabledStates(), std::vector<bool>(4, true));
    EXPECT_FALSE(row.SmallCombo_REFASP->isEnabled()); // keeps its own state
}

} // namespace
