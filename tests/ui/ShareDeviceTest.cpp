// File -> "Share device...": the dialog starts and stops the window's hub, explains what keeps it
// off, remembers the choice in the connection settings file; the status bar counts the programs
// connected and the debug console logs what they send. Offscreen, on in-memory device links and
// real TCP clients on 127.0.0.1.

#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "DebugConsole.h"
#include "DeviceHub.h"
#include "MainMenus.h"
#include "MainStatusBar.h"
#include "MainWindowTestHarness.h"
#include "ReceivedLogModel.h"
#include "ReportCapture.h"
#include "ShareDeviceDialog.h"
#include "ShareDeviceMenu.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::test::mainwindow;
using tesso::test::waitFor;

namespace
{

// A port nothing listens on now (the test's own processes only use loopback ports picked so).
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

HubValues choice(bool on, int port, const QString& address = QStringLiteral("127.0.0.1"),
                 const QString& allowed = QString())
{
    HubValues v;
    v.Enabled = on;
    v.Address = address;
    v.Port = port;
    v.Allowed = allowed;
    return v;
}

// Opens "Share device..." as the user does, types the choice and presses OK (or Cancel); returns
// what the dialog showed when it opened.
HubValues share(MainWindow& main, const HubValues& choice, bool ok = true)
{
    ShareDeviceDialog* dialog = main.Sharing().Dialog();
    HubValues shown;
    QTimer::singleShot(0, dialog, [&] {
        shown = dialog->values();
        dialog->CheckShare->setChecked(choice.Enabled);
        dialog->EditAddress->setText(choice.Address);
        dialog->EditPort->setValue(choice.Port);
        dialog->EditAllowed->setText(choice.Allowed);
        (ok ? dialog->BOk : dialog->BCancel)->click();
    });
    main.Menus->MenuFileShareDevice->trigger();
    return shown;
}

QString savedHub(const Harness& h, const char* key)
{
    return h.saved(key, SettingsFileKeys::SectionHub);
}

std::unique_ptr<QTcpSocket> connectClient(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(socket->waitForConnected(5000));
    return socket;
}

} // namespace

TEST(ShareDevice, TheDialogTurnsTheHubOnAndOffAndTheChoiceOutlivesTheWindow)
{
    Harness h;
    h.startWith();
    EXPECT_FALSE(h.main->Hub().isListening()) << "nothing listens until asked";
    const quint16 port = freePort();

    // Cancel changes nothing; the dialog first shows the device unshared, and only to this computer.
    const HubValues first = share(*h.main, choice(true, port), false);
    EXPECT_FALSE(first.Enabled);
    EXPECT_EQ(first.Address, QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(h.main->Hub().isListening());
    EXPECT_EQ(savedHub(h, "Enabled"), QString());

    share(*h.main, choice(true, port));
    ASSERT_TRUE(h.main->Hub().isListening());
    EXPECT_EQ(h.main->Hub().port(), port);
    EXPECT_EQ(savedHub(h, "Enabled"), QStringLiteral("1"));
    EXPECT_EQ(savedHub(h, "Port"), QString::number(port));

    // Off, and on again: the dialog shows what is in force.
    EXPECT_TRUE(share(*h.main, choice(false, port)).Enabled);
    EXPECT_FALSE(h.main->Hub().isListening());
    EXPECT_EQ(savedHub(h, "Enabled"), QStringLiteral("0"));
    EXPECT_FALSE(share(*h.main, choice(true, port)).Enabled);
    ASSERT_TRUE(h.main->Hub().isListening());

    // Closing writes the link and keeps the hub's section; a new window shares again.
    h.main->close();
    EXPECT_FALSE(h.main->Hub().isListening()) << "the clients go with the window";
    EXPECT_EQ(h.saved("Port"), QStringLiteral("0"));
    EXPECT_EQ(savedHub(h, "Enabled"), QStringLiteral("1"));
    h.main.reset();
    h.start();
    ASSERT_TRUE(h.main->Hub().isListening());
    EXPECT_EQ(h.main->Hub().port(), port);
    EXPECT_EQ(h.prompts.informations.size(), 0);
}

TEST(ShareDevice, WhatKeepsTheHubOffIsExplainedAndLeavesItOff)
{
    Harness h;
    h.startWith();
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    const quint16 port = freePort();
    struct Case {
        HubValues choice;
        const char* reason;
    };
    const Case cases[] = {
        {choice(true, port, QStringLiteral("127.0.0.300")), "not an IPv4 address: 127.0.0.300"},
        {choice(true, port, QStringLiteral("0.0.0.0")),
         "needs the list of client addresses allowed to connect"},
        {choice(true, port, QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.5, nobody")),
         "not an IPv4 address: nobody"},
        {choice(true, taken.serverPort()), "cannot listen on 127.0.0.1:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        share(*h.main, choice(true, port));
        ASSERT_TRUE(h.main->Hub().isListening());
        h.prompts.informations.clear();

        share(*h.main, c.choice);
        EXPECT_FALSE(h.main->Hub().isListening()) << "a failed choice stops the hub";
        ASSERT_EQ(h.prompts.informations.size(), 1);
        const QString message = h.prompts.informations.front().text;
        EXPECT_TRUE(message.startsWith(QLatin1String("The device is not shared with other programs: ")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.reason))) << message.toStdString();
        EXPECT_EQ(savedHub(h, "Enabled"), QStringLiteral("0"));
        EXPECT_EQ(h.main->StatusBar->ClientsText(), QString());
    }
    // The dialog keeps what was typed, for the user to correct.
    EXPECT_EQ(share(*h.main, choice(false, port), false).Port, taken.serverPort());

    // At start-up a port in use is reported once, the window comes up and the choice is kept for
    // the next start.
    h.main->close();
    h.main.reset();
    ConnectionSettings(h.folder.path(), QStringLiteral("Tesso remote control"))
        .WriteHub(choice(true, taken.serverPort()));
    tesso::test::ReportCapture report;
    h.prompts.informations.clear();
    h.start();
    ASSERT_NE(h.main, nullptr);
    EXPECT_FALSE(h.main->Hub().isListening());
    EXPECT_TRUE(h.prompts.informations.isEmpty()) << "nothing waits for the user";
    ASSERT_EQ(report.messages.size(), 1);
    EXPECT_TRUE(report.messages.front().contains(QLatin1String("cannot listen on 127.0.0.1:")))
        << report.messages.front().toStdString();
    h.main->close();
    EXPECT_EQ(savedHub(h, "Enabled"), QStringLiteral("1"));
}

TEST(ShareDevice, TheStatusBarCountsClientsAndTheConsoleLogsWhatTheySend)
{
    ConnectedWindow h;
    DebugConsole* console = h.main->Windows().Debug;
    console->uncheckAllEntries(); // every reply hidden
    EXPECT_EQ(h.main->StatusBar->ClientsText(), QString()) << "nothing while the device is not shared";
    const quint16 port = freePort();
    share(*h.main, choice(true, port));
    ASSERT_TRUE(h.main->Hub().isListening());
    EXPECT_EQ(h.main->StatusBar->ClientsText(), QStringLiteral("Clients : 0"));

    auto a = connectClient(port);
    auto b = connectClient(port);
    ASSERT_TRUE(waitFor([&] { return h.main->StatusBar->ClientsText() == QLatin1String("Clients : 2"); }));
    EXPECT_EQ(h.main->StatusBar->AccessibleClients()->accessibleName(), QStringLiteral("Clients : 2"));

    a->write("128B");
    ASSERT_TRUE(waitFor([&] { return h.links.serial->allWritten() == "128B"; }));
    b->abort();
    ASSERT_TRUE(waitFor([&] { return h.main->StatusBar->ClientsText() == QLatin1String("Clients : 1"); }));

    // The console shows the command with its sender, decoded, though replies are hidden, and the
    // hub's notes.
    console->ReceivedLog->Flush();
    const QByteArray sender = "127.0.0.1:" + QByteArray::number(a->localPort());
    int row = -1;
    QStringList notes;
    for (int r = 0; r < console->ReceivedLog->LoggedRows(); ++r) {
        const QByteArray text = console->ReceivedLog->Text(r);
        if (text == sender + " > 128B")
            row = r;
        else if (text.startsWith("hub: "))
            notes << QString::fromLatin1(text);
    }
    ASSERT_GE(row, 0);
    const QModelIndex mnemonic = console->ReceivedLog->index(row, 1);
    EXPECT_EQ(mnemonic.data().toString(), QStringLiteral("B"));
    EXPECT_EQ(mnemonic.siblingAtColumn(2).data().toString(), QStringLiteral("128"));
    EXPECT_TRUE(notes.contains(QStringLiteral("hub: client %1 connected").arg(QLatin1String(sender))))
        << notes.join(u'\n').toStdString();
    EXPECT_TRUE(notes.last().endsWith(QLatin1String(" disconnected"))) << notes.join(u'\n').toStdString();

    // Turning it off lets the client go and clears the count.
    share(*h.main, choice(false, port));
    EXPECT_EQ(h.main->StatusBar->ClientsText(), QString());
    ASSERT_TRUE(waitFor([&] { return a->state() == QAbstractSocket::UnconnectedState; }));

    // A window that goes without closing lets its clients go too.
    share(*h.main, choice(true, port));
    auto c = connectClient(port);
    ASSERT_TRUE(waitFor([&] { return h.main->Hub().clientCount() == 1; }));
    h.main.reset();
    EXPECT_TRUE(waitFor([&] { return c->state() == QAbstractSocket::UnconnectedState; }));
}
