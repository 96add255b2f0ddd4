// The raw frame receive path against a hand-written sender: escaped bytes, the ready signal and its
// repeat, the switch after the queued text, pacing, cancel, an incomplete picture and the saved
// bitmap. The abort code reaches the real sender in UploadFaults.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "Capture.h"
#include "FrameReceiver.h"
#include "SimDevice.h"
#include "TestFrameSender.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::sim::FrameReceiver;
using tesso::sim::SimDevice;
using tesso::sim::test::Capture;
using tesso::sim::test::TestFrameSender;
using tesso::test::waitFor;

namespace
{

// A picture whose bytes include 0x1B in every channel somewhere.
QImage testPicture()
{
    QImage image(FrameReceiver::Width, FrameReceiver::Height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x + y) & 0xFF, (x * 3) & 0xFF, (x % 5 == 0) ? 0x1B : (y & 0xFF)));
    return image;
}

struct Bench {
    Bench() : out(device)
    {
        device.setStoreTiming(-1, 0);
        device.setReadyTiming(1, 1000);
    }
    SimDevice device;
    Capture out;
};

constexpr int BlocksPerPicture = FrameReceiver::Height * 11;

} // namespace

TEST(FrameTransfer, AWholePictureWithEscapedBytesIsReassembledStoredSavedAndFlagged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bench b;
    b.device.setSaveFolder(dir.path());
    b.device.receive("5fN");
    const QImage source = testPicture();
    TestFrameSender sender(b.device, source);
    sender.start();
    ASSERT_TRUE(waitFor([&] { return sender.outcome != TestFrameSender::Outcome::Running; }, 60000));
    EXPECT_EQ(sender.outcome, TestFrameSender::Outcome::Done);
    EXPECT_TRUE(sender.sawFrameReply) << "the FAEXEC reply comes before the ready signal";
    EXPECT_GE(sender.readySignals, 1);
    EXPECT_EQ(sender.acks, BlocksPerPicture + FrameReceiver::Height + 1) << "every block, line and the end";

    EXPECT_EQ(b.device.picturesReceived(), 1);
    EXPECT_GT(b.device.frame().escapedDataBytes(), 0u);
    EXPECT_EQ(b.device.state().value(_FAREC), 1u);
    EXPECT_EQ(b.device.state().value(_FAEXEC), 0u);
    EXPECT_EQ(b.device.lastPicture(), source);
    EXPECT_EQ(b.device.state().frames().picture(5), source) << "into the slot chosen";

    const QString file = b.device.lastSavedFile();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("frame-0001.bmp"));
    const QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), source);

    // Back in the text protocol; the end is text, so it leaves after the switch back.
    ASSERT_TRUE(waitFor([&] { return b.out.rawChangesAt.size() == 2; }));
    const QByteArray end("FARC1\r\nFAST0\r\nFAEX0\r\n");
    EXPECT_TRUE(b.out.bytes.endsWith("\x1b\x06" + end)) << "after the last acknowledgement";
    EXPECT_EQ(b.out.rawChangesAt[1], std::make_pair(b.out.bytes.size() - end.size(), false));
    b.out.clear();
    b.device.receive("?fR");
    EXPECT_EQ(b.out.lines(), (QList<QByteArray>{"DEV57", "FARC1"}));
}

TEST(FrameTransfer, PacingHoldsAWellBehavedSenderAndCatchesOneThatIgnoresIt)
{
    {
        Bench b;
        b.device.setPacing(7, 2);
        TestFrameSender sender(b.device, testPicture());
        sender.endAfterLines = 3;
        sender.start();
        ASSERT_TRUE(waitFor([&] { return sender.outcome != TestFrameSender::Outcome::Running; }, 20000));
        EXPECT_EQ(sender.outcome, TestFrameSender::Outcome::Done);
        EXPECT_EQ(sender.holdSignals, 33 / 7);
        EXPECT_EQ(sender.readySignals, 1 + 33 / 7);
        EXPECT_EQ(b.device.blocksWhileHeld(), 0);
    }
    {
        Bench b;
        b.device.setPacing(2, 50);
        TestFrameSender rude(b.device, testPicture());
        rude.ignoreHold = true;
        rude.endAfterLines = 1;
        rude.start();
        ASSERT_TRUE(waitFor([&] { return rude.outcome != TestFrameSender::Outcome::Running; }, 20000));
        EXPECT_GT(b.device.blocksWhileHeld(), 0);
    }
}

TEST(FrameTransfer, CancelFromTheSenderAndAnEarlyEndKeepNoPicture)
{
    Bench cancelled;
    TestFrameSender sender(cancelled.device, testPicture());
    sender.cancelAfterBlocks = 3;
    sender.start();
    ASSERT_TRUE(waitFor([&] { return sender.outcome == TestFrameSender::Outcome::Cancelled; }));
    ASSERT_TRUE(waitFor([&] { return !cancelled.device.rawMode(); }));
    EXPECT_EQ(cancelled.device.picturesDropped(), 1);

    QTemporaryDir dir;
    Bench early;
    early.device.setSaveFolder(dir.path());
    TestFrameSender shortSender(early.device, testPicture());
    shortSender.endAfterLines = 10;
    shortSender.start();
    ASSERT_TRUE(waitFor([&] { return shortSender.outcome != TestFrameSender::Outcome::Running; }));
    EXPECT_EQ(shortSender.outcome, TestFrameSender::Outcome::Done) << "the end is acknowledged";
    EXPECT_EQ(early.device.picturesReceived(), 0);
    EXPECT_EQ(early.device.picturesDropped(), 1);
    EXPECT_EQ(early.device.frame().linesEnded(), 10);
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "no part of a picture is saved";
}

TEST(FrameTransfer, WithoutTheReadySignalTheDeviceTimesOutBackToText)
{
    Bench b;
    b.device.setNoReadySignal(true);
    b.device.setRawIdleTimeout(50);
    TestFrameSender sender(b.device, testPicture());
    sender.start();
    ASSERT_TRUE(waitFor([&] { return b.device.rawMode(); }));
    ASSERT_TRUE(waitFor([&] { return !b.device.rawMode(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(sender.readySignals, 0);
    EXPECT_EQ(sender.blocksSent, 0);
    EXPECT_FALSE(b.out.bytes.contains("\x1b\x11"));
    EXPECT_EQ(b.device.picturesDropped(), 1);
}

TEST(FrameTransfer, TheReadySignalRepeatsUntilTheFirstByteArrives)
{
    Bench b;
    b.device.setReadyTiming(1, 2);
    b.device.setRawIdleTimeout(40);
    b.device.receive("2fM0fT1fX");
    ASSERT_TRUE(waitFor([&] { return b.out.bytes.count("\x1b\x11") >= 3; }));
    b.device.receive("\x05");
    const auto readySignals = b.out.bytes.count("\x1b\x11");
    ASSERT_TRUE(waitFor([&] { return !b.device.rawMode(); })) << "ended by the idle time-out";
    EXPECT_EQ(b.out.bytes.count("\x1b\x11"), readySignals) << "no ready signal once data arrived";
}

TEST(FrameTransfer, FrameModeNeedsTheRawFormatAndWaitsForTheBytesQueuedBeforeIt)
{
    Bench b;
    b.device.receive("1fX");
    EXPECT_FALSE(b.device.rawMode());
    EXPECT_EQ(b.out.lines(), (QList<QByteArray>{"FAEX1", "FARC0", "FAST0", "FAEX0"}))
        << "an operation the device does not offer ends at once";
    b.device.receive("2fM1fT1fX");
    EXPECT_FALSE(b.device.rawMode()) << "FATRMODE must be 0";
    b.out.clear();

    // A serial link changes speed on the switch; the FAEXEC reply must have left at the old one,
    // also when the output is delayed and cut into pieces.
    b.device.setReplyDelay(20);
    b.device.setChunking(4, 1);
    b.device.receive("0fT1fX");
    ASSERT_TRUE(waitFor([&] { return b.out.bytes.contains("\x1b\x11"); }));
    const QByteArray text("FATM0\r\nFAEX1\r\n");
    ASSERT_EQ(b.out.rawChangesAt.size(), 1u);
    EXPECT_EQ(b.out.rawChangesAt[0], std::make_pair(qsizetype(text.size()), true));
    EXPECT_TRUE(b.out.bytes.startsWith(text + "\x1b\x11"));
}

TEST(FrameReceiver, RawBytesAreUnescapedIntoPixelsAndIrregularLinesAreCounted)
{
    FrameReceiver r;
    const QByteArray pixel("\x1b\x1b\x01\x02", 4); // 0x1B, 1, 2
    EXPECT_EQ(r.push(pixel[0]), FrameReceiver::Event::None);
    for (int i = 1; i < pixel.size(); ++i)
        EXPECT_EQ(r.push(pixel[i]), FrameReceiver::Event::Data);
    EXPECT_EQ(r.pixelsReceived(), 1u);
    EXPECT_EQ(r.picture().pixel(0, 0), qRgb(0x1B, 1, 2));
    EXPECT_EQ(r.push('\x1b'), FrameReceiver::Event::None);
    EXPECT_EQ(r.push('\x42'), FrameReceiver::Event::Unknown);
    EXPECT_EQ(r.push('\x1b'), FrameReceiver::Event::None);
    EXPECT_EQ(r.push('\r'), FrameReceiver::Event::LineEnd);
    EXPECT_EQ(r.irregularLines(), 1) << "a line of one pixel";
    // A line longer than the picture: the rest is dropped, not written past the end.
    for (int i = 0; i < (FrameReceiver::Width + 2) * 3; ++i)
        r.push('\x07');
    EXPECT_EQ(r.pixelsDropped(), 2u);
    EXPECT_FALSE(r.complete());
}
