// The work loop of the raw transfer against a scripted device, with a clock moved by hand: the
// sequence on the wire, the mode commands' time-outs, each way a transfer ends, and events that
// come too late to count. The device's pause is FrameUploadTest's, through the driver.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "FrameCodec.h"
#include "FramePort.h"
#include "ManualFrameClock.h"
#include "RawFrameTransfer.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::frames;

namespace
{

// The device as the loop meets it through the port: it answers each variable command with its
// value and acknowledges each block, line and end, unless told otherwise. Runs on the loop's thread.
struct ScriptedDevice : FramePort {
    FrameEvents* events = nullptr;
    bool answers = true;
    bool acknowledges = true;
    int abortAtBlock = -1;      // the escaped code that aborts, after this many blocks
    int endAtBlock = -1;        // the device's end code instead of this block's acknowledgement
    std::uint32_t mirrored = 0; // what the driver's mirror holds for each variable

    mutable std::mutex mutex;
    QByteArray raw;
    QStringList calls;
    std::atomic<int> blocks{0};

    void SendVariable(tVAR variable, std::uint32_t value) override
    {
        log(QStringLiteral("%1=%2").arg(QLatin1String(CommandMnemonics[variable])).arg(value));
        if (answers)
            events->RecordReply(variable, value);
    }
    void SendRaw(const QByteArray& bytes) override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            raw += bytes;
            if (bytes.endsWith(controlCode(Etb)))
                ++blocks;
        }
        if (blocks == abortAtBlock && bytes.endsWith(controlCode(Etb)))
            events->Set(FrameEvent::Abort);
        else if (blocks == endAtBlock && bytes.endsWith(controlCode(Etb)))
            events->Set(FrameEvent::TerminateSend);
        else if (acknowledges && !bytes.endsWith(controlCode(Can)))
            events->Set(FrameEvent::ACKReceived);
    }
    void EnterRawMode() override
    {
        log(QStringLiteral("raw"));
        events->Set(FrameEvent::DeviceReady);
    }
    void LeaveRawMode() override { log(QStringLiteral("text")); }
    std::uint32_t MirroredValue(tVAR) override { return mirrored; }

    void log(const QString& call)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        calls << call;
    }
    QStringList callLog() const
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }
    QByteArray wire() const
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return raw;
    }
};

struct Transfer {
    ManualFrameClock clock;
    RawFrameTransfer thread{clock};
    ScriptedDevice device;
    QImage picture{PictureWidth, PictureHeight, QImage::Format_RGB32};
    std::mutex canvas;

    Transfer()
    {
        device.events = &thread.Events();
        picture.fill(qRgb(1, 2, 3));
    }
    ~Transfer()
    {
        thread.Events().Set(FrameEvent::Quit);
        thread.wait();
    }
    void start()
    {
        ASSERT_TRUE(thread.Attach(&picture, &canvas, &device));
        thread.PrepareStart();
        thread.start();
        thread.Start();
    }
    // The loop is waiting in the state.
    bool waitingIn(RawFrameTransfer::State state)
    {
        return tesso::test::waitFor([&] { return thread.state() == state && thread.Events().Blocked(); });
    }
    // Moves the clock in steps until the loop has ended (the settle and any time-out pass).
    bool runToEnd()
    {
        return tesso::test::waitFor([&] {
            clock.Advance(250, thread.Events());
            return thread.isFinished();
        });
    }
};

} // namespace

TEST(RawFrameTransfer, AWholePictureGoesOutAsTheDeviceAcknowledges)
{
    Transfer t;
    t.picture.setPixel(3, 0, qRgb(0x1B, 0, 0));
    t.start();
    ASSERT_TRUE(t.runToEnd());
    EXPECT_EQ(t.thread.Result(), FrameTransferJob::Success);
    EXPECT_EQ(t.thread.PixelCount(), 720u * 288u);
    EXPECT_EQ(t.device.callLog(), (QStringList{"fM=2", "fT=0", "fX=1", "raw", "text"}));
    const QByteArray wire = t.device.wire();
    EXPECT_EQ(t.device.blocks, 288 * 11);
    EXPECT_EQ(wire.count(controlCode(Cr)), 288);
    EXPECT_TRUE(wire.endsWith(QByteArray("\x1b\x0d\x1b\x04", 4))) << "the last line ended, then the end";
    EXPECT_TRUE(wire.startsWith(QByteArray("\x01\x02\x03\x01\x02\x03\x01\x02\x03\x1b\x1b\x00\x00", 13)));
    EXPECT_EQ(wire.size(), 720 * 288 * 3 + 1 + (288 * 11 + 288 + 1) * 2);
}

TEST(RawFrameTransfer, EachWayToEndHasItsOwnResult)
{
    {
        // A device that never answers the mode: never told to execute, its frame mode put back as
        // the mirror had it, the link never switched.
        Transfer t;
        t.device.answers = false;
        t.device.mirrored = 1;
        t.start();
        ASSERT_TRUE(t.runToEnd());
        EXPECT_EQ(t.thread.Result(), FrameTransferJob::TimedOut);
        EXPECT_EQ(t.device.callLog(), (QStringList{"fM=2", "fT=1", "fM=1"}));
    }
    {
        // Silence in the stream: ESC CAN, time-out, link restored.
        Transfer t;
        t.device.acknowledges = false;
        t.start();
        ASSERT_TRUE(t.runToEnd());
        EXPECT_EQ(t.thread.Result(), FrameTransferJob::TimedOut);
        EXPECT_TRUE(t.device.wire().endsWith(controlCode(Can)));
        EXPECT_EQ(t.device.callLog().last(), QStringLiteral("text"));
    }
    {
        // The device's abort code: failure, no ESC CAN, and the pending block's data withheld.
        Transfer t;
        t.device.abortAtBlock = 2;
        t.start();
        ASSERT_TRUE(t.runToEnd());
        EXPECT_EQ(t.thread.Result(), FrameTransferJob::DeviceFailure);
        EXPECT_FALSE(t.device.wire().contains(controlCode(Can)));
        EXPECT_EQ(t.device.blocks, 2);
    }
}

// The device's end code counts as success only once every pixel has gone out.
TEST(RawFrameTransfer, AnEndBeforeTheLastBlockIsNoSuccess)
{
    for (const int block : {288 * 11 - 1, 288 * 11}) {
        SCOPED_TRACE(block);
        Transfer t;
        t.device.endAtBlock = block;
        t.start();
        ASSERT_TRUE(t.runToEnd());
        EXPECT_EQ(t.thread.Result(),
                  block < 288 * 11 ? FrameTransferJob::EndedEarly : FrameTransferJob::Success);
        EXPECT_TRUE(t.device.wire().endsWith(QByteArray("\x1b\x17\x1b\x04", 4)))
            << "the end answered at once";
        EXPECT_EQ(t.device.callLog().last(), QStringLiteral("text"));
    }
}

TEST(RawFrameTransfer, TheDeviceMayEndEarlyAndLateEventsChangeNothing)
{
    Transfer t;
    t.device.acknowledges = false;
    t.start();
    ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::AwaitingAck));
    FrameEvents& events = t.thread.Events();
    events.Set(FrameEvent::TerminateSend);
    ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::AwaitingEndAck));
    EXPECT_TRUE(t.device.wire().endsWith(controlCode(Eot)));
    events.Set(FrameEvent::ACKReceived);
    ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::Settling));
    // The result is decided: an abort of either kind now is too late.
    events.Set(FrameEvent::Abort);
    t.thread.UserAbort();
    ASSERT_TRUE(t.runToEnd());
    EXPECT_EQ(t.thread.Result(), FrameTransferJob::EndedEarly);
    EXPECT_EQ(FrameTransferJob::ResultText(t.thread.Result()),
              QStringLiteral("Transfer ended early by the device."));
    EXPECT_FALSE(t.device.wire().contains(controlCode(Can)));
}

// Each mode command has 5 s from the answer before it: answers 4 s apart, the last at the very
// limit, carry the transfer on; then 5 s and one tick of silence give it up.
TEST(RawFrameTransfer, EachModeWaitCountsFromTheLastAnswer)
{
    for (const bool executeAnswered : {true, false}) {
        SCOPED_TRACE(executeAnswered ? "answered at the limit" : "silent past it");
        Transfer t;
        t.device.answers = false;
        t.start();
        FrameEvents& events = t.thread.Events();
        ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::AwaitingFrameMode));
        t.clock.Advance(4000, events);
        events.RecordReply(_FAMODEM, 2);
        ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::AwaitingFormat));
        t.clock.Advance(4000, events);
        events.RecordReply(_FATRMODE, 0);
        ASSERT_TRUE(t.waitingIn(RawFrameTransfer::State::AwaitingExecute));
        t.clock.Advance(5000, events);
        if (executeAnswered) {
            events.RecordReply(_FAEXEC, 1);
            ASSERT_TRUE(t.runToEnd());
            EXPECT_EQ(t.thread.Result(), FrameTransferJob::Success);
        } else {
            t.clock.Advance(1, events);
            ASSERT_TRUE(tesso::test::waitFor([&] { return t.thread.isFinished(); }));
            EXPECT_EQ(t.thread.Result(), FrameTransferJob::TimedOut);
            EXPECT_EQ(t.device.callLog(), (QStringList{"fM=2", "fT=0", "fX=1", "fT=0", "fM=0"}));
        }
    }
}
