#include "ActiveLink.h"

#include "ErrorReport.h"
#include "Errors.h"

namespace tesso
{

namespace
{

QByteArray upToFirstNul(const QByteArray& data)
{
    const QByteArray limited = data.left(ActiveLink::SocketReadLimit);
    const qsizetype nul = limited.indexOf('\0');
    return nul < 0 ? limited : limited.left(nul);
}

} // namespace

ActiveLink::ActiveLink(DriverLinks& links, QObject* parent) : QObject(parent)
{
    m_links[static_cast<std::size_t>(LinkType::Serial)] = std::move(links.serial);
    m_links[static_cast<std::size_t>(LinkType::Udp)] = std::move(links.udp);
    m_links[static_cast<std::size_t>(LinkType::Tcp)] = std::move(links.tcp);
    link(LinkType::Udp).setLocalPort(m_localPort);
    link(LinkType::Udp).setRemote(m_remoteAddress, m_remotePort);
    link(LinkType::Tcp).setRemote(m_remoteAddress, m_remotePort);
    for (LinkType type : {LinkType::Serial, LinkType::Udp, LinkType::Tcp})
        bind(type);
}

ActiveLink::~ActiveLink()
{
    // Nothing may call back into a half-destroyed driver.
    for (auto& l : m_links) {
        l->disconnect();
        l->close();
    }
}

void ActiveLink::bind(LinkType type)
{
    DeviceLink& l = link(type);
    QObject::connect(&l, &DeviceLink::received,
                     [this, type](const QByteArray& data, const QString& peer, int peerPort) {
                         if (type != m_type)
                             return;
                         if (type == LinkType::Udp && (peer != m_remoteAddress || peerPort != m_remotePort))
                             return; // only the device's own datagrams
                         if (type != LinkType::Serial && data.isEmpty())
                             return;
                         if (type == LinkType::Udp)
                             m_udpSendFailing = false; // the device is reached again
                         const QByteArray bytes = type == LinkType::Serial ? data : upToFirstNul(data);
                         tesso::guarded([&] { emit received(type, bytes); });
                     });
    switch (type) {
    case LinkType::Serial:
        QObject::connect(&l, &DeviceLink::failed, [this](const QString& message) {
            // Line errors on an open port are not reported; a port that went away restarts
            // detection and tells the user, who can reopen it from the menu.
            if (link(LinkType::Serial).isActive())
                return;
            restart();
            fail(LinkType::Serial, message, true);
        });
        break;
    case LinkType::Udp:
        // A failed send (the network unreachable for a moment) keeps the endpoint, so the device
        // is reached again once the network is back; the user is told once per outage.
        QObject::connect(&l, &DeviceLink::failed, [this](const QString& message) {
            const bool first = !m_udpSendFailing;
            m_udpSendFailing = true;
            if (!link(LinkType::Udp).isActive())
                m_udpReopenDue = true;
            fail(LinkType::Udp, message, first);
        });
        break;
    case LinkType::Tcp:
        QObject::connect(&l, &DeviceLink::connected, [this] { TcpConnected(); });
        QObject::connect(&l, &DeviceLink::failed, [this](const QString& message) {
            tesso::guarded([&] { TcpSocketError(message); });
        });
        break;
    }
}

void ActiveLink::restart()
{
    emit restarted();
}

void ActiveLink::fail(LinkType which, const QString& message, bool show)
{
    emit failed(which, message);
    if (show)
        tesso::reportError(message);
}

void ActiveLink::setType(LinkType type)
{
    if (type == m_type)
        return;
    restart();
    closeCurrent();
    m_type = type;
    openCurrent();
}

void ActiveLink::openCurrent()
{
    switch (m_type) {
    case LinkType::Serial:
        link(LinkType::Serial).open();
        break;
    case LinkType::Udp:
        OpenUdp();
        break;
    case LinkType::Tcp:
        m_tcpFailuresInARow = 0;
        m_tcpReopenDue = false;
        OpenTcp();
        break;
    }
}

void ActiveLink::closeCurrent()
{
    switch (m_type) {
    case LinkType::Serial:
        link(LinkType::Serial).close();
        break;
    case LinkType::Udp:
        CloseUdp();
        break;
    case LinkType::Tcp:
        CloseTcp();
        break;
    }
}

bool ActiveLink::setPortName(const QString& name)
{
    DeviceLink& serial = link(LinkType::Serial);
    try {
        if (serial.isActive())
            serial.close();
        serial.setPortName(name);
        if (!name.isEmpty() && m_type == LinkType::Serial)
            serial.open();
        return true;
    } catch (const TessoError& e) {
        fail(LinkType::Serial, e.text(), false);
    } catch (...) {
        fail(LinkType::Serial, QStringLiteral("cannot open %1").arg(name), false);
    }
    serial.setPortName(QString());
    return false;
}

void ActiveLink::setLocalPort(int port)
{
    const bool unchangedWhileActive =
        port == m_localPort && link(LinkType::Udp).isActive() && link(LinkType::Tcp).isActive();
    if (!unchangedWhileActive) {
        if (m_type == LinkType::Udp)
            CloseUdp();
        link(LinkType::Udp).setLocalPort(port);
        if (m_type == LinkType::Udp)
            OpenUdp();
    }
    m_localPort = port;
}

void ActiveLink::setRemote(const QString& address, int port)
{
    if (address == m_remoteAddress && port == m_remotePort)
        return;
    if (m_type == LinkType::Udp)
        CloseUdp();
    if (m_type == LinkType::Tcp)
        CloseTcp();
    link(LinkType::Udp).setRemote(address, port);
    link(LinkType::Tcp).setRemote(address, port);
    m_remoteAddress = address;
    m_remotePort = port;
    if (m_type != LinkType::Serial)
        openCurrent();
}

bool ActiveLink::isOpen() const
{
    return link(m_type).isActive();
}

void ActiveLink::write(const QByteArray& text)
{
    if (m_type == LinkType::Tcp && text.size() > TcpCommandLimit)
        throw ERangeError(QStringLiteral("Range check error: command \"%1\" is longer than %2 characters")
                              .arg(QString::fromLatin1(text))
                              .arg(TcpCommandLimit));
    if (isOpen())
        link(m_type).write(text);
}

void ActiveLink::retryDue()
{
    // An endpoint lost by a failed send is bound again, quietly and at most once per step.
    if (m_udpReopenDue && m_type == LinkType::Udp) {
        DeviceLink& udp = link(LinkType::Udp);
        m_udpReopenDue = !udp.isActive() && !udp.open();
    }
    if (!m_tcpReopenDue)
        return;
    m_tcpReopenDue = false;
    if (m_type == LinkType::Tcp)
        OpenTcp();
}

void ActiveLink::OpenUdp()
{
    m_udpSendFailing = false;
    m_udpReopenDue = false;
    DeviceLink& udp = link(LinkType::Udp);
    if (udp.isActive())
        return;
    restart();
    if (udp.open())
        return;
    udp.close();
    // The endpoint stays inactive; without a word the user would only see the device missing.
    fail(LinkType::Udp,
         QStringLiteral("cannot bind local UDP port %1: %2").arg(m_localPort).arg(udp.errorText()), true);
}

void ActiveLink::CloseUdp()
{
    restart();
    if (link(LinkType::Udp).isActive())
        link(LinkType::Udp).close();
}

void ActiveLink::OpenTcp()
{
    DeviceLink& tcp = link(LinkType::Tcp);
    if (tcp.isActive() || m_tcpConnectPending)
        return;
    m_tcpConnectPending = true;
    restart();
    if (!tcp.open()) {
        m_tcpConnectPending = false;
        tcp.close();
        fail(LinkType::Tcp, QStringLiteral("cannot connect to %1:%2").arg(m_remoteAddress).arg(m_remotePort),
             false);
    }
}

void ActiveLink::CloseTcp()
{
    m_tcpConnectPending = false;
    restart();
    link(LinkType::Tcp).close();
}

void ActiveLink::TcpConnected()
{
    m_tcpConnectPending = false;
    m_tcpFailuresInARow = 0;
}

void ActiveLink::TcpSocketError(const QString& message)
{
    CloseTcp();
    fail(LinkType::Tcp, message, false);
    if (m_type != LinkType::Tcp)
        return;
    // The first failure reconnects at once; a peer that keeps refusing is retried once per link
    // step, so a dead address never turns into a busy loop.
    if (m_tcpFailuresInARow++ == 0)
        OpenTcp();
    else
        m_tcpReopenDue = true;
}

void ActiveLink::closeSerial()
{
    link(LinkType::Serial).close();
}

void ActiveLink::setSerialBaud(std::uint32_t baud)
{
    link(LinkType::Serial).setBaud(baud);
}

} // namespace tesso
