// The two connection dialogs: field states, validation messages, and the exact sequence of
// driver writes after "Apply", recorded on in-memory links.

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
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

// A driver on in-memory links; the serial link starts open, as after choosing a COM port.
struct LinkedDriver : tesso::test::ScriptedDriver {
    LinkedDriver() { serial->active = true; }

    // Set commands only go out while connected: force the connection and take one timer step.
    void connect()
    {
        driver->setForceConn(true);
        timer->fire();
        ASSERT_TRUE(driver->Connected());
        serial->written.clear();
    }

    // Reply lines from the device, each ended with CR LF.
    void reply(const QStringList& lines)
    {
        for (const QString& line : lines)
            serial->deliver(line.toLatin1() + QByteArrayLiteral("\r\n"));
    }
};

QString artefactPath(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

// ---- Number reading shared by both dialogs ------------------------------------------------------

TEST(ConnectionFields, IntegersAreReadAsTheProtocolWritesThem)
{
    using tesso::connection::integerFromText;
    EXPECT_EQ(integerFromText(QStringLiteral("10500")), 10500);
    EXPECT_EQ(integerFromText(QStringLiteral("  42")), 42);
    EXPECT_EQ(integerFromText(QStringLiteral("+7")), 7);
    EXPECT_EQ(integerFromText(QStringLiteral("-5")), -5);
    EXPECT_EQ(integerFromText(QStringLiteral("$10")), 16);
    EXPECT_EQ(integerFromText(QStringLiteral("0x1F")), 31);
    EXPECT_EQ(integerFromText(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(integerFromText(QStringLiteral("-2147483648")), -2147483647 - 1);

    EXPECT_FALSE(integerFromText(QString()));
    EXPECT_FALSE(integerFromText(QStringLiteral(" ")));
    EXPECT_FALSE(integerFromText(QStringLiteral("42 ")));
    EXPECT_FALSE(integerFromText(QStringLiteral("4 2")));
    EXPECT_FALSE(integerFromText(QStringLiteral("12x")));
    EXPECT_FALSE(integerFromText(QStringLiteral("-")));
    EXPECT_FALSE(integerFromText(QStringLiteral("2147483648")));
    EXPECT_FALSE(integerFromText(QStringLiteral("-2147483649")));
    EXPECT_FALSE(integerFromText(QStringLiteral("99999999999999999999999")));
    EXPECT_FALSE(integerFromText(QStringLiteral("１２"))); // full-width digits are not digits
}

TEST(ConnectionFields, PortsRunFromZeroTo65535)
{
    using tesso::connection::portFromText;
    EXPECT_EQ(portFromText(QStringLiteral("0")), 0);
    EXPECT_EQ(portFromText(QStringLiteral("65535")), 65535);
    EXPECT_FALSE(portFromText(QStringLiteral("65536")));
    EXPECT_FALSE(portFromText(QStringLiteral("-1")));
    EXPECT_FALSE(portFromText(QStringLiteral("port")));
}

// ---- TIPConfigDlg -------------------------------------------------------------------------------

class IpConfigDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
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

    LinkedDriver link;
    std::unique_ptr<TIPConfigDlg> dlg;
    QStringList messages;
};

TEST_F(IpConfigDialog, HasItsCaptionSizeControlsAndDesignTexts)
{
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("LAN Setup"));
    EXPECT_EQ(dlg->size(), QSize(263, 247));
    EXPECT_EQ(dlg->findChild<QGroupBox*>(QStringLiteral("GrpConnectionMode"))->title(),
              QStringLiteral("Connection Mode"));
    EXPECT_EQ(dlg->findChild<QRadioButton*>(QStringLiteral("RBTcp"))->text(), QStringLiteral("Tcp"));
    EXPECT_EQ(dlg->findChild<QRadioButton*>(QStringLiteral("RBUdp"))->text(), QStringLiteral("Udp"));
    EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("ELocalPort"))->text(), QStringLiteral("10500"));
    EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("ERemoteAddr"))->text(),
              QStringLiteral("192.168.0.10"));
    EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("ERemotePort"))->text(), QStringLiteral("10500"));
    EXPECT_EQ(dlg->findChild<QPushButton*>(QStringLiteral("BOk"))->text(), QStringLiteral("Apply"));
    EXPECT_EQ(dlg->findChild<QPushButton*>(QStringLiteral("BCancel"))->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dlg->LblLocalPort->text(), QStringLiteral("Local Port :"));
    EXPECT_EQ(dlg->LblRemoteAddr->text(), QStringLiteral("Remote IP Address :"));
    EXPECT_EQ(dlg->LblRemotePort->text(), QStringLiteral("Remote Port :"));
    EXPECT_EQ(dlg->LocalPort(), 10500);
    EXPECT_EQ(dlg->RemotePort(), 10500);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.10"));
    EXPECT_FALSE(dlg->Applied());
}

TEST_F(IpConfigDialog, ModeChecksItsButtonAndEnablesLocalPortOnlyForUdp)
{
    dlg->setMode(CON_UDP);
    EXPECT_TRUE(dlg->RBUdp->isChecked());
    EXPECT_TRUE(dlg->ELocalPort->isEnabled());

    for (int mode : {int(CON_TCP), int(CON_RS232), 7, -1}) {
        SCOPED_TRACE(mode);
        dlg->setMode(CON_UDP);
        dlg->setMode(mode);
        EXPECT_EQ(dlg->Mode(), mode);
        EXPECT_TRUE(dlg->RBTcp->isChecked());
        EXPECT_FALSE(dlg->RBUdp->isChecked());
        EXPECT_FALSE(dlg->ELocalPort->isEnabled());
    }
    // Remote fields are never disabled.
    EXPECT_TRUE(dlg->ERemoteAddr->isEnabled());
    EXPECT_TRUE(dlg->ERemotePort->isEnabled());
}

TEST_F(IpConfigDialog, DisabledFieldIsPaintedDifferentlyFromAnEnabledOne)
{
    dlg->setMode(CON_UDP);
    const QColor enabled = dlg->ELocalPort->palette().color(QPalette::Base);
    dlg->setMode(CON_TCP);
    const QColor disabled = dlg->ELocalPort->palette().color(QPalette::Disabled, QPalette::Base);
    EXPECT_NE(enabled, disabled);
    EXPECT_EQ(disabled, tesso::connection::inactiveFieldColour(dlg->ELocalPort));
    EXPECT_EQ(dlg->ERemoteAddr->palette().color(QPalette::Base), enabled);
}

TEST_F(IpConfigDialog, RadioButtonsWriteMode)
{
    dlg->setMode(CON_TCP);
    dlg->RBUdp->click();
    EXPECT_EQ(dlg->Mode(), 1);
    EXPECT_TRUE(dlg->ELocalPort->isEnabled());
    dlg->RBTcp->click();
    EXPECT_EQ(dlg->Mode(), 2);
    EXPECT_FALSE(dlg->ELocalPort->isEnabled());
}

TEST_F(IpConfigDialog, ShowingTurnsAnyModeButUdpAndTcpIntoTcp)
{
    for (int mode : {0, 3, -4}) {
        SCOPED_TRACE(mode);
        dlg->setMode(mode);
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
    const Case cases[] = {
        {"65536", "10.0.0.1", "10500", "Choose a Local Port <0-65535>"},
        {"-1", "10.0.0.1", "10500", "Choose a Local Port <0-65535>"},
        {"", "10.0.0.1", "10500", "Choose a Local Port <0-65535>"},
        {"abc", "bad", "65536", "Choose a Local Port <0-65535>"},
        {"10500", "10.0.0.1", "65536", "Choose a Remote Port <0-65535>"},
        {"10500", "10.0.0.1", "1e3", "Choose a Remote Port <0-65535>"},
        {"10500", "bad", "-3", "Choose a Remote Port <0-65535>"},
        {"10500", "192.168.0.256", "10500", "Remote IP address not Valid"},
        {"10500", "192.168.0", "10500", "Remote IP address not Valid"},
        {"10500", "192.168.0.1.5", "10500", "Remote IP address not Valid"},
        {"10500", "", "10500", "Remote IP address not Valid"},
        {"10500", "a.b.c.d", "10500", "Remote IP address not Valid"},
        {"10500", "192.168.-1.1", "10500", "Remote IP address not Valid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1 | %2 | %3")
                .arg(QLatin1String(c.localPort), QLatin1String(c.remoteAddr), QLatin1String(c.remotePort))
                .toStdString());
        messages.clear();
        applyWith(QLatin1String(c.localPort), QLatin1String(c.remoteAddr), QLatin1String(c.remotePort));
        EXPECT_EQ(messages, QStringList{QLatin1String(c.message)});
        EXPECT_TRUE(dlg->isVisible()) << "the dialog stays open";
        EXPECT_FALSE(dlg->Applied());
        EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.10"));
        EXPECT_EQ(dlg->RemotePort(), 10500);
    }
}

TEST_F(IpConfigDialog, LocalPortIsTakenAtOnceEvenWhenDisabledAndTheRestFails)
{
    dlg->setMode(CON_TCP);
    ASSERT_FALSE(dlg->ELocalPort->isEnabled());
    applyWith(QStringLiteral("$10"), QStringLiteral("10.0.0.1"), QStringLiteral("70000"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Choose a Remote Port <0-65535>")});
    EXPECT_EQ(dlg->LocalPort(), 16);
    EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("16")) << "rewritten in plain decimal";
    EXPECT_EQ(dlg->RemotePort(), 10500);
}

TEST_F(IpConfigDialog, AcceptsBoundaryPortsAndKeepsTheAddressAsTyped)
{
    applyWith(QStringLiteral("0"), QStringLiteral("10.0.0.1"), QStringLiteral("65535"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(dlg->Applied());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->LocalPort(), 0);
    EXPECT_EQ(dlg->RemotePort(), 65535);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("10.0.0.1"));

    // Leading spaces are accepted by the number reading; the address text stays as typed.
    applyWith(QStringLiteral("65535"), QStringLiteral(" 10.0.0.01"), QStringLiteral(" 0"));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral(" 10.0.0.01"));
    EXPECT_EQ(dlg->ERemotePort->text(), QStringLiteral("0"));
}

TEST_F(IpConfigDialog, CancelEscapeAndCloseClearAppliedButKeepTheTypedFields)
{
    applyWith(QStringLiteral("1"), QStringLiteral("10.0.0.1"), QStringLiteral("2"));
    ASSERT_TRUE(dlg->Applied());

    dlg->show();
    dlg->ERemoteAddr->setText(QStringLiteral("10.9.9.9"));
    dlg->ERemotePort->setText(QStringLiteral("999"));
    dlg->BCancel->click();
    EXPECT_FALSE(dlg->Applied());
    EXPECT_FALSE(dlg->isVisible());
    // The status bar shows what is typed, so the text survives the cancel; the properties do not change.
    EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("10.9.9.9"));
    EXPECT_EQ(dlg->ERemotePort->text(), QStringLiteral("999"));
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(dlg->RemotePort(), 2);

    applyWith(QStringLiteral("1"), QStringLiteral("10.0.0.1"), QStringLiteral("2"));
    ASSERT_TRUE(dlg->Applied());
    dlg->show();
    dlg->reject(); // Escape
    EXPECT_FALSE(dlg->Applied());

    applyWith(QStringLiteral("1"), QStringLiteral("10.0.0.1"), QStringLiteral("2"));
    ASSERT_TRUE(dlg->Applied());
    dlg->show();
    dlg->close(); // the window's close button
    EXPECT_FALSE(dlg->Applied());
}

TEST_F(IpConfigDialog, OpenedOverASerialLinkShowsTcpAndAppliesInOrder)
{
    TMirex_d& drv = *link.driver;
    drv.setIpRemoteAddress(QStringLiteral("192.168.0.10"));
    ASSERT_EQ(drv.ConType(), CON_RS232);

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

    dlg->LoadFromDriver();
    EXPECT_EQ(dlg->Mode(), 0);
    dlg->show();
    EXPECT_EQ(dlg->Mode(), 2);
    EXPECT_TRUE(dlg->RBTcp->isChecked());
    EXPECT_FALSE(dlg->ELocalPort->isEnabled());
    EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("192.168.0.10"));

    dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
    dlg->ERemotePort->setText(QStringLiteral("10600"));
    dlg->ELocalPort->setText(QStringLiteral("10700"));
    dlg->BOk->click();
    ASSERT_TRUE(dlg->Applied());
    EXPECT_TRUE(order.isEmpty()) << "nothing reaches the driver while the dialog decides";

    dlg->ApplyToDriver();
    EXPECT_EQ(order, (QStringList{QStringLiteral("address 127.0.0.1"), QStringLiteral("remote 10600"),
                                  QStringLiteral("local 10700"), QStringLiteral("type 2")}));
    EXPECT_EQ(drv.ConType(), CON_TCP);
    EXPECT_FALSE(link.serial->active);
    EXPECT_TRUE(link.tcp->active);
    EXPECT_TRUE(link.tcp->calls.contains(QStringLiteral("remote 127.0.0.1:10600")));
}

TEST_F(IpConfigDialog, CancelledOrNotAppliedWritesNothing)
{
    TMirex_d& drv = *link.driver;
    int changes = 0;
    drv.OnIpRemoteAddresschange = drv.OnIpRemotePortchange = drv.OnIpLocalPortchange =
        drv.OnConTypechange = [&](TMirex_d*, int) { ++changes; };
    dlg->LoadFromDriver();
    dlg->show();
    dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
    dlg->BCancel->click();
    dlg->ApplyToDriver();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(drv.IpRemoteAddress(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(drv.ConType(), CON_RS232);
}

TEST_F(IpConfigDialog, ExecuteRunsTheWholeMenuStepModally)
{
    TMirex_d& drv = *link.driver;
    QTimer::singleShot(0, dlg.get(), [this] {
        dlg->RBUdp->click();
        dlg->ELocalPort->setText(QStringLiteral("10800"));
        dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
        dlg->BOk->click();
        if (dlg->isVisible())
            dlg->BCancel->click(); // never leave the test blocked
    });
    EXPECT_TRUE(dlg->Execute());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(drv.ConType(), CON_UDP);
    EXPECT_EQ(drv.IpRemoteAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(drv.IpLocalPort(), 10800);
    EXPECT_TRUE(link.udp->active);

    // Cancelled: the next showing starts from the driver and changes nothing.
    QTimer::singleShot(0, dlg.get(), [this] {
        EXPECT_EQ(dlg->Mode(), 1);
        EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("10800"));
        dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.2"));
        dlg->BCancel->click();
    });
    EXPECT_FALSE(dlg->Execute());
    EXPECT_EQ(drv.IpRemoteAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(drv.ConType(), CON_UDP);
}

// ---- TRs232LanDlg -------------------------------------------------------------------------------

class DeviceLanDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        link.connect();
        dlg = std::make_unique<TRs232LanDlg>(link.driver.get());
        dlg->ShowWarning = [this](const QString& text) { messages << text; };
    }
    void TearDown() override { dlg.reset(); }

    // The device reports its network settings (local 192.168.0.20:10501, remote
    // 192.168.0.30:10502, gateway 192.168.0.1, mask 255.255.255.0).
    void deviceReports(bool lanEnabled, bool tcp)
    {
        link.reply({QStringLiteral("LANE%1").arg(lanEnabled ? 1 : 0),
                    QStringLiteral("TCP%1").arg(tcp ? 1 : 0), QStringLiteral("ADIP0"),
                    QStringLiteral("IPA_192"), QStringLiteral("IPB_168"), QStringLiteral("IPC_0"),
                    QStringLiteral("ADIP1"), QStringLiteral("IPD_20"), QStringLiteral("PORT10501"),
                    QStringLiteral("ADIP2"), QStringLiteral("IPD_30"), QStringLiteral("PORT10502"),
                    QStringLiteral("ADIP3"), QStringLiteral("IPD_1"), QStringLiteral("NTMK8")});
        link.serial->written.clear();
    }

    QList<QLineEdit*> fields() const
    {
        return {dlg->ELocalAddr, dlg->ELocalPort,  dlg->EGatewayAddr,
                dlg->ENetMask,   dlg->ERemoteAddr, dlg->ERemotePort};
    }
    QList<bool> enabledFields() const
    {
        QList<bool> states;
        for (const QLineEdit* field : fields())
            states << field->isEnabled();
        return states;
    }

    LinkedDriver link;
    std::unique_ptr<TRs232LanDlg> dlg;
    QStringList messages;
};

TEST_F(DeviceLanDialog, HasItsCaptionSizeAndControls)
{
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Tesso LAN Setup"));
    EXPECT_EQ(dlg->size(), QSize(337, 344));
    EXPECT_EQ(dlg->GrpConnectionMode->title(), QStringLiteral("Connection Mode"));
    const QList<std::pair<const char*, const char*>> buttons = {
        {"RBRs232", "Rs232"}, {"RBTcp", "Tcp"}, {"RBUdp", "Udp"}};
    for (const auto& [name, text] : buttons)
        EXPECT_EQ(dlg->findChild<QRadioButton*>(QLatin1String(name))->text(), QLatin1String(text)) << name;
    EXPECT_EQ(dlg->findChild<QPushButton*>(QStringLiteral("BOk"))->text(), QStringLiteral("Apply"));
    EXPECT_EQ(dlg->findChild<QPushButton*>(QStringLiteral("BCancel"))->text(), QStringLiteral("Exit"));

    const QStringList names = {QStringLiteral("ELocalAddr"),   QStringLiteral("ELocalPort"),
                               QStringLiteral("EGatewayAddr"), QStringLiteral("ENetMask"),
                               QStringLiteral("ERemoteAddr"),  QStringLiteral("ERemotePort")};
    const QList<QLabel*> labels = {dlg->LblLocalAddr, dlg->LblLocalPort,  dlg->LblGatewayAddr,
                                   dlg->LblNetMask,   dlg->LblRemoteAddr, dlg->LblRemotePort};
    const QStringList captions = {QStringLiteral("Local Address :"),  QStringLiteral("Local Port :"),
                                  QStringLiteral("Gateway :"),        QStringLiteral("NetMask :"),
                                  QStringLiteral("Remote Address :"), QStringLiteral("Remote Port :")};
    dlg->show();
    for (int i = 0; i < names.size(); ++i) {
        QLineEdit* field = dlg->findChild<QLineEdit*>(names[i]);
        ASSERT_NE(field, nullptr) << names[i].toStdString();
        EXPECT_EQ(labels[i]->text(), captions[i]);
        // Top to bottom in the listed order, each label on its field's row.
        EXPECT_LT(std::abs(labels[i]->geometry().center().y() - field->geometry().center().y()),
                  field->height());
        if (i > 0) {
            EXPECT_GT(field->y(), dlg->findChild<QLineEdit*>(names[i - 1])->y()) << names[i].toStdString();
        }
    }
    EXPECT_FALSE(dlg->Applied());
}

TEST_F(DeviceLanDialog, ModeDecidesWhichFieldsAreEnabled)
{
    dlg->setMode(1);
    EXPECT_TRUE(dlg->RBUdp->isChecked());
    EXPECT_EQ(enabledFields(), (QList<bool>{true, true, true, true, true, true}));

    dlg->setMode(2);
    EXPECT_TRUE(dlg->RBTcp->isChecked());
    EXPECT_EQ(enabledFields(), (QList<bool>{true, true, true, true, false, false}));

    dlg->setMode(0);
    EXPECT_TRUE(dlg->RBRs232->isChecked());
    EXPECT_EQ(enabledFields(), (QList<bool>{false, false, false, false, false, false}));

    dlg->setMode(1);
    dlg->setMode(5);
    EXPECT_EQ(dlg->Mode(), 5);
    EXPECT_FALSE(dlg->RBRs232->isChecked() || dlg->RBTcp->isChecked() || dlg->RBUdp->isChecked());
    EXPECT_EQ(enabledFields(), (QList<bool>{false, false, false, false, false, false}));
}

TEST_F(DeviceLanDialog, RadioButtonsWriteZeroTwoAndOne)
{
    dlg->RBUdp->click();
    EXPECT_EQ(dlg->Mode(), 1);
    dlg->RBTcp->click();
    EXPECT_EQ(dlg->Mode(), 2);
    EXPECT_FALSE(dlg->ERemoteAddr->isEnabled());
    dlg->RBRs232->click();
    EXPECT_EQ(dlg->Mode(), 0);
    EXPECT_FALSE(dlg->ELocalAddr->isEnabled());
}

TEST_F(DeviceLanDialog, LoadsModeAddressesPortsAndMaskFromTheMirror)
{
    deviceReports(true, true);
    dlg->LoadFromDriver();
    EXPECT_EQ(dlg->Mode(), 2);
    EXPECT_EQ(dlg->ELocalAddr->text(), QStringLiteral("192.168.0.20"));
    EXPECT_EQ(dlg->ERemoteAddr->text(), QStringLiteral("192.168.0.30"));
    EXPECT_EQ(dlg->EGatewayAddr->text(), QStringLiteral("192.168.0.1"));
    EXPECT_EQ(dlg->ENetMask->text(), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(dlg->ELocalPort->text(), QStringLiteral("10501"));
    EXPECT_EQ(dlg->ERemotePort->text(), QStringLiteral("10502"));
    EXPECT_EQ(dlg->LocalPort(), 10501);
    EXPECT_EQ(dlg->RemoteAddr(), QStringLiteral("192.168.0.30"));
    EXPECT_TRUE(link.serial->written.isEmpty()) << "reading the mirror sends nothing";

    deviceReports(true, false);
    dlg->LoadFromDriver();
    EXPECT_EQ(dlg->Mode(), 1);

    // With the interface off the protocol flag does not matter.
    deviceReports(false, true);
    dlg->LoadFromDriver();
    EXPECT_EQ(dlg->Mode(), 0);
}

TEST_F(DeviceLanDialog, RefusesPortsThatAreNotIntegersOrNotPorts)
{
    struct Case {
        const char* localPort;
        const char* remotePort;
        const char* message;
    };
    const Case cases[] = {
        {"abc", "10500", "'abc' is not a valid integer value"},
        {"10500", "12x", "'12x' is not a valid integer value"},
        {"", "10500", "'' is not a valid integer value"},
        {"10500 ", "x", "'10500 ' is not a valid integer value"},
        {"-1", "10500", "'-1' is not a valid port <0-65535>"},
        {"10500", "65536", "'65536' is not a valid port <0-65535>"},
        {"99999999999", "10500", "'99999999999' is not a valid integer value"},
    };
    dlg->setMode(0); // the ports are read even when their fields are disabled
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

TEST_F(DeviceLanDialog, ApplyTakesEveryFieldWithoutCheckingAddresses)
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
}

TEST_F(DeviceLanDialog, ShowingAndExitClearApplied)
{
    dlg->show();
    dlg->BOk->click();
    ASSERT_TRUE(dlg->Applied());
    dlg->show();
    EXPECT_FALSE(dlg->Applied()) << "each showing starts unapplied";
    dlg->BOk->click();
    ASSERT_TRUE(dlg->Applied());
    dlg->BCancel->click();
    EXPECT_FALSE(dlg->Applied());
}

TEST_F(DeviceLanDialog, TcpWritesEverythingInOrderIncludingTheDisabledRemoteFields)
{
    deviceReports(false, false);
    dlg->LoadFromDriver();
    dlg->show();
    dlg->RBTcp->click();
    ASSERT_FALSE(dlg->ERemoteAddr->isEnabled());
    dlg->ELocalAddr->setText(QStringLiteral("10.0.0.5"));
    dlg->ENetMask->setText(QStringLiteral("255.255.0.0"));
    dlg->BOk->click();
    ASSERT_TRUE(dlg->Applied());
    EXPECT_TRUE(link.serial->written.isEmpty()) << "nothing reaches the device while the dialog is open";

    dlg->ApplyToDriver();
    EXPECT_EQ(link.serial->writtenText(), QStringLiteral("1nt "
                                                         "1na 10nw 0nx 0ny 5nz "
                                                         "2na 192nw 168nx 0ny 30nz "
                                                         "3na 192nw 168nx 0ny 1nz "
                                                         "1na 10501np "
                                                         "2na 10502np "
                                                         "16nk "
                                                         "1ns "
                                                         "1ne"));
}

TEST_F(DeviceLanDialog, UdpStartsWithTcpipFalse)
{
    deviceReports(true, false);
    dlg->LoadFromDriver();
    dlg->show();
    dlg->ERemoteAddr->setText(QStringLiteral("127.0.0.1"));
    dlg->ERemotePort->setText(QStringLiteral("4000"));
    dlg->BOk->click();
    dlg->ApplyToDriver();
    EXPECT_EQ(link.serial->writtenText(),
              QStringLiteral("0nt 1na 192nw 168nx 0ny 20nz 2na 127nw 0nx 0ny 1nz 3na 192nw 168nx 0ny 1nz "
                             "1na 10501np 2na 4000np 8nk 1ns 1ne"));
}

TEST_F(DeviceLanDialog, Rs232WritesOnlyLanEnableFalse)
{
    deviceReports(true, true);
    dlg->LoadFromDriver();
    dlg->show();
    dlg->RBRs232->click();
    dlg->BOk->click();
    dlg->ApplyToDriver();
    EXPECT_EQ(link.serial->writtenText(), QStringLiteral("0ne"));
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

TEST_F(DeviceLanDialog, ExecuteReadsTheMirrorShowsModallyAndWrites)
{
    deviceReports(true, true);
    QTimer::singleShot(0, dlg.get(), [this] {
        EXPECT_EQ(dlg->ELocalAddr->text(), QStringLiteral("192.168.0.20"));
        dlg->RBRs232->click();
        dlg->BOk->click();
        if (dlg->isVisible())
            dlg->BCancel->click(); // never leave the test blocked
    });
    EXPECT_TRUE(dlg->Execute());
    EXPECT_EQ(link.serial->writtenText(), QStringLiteral("0ne"));
}

// ---- Pictures for a person to look at (no pixel checks) -----------------------------------------

TEST(ConnectionDialogPictures, RenderBothDialogs)
{
    LinkedDriver link;
    link.connect();
    link.reply({QStringLiteral("LANE1"), QStringLiteral("TCP1"), QStringLiteral("ADIP0"),
                QStringLiteral("IPA_192"), QStringLiteral("IPB_168"), QStringLiteral("IPC_0"),
                QStringLiteral("IPD_20"), QStringLiteral("NTMK8")});

    TIPConfigDlg ip(link.driver.get());
    ip.LoadFromDriver();
    ip.show();
    EXPECT_TRUE(ip.grab().save(artefactPath(QStringLiteral("connection-ipconfig-tcp.png"))));
    ip.RBUdp->click();
    EXPECT_TRUE(ip.grab().save(artefactPath(QStringLiteral("connection-ipconfig-udp.png"))));

    TRs232LanDlg lan(link.driver.get());
    lan.LoadFromDriver();
    lan.show();
    EXPECT_TRUE(lan.grab().save(artefactPath(QStringLiteral("connection-lansetup-tcp.png"))));
    lan.RBUdp->click();
    EXPECT_TRUE(lan.grab().save(artefactPath(QStringLiteral("connection-lansetup-udp.png"))));
    lan.RBRs232->click();
    EXPECT_TRUE(lan.grab().save(artefactPath(QStringLiteral("connection-lansetup-rs232.png"))));
}

} // namespace
