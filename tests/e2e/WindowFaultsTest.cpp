// Faults that need the user's hand, with the main window in this process: the serial port's
// pseudo-terminal vanishes and comes back (the user chooses the port again), and the device
// aborts or falls silent in the middle of a picture upload from the transfer window. The device
// is tesso-devsim, a process of its own, so that it can die or stop dead. A 100 ms timer on this
// thread measures how late the window's event loop lets it come.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include "DevsimProcess.h"
#include "ErrorReport.h"
#include "FormTransferFrame.h"
#include "FrameUpload.h"
#include "LatenessProbe.h"
#include "MainWindowTestHarness.h"
#include "Scenario.h"
#include "StatusGridArea.h"
#include "ThreadFrame.h"

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

constexpr int Deadline = 20000;

// The main window on COM3, which TESSO_COM3 maps to the simulated device's link, with a settings
// folder of its own and every error report kept.
struct Window {
    QTemporaryDir scratch{QStringLiteral(TESSO_E2E_SCRATCH "/window-XXXXXX")};
    QString settings = scratch.filePath(QStringLiteral("settings"));
    QString deviceLink = scratch.filePath(QStringLiteral("lumio"));
    DevsimProcess device;
    tesso::test::mainwindow::RecordingPrompts prompts;
    std::unique_ptr<TForm_MAIN> main;
    QMap<QString, QByteArray> before;
    QStringList reports;
    tesso::ErrorReporter previousReporter;
    LatenessProbe probe;

    Window()
    {
        previousReporter = tesso::setErrorReporter([this](const QString& message) { reports << message; });
    }
    ~Window()
    {
        main.reset();
        tesso::setErrorReporter(std::move(previousReporter));
        qunsetenv("TESSO_COM3");
    }

    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        const QDir dir(settings);
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            all.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        }
        return all;
    }

    bool startDevice(const QStringList& faults = {})
    {
        return device.start(QStringList{QStringLiteral("--pty"), QStringLiteral("--pty-link"), deviceLink} +
                            faults);
    }

    void start(const QStringList& faults = {})
    {
        ASSERT_TRUE(scratch.isValid() && QDir().mkpath(settings));
        ASSERT_TRUE(startDevice(faults));
        ConnectionSettings files(settings, QStringLiteral("Tesso remote control"));
        ASSERT_TRUE(files.WriteConnection(serialLink(2)));
        InputLabels labels;
        labels.Black = QStringLiteral("Blank stage");
        for (int k = 1; k <= 7; ++k) {
            labels.Inputs << QStringLiteral("Camera %1").arg(k);
            labels.Audios << QStringLiteral("Mic %1").arg(k);
        }
        ASSERT_TRUE(files.WriteLabels(QStringLiteral("Lumio"), labels));
        before = this->files();
        qputenv("TESSO_COM3", deviceLink.toLocal8Bit());
        TStartUp::Options options;
        options.SettingsDirectory = settings;
        options.ShowSplash = false;
        main = TStartUp::Run(makeDefaultLinks(), prompts, options);
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
        EXPECT_EQ(changedFiles(before, files()).toStdString(), std::string());
    }
};

QString pictureFile(const QTemporaryDir& dir)
{
    QImage picture(720, 576, QImage::Format_RGB32);
    picture.fill(qRgb(0x20, 0x1B, 0x90));
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    return picture.save(path, "BMP") ? path : QString();
}

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
    ASSERT_EQ(w.reports.size(), 1) << w.reports.join(u'\n').toStdString();
    EXPECT_TRUE(w.reports.front().contains(QLatin1String("the serial port went away")))
        << w.reports.front().toStdString();

    ASSERT_TRUE(w.startDevice());
    w.main->MenuCOMClick(3);
    EXPECT_TRUE(w.waitForDevice());
    EXPECT_EQ(w.reports.size(), 1);
    w.finish();
}

// The device's abort code, and a device that stops dead (SIGSTOP) in the middle of the blocks:
// the window tells what happened, the link goes back to text and the device is found again.
TEST(WindowFaults, AnUploadTheDeviceAbortsOrAbandonsEndsAndTheLinkComesBack)
{
    struct Case {
        const char* name;
        QStringList faults;
        bool stopDead;
        const char* result;
    };
    const Case cases[] = {
        {"abort", {QStringLiteral("--abort-after"), QStringLiteral("40")}, false, "Failure."},
        // At the line's own speed the upload takes minutes: the device surely stops in the middle.
        {"silence", {QStringLiteral("--line-rate")}, true, "Time-out: the device did not answer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        ASSERT_NO_FATAL_FAILURE(w.start(c.faults));
        TFormTransferFrame* transfer = w.main->Windows().TransferFrame;
        transfer->ChooseFit = [](int, int) { return 1; };
        ASSERT_TRUE(transfer->LoadFile(pictureFile(w.scratch)));
        transfer->TransferClick();
        ASSERT_TRUE(transfer->Active());
        if (c.stopDead) {
            ASSERT_TRUE(waitFor(
                [&] { return transfer->Upload() && transfer->Upload()->PixelCount() > 20000; }, Deadline));
            ASSERT_TRUE(w.device.pause());
        }
        ASSERT_TRUE(waitFor([&] { return !transfer->Active(); }, Deadline));
        EXPECT_EQ(transfer->StatusLine->text(), QLatin1String(c.result));
        EXPECT_EQ(transfer->BtnAbortClose->text(), QStringLiteral("Close"));
        EXPECT_EQ(w.main->Driver().ConMode(), MODE_VAR);
        if (c.stopDead) {
            ASSERT_TRUE(w.device.resume());
        }
        // The device leaves its deserted raw mode by itself (10 s without a block), is found
        // again and obeys: the user's click on input 2 puts it on air.
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
        EXPECT_TRUE(w.reports.isEmpty()) << w.reports.join(u'\n').toStdString();
        w.finish();
    }
}
