#include "ConnectionMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

#include "BoxCaption.h"
#include "ConnectionSettings.h"
#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "IpConfigDialog.h"
#include "MainMenus.h"
#include "MainStatusBar.h"
#include "Rs232LanDialog.h"
#include "SerialPortItems.h"
#include "SerialPortScanner.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

ConnectionMenu::ConnectionMenu(DeviceDriver& driver, MainMenus& menus, const ConnectionSettings& files,
                               UserPrompts& prompts, QWidget* window)
    : m_driver(driver), m_menus(menus), m_files(files), m_prompts(prompts), m_window(window),
      m_ports(new SerialPortItems(menus, this))
{
    connect(m_ports, &SerialPortItems::chosen, this, &ConnectionMenu::useSerialDevice);
}

void ConnectionMenu::setDialogs(IpConfigDialog* network, Rs232LanDialog* device)
{
    m_network = network;
    m_device = device;
}

void ConnectionMenu::selectComItem(int n)
{
    if (n >= 1 && n <= 16) {
        m_comIndex = n - 1;
        m_choice = m_menus.MenuCOM[static_cast<std::size_t>(n - 1)];
        m_choice->setChecked(true);
    }
}

void ConnectionMenu::useComPort(int n)
{
    tesso::guarded([&] { m_driver.setSerialPort(TextFormat::Format(Texts::ComDevicePathFormat, n)); });
    selectComItem(n);
    m_serialDevice.clear();
    tesso::guarded([&] { m_driver.setLinkType(LinkType::Serial); });
    emit linkChanged();
}

void ConnectionMenu::useSerialDevice(const QString& path)
{
    tesso::guarded([&] { m_driver.setSerialPort(path); });
    m_serialDevice = path;
    m_choice = m_ports->itemFor(path);
    m_choice->setChecked(true);
    tesso::guarded([&] { m_driver.setLinkType(LinkType::Serial); });
    emit linkChanged();
}

QString ConnectionMenu::askFirstPort()
{
    SerialPortScanner& scanner = *m_menus.SerialPorts;
    scanner.rescan();
    const QList<SerialPortScanner::Port>& ports = scanner.ports();
    if (ports.isEmpty()) {
        m_prompts.Information(m_window, QString(Texts::SelectPort));
        return {};
    }
    QStringList items;
    for (const SerialPortScanner::Port& port : ports)
        items << port.text();
    items << TextFormat::Format(Texts::ComFormat, 1);
    const std::optional<QString> answer =
        m_prompts.AskChoice(m_window, BoxCaption(), QString(Texts::SelectPort), items);
    const qsizetype chosen = answer ? items.indexOf(*answer) : -1;
    return chosen >= 0 && chosen < ports.size() ? ports.at(chosen).path : QString();
}

void ConnectionMenu::openIpConfig()
{
    // The menu checks the item as it is clicked; only an applied dialog keeps it so.
    if (m_network && m_network->Execute())
        m_choice = m_menus.MenuMIPConfig;
    if (m_choice)
        m_choice->setChecked(true);
    else
        m_menus.MenuMIPConfig->setChecked(false);
    emit linkChanged();
}

void ConnectionMenu::openDeviceLanSetup()
{
    if (m_device)
        m_device->Execute();
}

void ConnectionMenu::Load()
{
    ConnectionValues v = m_files.ReadConnection();
    m_lastModel = v.LastModel;
    if (v.Port == -1) {
        const QString device = askFirstPort();
        v = ConnectionValues{};
        v.Port = 0;
        v.RemoteIp = QString(Texts::DefaultRemoteIp);
        v.SerialDevice = device;
    }
    tesso::guarded([&] {
        m_driver.setIpRemoteAddress(v.RemoteIp);
        m_driver.setIpRemotePort(v.RemotePort);
        m_driver.setIpLocalPort(v.LocalPort);
    });
    // A hand-edited port outside COM1..COM16 falls back to COM1.
    if (v.Port < 0 || v.Port > 15)
        v.Port = 0;
    m_comIndex = v.Port;
    // The status bar's link text is read from the network dialog's fields: they start with the
    // saved address rather than the dialog's design values.
    if (m_network)
        m_network->LoadFromDriver();

    if (v.IpEnable == 1 || v.IpEnable == 2) {
        tesso::guarded([&] { m_driver.setLinkType(v.IpEnable == 1 ? LinkType::Udp : LinkType::Tcp); });
        m_choice = m_menus.MenuMIPConfig;
        m_choice->setChecked(true);
    } else if (!v.SerialDevice.isEmpty() && QFileInfo::exists(v.SerialDevice)) {
        useSerialDevice(v.SerialDevice);
    } else {
        if (!v.SerialDevice.isEmpty())
            m_prompts.Information(m_window,
                                  TextFormat::Format(Texts::SerialDeviceMissingFormat,
                                                     {v.SerialDevice, QString::number(v.Port + 1)}));
        tesso::guarded([&] { m_driver.setLinkType(LinkType::Serial); });
        m_menus.MenuCOM[static_cast<std::size_t>(v.Port)]->trigger();
    }
    // Kept for the file until another serial port is chosen: the adapter may just be unplugged.
    m_serialDevice = v.SerialDevice;
    emit linkChanged();
}

QString ConnectionMenu::LinkText() const
{
    QString address = m_driver.ipRemoteAddress();
    QString port = QString::number(m_driver.ipRemotePort());
    if (m_network) {
        address = m_network->ERemoteAddr->text();
        port = m_network->ERemotePort->text();
    }
    return MainStatusBar::LinkText(m_driver.linkType(), m_driver.serialPort(), address, port);
}

void ConnectionMenu::Save() const
{
    ConnectionValues v;
    v.Port = m_comIndex;
    v.SerialDevice = m_serialDevice;
    v.RemoteIp = m_driver.ipRemoteAddress();
    v.RemotePort = m_driver.ipRemotePort();
    v.LocalPort = m_driver.ipLocalPort();
    v.IpEnable = static_cast<int>(m_driver.linkType());
    if (m_keepLastModel)
        v.LastModel = m_lastModel;
    m_files.WriteConnection(v);
}

} // namespace tesso
