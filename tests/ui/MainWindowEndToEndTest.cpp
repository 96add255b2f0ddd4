// The program's demonstration set-up end to end: the main window on the real links against the
// simulated device on a pseudo-terminal, at the driver's own timing, and the program itself.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QToolButton>

#include "FrmScrollbar.h"
#include "InputButtonRow.h"
#include "MainWindowTestHarness.h"
#include "PageImage.h"
#include "PageOutput.h"
#include "SimServer.h"
#include "StatusGridArea.h"
#include "WaitFor.h"

using namespace tesso::test::mainwindow;

TEST(MainWindowEndToEnd, SimulatedDeviceOnAPseudoTerminalIsDetected)
{
    tesso::sim::SimServer sim(tesso::sim::Model::Snipa);
    QString error;
    ASSERT_TRUE(sim.openPty(&error)) << error.toStdString();
    qputenv("TESSO_COM1", sim.ptyPath().toLocal8Bit());

    QTemporaryDir folder;
    {
        ConnectionSettings settings(folder.path(), QStringLiteral("Tesso remote control"));
        ConnectionValues values;
        values.Port = 0;
        values.RemoteIp = QStringLiteral("127.0.0.1");
        ASSERT_TRUE(settings.WriteConnection(values));
    }
    RecordingPrompts prompts;
    TStartUp::Options options;
    options.SettingsDirectory = folder.path();
    options.ShowSplash = false;
    std::unique_ptr<TForm_MAIN> main = TStartUp::Run(makeDefaultLinks(), prompts, options);
    qunsetenv("TESSO_COM1");
    EXPECT_TRUE(prompts.informations.isEmpty());
    EXPECT_EQ(main->StatusPanelText(1), QStringLiteral("Port : COM1"));

    // The driver's first step comes after 3 s, detection then polls every 2 s.
    ASSERT_TRUE(tesso::test::waitFor(
        [&] { return main->StatusPanelText(0) == QStringLiteral("Device connected"); }, 20000));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Snipa remote control"));
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/Snipa.ini")));

    // The grid shows the simulated signal; a button puts another input on air.
    ASSERT_TRUE(tesso::test::waitFor(
        [&] { return main->StatusArea->Cell(1, 1) == QStringLiteral("C.Video 1"); }, 10000));
    EXPECT_EQ(main->StatusArea->Cell(1, 2), QStringLiteral("Video"));
    main->PnlBtnInputs->BtnInput[2]->click();
    EXPECT_TRUE(tesso::test::waitFor(
        [&] { return main->StatusArea->Cell(1, 1) == QStringLiteral("RGB/YUV"); }, 10000));
    EXPECT_TRUE(main->PnlBtnInputs->BtnInput[2]->isChecked());

    // The pages change the device and show what it answers.
    TFrameScrollBar* brightness = main->TabSheet_Image->FrameScrollBrightness;
    brightness->Edt->setText(QStringLiteral("-20"));
    emit brightness->Edt->returnPressed();
    emit main->TabSheet_Output->CboOutputFormat->activated(0);
    EXPECT_TRUE(tesso::test::waitFor(
        [&] { return main->Driver().BRGT() == 108 && main->Driver().OFMTM() == 10; }, 10000));
    EXPECT_EQ(brightness->ScrollBar->value(), 108);
    EXPECT_EQ(main->TabSheet_Output->CboOutputFormat->currentIndex(), 0);
    main->close();
}

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
