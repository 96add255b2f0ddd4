// The serial ports present: the scanner names a pseudo-terminal by its link in a by-id-like folder
// and follows the link coming and going; the menu lists it, opens it, and the connection file
// remembers it by its path, reports it when it is gone and offers it on a first run.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "LinkTestPeers.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "SerialPortScanner.h"
#include "WaitFor.h"

using namespace tesso;
using namespace tesso::test;
using namespace tesso::test::mainwindow;

namespace
{

const QString AdapterName = QStringLiteral("usb-Maker_Adapter_A1&B2-if00-port0");

// A stable name for the pseudo-terminal, as udev would make for an adapter.
QString linkAdapter(const QString& byId, const PtyPair& pty)
{
    QDir().mkpath(byId);
    const QString link = byId + QLatin1Char('/') + AdapterName;
    QFile::link(pty.slavePath(), link);
    return link;
}

QAction* deviceItem(MainMenus* menus, const QString& path)
{
    for (QAction* action : menus->MenuSerialPort->actions())
        if (action->objectName() == QStringLiteral("MenuSerialDevice") && action->data().toString() == path)
            return action;
    return nullptr;
}

} // namespace

TEST(SerialPortScanner, NamesADeviceByItsStableLinkAndFollowsItComingAndGoing)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    QTemporaryDir folder;
    const QString byId = folder.path() + QStringLiteral("/by-id");
    SerialPortScanner scanner;
    scanner.setSources(byId, false);
    int changes = 0;
    QObject::connect(&scanner, &SerialPortScanner::portsChanged, [&changes] { ++changes; });

    scanner.rescan(); // the folder does not exist yet
    EXPECT_TRUE(scanner.ports().isEmpty());
    const QString link = linkAdapter(byId, pty);
    QFile::link(folder.path() + QStringLiteral("/nowhere"), byId + QStringLiteral("/usb-dangling"));
    ASSERT_TRUE(waitFor([&] { return scanner.ports().size() == 1; })) << "seen without being asked";
    const SerialPortScanner::Port port = scanner.ports().value(0);
    EXPECT_EQ(port.path, link);
    EXPECT_EQ(port.systemLocation, QFileInfo(pty.slavePath()).canonicalFilePath());
    EXPECT_EQ(port.caption(), QString(link).replace(QStringLiteral("&"), QStringLiteral("&&")));

    const int before = changes;
    scanner.rescan();
    EXPECT_EQ(changes, before) << "the same ports again are no change";
    QFile::remove(link);
    ASSERT_TRUE(waitFor([&] { return scanner.ports().isEmpty(); })) << "unplugged";
}

TEST(MainWindowSerialPorts, APortPresentIsListedOpenedRememberedAndRestoredOrReportedWhenGone)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    Harness h;
    h.realSerialLink = true;
    const QString link = linkAdapter(h.serialByIdDirectory(), pty);
    h.startWith(QByteArrayLiteral("[CONNEXION]\nPort=2\n"));
    MainMenus* menus = h.main->Menus;
    emit menus->MenuSerialPort->aboutToShow();
    QAction* item = deviceItem(menus, link);
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(menus->MenuNoSerialDevice->isVisible());
    EXPECT_TRUE(menus->MenuCOM[2]->isChecked());

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(menus->CheckedComIndex(), -1);
    EXPECT_EQ(h.driver().serialPort(), link) << "a port that fails to open leaves no name";
    EXPECT_EQ(h.main->StatusPanelText(1), QStringLiteral("Port : ") + link);
    ASSERT_TRUE(pty.send(QByteArrayLiteral("DEV57\r\n")));
    EXPECT_TRUE(waitFor([&] { return h.driver().DEV() == 57; })) << "the pty itself is open";
    h.main->close();
    EXPECT_EQ(h.saved("SerialDevice"), link);
    EXPECT_EQ(h.saved("Port"), QStringLiteral("2")) << "Port keeps the COM item";
    QFile saved(h.connectionFile());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray file = saved.readAll();

    {
        SCOPED_TRACE("restored, though not in this window's list");
        Harness again;
        again.realSerialLink = true;
        again.startWith(file);
        EXPECT_TRUE(again.prompts.informations.isEmpty());
        EXPECT_EQ(again.driver().serialPort(), link);
        QAction* restored = deviceItem(again.main->Menus, link);
        ASSERT_NE(restored, nullptr);
        EXPECT_TRUE(restored->isChecked());
    }
    {
        SCOPED_TRACE("gone");
        QFile::remove(link);
        Harness gone;
        gone.startWith(file);
        ASSERT_EQ(gone.prompts.informations.size(), 1);
        EXPECT_TRUE(gone.prompts.informations[0].text.contains(link));
        EXPECT_EQ(gone.links.serial->portName(), QStringLiteral("\\\\.\\COM3")) << "the file's COM port";
        gone.main->close();
        EXPECT_EQ(gone.saved("SerialDevice"), link) << "kept until another port is chosen";
    }
}

TEST(MainWindowSerialPorts, TheFirstRunOffersThePortsPresentBesideCom1)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    Harness h;
    const QString link = linkAdapter(h.serialByIdDirectory(), pty);
    h.prompts.answers << link;
    h.start();
    EXPECT_TRUE(h.prompts.informations.isEmpty());
    ASSERT_EQ(h.prompts.questions.size(), 1);
    EXPECT_EQ(h.prompts.questions[0].value(1), QStringLiteral("Select port"));
    EXPECT_EQ(h.prompts.questions[0].value(2), link) << "the port present comes first";
    EXPECT_EQ(h.links.serial->portName(), link);
}
