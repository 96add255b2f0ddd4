// The program's demonstration set-up end to end: the main window on the real links against the
// simulated device on a pseudo-terminal, at the driver's own timing, and the program itself.

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

#include "DeviceSettingsMenu.h"
#include "FileEdit.h"
#include "FrameTransferWindow.h"
#include "MainWindowTestHarness.h"
#include "SimServer.h"
#include "StatusGridArea.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

// The main window on COM1, which is the simulated device's pseudo-terminal, until it is connected.
struct SimulatedWindow {
    tesso::sim::SimServer sim;
    QTemporaryDir folder;
    RecordingPrompts prompts;
    std::unique_ptr<MainWindow> main;

    explicit SimulatedWindow(tesso::sim::Model model) : sim(model) {}

    void start()
    {
        QString error;
        ASSERT_TRUE(sim.openPty(&error)) << error.toStdString();
        qputenv("TESSO_COM1", sim.ptyPath().toLocal8Bit());
        ConnectionSettings settings(folder.path(), QStringLiteral("Tesso remote control"));
        ConnectionValues values;
        values.Port = 0;
        values.RemoteIp = QStringLiteral("127.0.0.1");
        ASSERT_TRUE(settings.WriteConnection(values));
        StartUp::Options options;
        options.SettingsDirectory = folder.path();
        options.ShowSplash = false;
        main = StartUp::Run(makeDefaultLinks(), prompts, options);
        qunsetenv("TESSO_COM1");
        EXPECT_TRUE(prompts.informations.isEmpty());
        EXPECT_EQ(main->StatusPanelText(1), QStringLiteral("Port : COM1"));
        // The driver's first step comes after 3 s, detection then polls every 2 s.
        ASSERT_TRUE(tesso::test::waitFor(
            [&] { return main->StatusPanelText(0) == QStringLiteral("Device connected"); }, 20000));
        ASSERT_TRUE(tesso::test::waitFor(
            [&] { return main->StatusArea->Cell(1, 1) == QStringLiteral("C.Video 1"); }, 10000));
    }
};

} // namespace

// Ended by a signal, the demonstration still goes through its exit and leaves no folder behind.
TEST(ProgramEndToEnd, TheDemonstrationRemovesItsSettingsFolderWhenTerminated)
{
    QTemporaryDir scratch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), scratch.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TESSO_APP_PATH), {QStringLiteral("--simulate")});
    ASSERT_TRUE(program.waitForStarted(10000));
    const QDir folder(scratch.path());
    const QStringList demoFolders{QStringLiteral("tesso-*")};
    ASSERT_TRUE(tesso::test::waitFor(
        [&] { return !folder.entryList(demoFolders, QDir::Dirs | QDir::NoDotAndDotDot).isEmpty(); }, 20000));
    program.terminate(); // SIGTERM
    ASSERT_TRUE(tesso::test::waitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(folder.entryList(demoFolders, QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(MainWindowEndToEnd, TheTransferWindowPutsAPictureIntoTheFrameMemory)
{
    SimulatedWindow w(tesso::sim::Model::Lumio);
    ASSERT_NO_FATAL_FAILURE(w.start());
    FrameTransferWindow* window = w.main->Windows().TransferFrame;
    QTemporaryDir dir;
    QImage source(720, 576, QImage::Format_RGB32);
    source.fill(qRgb(0x1B, 0x80, 0x10));
    const QString path = dir.filePath(QStringLiteral("frame.bmp"));
    ASSERT_TRUE(source.save(path, "BMP"));
    window->ChooseFit = [](int, int) { return 1; };
    ASSERT_TRUE(window->LoadFile(path));
    // A device that ends the transfer after a few blocks has not got the picture.
    w.sim.device().setEndAfterBlocks(5);
    window->startTransfer();
    ASSERT_TRUE(tesso::test::waitFor([&] { return !window->Active(); }, 30000));
    EXPECT_EQ(window->StatusLine->text(), QStringLiteral("Transfer ended early by the device."));
    EXPECT_EQ(w.sim.device().picturesDropped(), 1);

    w.sim.device().setEndAfterBlocks(-1);
    ASSERT_TRUE(tesso::test::waitFor([&] { return w.main->Driver().isConnected(); }, 10000));
    window->startTransfer();
    EXPECT_TRUE(window->Active());
    ASSERT_TRUE(tesso::test::waitFor(
        [&] { return window->StatusLine->text() == QStringLiteral("Command successfull."); }, 30000))
        << window->StatusLine->text().toStdString();
    EXPECT_TRUE(w.sim.device().lastPicture().convertToFormat(QImage::Format_RGB32) == window->SendPicture());
    EXPECT_EQ(window->BtnAbortClose->text(), QStringLiteral("Close"));
    EXPECT_EQ(w.main->Driver().linkMode(), LinkMode::Variables);
    w.main->close();
}

TEST(MainWindowEndToEnd, TheWindowSavesAndRestoresTheDeviceSettings)
{
    SimulatedWindow w(tesso::sim::Model::Lumio);
    ASSERT_NO_FATAL_FAILURE(w.start());
    DeviceSettingsMenu& menu = w.main->SettingsMenu();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("show.json"));
    menu.SaveTo(file);
    ASSERT_EQ(w.prompts.informations.size(), 1);
    EXPECT_TRUE(
        w.prompts.informations.last().text.startsWith(QStringLiteral("The device's settings were saved")))
        << w.prompts.informations.last().text.toStdString();

    w.main->Driver().setHPOS(77);
    ASSERT_TRUE(tesso::test::waitFor([&] { return w.main->Driver().HPOS() == 77; }, 5000));
    QStringList shown;
    menu.AskToWrite = [&](const std::vector<DeviceSettings::Difference>& differences) {
        for (const auto& d : differences)
            shown << d.inFile.label() + QLatin1Char('=') + d.onDevice.valueText() + QLatin1Char('>') +
                         d.inFile.valueText();
        return true;
    };
    menu.RestoreFrom(file);
    EXPECT_EQ(shown, QStringList{QStringLiteral("HPOS=77>128")});
    EXPECT_EQ(w.prompts.informations.last().text,
              QStringLiteral("1 setting restored; the device now matches the file."));
    EXPECT_EQ(w.main->Driver().HPOS(), 128u);

    // A file without VPOS: the rest is restored and the result says what was left out.
    ASSERT_TRUE(tesso::test::replaceInFile(file, "\"VPOS\"", "\"LATER\""));
    w.main->Driver().setHPOS(77);
    ASSERT_TRUE(tesso::test::waitFor([&] { return w.main->Driver().HPOS() == 77; }, 5000));
    menu.RestoreFrom(file);
    EXPECT_EQ(w.prompts.informations.last().text,
              QStringLiteral("1 setting restored; the device now matches the file.\n"
                             "Not in the file, left as they are on the device: VPOS.\n"
                             "Not settings of this version, skipped: LATER."));
    EXPECT_EQ(w.main->Driver().HPOS(), 128u);

    // A value the device refuses is written, read back still different, and the restore fails.
    ASSERT_TRUE(tesso::test::replaceInFile(file, "\"OFMTM\": 1,", "\"OFMTM\": 99,"));
    menu.RestoreFrom(file);
    EXPECT_EQ(w.prompts.informations.last().text,
              QStringLiteral("The device's settings could not be restored: after the restore 1 settings "
                             "still differ from the file"));
    w.main->close();
}
