// The standby items and windows on scripted replies: the delay label and its scroll bar, the
// on/off and baud items, the black delay window, and the projector message window with its
// read-back, including devices that answer out of turn or never end the message.

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "ProjectorMessageWindow.h"
#include "ReportCapture.h"
#include "StandbyWindow.h"
#include "SyncTimeWindow.h"
#include "TrackingScrollBar.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

struct StandbyHarness : ConnectedWindow {
    MainMenus* menus = main->Menus;
    StandbyWindow* standby = main->Windows().Standby;
    SyncTimeWindow* blackDelay = main->Windows().SyncTime;
    ProjectorMessageWindow* message = main->Windows().MessageProjector;

    void key(const QString& text, int code = 0)
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(message->Edit_Message, &press);
    }
    void enterDelay(const char* text)
    {
        blackDelay->Edit_Sync_Time->setText(QString::fromLatin1(text));
        emit blackDelay->Edit_Sync_Time->returnPressed();
    }
    QString shown() const { return message->Edit_Message->text(); }
};

} // namespace

// ---- Standby delay --------------------------------------------------------------------------------

TEST(StandbyDelay, LabelShowsOffOrHoursAndMinutes)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "Off"}, {1, "0H:1Min"}, {59, "0H:59Min"}, {60, "1H:0Min"}, {255, "4H:15Min"}};
    for (const auto& [minutes, text] : cases)
        EXPECT_EQ(StandbyWindow::DelayText(minutes), QString::fromLatin1(text)) << minutes;
}

TEST(StandbyDelay, EveryScrollIsSentAndEchoesLeaveTheHeldThumbAlone)
{
    StandbyHarness h;
    h.menus->MenuStandByTimer->trigger();
    ASSERT_TRUE(h.standby->isVisible());
    TrackingScrollBar* bar = h.standby->ScrollBar1;
    bar->setValue(40); // not the user's doing
    EXPECT_EQ(h.sent(), QByteArray());

    bar->setSliderDown(true);
    bar->setSliderPosition(10);
    bar->setSliderPosition(100);
    h.reply("STBT10\r\n");
    EXPECT_EQ(h.sent(), QByteArray("10sT100sT"));
    EXPECT_EQ(h.standby->Label_STANDBY->text(), QStringLiteral("0H:10Min"));
    EXPECT_EQ(bar->sliderPosition(), 100) << "the thumb stays under the mouse";
    bar->setSliderDown(false);
    emit bar->scrollEnded();
    EXPECT_EQ(h.sent(), QByteArray("100sT"));
    h.reply("STBT90\r\n");
    EXPECT_EQ(bar->value(), 90);
    EXPECT_EQ(h.standby->Label_STANDBY->text(), QStringLiteral("1H:30Min"));
    h.reply("STBT300\r\n");
    EXPECT_EQ(bar->value(), 255);
    h.standby->BtnOK->click();
    EXPECT_FALSE(h.standby->isVisible());
}

TEST(StandbyMenu, AChoiceWithNoDeviceIsNotShownAsApplied)
{
    Harness h;
    h.startWith();
    MainMenus* menus = h.main->Menus;
    const QAction* before = menus->MenuBaud[0]->actionGroup()->checkedAction();
    menus->MenuStandByOn->trigger();
    menus->MenuBaud[3]->trigger();
    EXPECT_FALSE(menus->MenuStandByOn->isChecked());
    EXPECT_EQ(menus->MenuBaud[0]->actionGroup()->checkedAction(), before);
    EXPECT_EQ(h.links.serial->allWritten(), QByteArray());
}

// ---- Black delay window ---------------------------------------------------------------------------

TEST(BlackDelayWindow, EnterSendsANumberInRangeOrTheMirroredValueAgain)
{
    StandbyHarness h;
    tesso::test::ReportCapture report;
    h.reply("OST7\r\n");
    EXPECT_EQ(h.blackDelay->Edit_Sync_Time->text(), QStringLiteral("7"));
    for (const char* typed : {"0", "30", "31", "-1"})
        h.enterDelay(typed);
    EXPECT_EQ(h.sent(), QByteArray("0oT30oT7oT7oT"));
    h.enterDelay("1O");
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_EQ(report.messages, QStringList{"'1O' is not a valid integer value"});
}

TEST(BlackDelayWindow, OpensInsideTheMainWindowAndClosesAtTheEndOfAScroll)
{
    StandbyHarness h;
    h.menus->MenuBlackDelayRange->trigger();
    EXPECT_FALSE(h.blackDelay->isHidden());
    h.blackDelay->ScrollBar_Sync_Time->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FALSE(h.blackDelay->isHidden());
    emit h.blackDelay->ScrollBar_Sync_Time->scrollEnded();
    EXPECT_EQ(h.sent(), QByteArray("16oT16oT"));
    EXPECT_TRUE(h.blackDelay->isHidden());
}

// ---- Projector message window ---------------------------------------------------------------------

TEST(ProjectorMessage, TypedKeysAreShownByNameAndOkStoresEachCell)
{
    StandbyHarness h;
    h.menus->MenuMessageOn->trigger();
    EXPECT_EQ(h.sent(), QByteArray("0sIsO"));
    for (const char* k : {"P", "W", "R", "\r"})
        h.key(QString::fromLatin1(k));
    h.key(QString(), Qt::Key_Left); // no character
    EXPECT_EQ(h.shown(), QStringLiteral("P+W+R+Carriage return"));
    h.message->BtnOk->click();
    EXPECT_EQ(h.sent(), QByteArray("0sI80sO1sI87sO2sI82sO3sI13sO4sI0sO"));
    EXPECT_FALSE(h.message->isVisible());

    h.menus->MenuMessageOff->trigger();
    h.sent();
    for (const char* k : {"\x01", " ", "!", "\x10"})
        h.key(QString::fromLatin1(k));
    EXPECT_EQ(h.shown(), QStringLiteral("Start of heading+Space+!+Data link espace"));
    h.message->BtnClear->click();
    EXPECT_EQ(h.sent(), QByteArray("2sC4sC"));
    EXPECT_EQ(h.shown(), QString());
    h.key(QStringLiteral("P"));
    h.message->BtnCancel->click();
    EXPECT_EQ(h.sent(), QByteArray()) << "Cancel stores nothing";
    h.menus->MenuMessageOff->trigger();
    h.sent();
    h.key(QStringLiteral("P"));
    h.message->BtnOk->click();
    EXPECT_EQ(h.sent(), QByteArray("0si80so1si0so")) << "the off message has commands of its own";
}

TEST(ProjectorMessage, HoldsAtMost255CharactersAndRefusesNulAndWideCodes)
{
    StandbyHarness h;
    h.menus->MenuMessageOn->trigger();
    h.key(QString(QChar(0x263A)));
    EXPECT_FALSE(h.message->TakeCharacter(0));
    EXPECT_FALSE(h.message->TakeCharacter(256));
    for (int i = 0; i < 255; ++i)
        ASSERT_TRUE(h.message->TakeCharacter('A')) << i;
    EXPECT_FALSE(h.message->TakeCharacter('A'));
    h.key(QStringLiteral("B"));
    EXPECT_EQ(h.message->Count(), 255);
    h.sent();
    h.message->BtnOk->click();
    EXPECT_TRUE(h.sent().endsWith("254sI65sO255sI0sO"));
}

TEST(ProjectorMessage, AfterOkTheStoredMessageIsReadBackAndAShortOneIsReported)
{
    StandbyHarness h;
    tesso::test::ReportCapture report;
    auto storeABC = [&h](const QByteArray& echoes) {
        h.menus->MenuMessageOn->trigger();
        for (const char* k : {"A", "B", "C"})
            h.key(QString::fromLatin1(k));
        h.message->BtnOk->click();
        h.sent();
        h.reply(echoes); // the device answers every cell of the store
    };
    storeABC(
        "STBI0\r\nSTBO65\r\nSTBI1\r\nSTBO66\r\nSTBI1\r\nSTBO0\r\n"); // no cell 2: the end lands on cell 1
    EXPECT_EQ(h.sent(), QByteArray("0sIsO")) << "the read-back starts after the store's last echo";
    h.reply("STBI0\r\nSTBO65\r\nSTBI1\r\nSTBO0\r\n");
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_EQ(report.messages[0],
              QStringLiteral(
                  "The device did not keep the whole projector message: it kept 1 of its 3 characters."));
    EXPECT_TRUE(h.message->isHidden()) << "checked without the window";

    storeABC("STBI0\r\nSTBO65\r\nSTBI1\r\nSTBO66\r\nSTBI2\r\nSTBO67\r\nSTBI3\r\nSTBO0\r\n");
    h.reply("STBI0\r\nSTBO65\r\nSTBI1\r\nSTBO66\r\nSTBI2\r\nSTBO67\r\nSTBI3\r\nSTBO0\r\n");
    EXPECT_EQ(h.sent(), QByteArray("0sIsO1sIsO2sIsO3sIsO"));
    EXPECT_EQ(report.messages.size(), 1) << "kept whole: nothing to say";
}

// ---- Read-back ------------------------------------------------------------------------------------

TEST(ProjectorMessageReadBack, ReadsCellByCellUntilTheEnd)
{
    StandbyHarness h;
    h.menus->MenuMessageOn->trigger();
    EXPECT_EQ(h.sent(), QByteArray("0sIsO"));
    h.reply("STBi0\r\nSTBo88\r\n"); // the other message: not this read's
    h.reply("STBI0\r\nSTBO65\r\n");
    EXPECT_EQ(h.sent(), QByteArray("1sIsO"));
    h.reply("STBI1\r\nSTBO300\r\n"); // no character code: skipped
    h.reply("STBI2\r\nSTBO66\r\n");
    h.reply("STBI3\r\nSTBO0\r\n");
    EXPECT_EQ(h.sent(), QByteArray("2sIsO3sIsO"));
    EXPECT_EQ(h.shown(), QStringLiteral("A+B"));
    EXPECT_FALSE(h.message->RunRead());
    h.reply("STBI4\r\nSTBO67\r\n");
    EXPECT_EQ(h.sent(), QByteArray()) << "reports after the end are no read";

    h.menus->MenuMessageOff->trigger(); // the other message, on its own variables
    h.reply("STBi0\r\nSTBo90\r\nSTBi1\r\nSTBo0\r\n");
    EXPECT_EQ(h.sent(), QByteArray("0siso1siso"));
    EXPECT_EQ(h.shown(), QStringLiteral("Z"));
}

TEST(ProjectorMessageReadBack, StopsWhereTheDeviceDoesNotFollow)
{
    StandbyHarness h;
    struct Case {
        const char* replies;
        const char* shown;
    };
    const Case cases[] = {
        {"STBI0\r\nSTBO65\r\nSTBI0\r\nSTBO65\r\n", "A"}, // the index did not advance
        {"STBI0\r\nSTBO65\r\nSTBI255\r\nSTBO66\r\n", "A"},
        {"STBI4294967295\r\nSTBO66\r\n", ""},
    };
    for (const Case& c : cases) {
        h.menus->MenuMessageOff->trigger(); // an open window starts empty again
        h.key(QStringLiteral("X"));
        h.menus->MenuMessageOn->trigger();
        h.reply(c.replies);
        EXPECT_EQ(h.shown(), QString::fromLatin1(c.shown)) << c.replies;
        EXPECT_FALSE(h.message->RunRead()) << c.replies;
    }
    h.menus->MenuMessageOn->trigger();
    h.reply("STBI3\r\nSTBO70\r\n"); // a late answer to an earlier read
    EXPECT_TRUE(h.message->RunRead());
    h.message->BtnCancel->click();
    h.sent();
    h.reply("STBI0\r\nSTBO65\r\n");
    EXPECT_EQ(h.sent(), QByteArray()) << "Cancel ends the read";
}

TEST(ProjectorMessageReadBack, AMessageWithoutEndStopsAtItsLastCell)
{
    StandbyHarness h;
    h.menus->MenuMessageOn->trigger();
    h.sent();
    for (int i = 0; i < 255; ++i)
        h.reply("STBI" + QByteArray::number(i) + "\r\nSTBO65\r\n");
    const QByteArray asked = h.sent();
    EXPECT_TRUE(asked.endsWith("254sIsO")) << "no cell 255 is asked for";
    EXPECT_EQ(asked.count("sI"), 254);
    EXPECT_EQ(h.message->Count(), 255);
    EXPECT_FALSE(h.message->RunRead());
}
