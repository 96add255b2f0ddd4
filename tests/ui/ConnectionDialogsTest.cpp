// The two connection dialogs: field states, validation messages, and the exact sequence of
// driver writes after "Apply", recorded on in-memory links.

#include <array>
#include <functional>
#include <initializer_list>
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
#include "DeviceDriver.h"
#include "IpConfigDialog.h"
#include "Rs232LanDialog.h"
#include "TestLinks.h"

using namespace tesso;

namespace
{

using tesso::test::ScriptedDriver;

// ---- Number reading shared by both dialogs ------------------------------------------------------

// The port range on top of this is each dialog's, checked through its fields below.
TEST(ConnectionFields, NumbersAreReadAsTheProtocolWritesThem)
{
    using tesso::connection::integerFromText;
    const std::pair<const char*, int> integers[] = {{"10500", 10500}, {"  42", 42}, {"+7", 7},
                                                    {"-5", -5},       {"$10", 16},  {"0x1F", 31}};
    EXPECT_EQ(integerFromText(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(integerFromText(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const auto& [text, value] : integers)
        EXPECT_EQ(integerFromText(QString::fromUtf8(text)), value) << text;
    for (const char* text : {"", " ", "42 ", "4 2", "12x", "-", "2147483648", "-2147483649",
                             "99999999999999999999999", "\xef\xbc\x91\xef\xbc\x92" /* full-width 12 */})
        EXPECT_EQ(integerFromText(QString::fromUtf8(text)), std::nullopt) << text;
}

// A dialog on a driver with scripted links; its validation messages are collected, not shown.
template <typename Dialog> class DialogTest : public ::testing::Test
{
  protected:
    DialogTest() : dlg(std::make_unique<Dialog>(link.driver.get()))
    {
        dlg->ShowWarning = [this](const QString& text) { messages << text; };
    }

    void type(std::initializer_list<std::pair<QLineEdit*, const char*>> typed)
    {
        for (const auto& [field, text] : typed)
            field->setText(QString::fromUtf8(text));
    }
    // Shows the dialog, types into the given fields and presses "Apply".
    void typeAndApply(std::initializer_list<std::pair<QLineEdit*, const char*>> typed)
    {
        messages.clear();
        dlg->show();
        type(typed);
        dlg->BOk->click();
    }

    ScriptedDriver link;
    std::unique_ptr<Dialog> dlg;
    QStringList messages;
};

// ---- IpConfigDialog -------------------------------------------------------------------------------

class IpConfigDialogTest : public DialogTest<IpConfigDialog>
{
  protected:
    IpConfigDialogTest() { link.serial->active = true; } // as after choosing a COM port

    void applyWith(const char* localPort, const char* remoteAddr, const char* remotePort)
    {
        typeAndApply(
            {{dlg->ELocalPort, localPort}, {dlg->ERemoteAddr, remoteAddr}, {dlg->ERemotePort, remotePort}});
    }
};

TEST_F(IpConfigDialogTest, ModeEnablesLocalPortOnlyForUdpAndShowingMakesAnyOtherModeTcp)
{
    dlg->RBUdp->click();
    EXPECT_EQ(dlg->Mode(), LinkType::Udp);
    EXPECT_TRUE(dlg->ELocalPort->isEnabled());
    dlg->show();
    EXPECT_EQ(dlg->Mode(), LinkType::Udp) << "showing keeps UDP";
    dlg->hide();
    dlg->RBTcp->click();
    EXPECT_EQ(dlg->Mode(), LinkType::Tcp);
    EXPECT_FALSE(dlg->ELocalPort->isEnabled());
    // The serial link has no place in this dialog: showing it makes TCP.
    dlg->setMode(LinkType::Udp);
    dlg->setMode(LinkType::Serial);
    EXPECT_TRUE(dlg->RBTcp->isChecked());
    EXPECT_FALSE(dlg->ELocalPort->isEnabled());
    dlg->show();
    EXPECT_EQ(dlg->Mode(), LinkType::Tcp);
    dlg->hide();
}

TEST_F(IpConfigDialogTest, RefusesBadInputWithTheMessageOfTheFirstBadField)
{
    // The number forms are ConnectionFields'; here the port bounds, each field's message, and the
    // first bad field winning.
    const std::array<const char*, 4> cases[] = {
        {"65536", "10.0.0.1", "10500", "Choose a Local Port <0-65535>"},
        {"abc", "bad", "65536", "Choose a Local Port <0-65535>"},
        {"10500", "10.0.0.1", "-1", "Choose a Remote Port <0-65535>"},
        {"10500", "bad", "65536", "Choose a Remote Port <0-65535>"},
        {"10500", "192.168.0.256", "4000", "Remote IP address not Valid"},
    };
    for (const auto& [localPort, remoteAddr, remotePort, message] : cases) {
        SCOPED_TRACE(std::string(localPort) + " | " + remoteAddr + " | " + remotePort);
        applyWith(localPort, remoteAddr, remotePort);
        EXPECT_EQ(messages, QStringList{QLatin1String(message)});
        EXPECT_TRUE(dlg->isVisible()) << "the dialog stays open";
        EXPECT_FALSE(dlg->Applied());
        EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.10"));
        EXPECT_EQ(dlg->RemotePort(), 10500);
    }
}

TEST_F(IpConfigDialogTest, LocalPortIsTakenAtOnceAndBoundaryPortsAreAcceptedInPlainDecimal)
{
    // Even disabled and with another field bad, the local port is taken.
    dlg->setMode(LinkType::Tcp);
    ASSERT_FALSE(dlg->ELocalPort->isEnabled());
    applyWith("$10", "10.0.0.1", "70000");
    EXPECT_EQ(messages, QStringList{QStringLiteral("Choose a Remote Port <0-65535>")});
    EXPECT_EQ(dlg->LocalPort(), 16);
    EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("16")) << "rewritten in plain decimal";
    EXPECT_EQ(dlg->RemotePort(), 10500);

    // Leading spaces and zeros are accepted by the number reading; the address is kept in plain
    // decimal, since the socket layer would read "020" as octal 16.
    applyWith("65535", " 192.168.000.020", " 0");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg->Applied());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->LocalPort(), 65535);
    EXPECT_EQ(dlg->RemotePort(), 0);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.20"));
}

TEST_F(IpConfigDialogTest, CancelEscapeAndCloseClearAppliedButKeepTheTypedFields)
{
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"cancel", [this] { dlg->BCancel->click(); }},
        {"escape", [this] { dlg->reject(); }},
        {"close", [this] { dlg->close(); }}};
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        applyWith("1", "10.0.0.1", "2");
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

TEST_F(IpConfigDialogTest, ExecuteStartsFromTheDriverAndWritesInOrderOnlyWhenApplied)
{
    DeviceDriver& drv = *link.driver;
    // Each change is noted with the driver's value at that moment.
    QStringList order;
    QObject::connect(&drv, &DeviceDriver::connectionSettingChanged, [&](ConnectionSetting setting) {
        switch (setting) {
        case ConnectionSetting::RemoteAddress:
            order << QStringLiteral("address ") + drv.ipRemoteAddress();
            break;
        case ConnectionSetting::RemotePort:
            order << QStringLiteral("remote %1").arg(drv.ipRemotePort());
            break;
        case ConnectionSetting::LocalPort:
            order << QStringLiteral("local %1").arg(drv.ipLocalPort());
            break;
        case ConnectionSetting::Type:
            order << QStringLiteral("type %1").arg(static_cast<int>(drv.linkType()));
            break;
        }
    });
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

    EXPECT_TRUE(execute([&] {
        dlg->RBUdp->click();
        applyWith("10700", "127.0.0.1", "10600");
    }));
    EXPECT_EQ(order, (QStringList{QStringLiteral("address 127.0.0.1"), QStringLiteral("remote 10600"),
                                  QStringLiteral("local 10700"), QStringLiteral("type 1")}));

    // The next showing starts from the driver again, not from the dialog's last values.
    drv.setLinkType(LinkType::Tcp);
    drv.setIpRemotePort(10900);
    EXPECT_FALSE(execute([&] {
        EXPECT_TRUE(dlg->RBTcp->isChecked());
        EXPECT_EQ(dlg->ERemotePort->text(), QStringLiteral("10900"));
        dlg->RBUdp->click();
        dlg->BCancel->click();
    }));
    EXPECT_TRUE(order.isEmpty());
    EXPECT_EQ(drv.linkType(), LinkType::Tcp);
}

// ---- Rs232LanDialog -------------------------------------------------------------------------------

class DeviceLanDialog : public DialogTest<Rs232LanDialog>
{
  protected:
    DeviceLanDialog() { link.connectSerial(); } // set commands only go out while connected

    // The device reports its network settings (local 192.168.0.20:10501, remote
    // 192.168.0.30:10502, gateway 192.168.0.1, mask 255.255.255.0).
    void deviceReports(bool lanEnabled, bool tcp)
    {
        link.feed(QByteArrayLiteral("LANE") + (lanEnabled ? "1" : "0") + "\r\nTCP" + (tcp ? "1" : "0") +
                  "\r\nADIP0\r\nIPA_192\r\nIPB_168\r\nIPC_0\r\nADIP1\r\nIPD_20\r\nPORT10501\r\n"
                  "ADIP2\r\nIPD_30\r\nPORT10502\r\nADIP3\r\nIPD_1\r\nNTMK8\r\n");
        link.serial->written.clear();
    }
};

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
    EXPECT_TRUE(link.serial->written.isEmpty()) << "reading the mirror sends nothing";
}

TEST_F(DeviceLanDialog, RefusesPortsThatAreNotIntegersOrNotPorts)
{
    const std::array<const char*, 3> cases[] = {
        {"10500", "12x", "'12x' is not a valid integer value"},
        {"-1", "10500", "'-1' is not a valid port <0-65535>"},
        {"10500", "65536", "'65536' is not a valid port <0-65535>"},
    };
    // The number forms are ConnectionFields'; the ports are read even when their fields are disabled.
    dlg->setMode(0);
    for (const auto& [localPort, remotePort, message] : cases) {
        SCOPED_TRACE(message);
        typeAndApply(
            {{dlg->ELocalPort, localPort}, {dlg->ERemotePort, remotePort}, {dlg->ELocalAddr, "10.1.1.1"}});
        EXPECT_EQ(messages, QStringList{QLatin1String(message)});
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_FALSE(dlg->Applied());
        EXPECT_EQ(dlg->LocalAddr(), QString()) << "a refused Apply takes nothing";
    }
}

TEST_F(DeviceLanDialog, OnlyApplyWritesAndItWritesEveryFieldInOrderForTheChosenMode)
{
    struct Case {
        const char* name;
        bool lanEnabled, tcp; // as loaded
        int mode;             // then chosen in the dialog
        QPushButton* button;
        const char* written;
        std::function<void()> edit = [] {};
    };
    const Case cases[] = {
        // Tcp writes the remote fields too, though they are disabled.
        {"tcp", false, false, 2, dlg->BOk,
         "1nt 1na 10nw 0nx 0ny 5nz 2na 192nw 168nx 0ny 30nz 3na 192nw 168nx 0ny 1nz 1na 0np 2na 10502np 16nk "
         "1ns 1ne",
         [this] {
             type({{dlg->ELocalAddr, "10.0.0.5"}, {dlg->ELocalPort, "0"}, {dlg->ENetMask, "255.255.0.0"}});
         }},
        // Addresses are not checked here: a gateway that is none is taken, and the driver skips it.
        {"udp", true, false, 1, dlg->BOk,
         "0nt 1na 192nw 168nx 0ny 20nz 2na 127nw 0nx 0ny 1nz 1na 10501np 2na 65535np 8nk 1ns 1ne",
         [this] {
             type({{dlg->EGatewayAddr, "1.2.3"},
                   {dlg->ERemoteAddr, "127.0.0.1"},
                   {dlg->ERemotePort, " $FFFF"}});
         }},
        {"rs232", true, true, 0, dlg->BOk, "0ne"},
        {"a mode outside the three", true, true, 4, dlg->BOk, ""},
        {"exit", true, true, 2, dlg->BCancel, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        deviceReports(c.lanEnabled, c.tcp);
        dlg->LoadFromDriver();
        dlg->show();
        EXPECT_FALSE(dlg->Applied()) << "each showing starts unapplied";
        dlg->setMode(c.mode);
        c.edit();
        c.button->click();
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_TRUE(link.serial->written.isEmpty()) << "nothing reaches the device while the dialog is open";
        dlg->ApplyToDriver();
        EXPECT_EQ(link.serial->writtenText(), QLatin1String(c.written));
    }
}
} // namespace
