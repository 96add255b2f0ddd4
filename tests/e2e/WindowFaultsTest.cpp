// Faults that need the user's hand, with the main window in this process: the serial port's
// pseudo-terminal vanishes and comes back (the user chooses the port again); a device that falls
// silent in the middle of an upload is UploadFaults'. The device is tesso-devsim, a process of its
// own, so that it can die. (The program's event loop through the same fault is IdleTest's.)

#include <gtest/gtest.h>

#include <QDir>

#include "DevsimProcess.h"
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

    ~Window() { qunsetenv("TESSO_COM3"); }

    bool startDevice()
    {
        return device.start({QStringLiteral("--pty"), QStringLiteral("--pty-link"), deviceLink});
    }

    void start()
    {
        ASSERT_TRUE(scratch.isValid() && QDir().mkpath(settings));
        ASSERT_TRUE(startDevice());
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
    ASSERT_TRUE(waitFor([&] { return !w.main->Driver().isLinkOpen(); }, Deadline)) << "the port is closed";
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
