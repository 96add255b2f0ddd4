// The device's frame memory through its commands: a capture records the input on air into the
// chosen slot and ends after its recording time, a delete clears one slot, and text arriving in raw
// mode neither silences nor holds the device. A transfer into a slot is FrameTransferTest's.

#include <gtest/gtest.h>

#include <QTimer>

#include "Capture.h"
#include "FrameMemory.h"
#include "FrameReceiver.h"
#include "SimDevice.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::sim::FrameMemory;
using tesso::sim::FrameReceiver;
using tesso::sim::SimDevice;
using tesso::sim::test::Capture;
using tesso::test::waitFor;

namespace
{

struct Quiet {
    Quiet() : out(device)
    {
        device.setStoreTiming(-1, 0);
        device.setTakeDuration(1);
        device.setCaptureTime(20);
        device.setReadyTiming(1, 1000);
    }
    bool ended(int operations = 1)
    {
        return waitFor([&] { return out.bytes.count("FAEX0\r\n") >= operations; });
    }
    SimDevice device;
    Capture out;
};

} // namespace

TEST(FrameMemory, ACaptureRecordsTheInputOnAirIntoTheChosenSlotAndEndsAfterRecording)
{
    Quiet q;
    q.device.receive("9fN1fs1fM1fX");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"FANB9", "FASW1", "FAMD1", "FAEX1"})) << "still recording";
    q.device.receive("0fX");
    ASSERT_TRUE(q.ended());
    EXPECT_EQ(q.out.lines().mid(4), (QList<QByteArray>{"FAEX1", "FARC1", "FAST1", "FAEX0"}))
        << "a request while recording is answered, not taken; the memory is reported before the end";
    EXPECT_EQ(q.device.state().frames().picture(9), FrameMemory::inputPicture(1, true));

    // FAREC follows the slot FANUMBER chooses; slots 0 to 9 exist, 10 does not.
    q.out.clear();
    q.device.receive("8fN9fN10fN1fX");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"FANB8", "FARC0", "FAST0", "FANB9", "FARC1", "FAST1",
                                                "FANB10", "FARC0", "FAST0", "FAEX1"}));
    ASSERT_TRUE(q.ended());
    EXPECT_TRUE(q.out.bytes.endsWith("FARC0\r\nFAST0\r\nFAEX0\r\n"));

    // Input 2 has no signal: its capture is black.
    q.device.receive("2CN0fN1fX");
    ASSERT_TRUE(q.ended(2));
    QImage black(FrameReceiver::Width, FrameReceiver::Height, QImage::Format_RGB32);
    black.fill(Qt::black);
    EXPECT_EQ(q.device.state().value(_ICHM), 2u);
    EXPECT_EQ(q.device.state().frames().picture(0), black);
    EXPECT_NE(FrameMemory::inputPicture(1, true), FrameMemory::inputPicture(4, true));
}

TEST(FrameMemory, ADeleteClearsTheChosenSlotOnly)
{
    Quiet q;
    q.device.receive("3fN1fM1fX");
    ASSERT_TRUE(q.ended());
    q.device.receive("4fN1fX");
    ASSERT_TRUE(q.ended(2));
    q.out.clear();
    q.device.receive("3fN3fM1fX4fN");
    EXPECT_EQ(q.out.lines(),
              (QList<QByteArray>{"FANB3", "FAMD3", "FAEX1", "FARC0", "FAST0", "FAEX0", "FANB4", "FARC1"}));
    EXPECT_TRUE(q.device.state().frames().picture(3).isNull());
}

TEST(FrameMemory, TextArrivingInRawModeNeitherSilencesTheDeviceNorKeepsItRaw)
{
    Quiet q;
    q.device.setReadyTiming(30, 1000);
    q.device.setRawIdleTimeout(150);
    q.device.receive("2fM0fT1fX");
    q.device.receive("?"); // a controller's keep-alive, before the first ready signal
    ASSERT_TRUE(waitFor([&] { return q.out.bytes.contains("\x1b\x11"); })) << "the ready signal goes out";

    // The keep-alive goes on while the device is raw (once it is back, the answer would follow the
    // end report); the sender never comes.
    QTimer keepAlive;
    QObject::connect(&keepAlive, &QTimer::timeout, [&] {
        if (q.device.rawMode())
            q.device.receive("?");
    });
    keepAlive.start(20);
    EXPECT_TRUE(waitFor([&] { return !q.device.rawMode(); }, 10000)) << "the idle time counts frames only";
    keepAlive.stop();
    EXPECT_EQ(q.device.picturesDropped(), 1);
    EXPECT_TRUE(q.out.bytes.endsWith("FAEX0\r\n"));
}
