#include "IpConfigDialog.h"

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
#include "LanDefaults.h"

namespace tesso
{

using tesso::connection::named;
using tesso::connection::portFromText;
using tesso::connection::setFieldActive;

IpConfigDialog::IpConfigDialog(DeviceDriver* driver, QWidget* parent) : ConnectionDialog(driver, parent)
{
    buildControls();
    setMode(LinkType::Tcp);
    setLocalPort(tesso::lan::DefaultPort);
    setRemoteAddr(QLatin1String(tesso::lan::DefaultAddress));
    setRemotePort(tesso::lan::DefaultPort);
}

IpConfigDialog::~IpConfigDialog() = default;

void IpConfigDialog::buildControls()
{
    setObjectName(QStringLiteral("IPConfigDlg"));
    setWindowTitle(QStringLiteral("LAN Setup"));
    setModal(true);

    GrpConnectionMode = named(new QGroupBox(QStringLiteral("Connection Mode"), this), "GrpConnectionMode");
    RBTcp = named(new QRadioButton(QStringLiteral("Tcp"), GrpConnectionMode), "RBTcp");
    RBUdp = named(new QRadioButton(QStringLiteral("Udp"), GrpConnectionMode), "RBUdp");
    auto* modeRow = new QHBoxLayout(GrpConnectionMode);
    modeRow->addWidget(RBTcp);
    modeRow->addWidget(RBUdp);

    LblLocalPort = named(new QLabel(QStringLiteral("Local Port :"), this), "LblLocalPort");
    ELocalPort = named(new QLineEdit(QString::number(tesso::lan::DefaultPort), this), "ELocalPort");
    LblRemoteAddr = named(new QLabel(QStringLiteral("Remote IP Address :"), this), "LblRemoteAddr");
    ERemoteAddr = named(new QLineEdit(QLatin1String(tesso::lan::DefaultAddress), this), "ERemoteAddr");
    LblRemotePort = named(new QLabel(QStringLiteral("Remote Port :"), this), "LblRemotePort");
    ERemotePort = named(new QLineEdit(QString::number(tesso::lan::DefaultPort), this), "ERemotePort");
    auto* fields = new QFormLayout;
    fields->addRow(LblLocalPort, ELocalPort);
    fields->addRow(LblRemoteAddr, ERemoteAddr);
    fields->addRow(LblRemotePort, ERemotePort);
    // The caption beside each field is its name for a screen reader.
    LblLocalPort->setBuddy(ELocalPort);
    LblRemoteAddr->setBuddy(ERemoteAddr);
    LblRemotePort->setBuddy(ERemotePort);

    QHBoxLayout* buttons = buildButtons(QStringLiteral("Cancel"));

    auto* page = new QVBoxLayout(this);
    page->addWidget(GrpConnectionMode);
    page->addLayout(fields);
    page->addStretch();
    page->addLayout(buttons);
    // Not resizable: the dialog takes the size its captions and fields ask for.
    page->setSizeConstraint(QLayout::SetFixedSize);

    // Qt calls these; nothing may escape into its event loop.
    connect(RBTcp, &QRadioButton::clicked, this, [this] { tesso::guarded([this] { chooseTcp(); }); });
    connect(RBUdp, &QRadioButton::clicked, this, [this] { tesso::guarded([this] { chooseUdp(); }); });
}

void IpConfigDialog::setMode(LinkType mode)
{
    m_mode = mode;
    const bool udp = mode == LinkType::Udp;
    (udp ? RBUdp : RBTcp)->setChecked(true);
    // The local port only matters to UDP, which binds it; TCP lets the system choose.
    setFieldActive(ELocalPort, udp);
}

void IpConfigDialog::setRemoteAddr(const QString& address)
{
    m_remoteAddr = address;
    ERemoteAddr->setText(address);
}

void IpConfigDialog::setRemotePort(int port)
{
    m_remotePort = port;
    ERemotePort->setText(QString::number(port));
}

void IpConfigDialog::setLocalPort(int port)
{
    m_localPort = port;
    ELocalPort->setText(QString::number(port));
}

void IpConfigDialog::chooseTcp()
{
    setMode(LinkType::Tcp);
}

void IpConfigDialog::chooseUdp()
{
    setMode(LinkType::Udp);
}

void IpConfigDialog::prepareToShow()
{
    if (m_mode != LinkType::Udp && m_mode != LinkType::Tcp)
        setMode(LinkType::Tcp);
}

void IpConfigDialog::applyChoice()
{
    // The local port is checked and taken even when its field is disabled (TCP).
    const auto localPort = portFromText(ELocalPort->text());
    if (!localPort) {
        ShowWarning(QStringLiteral("Choose a Local Port <0-65535>"));
        return;
    }
    setLocalPort(*localPort);

    const auto remotePort = portFromText(ERemotePort->text());
    if (!remotePort) {
        ShowWarning(QStringLiteral("Choose a Remote Port <0-65535>"));
        return;
    }

    // Stored in plain decimal form: "192.168.000.010" would reach 192.168.0.8 through the socket.
    const std::optional<QString> address = tesso::canonicalIpText(ERemoteAddr->text());
    if (!address) {
        ShowWarning(QStringLiteral("Remote IP address not Valid"));
        return;
    }

    setRemotePort(*remotePort);
    setRemoteAddr(*address);
    setApplied(true);
    accept();
}

void IpConfigDialog::LoadFromDriver()
{
    DeviceDriver* driver = Driver();
    if (!driver)
        return;
    setMode(driver->linkType());
    setRemoteAddr(driver->ipRemoteAddress());
    setRemotePort(driver->ipRemotePort());
    setLocalPort(driver->ipLocalPort());
}

void IpConfigDialog::ApplyToDriver()
{
    DeviceDriver* driver = Driver();
    if (!driver || !Applied())
        return;
    driver->setIpRemoteAddress(m_remoteAddr);
    driver->setIpRemotePort(m_remotePort);
    driver->setIpLocalPort(m_localPort);
    // Only UDP and TCP are chosen here; the serial link has its own menu items.
    driver->setLinkType(m_mode == LinkType::Udp ? LinkType::Udp : LinkType::Tcp);
}

} // namespace tesso
