// A whole upload through the real driver into the simulated device over a pseudo-terminal: the
// picture arrives pixel for pixel, the device's pauses hold it, and the link is back in text mode
// at 9600 baud afterwards.

#include <gtest/gtest.h>

#include "DeviceDriver.h"
#include "FrameUpload.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

struct SimulatedDevice {
    tesso::sim::SimServer sim;
    DeviceDriver driver;
    std::unique_ptr<FrameUpload> upload;

    bool connect()
    {
        sim.device().setStoreTiming(-1, 0);
        if (!sim.openPty())
            return false;
        driver.setSerialPort(sim.ptyPath());
        driver.detectNow();
        return tesso::test::waitFor([&] { return driver.isReady(); }, 15000);
    }
    void bind()
    {
        upload = std::make_unique<FrameUpload>(driver);
        QObject::connect(&driver, &DeviceDriver::rawDataArrived, upload.get(),
                         [this] { upload->RawDataArrived(); });
        QObject::connect(&driver, &DeviceDriver::replyApplied, upload.get(),
                         [this](tVAR index, const QByteArray&) { upload->VariableReported(index); });
    }
};

} // namespace

TEST(FrameUpload, APictureArrivesPixelForPixelAndTheLinkComesBack)
{
    SimulatedDevice d;
    ASSERT_TRUE(d.connect());
    QImage picture(720, 288, QImage::Format_RGB32);
    for (int y = 0; y < 288; ++y)
        for (int x = 0; x < 720; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y, (x + y) % 7 == 0 ? 0x1B : 0x40));
    d.bind();
    QString error;
    ASSERT_TRUE(d.upload->Start(picture, &error)) << error.toStdString();
    ASSERT_TRUE(tesso::test::waitFor([&] { return d.upload->Finished(); }, 60000));
    EXPECT_EQ(d.upload->Result(), FrameTransferJob::Success);
    EXPECT_EQ(d.upload->PixelCount(), 720u * 288u);
    ASSERT_EQ(d.sim.device().lastPicture().size(), picture.size());
    EXPECT_TRUE(d.sim.device().lastPicture().convertToFormat(QImage::Format_RGB32) == picture);

    EXPECT_EQ(d.driver.linkMode(), LinkMode::Variables);
    // Text again: the device is found and its variables reloaded.
    d.driver.queryVariable(_DEV);
    EXPECT_TRUE(tesso::test::waitFor([&] { return d.driver.isReady() && !d.driver.FAEXEC(); }, 15000));
}

// The device's pause (ESC DC3) reaches the transfer through the driver: no byte of the next block
// goes out before the device lifts it (ESC DC1), and the transfer goes on after each.
TEST(FrameUpload, TheDevicesPauseHoldsEveryBlockUntilItIsLifted)
{
    SimulatedDevice d;
    ASSERT_TRUE(d.connect());
    d.sim.device().setPacing(2, 150);
    d.bind();
    QString error;
    ASSERT_TRUE(d.upload->Start(QImage(720, 288, QImage::Format_RGB32), &error)) << error.toStdString();
    ASSERT_TRUE(tesso::test::waitFor([&] { return d.sim.device().frame().blocksEnded() >= 7; }, 15000));
    d.upload->UserAbort();
    ASSERT_TRUE(tesso::test::waitFor([&] { return d.upload->Finished(); }, 15000));
    EXPECT_EQ(d.upload->Result(), FrameTransferJob::UserAborted);
    EXPECT_EQ(d.sim.device().blocksWhileHeld(), 0);
}

// The device obeys the mode but answers too late: the upload gives up before raw mode and must not
// leave the device able to enter it, or it would take the next commands for pixels.
TEST(FrameUpload, AGiveUpBeforeRawModePutsTheFrameModeBack)
{
    SimulatedDevice d;
    ASSERT_TRUE(d.connect());
    d.driver.setVariable(_FATRMODE, 0); // the raw format, as an earlier upload leaves it
    ASSERT_TRUE(tesso::test::waitFor([&] { return d.driver.mirrorValue(_FATRMODE) == 0; }));
    const int modeCommands = d.sim.device().commandCount(_FAMODEM);
    d.driver.setForcedConnection(true); // connected while the answers are late
    d.sim.device().setReplyDelay(8000);
    d.bind();
    QString error;
    ASSERT_TRUE(d.upload->Start(QImage(720, 288, QImage::Format_RGB32), &error)) << error.toStdString();
    ASSERT_TRUE(tesso::test::waitFor([&] { return d.upload->Finished(); }, 15000));
    EXPECT_EQ(d.upload->Result(), FrameTransferJob::TimedOut);
    // Two commands for the mode: the upload's and the one that puts it back, both taken as text.
    ASSERT_TRUE(tesso::test::waitFor([&] {
        return d.sim.device().commandCount(_FAMODEM) == modeCommands + 2;
    })) << "the device swallowed the commands";
    EXPECT_FALSE(d.sim.device().rawMode());
    EXPECT_EQ(d.sim.device().state().value(_FAMODEM), 0u);
    EXPECT_EQ(d.sim.device().commandCount(_FAEXEC), 0);
    EXPECT_EQ(d.driver.linkMode(), LinkMode::Variables);
}

TEST(FrameUpload, AWrongSizeIsRefusedBeforeAnythingIsSent)
{
    SimulatedDevice d;
    d.bind();
    QString error;
    EXPECT_FALSE(d.upload->Start(QImage(720, 287, QImage::Format_RGB32), &error));
    EXPECT_EQ(error, QStringLiteral("The picture to send must be 720 x 288 pixels, not 720 x 287."));
    EXPECT_FALSE(d.upload->Start(QImage(), &error));
}
