#include "Rs232LanDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ConnectionFields.h"
#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "IpText.h"

namespace tesso
{

using tesso::connection::integerFromText;
using tesso::connection::MaxPort;
using tesso::connection::named;
using tesso::connection::setFieldActive;

namespace
{
constexpr int ModeRs232 = 0;
constexpr int ModeUdp = 1;
constexpr int ModeTcp = 2;
} // namespace

Rs232LanDialog::Rs232LanDialog(DeviceDriver* driver, QWidget* parent) : ConnectionDialog(driver, parent)
{
    buildControls();
    tesso::guarded([this] { FormCreate(); });
}

Rs232LanDialog::~Rs232LanDialog() = default;

void Rs232LanDialog::buildControls()
{
    setObjectName(QStringLiteral("Rs232LanDlg"));
    setModal(true);

    GrpConnectionMode = named(new QGroupBox(QStringLiteral("Connection Mode"), this), "GrpConnectionMode");
    RBRs232 = named(new QRadioButton(QStringLiteral("Rs232"), GrpConnectionMode), "RBRs232");
    RBTcp = named(new QRadioButton(QStringLiteral("Tcp"), GrpConnectionMode), "RBTcp");
    RBUdp = named(new QRadioButton(QStringLiteral("Udp"), GrpConnectionMode), "RBUdp");
    auto* modeRow = new QHBoxLayout(GrpConnectionMode);
    modeRow->addWidget(RBRs232);
    modeRow->addWidget(RBTcp);
    modeRow->addWidget(RBUdp);

    LblLocalAddr = named(new QLabel(QStringLiteral("Local Address :"), this), "LblLocalAddr");
    ELocalAddr = named(new QLineEdit(this), "ELocalAddr");
    LblLocalPort = named(new QLabel(QStringLiteral("Local Port :"), this), "LblLocalPort");
    ELocalPort = named(new QLineEdit(this), "ELocalPort");
    LblGatewayAddr = named(new QLabel(QStringLiteral("Gateway :"), this), "LblGatewayAddr");
    EGatewayAddr = named(new QLineEdit(this), "EGatewayAddr");
    LblNetMask = named(new QLabel(QStringLiteral("NetMask :"), this), "LblNetMask");
    ENetMask = named(new QLineEdit(this), "ENetMask");
    LblRemoteAddr = named(new QLabel(QStringLiteral("Remote Address :"), this), "LblRemoteAddr");
    ERemoteAddr = named(new QLineEdit(this), "ERemoteAddr");
    LblRemotePort = named(new QLabel(QStringLiteral("Remote Port :"), this), "LblRemotePort");
    ERemotePort = named(new QLineEdit(this), "ERemotePort");
    auto* fields = new QFormLayout;
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {LblLocalAddr, ELocalAddr}, {LblLocalPort, ELocalPort},   {LblGatewayAddr, EGatewayAddr},
        {LblNetMask, ENetMask},     {LblRemoteAddr, ERemoteAddr}, {LblRemotePort, ERemotePort}};
    for (const auto& [caption, field] : rows) {
        fields->addRow(caption, field);
        caption->setBuddy(field); // its name for a screen reader
    }

    QHBoxLayout* buttons = buildButtons(QStringLiteral("Exit"));

    auto* page = new QVBoxLayout(this);
    page->addWidget(GrpConnectionMode);
    page->addLayout(fields);
    page->addStretch();
    page->addLayout(buttons);
    // Not resizable: the dialog takes the size its captions and fields ask for.
    page->setSizeConstraint(QLayout::SetFixedSize);

    // Qt calls these; nothing may escape into its event loop.
    connect(RBRs232, &QRadioButton::clicked, this, [this] { tesso::guarded([this] { chooseSerial(); }); });
    connect(RBTcp, &QRadioButton::clicked, this, [this] { tesso::guarded([this] { chooseTcp(); }); });
    connect(RBUdp, &QRadioButton::clicked, this, [this] { tesso::guarded([this] { chooseUdp(); }); });
}

void Rs232LanDialog::FormCreate()
{
    setWindowTitle(QStringLiteral("%1 LAN Setup").arg(QStringLiteral("Tesso")));
    setApplied(false);
    setMode(ModeRs232);
    setLocalPort(0);
    setRemotePort(0);
}

void Rs232LanDialog::checkModeButton(QRadioButton* button)
{
    if (button) {
        button->setChecked(true);
        return;
    }
    // A mode outside 0..2 checks none of the three.
    for (QRadioButton* each : {RBRs232, RBTcp, RBUdp}) {
        each->setAutoExclusive(false);
        each->setChecked(false);
        each->setAutoExclusive(true);
    }
}

void Rs232LanDialog::setMode(int mode)
{
    m_mode = mode;
    for (QLineEdit* field : {ELocalAddr, ELocalPort, EGatewayAddr, ENetMask, ERemoteAddr, ERemotePort})
        setFieldActive(field, false);
    switch (mode) {
    case ModeRs232:
        checkModeButton(RBRs232);
        break;
    case ModeUdp:
        checkModeButton(RBUdp);
        for (QLineEdit* field : {ELocalAddr, ELocalPort, EGatewayAddr, ENetMask, ERemoteAddr, ERemotePort})
            setFieldActive(field, true);
        break;
    case ModeTcp:
        // The device is the TCP server: it has no remote end of its own to set.
        checkModeButton(RBTcp);
        for (QLineEdit* field : {ELocalAddr, ELocalPort, EGatewayAddr, ENetMask})
            setFieldActive(field, true);
        break;
    default:
        checkModeButton(nullptr);
        break;
    }
}

void Rs232LanDialog::setLocalAddr(const QString& address)
{
    m_localAddr = address;
    ELocalAddr->setText(address);
}

void Rs232LanDialog::setRemoteAddr(const QString& address)
{
    m_remoteAddr = address;
    ERemoteAddr->setText(address);
}

void Rs232LanDialog::setGatewayAddr(const QString& address)
{
    m_gatewayAddr = address;
    EGatewayAddr->setText(address);
}

void Rs232LanDialog::setNetMask(const QString& mask)
{
    m_netMask = mask;
    ENetMask->setText(mask);
}

void Rs232LanDialog::setLocalPort(std::int32_t port)
{
    m_localPort = port;
    ELocalPort->setText(QString::number(port));
}

void Rs232LanDialog::setRemotePort(std::int32_t port)
{
    m_remotePort = port;
    ERemotePort->setText(QString::number(port));
}

void Rs232LanDialog::chooseSerial()
{
    setMode(ModeRs232);
}

void Rs232LanDialog::chooseTcp()
{
    setMode(ModeTcp);
}

void Rs232LanDialog::chooseUdp()
{
    setMode(ModeUdp);
}

void Rs232LanDialog::prepareToShow()
{
    setApplied(false);
}

bool Rs232LanDialog::readPort(const QLineEdit* field, std::int32_t& port)
{
    const QString text = field->text();
    const auto value = integerFromText(text);
    if (!value) {
        ShowWarning(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return false;
    }
    // The device would be sent a port it cannot use (a negative one is not even encodable).
    if (*value < 0 || *value > MaxPort) {
        ShowWarning(QStringLiteral("'%1' is not a valid port <0-%2>").arg(text).arg(MaxPort));
        return false;
    }
    port = *value;
    return true;
}

void Rs232LanDialog::applyChoice()
{
    // Every field counts whatever the mode; both ports are checked before anything is taken, so
    // a refused Apply leaves the properties as they were.
    std::int32_t localPort = 0;
    std::int32_t remotePort = 0;
    if (!readPort(ELocalPort, localPort) || !readPort(ERemotePort, remotePort))
        return;
    // Not checked (the device is sent what was typed), but a typed address is put into plain
    // decimal form: a leading zero would otherwise read as octal further on.
    setLocalAddr(tesso::canonicalOrAsTyped(ELocalAddr->text()));
    setLocalPort(localPort);
    setGatewayAddr(tesso::canonicalOrAsTyped(EGatewayAddr->text()));
    setNetMask(ENetMask->text());
    setRemoteAddr(tesso::canonicalOrAsTyped(ERemoteAddr->text()));
    setRemotePort(remotePort);
    setApplied(true);
    accept();
}

void Rs232LanDialog::LoadFromDriver()
{
    if (!Driver())
        return;
    const DeviceDriver& driver = *Driver();
    setMode(!driver.LANENABLE() ? ModeRs232 : (driver.TCPIP() ? ModeTcp : ModeUdp));
    setLocalAddr(driver.LOCAL_IP());
    setRemoteAddr(driver.REMOTE_IP());
    setGatewayAddr(driver.GATEWAY_IP());
    setLocalPort(driver.LOCAL_PORT());
    setRemotePort(driver.REMOTE_PORT());
    setNetMask(driver.NETMASK());
}

void Rs232LanDialog::ApplyToDriver()
{
    if (!Driver() || !Applied())
        return;
    DeviceDriver& driver = *Driver();
    if (m_mode == ModeUdp || m_mode == ModeTcp) {
        driver.setTCPIP(m_mode == ModeTcp);
        driver.setLOCAL_IP(m_localAddr);
        driver.setREMOTE_IP(m_remoteAddr);
        driver.setGATEWAY_IP(m_gatewayAddr);
        driver.setLOCAL_PORT(m_localPort);
        driver.setREMOTE_PORT(m_remotePort);
        driver.setNETMASK(m_netMask);
        // LANSTORE makes the device take the new settings; the interface is switched on last.
        driver.setLANSTORE(true);
        driver.setLANENABLE(true);
    } else if (m_mode == ModeRs232) {
        driver.setLANENABLE(false);
    }
}

} // namespace tesso
