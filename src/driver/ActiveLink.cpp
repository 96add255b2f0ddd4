#include "ActiveLink.h"

#include "ErrorReport.h"
#include "Errors.h"

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
    m_links[CON_RS232] = std::move(links.serial);
    m_links[CON_UDP] = std::move(links.udp);
    m_links[CON_TCP] = std::move(links.tcp);
    link(CON_UDP).setLocalPort(m_localPort);
    link(CON_UDP).setRemote(m_remoteAddress, m_remotePort);
    link(CON_TCP).setRemote(m_remoteAddress, m_remotePort);
    for (tConnectionType type : {CON_RS232, CON_UDP, CON_TCP})
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

void ActiveLink::bind(tConnectionType type)
{
    DeviceLink& l = link(type);
    QObject::connect(&l, &DeviceLink::received,
                     [this, type](const QByteArray& data, const QString& peer, int peerPort) {
                         if (type != m_type)
                             return;
                         if (type == CON_UDP && (peer != m_remoteAddress || peerPort != m_remotePort))
                             return; // only the device's own datagrams
                         if (type != CON_RS232 && data.isEmpty())
                             return;
                         if (type == CON_UDP)
                             m_udpSendFailing = false; // the device is reached again
                         const QByteArray bytes = type == CON_RS232 ? data : upToFirstNul(data);
                         tesso::guarded([&] { emit received(type, bytes); });
                     });
    switch (type) {
    case CON_RS232:
        QObject::connect(&l, &DeviceLink::failed, [this](const QString& message) {
            // Line errors on an open port are not reported; a port that went away restarts
            // detection and tells the user, who can reopen it from the menu.
            if (link(CON_RS232).isActive())
                return;
            restart();
            fail(CON_RS232, message, true);
        });
        break;
    case CON_UDP:
        // A failed send (the network unreachable for a moment) keeps the endpoint, so the device
        // is reached again once the network is back; the user is told once per outage.
        QObject::connect(&l, &DeviceLink::failed, [this](const QString& message) {
            const bool first = !m_udpSendFailing;
            m_udpSendFailing = true;
            if (!link(CON_UDP).isActive())
                m_udpReopenDue = true;
            fail(CON_UDP, message, first);
        });
        break;
    case CON_TCP:
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

void ActiveLink::fail(tConnectionType which, const QString& message, bool show)
{
    emit failed(which, message);
    if (show)
        tesso::reportError(message);
}

void ActiveLink::setType(tConnectionType type)
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
    case CON_RS232:
        link(CON_RS232).open();
        break;
    case CON_UDP:
        OpenUdp();
        break;
    case CON_TCP:
        m_tcpFailuresInARow = 0;
        m_tcpReopenDue = false;
        OpenTcp();
        break;
    }
}

void ActiveLink::closeCurrent()
{
    switch (m_type) {
    case CON_RS232:
        link(CON_RS232).close();
        break;
    case CON_UDP:
        CloseUdp();
        break;
    case CON_TCP:
        CloseTcp();
        break;
    }
}

bool ActiveLink::setPortName(const QString& name)
{
    DeviceLink& serial = link(CON_RS232);
    try {
        if (serial.isActive())
            serial.close();
        serial.setPortName(name);
        if (!name.isEmpty() && m_type == CON_RS232)
            serial.open();
        return true;
    } catch (const TessoError& e) {
        fail(CON_RS232, e.text(), false);
    } catch (...) {
        fail(CON_RS232, QStringLiteral("cannot open %1").arg(name), false);
    }
    serial.setPortName(QString());
    return false;
}

void ActiveLink::setLocalPort(int port)
{
    const bool unchangedWhileActive =
        port == m_localPort && link(CON_UDP).isActive() && link(CON_TCP).isActive();
    if (!unchangedWhileActive) {
        if (m_type == CON_UDP)
            CloseUdp();
        link(CON_UDP).setLocalPort(port);
        if (m_type == CON_UDP)
            OpenUdp();
    }
    m_localPort = port;
}

void ActiveLink::setRemote(const QString& address, int port)
{
    if (address == m_remoteAddress && port == m_remotePort)
        return;
    if (m_type == CON_UDP)
        CloseUdp();
    if (m_type == CON_TCP)
        CloseTcp();
    link(CON_UDP).setRemote(address, port);
    link(CON_TCP).setRemote(address, port);
    m_remoteAddress = address;
    m_remotePort = port;
    if (m_type != CON_RS232)
        openCurrent();
}

bool ActiveLink::isOpen() const
{
    return link(m_type).isActive();
}

void ActiveLink::write(const QByteArray& text)
{
    if (m_type == CON_TCP && text.size() > TcpCommandLimit)
        throw ERangeError(QStringLiteral("Range check error: command \"%1\" is longer than %2 characters")
                              .arg(QString::fromLatin1(text))
                              .arg(TcpCommandLimit));
    if (isOpen())
        link(m_type).write(text);
}

void ActiveLink::retryDue()
{
    // An endpoint lost by a failed send is bound again, quietly and at most once per step.
    if (m_udpReopenDue && m_type == CON_UDP) {
        DeviceLink& udp = link(CON_UDP);
        m_udpReopenDue = !udp.isActive() && !udp.open();
    }
    if (!m_tcpReopenDue)
        return;
    m_tcpReopenDue = false;
    if (m_type == CON_TCP)
        OpenTcp();
}

void ActiveLink::OpenUdp()
{
    m_udpSendFailing = false;
    m_udpReopenDue = false;
    DeviceLink& udp = link(CON_UDP);
    if (udp.isActive())
        return;
    restart();
    if (udp.open())
        return;
    udp.close();
    // The endpoint stays inactive; without a word the user would only see the device missing.
    fail(CON_UDP, QStringLiteral("cannot bind local UDP port %1: %2").arg(m_localPort).arg(udp.errorText()),
         true);
}

void ActiveLink::CloseUdp()
{
    restart();
    if (link(CON_UDP).isActive())
        link(CON_UDP).close();
}

void ActiveLink::OpenTcp()
{
    DeviceLink& tcp = link(CON_TCP);
    if (tcp.isActive() || m_tcpConnectPending)
        return;
    m_tcpConnectPending = true;
    restart();
    if (!tcp.open()) {
        m_tcpConnectPending = false;
        tcp.close();
        fail(CON_TCP, QStringLiteral("cannot connect to %1:%2").arg(m_remoteAddress).arg(m_remotePort),
             false);
    }
}

void ActiveLink::CloseTcp()
{
    m_tcpConnectPending = false;
    restart();
    link(CON_TCP).close();
}

void ActiveLink::TcpConnected()
{
    m_tcpConnectPending = false;
    m_tcpFailuresInARow = 0;
}

void ActiveLink::TcpSocketError(const QString& message)
{
    CloseTcp();
    fail(CON_TCP, message, false);
    if (m_type != CON_TCP)
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
    link(CON_RS232).close();
}

void ActiveLink::setSerialBaud(std::uint32_t baud)
{
    link(CON_RS232).setBaud(baud);
}
