// The standby items and the projector messages against the simulated device: the main window's
// bytes go to the device and its answers come back, turn by turn, until the conversation rests.

#include <gtest/gtest.h>

#include <utility>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "SimDevice.h"
#include "TrackingScrollBar.h"
#include "Unit_MessageProjector.h"
#include "Unit_Standby.h"
#include "Unit_Sync_Time.h"

using namespace tesso::test::mainwindow;
using tesso::sim::SimDevice;

namespace
{

struct SimulatedStandby : ConnectedWindow {
    SimDevice sim;
    QByteArray fromDevice;
    TMainMenus* menus = main->Menus;
    TForm_MessageProjector* message = main->Windows().MessageProjector;

    SimulatedStandby()
    {
        sim.setStoreTiming(-1, 0);
        QObject::connect(&sim, &SimDevice::sendBytes,
                         [this](const QByteArray& bytes) { fromDevice += bytes; });
    }
    // False when the two never stop talking.
    bool converse()
    {
        for (int turn = 0; turn < 5000; ++turn) {
            const QByteArray toDevice = sent();
            if (toDevice.isEmpty() && fromDevice.isEmpty())
                return true;
            sim.receive(toDevice);
            reply(std::exchange(fromDevice, QByteArray()));
        }
        return false;
    }
    QString readBack(QAction* item)
    {
        item->trigger();
        EXPECT_TRUE(converse());
        EXPECT_FALSE(message->RunRead());
        return message->Edit_Message->text();
    }
};

} // namespace

TEST(StandbyAgainstSim, BothMessagesReadBackAndAStoredOneComesBackAsTyped)
{
    SimulatedStandby h;
    EXPECT_EQ(h.readBack(h.menus->MenuMessageOn), QStringLiteral("P+W+R+1+Carriage return"));
    EXPECT_EQ(h.sim.commandCount(_STBON), 6) << "five characters and the end";
    EXPECT_EQ(h.readBack(h.menus->MenuMessageOff), QStringLiteral("P+W+R+0+Carriage return"));

    // Retyping starts from a cleared message, the device's and the window's.
    h.message->BtnClear->click();
    ASSERT_TRUE(h.converse());
    EXPECT_EQ(h.sim.state().messageCell(1, 0), 0u);
    for (std::uint32_t code : {79, 70, 27}) // O, F, Escape
        h.message->setMSG_Edit_Message(code);
    h.message->BtnOk->click();
    ASSERT_TRUE(h.converse());
    EXPECT_EQ(h.readBack(h.menus->MenuMessageOff), QStringLiteral("O+F+Escape"));
    EXPECT_EQ(h.sim.state().messageCell(1, 3), 0u);
    EXPECT_EQ(h.readBack(h.menus->MenuMessageOn), QStringLiteral("P+W+R+1+Carriage return"));
}

TEST(StandbyAgainstSim, ADeviceWithoutTheEndOrWithIndicesPastTheMessageEndsTheRead)
{
    SimulatedStandby h;
    auto& cells = h.sim.state();
    for (int i = 0; i < tesso::sim::MessageCells; ++i) {
        cells.set(_STBION, std::uint64_t(i));
        cells.set(_STBON, 'Z');
    }
    h.readBack(h.menus->MenuMessageOn);
    EXPECT_EQ(h.message->Count(), tesso::sim::MessageCells) << "every cell the device has, once";

    SimulatedStandby shifted;
    shifted.sim.setMessageIndexOffset(256);
    EXPECT_EQ(shifted.readBack(shifted.menus->MenuMessageOff), QString());
    EXPECT_EQ(shifted.sim.commandCount(_STBOFF), 1);
}

TEST(StandbyAgainstSim, TimerBaudStandbyAndBlackDelayRoundTrip)
{
    SimulatedStandby h;
    h.menus->MenuBaud[1]->trigger(); // 9600
    h.menus->MenuStandByOn->trigger();
    TForm_Standby* standby = h.main->Windows().Standby;
    standby->ScrollBar1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    TForm_Sync_Time* blackDelay = h.main->Windows().SyncTime;
    for (const char* typed : {"25", "31"}) { // 31: the device's value again
        blackDelay->Edit_Sync_Time->setText(QString::fromLatin1(typed));
        emit blackDelay->Edit_Sync_Time->returnPressed();
        ASSERT_TRUE(h.converse());
    }
    EXPECT_EQ(h.sim.state().value(_STBRATE), 2u);
    EXPECT_TRUE(h.menus->MenuBaud[1]->isChecked());
    EXPECT_TRUE(h.menus->MenuStandByOn->isChecked());
    EXPECT_EQ(standby->Label_STANDBY->text(), QStringLiteral("0H:10Min"));
    EXPECT_EQ(h.sim.state().value(_OSYNCTIME), 25u);
    EXPECT_EQ(blackDelay->Edit_Sync_Time->text(), QStringLiteral("25"));
}
