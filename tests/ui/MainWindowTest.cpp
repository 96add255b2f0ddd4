// The main window: start-up and the connection settings file, the label files, the main timer
// (blink, update notice, about-box logo), File -> Exit, the status bar, the serial-port menu and
// the debug key. Everything runs offscreen against in-memory links.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "AboutDialog.h"
#include "DebugConsole.h"
#include "DebugSettingsStore.h"
#include "FullDump.h"
#include "InputButtonRow.h"
#include "InputSettingsRow.h"
#include "IpConfigDialog.h"
#include "MainMenus.h"
#include "MainStatusBar.h"
#include "MainWindowTestHarness.h"
#include "PageAudio.h"
#include "PageInput.h"
#include "ReceivedLogModel.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

const QString comPath1 = QStringLiteral("\\\\.\\COM1");

} // namespace

// ---- First run and the connection settings file -----------------------------------------------

TEST(MainWindowStartUp, FirstRunAsksOnceOpensCom1AndWritesDefaultsOnExit)
{
    Harness h;
    h.start();

    ASSERT_EQ(h.prompts.informations.size(), 1);
    // Asked during start-up: the splash is up, the main window not yet shown.
    EXPECT_TRUE(h.prompts.informations[0].splashVisible);
    EXPECT_FALSE(h.prompts.informations[0].splashOnTop);
    EXPECT_FALSE(h.prompts.informations[0].mainVisible);

    EXPECT_EQ(h.links.serial->portNames.value(0), comPath1);
    EXPECT_EQ(h.links.serial->opens, 1);
    EXPECT_TRUE(h.main->Menus->MenuCOM[0]->isChecked());
    EXPECT_FALSE(QFile::exists(h.connectionFile())) << "nothing is written before exit";

    h.main->close();
    ASSERT_TRUE(h.main->IsClosed());
    EXPECT_EQ(h.saved("Port"), QStringLiteral("0")) << "the defaults are written";
    EXPECT_GE(h.links.serial->closes, 1) << "the link is closed on exit";
}

TEST(MainWindowStartUp, SplashRunsFourteenStepsAndGoesAwayEvenWhenAStepFails)
{
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail ? "failing" : "normal");
        Harness h;
        h.prompts.failOnInformation = fail; // the first-run question fails during the initialisation
        if (fail) {
            EXPECT_THROW(h.start(), std::runtime_error);
        } else {
            h.start();
        }
        EXPECT_EQ(h.splashSteps, fail ? 13 : 14);
        EXPECT_EQ(h.splashFinalPosition, fail ? 13 : 14);
        EXPECT_EQ(h.main == nullptr, fail);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            EXPECT_NE(w->objectName(), QStringLiteral("Form_PageAccueil")) << "the splash is destroyed";
            if (fail) {
                EXPECT_NE(w->objectName(), QStringLiteral("Form_MAIN"));
            }
        }
    }
}

TEST(MainWindowStartUp, NetworkLinkFromTheFileOpensNoComPort)
{
    for (int ipEnable : {1, 2}) {
        SCOPED_TRACE(ipEnable);
        Harness h;
        h.startWith(QByteArrayLiteral(
                        "[CONNEXION]\r\nPort=4\r\nREMOTE_IP=127.000.000.001\r\nREMOTE_PORT_ENTRY=10600\r\n"
                        "LOCAL_PORT_ENTRY=10700\r\nIP_ENABLE=") +
                    QByteArray::number(ipEnable) + "\r\n");
        EXPECT_TRUE(h.prompts.informations.isEmpty());
        EXPECT_EQ(h.driver().linkType(), ipEnable == 1 ? LinkType::Udp : LinkType::Tcp);
        EXPECT_EQ(h.links.serial->opens, 0) << "no COM port is opened";
        EXPECT_EQ((ipEnable == 1 ? h.links.udp : h.links.tcp)->opens, 1);
        EXPECT_TRUE(h.main->Menus->MenuMIPConfig->isChecked());
        EXPECT_EQ(h.main->Menus->CheckedComIndex(), -1);
        // The link panel names the saved peer, not the dialog's design values.
        EXPECT_EQ(h.main->StatusPanelText(1),
                  (ipEnable == 1 ? "UDP" : "TCP") + QStringLiteral(" (127.0.0.1:10600)"));

        h.main->close();
        EXPECT_EQ(h.saved("IP_ENABLE"), QString::number(ipEnable));
        EXPECT_EQ(h.saved("Port"), QStringLiteral("4")) << "the serial port survives a network session";
        EXPECT_EQ(h.saved("REMOTE_IP"), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(h.saved("LOCAL_PORT_ENTRY"), QStringLiteral("10700"));
        QFile file(h.connectionFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        EXPECT_EQ(written.count("\r\n"), 6) << "rewritten with its CR LF line ends: " << written.constData();
        EXPECT_EQ(written.count('\n'), 6);
    }
}

TEST(MainWindowStartUp, MalformedConnectionFilesGiveDefaults)
{
    struct Case {
        const char* name;
        QByteArray content;
        bool asks;        // no usable Port: the first-run question
        QString portName; // the COM item opened
    };
    const QList<Case> cases = {
        {"garbage", QByteArrayLiteral("\x00\xff\xfe garbage \x01\x02=\n[[[\n=="), true, comPath1},
        {"truncated value", QByteArrayLiteral("[CONNEXION]\nPort=1"), false, QStringLiteral("\\\\.\\COM2")},
        {"not a number", QByteArrayLiteral("[CONNEXION]\nPort=two\nIP_ENABLE=x\n"), true, comPath1},
        {"out of range", QByteArrayLiteral("[CONNEXION]\nPort=99\n"), false, comPath1},
        {"negative", QByteArrayLiteral("[CONNEXION]\nPort=-7\n"), false, comPath1},
        {"other section", QByteArrayLiteral("[OTHER]\nPort=3\n"), true, comPath1},
        {"key without section", QByteArrayLiteral("Port=3\n"), true, comPath1},
        {"unknown link type", QByteArrayLiteral("[CONNEXION]\nPort=2\nIP_ENABLE=7\n"), false,
         QStringLiteral("\\\\.\\COM3")},
        // Ports outside 1..65535 and addresses that are none fall back to their defaults.
        {"bad ports and address",
         QByteArrayLiteral(
             "[CONNEXION]\nPort=0\nLOCAL_PORT_ENTRY=75536\nREMOTE_PORT_ENTRY=-5\nREMOTE_IP=300.1.1.1\n"),
         false, comPath1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.startWith(c.content);
        EXPECT_EQ(h.prompts.informations.size(), c.asks ? 1 : 0);
        EXPECT_EQ(h.links.serial->portNames.value(0), c.portName);
        EXPECT_EQ(h.driver().linkType(), LinkType::Serial);
        EXPECT_EQ(h.driver().ipRemoteAddress(), QStringLiteral("192.168.0.10"));
        EXPECT_EQ(h.driver().ipRemotePort(), 10500);
        EXPECT_EQ(h.driver().ipLocalPort(), 10500);
    }
}

// Keys and sections of no use are dropped and missing keys get their defaults, in the file's line
// ends; a file that holds what would be written is left as it is; and a file too large to be ours
// was read only in part, and writing it back would lose the rest.
TEST(MainWindowStartUp, ConnectionFileIsRewrittenWholeWhenItChangesUnlessTooLargeToBeOurs)
{
    QByteArray large = QByteArrayLiteral("[CONNEXION]\nPort=2\n[Other]\n");
    while (large.size() <= IniFile::ReadLimit)
        large += "Key" + QByteArray::number(large.size()) + "=value\n";
    const QByteArray same =
        QByteArrayLiteral("; made on Windows\r\n[connexion]\r\nIP_ENABLE = 0\r\nPort=2\r\n"
                          "REMOTE_IP=192.168.0.10\r\nREMOTE_PORT_ENTRY=10500\r\n"
                          "LOCAL_PORT_ENTRY=\"10500\"\r\n");
    const std::pair<QByteArray, QByteArray> cases[] = {
        {QByteArrayLiteral("[CONNEXION]\nPort=2\nStale=1\n[Extra]\nx=y\n"),
         QByteArrayLiteral("[CONNEXION]\nPort=2\nREMOTE_IP=192.168.0.10\nREMOTE_PORT_ENTRY=10500\n"
                           "LOCAL_PORT_ENTRY=10500\nIP_ENABLE=0\n")},
        {QByteArrayLiteral("[CONNEXION]\r\nPort=2\r\n"),
         QByteArrayLiteral("[CONNEXION]\r\nPort=2\r\nREMOTE_IP=192.168.0.10\r\nREMOTE_PORT_ENTRY=10500\r\n"
                           "LOCAL_PORT_ENTRY=10500\r\nIP_ENABLE=0\r\n")},
        {same, same},
        {large, large}};
    for (const auto& [content, written] : cases) {
        SCOPED_TRACE(content.size());
        Harness h;
        h.startWith(content);
        EXPECT_TRUE(h.main->Menus->MenuCOM[2]->isChecked()) << "what could be read is used";
        h.main->close();
        QFile file(h.connectionFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), written);
    }
}

TEST(MainWindowStartUp, UnwritableSettingsFolderDoesNotStopTheExit)
{
    Harness h;
    h.startWith();
    // A folder where the file should be: the write fails and is swallowed.
    QFile::remove(h.connectionFile());
    ASSERT_TRUE(QDir(h.folder.path()).mkdir(QStringLiteral("Tesso remote control.ini")));
    h.main->close();
    EXPECT_TRUE(h.main->IsClosed());
}

// ---- Exit ---------------------------------------------------------------------------------------

TEST(MainWindowExit, CancelKeepsEverythingRunningOkCloses)
{
    Harness h;
    h.startWith();
    QFile::remove(h.connectionFile());
    h.main->show();

    h.prompts.confirmAnswer = false;
    h.main->Menus->MenuFileExit->trigger();
    EXPECT_EQ(h.prompts.confirmations.size(), 1);
    EXPECT_FALSE(h.main->IsClosed());
    EXPECT_TRUE(h.main->Timer1->isActive());
    EXPECT_FALSE(QFile::exists(h.connectionFile()));

    h.prompts.confirmAnswer = true;
    h.main->Menus->ToolButton_Exit->trigger(); // the tool bar's exit asks the same
    EXPECT_EQ(h.prompts.confirmations.size(), 2);
    EXPECT_TRUE(h.main->IsClosed());
    EXPECT_FALSE(h.main->Timer1->isActive());
    EXPECT_TRUE(QFile::exists(h.connectionFile()));
}

// ---- Main timer ---------------------------------------------------------------------------------

TEST(MainWindowTimer, AboutLogoCyclesUntilAModelIsConnectedAndTheUpdateNoticeCountsDown)
{
    Harness h;
    h.startWith();
    AboutDialog* about = h.main->Windows().About;
    QList<int> seen;
    for (int tick = 0; tick < 4; ++tick) {
        h.main->blinkTick();
        seen << about->LogoIndex();
    }
    EXPECT_EQ(seen, (QList<int>{6, 7, 6, 7})) << "positions without a model are skipped";

    QWidget* notice = h.main->PnlUpdater;
    // A newer video firmware than expected (0 while no model is known): the software notice.
    h.links.deliverSerial(QByteArrayLiteral("V_17\r\n"));
    ASSERT_TRUE(notice->isVisibleTo(h.main.get()));
    EXPECT_TRUE(h.main->LblUpdater->text().contains(QStringLiteral("Software")));
    for (int tick = 1; tick <= 14; ++tick) {
        h.main->blinkTick();
        ASSERT_TRUE(notice->isVisibleTo(h.main.get())) << "tick " << tick;
    }
    h.main->blinkTick();
    EXPECT_FALSE(notice->isVisibleTo(h.main.get()));

    // The expected version shows nothing; an older one the firmware notice; "Ok" hides at once.
    h.connectDevice(58);
    EXPECT_EQ(about->LogoIndex(), 7);
    h.links.deliverSerial(QByteArrayLiteral("V_16\r\n"));
    EXPECT_FALSE(notice->isVisibleTo(h.main.get()));
    h.links.deliverSerial(QByteArrayLiteral("V_15\r\n"));
    EXPECT_TRUE(h.main->LblUpdater->text().contains(QStringLiteral("Firmware")));
    EXPECT_EQ(about->label_v->text(), QStringLiteral("V = 000F"));
    h.main->blinkTick();
    h.main->blinkTick();
    EXPECT_EQ(h.main->UpdateNoticeCountdown(), 12) << "the countdown starts over";
    EXPECT_EQ(about->LogoIndex(), 7) << "a connected model keeps its logo";
    h.main->BtnOkUpdater->click();
    EXPECT_FALSE(notice->isVisibleTo(h.main.get()));
}

// ---- Status bar ---------------------------------------------------------------------------------

TEST(MainWindowStatusBar, ConnectionPanelFollowsTheDevice)
{
    Harness h;
    h.startWith(QByteArrayLiteral("[CONNEXION]\nPort=2\n"));
    MainStatusBar* bar = h.main->StatusBar;
    EXPECT_EQ(h.main->StatusPanelText(0), QStringLiteral("Device NOT connected"));
    EXPECT_EQ(h.main->StatusPanelText(1), QStringLiteral("Port : COM3"));
    // Not connected: black, then red with the next blink phase.
    EXPECT_EQ(bar->ConnectionTextColour(bar->State()), QColor(Qt::black));
    h.main->blinkTick();
    EXPECT_EQ(bar->ConnectionTextColour(bar->State()), QColor(Qt::red));

    h.connectDevice(57);
    EXPECT_EQ(h.main->StatusPanelText(0), QStringLiteral("Device connected"));
    EXPECT_EQ(bar->ConnectionTextColour(bar->State()), bar->palette().color(QPalette::WindowText));
    // Painted texts are also names that assistive technology reads.
    EXPECT_EQ(bar->AccessiblePanel(0)->accessibleName(), QStringLiteral("Device connected"));

    h.links.deliverSerial(QByteArrayLiteral("STO1\r\n"));
    EXPECT_FALSE(h.main->StatusPanelText(2).isEmpty());
    h.links.deliverSerial(QByteArrayLiteral("STO0\r\n"));
    EXPECT_EQ(h.main->StatusPanelText(2), QString());

    // The device stops answering the keep-alive: query all, ready, keep-alive, no answer, DEV 0.
    for (int step = 0; step < 5; ++step)
        h.links.timer->fire();
    EXPECT_FALSE(h.driver().isConnected());
    EXPECT_EQ(h.main->StatusPanelText(0), QStringLiteral("Device NOT connected"));
    EXPECT_EQ(h.main->windowTitle(), QStringLiteral("Tesso remote control"));
}

// ---- Serial-port menu and debug key ------------------------------------------------------------

TEST(MainWindowSerialMenu, ComItemsOpenTheirPortAndLeaveTheNetworkLink)
{
    Harness h;
    h.startWith(QByteArrayLiteral("[CONNEXION]\nPort=0\nIP_ENABLE=2\n"));
    ASSERT_EQ(h.driver().linkType(), LinkType::Tcp);
    MainMenus* menus = h.main->Menus;
    menus->MenuCOM[2]->trigger();
    EXPECT_EQ(h.driver().linkType(), LinkType::Serial);
    EXPECT_EQ(h.links.serial->opens, 1);
    EXPECT_FALSE(h.links.tcp->active);
    EXPECT_FALSE(menus->MenuMIPConfig->isChecked());

    menus->MenuCOM[11]->trigger();
    EXPECT_EQ(h.driver().serialPort(), QStringLiteral("\\\\.\\COM12"));
    EXPECT_EQ(menus->CheckedComIndex(), 11);
    EXPECT_EQ(h.main->StatusPanelText(1), QStringLiteral("Port : COM12"));
    h.main->close();
    EXPECT_EQ(h.saved("Port"), QStringLiteral("11"));
    EXPECT_EQ(h.saved("IP_ENABLE"), QStringLiteral("0"));
}

TEST(MainWindowSerialMenu, NetworkItemKeepsItsCheckOnlyWhenApplied)
{
    Harness h;
    h.startWith(QByteArrayLiteral("[CONNEXION]\nPort=3\n"));
    IpConfigDialog* dialog = h.main->Windows().IPConfigDlg;
    ASSERT_NE(dialog, nullptr);

    QTimer::singleShot(0, dialog, [dialog] { dialog->BCancel->click(); });
    h.main->Menus->MenuMIPConfig->trigger();
    EXPECT_TRUE(h.main->Menus->MenuCOM[3]->isChecked());
    EXPECT_FALSE(h.main->Menus->MenuMIPConfig->isChecked());
    EXPECT_EQ(h.driver().linkType(), LinkType::Serial);

    QTimer::singleShot(0, dialog, [dialog] {
        dialog->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
        dialog->BOk->click();
    });
    h.main->Menus->MenuMIPConfig->trigger();
    EXPECT_TRUE(h.main->Menus->MenuMIPConfig->isChecked());
    EXPECT_EQ(h.main->Menus->CheckedComIndex(), -1);
    EXPECT_EQ(h.driver().linkType(), LinkType::Tcp);
    EXPECT_EQ(h.main->StatusPanelText(1), QStringLiteral("TCP (127.0.0.1:10500)"));
    h.main->close();
    EXPECT_EQ(h.saved("Port"), QStringLiteral("3")) << "the COM port in force before the network link";
}

// Its key, and what is typed in it going out on the window's link, are KeyboardTest's.
TEST(MainWindowDebugKey, OpensTheConsoleOverTheFirstPanelOrFromTheMenu)
{
    Harness h;
    h.startWith();
    h.main->show();
    DebugConsole* console = h.main->Windows().Debug;
    EXPECT_EQ(console->SettingsStore().FileName(), h.folder.filePath(QStringLiteral("Debug2007.ini")));
    MainStatusBar* bar = h.main->StatusBar;

    for (const QPoint& outside : {QPoint(1, 5), QPoint(183, 5), QPoint(300, 5), QPoint(50, 1)}) {
        h.main->DebugHotKey(bar->mapToGlobal(outside));
        EXPECT_FALSE(console->isVisible()) << outside.x() << "," << outside.y();
    }
    for (const QPoint& inside : {QPoint(2, 2), QPoint(182, bar->height())}) {
        h.main->DebugHotKey(bar->mapToGlobal(inside));
        EXPECT_TRUE(console->isVisible()) << inside.x() << "," << inside.y();
        console->hide();
    }
    // The menu item opens it wherever the pointer is.
    h.main->Menus->MenuDebugConsole->trigger();
    EXPECT_TRUE(console->isVisible());
    console->hide();

    // The console hears the window's link.
    h.connectDevice(57);
    console->ReceivedLog->Flush();
    EXPECT_EQ(console->ReceivedLog->Text(0), QByteArray("DEV57"));
}

// ---- Binding --------------------------------------------------------------------------------------

// Everything the device reports is shown; nothing shown is sent back.
TEST(MainWindowBinding, AWholeQueryAllDumpSendsNothingBack)
{
    ConnectedWindow h;
    h.links.timer->fire(); // the query-all goes out
    h.sent();
    h.reply(tesso::test::fullQueryAllDump());
    EXPECT_EQ(h.sent(), QByteArray());
    ASSERT_TRUE(h.driver().OBLACK());
    EXPECT_TRUE(h.main->PnlBtnInputs->BtnBlack->isChecked());
    EXPECT_TRUE(h.main->TabSheet_Audio->RdoACHANM[h.driver().ACHANM() - 1]->isChecked());
    h.links.timer->fire(); // ready
    h.links.timer->fire(); // keep-alive
    EXPECT_EQ(h.sent(), QByteArray("?"));
}

// ---- Label files --------------------------------------------------------------------------------

TEST(MainWindowLabels, DefaultsAreWrittenWhenAModelIsFirstSeen)
{
    Harness h;
    h.startWith();
    const QString file = h.folder.path() + QStringLiteral("/Lumio.ini");
    EXPECT_FALSE(QFile::exists(file));
    h.connectDevice(57);
    IniFile ini;
    ASSERT_EQ(ini.load(file), IniFile::LoadResult::Read);
    EXPECT_EQ(ini.value(QStringLiteral("Lumio"), QStringLiteral("Input7")), QStringLiteral("PC 3"));
    EXPECT_EQ(ini.value(QStringLiteral("Lumio"), QStringLiteral("Audio7")), QStringLiteral("Audio 7"));
    EXPECT_FALSE(ini.value(QStringLiteral("Lumio"), QStringLiteral("Input8")).has_value());
    EXPECT_EQ(h.main->TabSheet_Audio->RdoACHANM[0]->text(), QStringLiteral("Audio 1 (C.Video 1)"));
    EXPECT_EQ(h.main->TabSheet_Input->FrameInput[4]->Lbl->text(), QStringLiteral("PC 1"));
    EXPECT_FALSE(QFile::exists(h.folder.path() + QStringLiteral("/Snipa.ini")));
}

TEST(MainWindowLabels, ALabelFromAFileIsCutToSeventeenCharacters)
{
    Harness h;
    h.writeFile(QStringLiteral("Lumio.ini"),
                "[Lumio]\nInput1=" + QByteArray(100000, 'x') + "\nBlack=Black and white and grey\n");
    h.startWith();
    h.connectDevice(57);
    EXPECT_EQ(h.main->PnlBtnInputs->BtnInput[0]->text(), QString(17, u'x'));
    EXPECT_EQ(h.main->PnlBtnInputs->BtnBlack->text(), QStringLiteral("Black and white a"));
}

TEST(MainWindowLabels, UnreadableLabelFileGivesGenericLabels)
{
    Harness h;
    ASSERT_TRUE(QDir(h.folder.path()).mkdir(QStringLiteral("Lumio.ini")));
    h.startWith();
    h.connectDevice(57);
    EXPECT_EQ(h.main->Menus->MenuAudio[6]->text(), QStringLiteral("Audio 7"));
    EXPECT_EQ(h.main->PnlBtnInputs->BtnInput[6]->text(), QStringLiteral("Input 7"));
}
