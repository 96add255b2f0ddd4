// The custom controls driven offscreen: the compact arrow button and chooser, the value frame's
// tracking flag and the input row's greying. Each control is also rendered to a PNG beside the
// test program for a person to look at.

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QImage>
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

QImage render(QWidget* w, const char* pngName)
{
    const QImage image = w->grab().toImage();
    image.save(QCoreApplication::applicationDirPath() + QStringLiteral("/") + QString::fromLatin1(pngName));
    return image;
}

// The points of an image in exactly the given colour.
std::vector<QPoint> pixelsOf(const QImage& image, QColor colour)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                found.emplace_back(x, y);
    return found;
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

TEST(SmallBitBtnTest, ArrowIsATriangleCentredOnTheMiddlePixel)
{
    TSmallBitBtn button;
    button.resize(17, 17);
    const QImage image = render(&button, "controls-smallbitbtn-17x17.png");
    std::vector<QPoint> expected;
    for (int x = 5; x <= 11; ++x)
        expected.emplace_back(x, 7);
    for (int x = 6; x <= 10; ++x)
        expected.emplace_back(x, 8);
    for (int x = 7; x <= 9; ++x)
        expected.emplace_back(x, 9);
    expected.emplace_back(8, 10);
    EXPECT_EQ(pixelsOf(image, Qt::black), expected);
}

TEST(SmallBitBtnTest, NoArrowBelowEightByEightPixelsOfCentre)
{
    for (QSize size : {QSize(12, 5), QSize(7, 6), QSize(8, 5)}) {
        TSmallBitBtn button;
        button.resize(size);
        EXPECT_TRUE(pixelsOf(button.grab().toImage(), Qt::black).empty())
            << size.width() << "x" << size.height();
    }
    // The smallest size with an arrow: cx 4, cy 3.
    TSmallBitBtn smallest;
    smallest.resize(8, 6);
    const auto black = pixelsOf(smallest.grab().toImage(), Qt::black);
    ASSERT_EQ(black.size(), 16u);
    EXPECT_EQ(black.front(), QPoint(1, 2));
    EXPECT_EQ(black.back(), QPoint(4, 5));
}

TEST(SmallBitBtnTest, RaisedFrameWhenUpFlatFaceWhenDown)
{
    TSmallBitBtn button;
    button.resize(17, 17);
    const QColor face = button.palette().color(QPalette::Button);
    const QColor light = button.palette().color(QPalette::Light);
    const QColor dark = button.palette().color(QPalette::Dark);
    ASSERT_NE(light.rgb(), dark.rgb());

    QImage up = button.grab().toImage();
    EXPECT_EQ(up.pixelColor(0, 0).rgb(), light.rgb());
    EXPECT_EQ(up.pixelColor(1, 1).rgb(), light.rgb());
    EXPECT_EQ(up.pixelColor(16, 0).rgb(), dark.rgb()); // top-right corner belongs to the dark edge
    EXPECT_EQ(up.pixelColor(0, 16).rgb(), dark.rgb());
    EXPECT_EQ(up.pixelColor(15, 15).rgb(), dark.rgb());
    EXPECT_EQ(up.pixelColor(2, 2).rgb(), face.rgb());

    button.setBevelWidth(1);
    const QImage thin = button.grab().toImage();
    EXPECT_EQ(thin.pixelColor(0, 0).rgb(), light.rgb());
    EXPECT_EQ(thin.pixelColor(1, 1).rgb(), face.rgb());

    button.setDown(true);
    const QImage down = render(&button, "controls-smallbitbtn-down.png");
    EXPECT_EQ(down.pixelColor(0, 0).rgb(), face.rgb());
    EXPECT_EQ(down.pixelColor(16, 16).rgb(), face.rgb());
    EXPECT_EQ(pixelsOf(down, Qt::black).size(), 16u); // the arrow stays
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
        combo.OnChange = [this](QObject* s) {
            EXPECT_EQ(s, &combo);
            ++changes;
        };
        combo.OnClick = [this](QObject* s) {
            EXPECT_EQ(s, &combo);
            ++clicks;
            indexAtClick.push_back(combo.ItemIndex());
        };
        combo.OnDropDown = [this](QObject* s) {
            EXPECT_EQ(s, &combo);
            ++dropDowns;
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

TEST(SmallComboTest, NewComboIsEmptyAndAMenuSelectsItsFirstEntry)
{
    ComboProbe p;
    EXPECT_EQ(p.combo.size(), QSize(145, 21));
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    EXPECT_TRUE(p.combo.Text().isEmpty());
    EXPECT_TRUE(p.combo.textField()->isReadOnly());
    EXPECT_FALSE(p.combo.DroppedDown());

    auto menu = menuOf({QStringLiteral("Normal"), QStringLiteral("Wide"), QStringLiteral("Other")});
    p.combo.setPopUpMenu(menu.get());
    EXPECT_EQ(p.combo.ItemIndex(), 0);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("Normal"));
    EXPECT_EQ(p.changes, 1);
    render(&p.combo, "controls-smallcombo.png");
}

TEST(SmallComboTest, IndexOutsideTheEntriesClearsTheChoice)
{
    ComboProbe p;
    auto menu = menuOf({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    p.combo.setPopUpMenu(menu.get());
    p.combo.setItemIndex(2);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("C"));
    const int before = p.changes;

    p.combo.setItemIndex(5);
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    EXPECT_TRUE(p.combo.Text().isEmpty());
    EXPECT_EQ(p.changes, before + 1);

    p.combo.setItemIndex(3); // already -1: no change event
    p.combo.setItemIndex(-7);
    EXPECT_EQ(p.changes, before + 1);
    EXPECT_EQ(p.combo.ItemIndex(), -1);

    p.combo.setItemIndex(1);
    p.combo.setItemIndex(1); // same value: no change event
    EXPECT_EQ(p.changes, before + 2);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("B"));
}

TEST(SmallComboTest, WithoutAMenuTheItemsAreTheChoices)
{
    ComboProbe p;
    p.combo.setItemIndex(0); // no entries at all
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    EXPECT_EQ(p.changes, 0);

    p.combo.setItems({QStringLiteral("Computer 1"), QStringLiteral("Computer 2")});
    p.combo.setItemIndex(1);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("Computer 2"));
    p.combo.setItemIndex(2);
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    EXPECT_TRUE(p.combo.Text().isEmpty());
    EXPECT_EQ(p.changes, 2);

    // An empty menu leaves no choice either.
    QMenu empty;
    p.combo.setPopUpMenu(&empty);
    EXPECT_EQ(p.combo.ItemIndex(), -1);
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

TEST(SmallComboTest, DroppedDownIsAStoredFlagThatOpensTheList)
{
    ComboProbe p;
    p.combo.show();
    p.combo.setItems({QStringLiteral("One")});
    p.combo.setDroppedDown(true);
    EXPECT_TRUE(p.combo.DroppedDown());
    ASSERT_NE(openMenu(p.combo), nullptr);
    EXPECT_EQ(p.dropDowns, 1);
    pickWithKeys(openMenu(p.combo), 0);
    EXPECT_TRUE(p.combo.DroppedDown()); // until written again
    p.combo.setDroppedDown(false);
    EXPECT_FALSE(p.combo.DroppedDown());
    EXPECT_EQ(p.dropDowns, 1);
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
    p.combo.setItemIndex(1);
    EXPECT_EQ(p.combo.ItemIndex(), -1);
    p.clickButton();
    ASSERT_NE(p.combo.builtMenu(), nullptr);
    pickWithKeys(p.combo.builtMenu(), 0);
    EXPECT_EQ(p.combo.Text(), QStringLiteral("only"));
}

TEST(SmallComboTest, ButtonSitsInsideTheBorderOrInTheCorner)
{
    TSmallCombo combo;
    combo.show(); // a hidden widget gets its resize events only when shown
    EXPECT_EQ(combo.BorderStyle(), TSmallCombo::TBorderStyle::bsSingle);
    EXPECT_EQ(combo.textField()->geometry(), QRect(0, 0, 145, 21));
    EXPECT_EQ(combo.button()->geometry(), QRect(126, 2, 17, 17));
    EXPECT_EQ(combo.button()->BevelWidth(), 2);

    combo.setBorderStyle(TSmallCombo::TBorderStyle::bsNone);
    EXPECT_FALSE(combo.textField()->hasFrame());
    EXPECT_EQ(combo.button()->geometry(), QRect(124, 0, 21, 21));
    EXPECT_EQ(combo.button()->BevelWidth(), 1);
    render(&combo, "controls-smallcombo-noborder.png");

    combo.resize(100, 30);
    EXPECT_EQ(combo.button()->geometry(), QRect(70, 0, 30, 30));

    combo.setBorderStyle(TSmallCombo::TBorderStyle::bsSingle);
    EXPECT_TRUE(combo.textField()->hasFrame());
    EXPECT_EQ(combo.button()->geometry(), QRect(72, 2, 26, 26));
    EXPECT_EQ(combo.button()->BevelWidth(), 2);

    // Too small for a button inside the border: the button stays where it was.
    combo.resize(50, 4);
    EXPECT_EQ(combo.textField()->geometry(), QRect(0, 0, 50, 4));
    EXPECT_EQ(combo.button()->geometry(), QRect(72, 2, 26, 26));
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
    struct Move {
        QObject* sender;
        Qt::KeyboardModifiers shift;
        Qt::MouseButtons buttons;
        int x, y;
    };
    std::vector<Move> moves;
    combo.OnMouseMoveChange = [&](QObject* s, Qt::KeyboardModifiers shift, Qt::MouseButtons b, int x, int y) {
        moves.push_back({s, shift, b, x, y});
    };
    sendMouse(combo.textField(), QEvent::MouseMove, {5, 6}, Qt::NoButton, Qt::NoButton, Qt::ShiftModifier);
    sendMouse(combo.button(), QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].sender, &combo);
    EXPECT_EQ(moves[0].shift, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(moves[0].x, moves[0].y), QPoint(5, 6));
    EXPECT_EQ(moves[1].buttons, Qt::LeftButton);
    EXPECT_EQ(QPoint(moves[1].x, moves[1].y), QPoint(3, 4));
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

// The controls of a frame lie inside it and do not cover one another.
void expectSideBySide(const QWidget& frame, const std::vector<const QWidget*>& controls)
{
    for (std::size_t a = 0; a < controls.size(); ++a) {
        EXPECT_TRUE(frame.rect().contains(controls[a]->geometry())) << a;
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            EXPECT_FALSE(controls[a]->geometry().intersects(controls[b]->geometry())) << a << " " << b;
    }
}

TEST(FrameScrollBarTest, LayoutLeavesTheMiddleMarkVisibleAroundTheScrollBar)
{
    TFrameScrollBar frame;
    frame.Lbl->setText(QStringLiteral("Hue (NTSC)")); // the longest caption of the program
    frame.Lbl->resize(frame.Lbl->fontMetrics().horizontalAdvance(frame.Lbl->text()), frame.Lbl->height());
    expectSideBySide(frame, {frame.Lbl, frame.ScrollBar, frame.Edt});
    // The mark is drawn under the scroll bar, at its middle, and reaches above and below it.
    const QObjectList& children = frame.children();
    EXPECT_LT(children.indexOf(frame.Bevel), children.indexOf(frame.ScrollBar));
    EXPECT_NEAR(frame.Bevel->geometry().center().x(), frame.ScrollBar->geometry().center().x(), 1);
    EXPECT_LT(frame.Bevel->geometry().top(), frame.ScrollBar->geometry().top());
    EXPECT_GT(frame.Bevel->geometry().bottom(), frame.ScrollBar->geometry().bottom());
    EXPECT_EQ(frame.Tracking(), 0);
    frame.Edt->setText(QStringLiteral("0"));
    render(&frame, "controls-framescrollbar.png");
}

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

    const QPoint page = p.bar->controlRect(QStyle::SC_ScrollBarSubPage).center();
    press(p.bar, page);
    EXPECT_EQ(p.bar->value(), 119); // the large step
    EXPECT_EQ(p.frame.Tracking(), 1);
    release(p.bar, page);
    EXPECT_EQ(p.frame.Tracking(), 0);
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

TEST(FrameInputTest, ControlsSitSideBySideAndCarryTheInputNumber)
{
    TFrameInput row;
    row.Lbl->setText(QStringLiteral("Input 8")); // the longest caption of the program
    row.Lbl->resize(row.Lbl->fontMetrics().horizontalAdvance(row.Lbl->text()), row.Lbl->height());
    expectSideBySide(
        row, {row.Lbl, row.ChkUsed, row.ChkVCR, row.CboSignalType, row.CboStandard, row.SmallCombo_REFASP});
    EXPECT_EQ(row.SmallCombo_REFASP->ItemIndex(), -1);

    row.setTag(3);
    EXPECT_EQ(row.Tag(), 3);
    for (QObject* o : std::initializer_list<QObject*>{row.Lbl, row.ChkUsed, row.ChkVCR, row.CboSignalType,
                                                      row.CboStandard, row.SmallCombo_REFASP})
        EXPECT_EQ(o->property("Tag").toInt(), 3) << o->metaObject()->className();

    row.CboSignalType->addItems({QStringLiteral("Composite"), QStringLiteral("S-Video")});
    row.CboStandard->addItems({QStringLiteral("PAL"), QStringLiteral("NTSC")});
    auto menu = menuOf({QStringLiteral("Normal"), QStringLiteral("Wide")});
    row.SmallCombo_REFASP->setPopUpMenu(menu.get());
    render(&row, "controls-frameinput.png");
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
    render(&row, "controls-frameinput-unused.png");

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
