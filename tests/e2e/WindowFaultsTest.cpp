// Faults that need the user's hand, with the main window in this process: the serial port's
// pseudo-terminal vanishes and comes back (the user chooses the port again), and the device falls
// silent in the middle of a picture upload from the transfer window (its abort code is
// UploadFaults'). The device is tesso-devsim, a process of its own, so that it can die or stop
// dead. A 100 ms timer on this thread measures how late the window's event loop lets it come.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include "DevsimProcess.h"
#include "FrameTransferJob.h"
#include "FrameTransferWindow.h"
#include "FrameUpload.h"
#include "LatenessProbe.h"
#include "MainWindowTestHarness.h"
#include "ReportCapture.h"
#include "Scenario.h"
#include "StatusGridArea.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

// The main window on COM3, which TESSO_COM3 maps to the simulated device's link, with a settings
// folder of its own and every error report kept.
struct Window {
    QTemporaryDir scratch{QStringLiteral(TESSO_E2E_SCRATCH "/window-XXXXXX")};
    QString settings = scratch.filePath(QStringLiteral("settings"));
    QString deviceLink = scratch.filePath(QStringLiteral("lumio"));
    DevsimProcess device;
    tesso::test::mainwindow::RecordingPrompts prompts;
    tesso::test::ReportCapture report; // outlives the window, which reports until it goes
    std::unique_ptr<MainWindow> main;
    QMap<QString, QByteArray> before;
    LatenessProbe probe;

    ~Window() { qunsetenv("TESSO_COM3"); }

    bool startDevice(const QStringList& faults = {})
    {
        return device.start(QStringList{QStringLiteral("--pty"), QStringLiteral("--pty-link"), deviceLink} +
                            faults);
    }

    void start(const QStringList& faults = {})
    {
        ASSERT_TRUE(scratch.isValid() && QDir().mkpath(settings));
        ASSERT_TRUE(startDevice(faults));
        ASSERT_TRUE(ConnectionSettings(settings, QStringLiteral("Tesso remote control"))
                        .WriteConnection(serialLink(2)));
        ASSERT_TRUE(writeLumioLabels(settings));
        before = filesIn(settings);
        qputenv("TESSO_COM3", deviceLink.toLocal8Bit());
        StartUp::Options options;
        options.SettingsDirectory = settings;
        options.ShowSplash = false;
        main = StartUp::Run(makeDefaultLinks(), prompts, options);
        ASSERT_TRUE(waitForDevice());
        probe.start();
    }

    // Connected, loaded and showing the user's label of the input on air.
    bool waitForDevice()
    {
        return waitFor(
            [&] {
                return main->StatusPanelText(0) == QLatin1String("Device connected") &&
                       main->StatusArea->Cell(1, 1) == QLatin1String("Camera 1");
            },
            Deadline);
    }

    // The window closes as the user closes it; its settings files are as they were.
    void finish()
    {
        EXPECT_LE(probe.worstLatenessMs(), LatenessBoundMs) << "the window's event loop stalled";
        main->close();
        EXPECT_EQ(changedFiles(before, filesIn(settings)).toStdString(), std::string());
    }
};

} // namespace

TEST(WindowFaults, TheSerialPortVanishesIsReportedOnceAndIsChosenAgainWhenItIsBack)
{
    Window w;
    ASSERT_NO_FATAL_FAILURE(w.start());

    w.device.kill(); // its pseudo-terminal goes with it; the link name is left dangling
    ASSERT_TRUE(waitFor([&] { return !w.main->Driver().LinkConnected(); }, Deadline)) << "the port is closed";
    ASSERT_TRUE(waitFor([&] { return w.main->StatusPanelText(0) == QLatin1String("Device NOT connected"); },
                        Deadline));
    runEventsFor(3000);
    ASSERT_EQ(w.report.messages.size(), 1) << w.report.messages.join(u'\n').toStdString();
    EXPECT_TRUE(w.report.messages.front().contains(QLatin1String("the serial port went away")))
        << w.report.messages.front().toStdString();

    ASSERT_TRUE(w.startDevice());
    w.main->useComPort(3);
    EXPECT_TRUE(w.waitForDevice());
    EXPECT_EQ(w.report.messages.size(), 1);
    w.finish();
}

// A device that stops dead (SIGSTOP) in the middle of the blocks: the window tells what happened,
// the link goes back to text and the device is found again.
TEST(WindowFaults, AnUploadTheDeviceAbandonsEndsAndTheLinkComesBack)
{
    Window w;
    // At the line's own speed the upload takes minutes: the device surely stops in the middle.
    ASSERT_NO_FATAL_FAILURE(w.start({QStringLiteral("--line-rate")}));
    QImage picture(720, 576, QImage::Format_RGB32);
    picture.fill(qRgb(0x20, 0x1B, 0x90));
    const QString path = w.scratch.filePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));
    FrameTransferWindow* transfer = w.main->Windows().TransferFrame;
    transfer->ChooseFit = [](int, int) { return 1; };
    ASSERT_TRUE(transfer->LoadFile(path));
    transfer->startTransfer();
    ASSERT_TRUE(transfer->Active());
    ASSERT_TRUE(
        waitFor([&] { return transfer->Upload() && transfer->Upload()->PixelCount() > 20000; }, Deadline));
    ASSERT_TRUE(w.device.pause());
    ASSERT_TRUE(waitFor([&] { return !transfer->Active(); }, Deadline));
    EXPECT_EQ(transfer->StatusLine->text(), QLatin1String("Time-out: the device did not answer."));
    EXPECT_EQ(transfer->BtnAbortClose->text(), QStringLiteral("Close"));
    EXPECT_EQ(w.main->Driver().ConMode(), MODE_VAR);
    ASSERT_TRUE(w.device.resume());

    // The device leaves its deserted raw mode by itself (10 s without a block), is found again and
    // obeys: the user's click on input 2 puts it on air.
    QElapsedTimer sinceClick;
    sinceClick.start();
    EXPECT_TRUE(waitFor(
        [&] {
            if (sinceClick.elapsed() > 1000) {
                w.main->PnlBtnInputs->BtnInput[1]->click(); // nothing while no device is known
                sinceClick.restart();
            }
            return w.main->StatusArea->Cell(1, 1) == QLatin1String("Camera 2");
        },
        Deadline + 10000));
    EXPECT_TRUE(w.report.messages.isEmpty()) << w.report.messages.join(u'\n').toStdString();
    w.finish();
}
