// The two connection dialogs: field states, validation messages, and the exact sequence of
// driver writes after "Apply", recorded on in-memory links.

#include <functional>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "ConnectionFields.h"
#include "Mirex_d.h"
#include "TestLinks.h"
#include "ipconfig.h"
#include "rs232lansetup.h"

namespace
{

using tesso::test::ScriptedDriver;

// ---- Number reading shared by both dialogs ------------------------------------------------------

TEST(ConnectionFields, NumbersAreReadAsTheProtocolWritesThem)
{
    using tesso::connection::integerFromText;
    using tesso::connection::portFromText;
    const std::pair<const char*, int> integers[] = {{"10500", 10500}, {"  42", 42}, {"+7", 7},
                                                    {"-5", -5},       {"$10", 16},  {"0x1F", 31}};
    EXPECT_EQ(integerFromText(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(integerFromText(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const auto& [text, value] : integers)
        EXPECT_EQ(integerFromText(QString::fromUtf8(text)), value) << text;
    for (const char* text : {"", " ", "42 ", "4 2", "12x", "-", "2147483648", "-2147483649",
                             "99999999999999999999999", "\xef\xbc\x91\xef\xbc\x92" /* full-width 12 */})
        EXPECT_EQ(integerFromText(QString::fromUtf8(text)), std::nullopt) << text;
    const std::pair<const char*, std::optional<int>> ports[] = {
        {"0", 0}, {"65535", 65535}, {"65536", std::nullopt}, {"-1", std::nullopt}, {"port", std::nullopt}};
    for (const auto& [text, value] : ports)
        EXPECT_EQ(portFromText(QString::fromUtf8(text)), value) << text;
}

// ---- TIPConfigDlg -------------------------------------------------------------------------------

class IpConfigDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        link.serial->active = true; // as after choosing a COM port
        dlg = std::make_unique<TIPConfigDlg>(link.driver.get());
        dlg->ShowWarning = [this](const QString& text) { messages << text; };
    }
    void TearDown() override { dlg.reset(); }

    // Types the three fields and presses "Apply" on the shown dialog.
    void applyWith(const QString& localPort, const QString& remoteAddr, const QString& remotePort)
    {
        dlg->show();
        dlg->ELocalPort->setText(localPort);
        dlg->ERemoteAddr->setText(remoteAddr);
        dlg->ERemotePort->setText(remotePort);
        dlg->BOk->click();
    }

    ScriptedDriver link;
    std::unique_ptr<TIPConfigDlg> dlg;
    QStringList messages;
};

TEST_F(IpConfigDialog, ModeEnablesLocalPortOnlyForUdpAndShowingMakesAnyOtherModeTcp)
{
    dlg->RBUdp->click();
    EXPECT_EQ(dlg->Mode(), 1);
    EXPECT_TRUE(dlg->ELocalPort->isEnabled());
    dlg->RBTcp->click();
    EXPECT_EQ(dlg->Mode(), 2);
    for (int mode : {int(CON_TCP), int(CON_RS232), 7, -1}) {
        SCOPED_TRACE(mode);
        dlg->setMode(CON_UDP);
        dlg->setMode(mode);
        EXPECT_EQ(dlg->Mode(), mode);
        EXPECT_TRUE(dlg->RBTcp->isChecked());
        EXPECT_FALSE(dlg->ELocalPort->isEnabled());
        dlg->show();
        EXPECT_EQ(dlg->Mode(), 2);
        dlg->hide();
    }
    dlg->setMode(CON_UDP);
    dlg->show();
    EXPECT_EQ(dlg->Mode(), 1);
}

TEST_F(IpConfigDialog, RefusesBadInputWithTheMessageOfTheFirstBadField)
{
    struct Case {
        const char* localPort;
        const char* remoteAddr;
        const char* remotePort;
        const char* message;
    };
    // The port bounds themselves are ConnectionFields' and the address forms IpText's (driver
    // tests); here each field's message, and the first bad field winning.
    const Case cases[] = {
        {"65536", "10.0.0.1", "10500", "Choose a Local Port <0-65535>"},
        {"abc", "bad", "65536", "Choose a Local Port <0-65535>"},
        {"10500", "10.0.0.1", "-1", "Choose a Remote Port <0-65535>"},
        {"10500", "bad", "65536", "Choose a Remote Port <0-65535>"},
        {"10500", "192.168.0.256", "10500", "Remote IP address not Valid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.localPort) + " | " + c.remoteAddr + " | " + c.remotePort);
        messages.clear();
        applyWith(QLatin1String(c.localPort), QLatin1String(c.remoteAddr), QLatin1String(c.remotePort));
        EXPECT_EQ(messages, QStringList{QLatin1String(c.message)});
        EXPECT_TRUE(dlg->isVisible()) << "the dialog stays open";
        EXPECT_FALSE(dlg->Applied());
        EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.10"));
        EXPECT_EQ(dlg->RemotePort(), 10500);
    }
}

TEST_F(IpConfigDialog, LocalPortIsTakenAtOnceAndBoundaryPortsAreAcceptedInPlainDecimal)
{
    // Even disabled and with another field bad, the local port is taken.
    dlg->setMode(CON_TCP);
    ASSERT_FALSE(dlg->ELocalPort->isEnabled());
    applyWith(QStringLiteral("$10"), QStringLiteral("10.0.0.1"), QStringLiteral("70000"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Choose a Remote Port <0-65535>")});
    EXPECT_EQ(dlg->LocalPort(), 16);
    EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("16")) << "rewritten in plain decimal";
    EXPECT_EQ(dlg->RemotePort(), 10500);

    // Leading spaces and zeros are accepted by the number reading; the address is kept in plain
    // decimal, since the socket layer would read "010" as octal 8.
    messages.clear();
    applyWith(QStringLiteral("65535"), QStringLiteral(" 192.168.000.010"), QStringLiteral(" 0"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg->Applied());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->LocalPort(), 65535);
    EXPECT_EQ(dlg->RemotePort(), 0);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(dlg->ERemotePort->text(), QStringLiteral("0"));
}

TEST_F(IpConfigDialog, CancelEscapeAndCloseClearAppliedButKeepTheTypedFields)
{
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"cancel", [this] { dlg->BCancel->click(); }},
        {"escape", [this] { dlg->reject(); }},
        {"close", [this] { dlg->close(); }}};
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        applyWith(QStringLiteral("1"), QStringLiteral("10.0.0.1"), QStringLiteral("2"));
        ASSERT_TRUE(dlg->Applied());
        dlg->show();
        dlg->ERemoteAddr->setText(QStringLiteral("10.9.9.9"));
        leave();
        EXPECT_FALSE(dlg->Applied());
        EXPECT_FALSE(dlg->isVisible());
        // The status bar shows what is typed, so the text survives; the properties do not change.
        EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("10.9.9.9"));
        EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("10.0.0.1"));
    }
}

TEST_F(IpConfigDialog, ExecuteStartsFromTheDriverAndWritesInOrderOnlyWhenApplied)
{
    TMirex_d& drv = *link.driver;
    ASSERT_EQ(drv.ConType(), CON_RS232);
    // Each change is noted with the driver's value at that moment.
    QStringList order;
    drv.OnIpRemoteAddresschange = [&](TMirex_d* d, int) {
        order << QStringLiteral("address ") + d->IpRemoteAddress();
    };
    drv.OnIpRemotePortchange = [&](TMirex_d* d, int) {
        order << QStringLiteral("remote %1").arg(d->IpRemotePort());
    };
    drv.OnIpLocalPortchange = [&](TMirex_d* d, int) {
        order << QStringLiteral("local %1").arg(d->IpLocalPort());
    };
    drv.OnConTypechange = [&](TMirex_d* d, int) {
        order << QStringLiteral("type %1").arg(int(d->ConType()));
    };
    // Runs the menu step with `user` acting on the modal dialog.
    auto execute = [&](std::function<void()> user) {
        order.clear();
        QTimer::singleShot(0, dlg.get(), [&] {
            user();
            EXPECT_TRUE(order.isEmpty()) << "nothing reaches the driver while the dialog decides";
            if (dlg->isVisible())
                dlg->BCancel->click(); // never leave the test blocked
        });
        return dlg->Execute();
    };

    // Opened over the serial link it shows TCP.
    EXPECT_TRUE(execute([&] {
        EXPECT_TRUE(dlg->RBTcp->isChecked());
        EXPECT_FALSE(dlg->ELocalPort->isEnabled());
        EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("192.168.0.10"));
        dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
        dlg->ERemotePort->setText(QStringLiteral("10600"));
        dlg->ELocalPort->setText(QStringLiteral("10700"));
        dlg->BOk->click();
    }));
    EXPECT_EQ(order, (QStringList{QStringLiteral("address 127.0.0.1"), QStringLiteral("remote 10600"),
                                  QStringLiteral("local 10700"), QStringLiteral("type 2")}));
    EXPECT_FALSE(link.serial->active);
    EXPECT_TRUE(link.tcp->active);
    EXPECT_TRUE(link.tcp->calls.contains(QStringLiteral("remote 127.0.0.1:10600")));

    EXPECT_TRUE(execute([&] {
        EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("10700"));
        dlg->RBUdp->click();
        dlg->BOk->click();
    }));
    EXPECT_EQ(order.last(), QStringLiteral("type 1"));
    EXPECT_TRUE(link.udp->active);

    // Cancelled: the next showing starts from the driver, and nothing reaches the driver.
    EXPECT_FALSE(execute([&] {
        EXPECT_EQ(dlg->Mode(), 1);
        dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.2"));
        dlg->BCancel->click();
    }));
    EXPECT_TRUE(order.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

// ---- TRs232LanDlg -------------------------------------------------------------------------------

class DeviceLanDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        link.connectSerial(); // set commands only go out while connected
        dlg = std::make_unique<TRs232LanDlg>(link.driver.get());
        dlg->ShowWarning = [this](const QString& text) { messages << text; };
    }
    void TearDown() override { dlg.reset(); }

    // The device reports its network settings (local 192.168.0.20:10501, remote
    // 192.168.0.30:10502, gateway 192.168.0.1, mask 255.255.255.0).
    void deviceReports(bool lanEnabled, bool tcp)
    {
        link.feed(QByteArrayLiteral("LANE") + (lanEnabled ? "1" : "0") + "\r\nTCP" + (tcp ? "1" : "0") +
                  "\r\nADIP0\r\nIPA_192\r\nIPB_168\r\nIPC_0\r\nADIP1\r\nIPD_20\r\nPORT10501\r\n"
                  "ADIP2\r\nIPD_30\r\nPORT10502\r\nADIP3\r\nIPD_1\r\nNTMK8\r\n");
        link.serial->written.clear();
    }

    QList<bool> enabledFields() const
    {
        QList<bool> states;
        for (const QLineEdit* field : {dlg->ELocalAddr, dlg->ELocalPort, dlg->EGatewayAddr, dlg->ENetMask,
                                       dlg->ERemoteAddr, dlg->ERemotePort})
            states << field->isEnabled();
        return states;
    }

    ScriptedDriver link;
    std::unique_ptr<TRs232LanDlg> dlg;
    QStringList messages;
};

TEST_F(DeviceLanDialog, ModeDecidesWhichFieldsAreEnabled)
{
    const QList<bool> all(6, true), none(6, false), local = {true, true, true, true, false, false};
    const std::vector<std::tuple<QRadioButton*, int, QList<bool>>> cases = {
        {dlg->RBUdp, 1, all}, {dlg->RBTcp, 2, local}, {dlg->RBRs232, 0, none}};
    for (const auto& [button, mode, states] : cases) {
        SCOPED_TRACE(mode);
        button->click();
        EXPECT_EQ(dlg->Mode(), mode);
        EXPECT_EQ(enabledFields(), states);
        dlg->setMode(1);
        dlg->setMode(mode);
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(enabledFields(), states);
    }
    dlg->setMode(1);
    dlg->setMode(5);
    EXPECT_EQ(dlg->Mode(), 5);
    EXPECT_FALSE(dlg->RBRs232->isChecked() || dlg->RBTcp->isChecked() || dlg->RBUdp->isChecked());
    EXPECT_EQ(enabledFields(), none);
}

TEST_F(DeviceLanDialog, LoadsModeAddressesPortsAndMaskFromTheMirror)
{
    // With the interface off the protocol flag does not matter.
    for (const auto& [lanEnabled, tcp, mode] :
         {std::tuple{true, true, 2}, {true, false, 1}, {false, true, 0}}) {
        deviceReports(lanEnabled, tcp);
        dlg->LoadFromDriver();
        EXPECT_EQ(dlg->Mode(), mode) << lanEnabled << tcp;
    }
    EXPECT_EQ((QStringList{dlg->ELocalAddr->text(), dlg->ELocalPort->text(), dlg->EGatewayAddr->text(),
                           dlg->ENetMask->text(), dlg->ERemoteAddr->text(), dlg->ERemotePort->text()}),
              (QStringList{QStringLiteral("192.168.0.20"), QStringLiteral("10501"),
                           QStringLiteral("192.168.0.1"), QStringLiteral("255.255.255.0"),
                           QStringLiteral("192.168.0.30"), QStringLiteral("10502")}));
    EXPECT_EQ(dlg->LocalPort(), 10501);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.30"));
    EXPECT_TRUE(link.serial->written.isEmpty()) << "reading the mirror sends nothing";
}

TEST_F(DeviceLanDialog, RefusesPortsThatAreNotIntegersOrNotPorts)
{
    struct Case {
        const char* localPort;
        const char* remotePort;
        const char* message;
    };
    const Case cases[] = {
        {"10500", "12x", "'12x' is not a valid integer value"},
        {"-1", "10500", "'-1' is not a valid port <0-65535>"},
        {"10500", "65536", "'65536' is not a valid port <0-65535>"},
    };
    // The number forms are ConnectionFields'; the ports are read even when their fields are disabled.
    dlg->setMode(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        dlg->show();
        dlg->ELocalPort->setText(QLatin1String(c.localPort));
        dlg->ERemotePort->setText(QLatin1String(c.remotePort));
        dlg->ELocalAddr->setText(QStringLiteral("10.1.1.1"));
        dlg->BOk->click();
        EXPECT_EQ(messages, QStringList{QLatin1String(c.message)});
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_FALSE(dlg->Applied());
        EXPECT_EQ(dlg->LocalAddr(), QString()) << "a refused Apply takes nothing";
    }
}

TEST_F(DeviceLanDialog, ApplyTakesEveryFieldWithoutCheckingAddressesUntilTheNextShowing)
{
    dlg->setMode(2);
    dlg->show();
    dlg->ELocalAddr->setText(QStringLiteral("not an address"));
    dlg->ELocalPort->setText(QStringLiteral("0"));
    dlg->EGatewayAddr->setText(QStringLiteral("1.2.3"));
    dlg->ENetMask->setText(QStringLiteral("255.0.0.0"));
    dlg->ERemoteAddr->setText(QStringLiteral("5.6.7.8"));
    dlg->ERemotePort->setText(QStringLiteral(" $FFFF"));
    dlg->BOk->click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg->Applied());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->LocalAddr(), QStringLiteral("not an address"));
    EXPECT_EQ(dlg->LocalPort(), 0);
    EXPECT_EQ(dlg->GatewayAddr(), QStringLiteral("1.2.3"));
    EXPECT_EQ(dlg->NetMask(), QStringLiteral("255.0.0.0"));
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("5.6.7.8"));
    EXPECT_EQ(dlg->RemotePort(), 65535);
    dlg->show();
    EXPECT_FALSE(dlg->Applied()) << "each showing starts unapplied";
}

TEST_F(DeviceLanDialog, ApplyWritesEveryFieldInOrderForTheChosenMode)
{
    struct Case {
        const char* name;
        bool lanEnabled, tcp;
        std::function<void()> edit;
        const char* written;
    };
    const std::vector<Case> cases = {
        // Tcp writes the remote fields too, though they are disabled.
        {"tcp", false, false,
         [this] {
             dlg->RBTcp->click();
             dlg->ELocalAddr->setText(QStringLiteral("10.0.0.5"));
             dlg->ENetMask->setText(QStringLiteral("255.255.0.0"));
         },
         "1nt 1na 10nw 0nx 0ny 5nz 2na 192nw 168nx 0ny 30nz 3na 192nw 168nx 0ny 1nz "
         "1na 10501np 2na 10502np 16nk 1ns 1ne"},
        {"udp", true, false,
         [this] {
             dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
             dlg->ERemotePort->setText(QStringLiteral("4000"));
         },
         "0nt 1na 192nw 168nx 0ny 20nz 2na 127nw 0nx 0ny 1nz 3na 192nw 168nx 0ny 1nz "
         "1na 10501np 2na 4000np 8nk 1ns 1ne"},
        {"rs232", true, true, [this] { dlg->RBRs232->click(); }, "0ne"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        deviceReports(c.lanEnabled, c.tcp);
        dlg->LoadFromDriver();
        dlg->show();
        c.edit();
        dlg->BOk->click();
        ASSERT_TRUE(dlg->Applied());
        EXPECT_TRUE(link.serial->written.isEmpty()) << "nothing reaches the device while the dialog is open";
        dlg->ApplyToDriver();
        EXPECT_EQ(link.serial->writtenText(), QLatin1String(c.written));
    }
}

TEST_F(DeviceLanDialog, ExitOrAModeOutsideTheThreeWritesNothing)
{
    deviceReports(true, true);
    dlg->LoadFromDriver();
    dlg->show();
    dlg->BCancel->click();
    dlg->ApplyToDriver();
    EXPECT_TRUE(link.serial->written.isEmpty());

    dlg->show();
    dlg->setMode(4);
    dlg->BOk->click();
    ASSERT_TRUE(dlg->Applied());
    dlg->ApplyToDriver();
    EXPECT_TRUE(link.serial->written.isEmpty());
}
} // namespace
