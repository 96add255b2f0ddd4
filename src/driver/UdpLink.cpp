#include "UdpLink.h"

#include <sys/socket.h>

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include "ErrorReport.h"

namespace tesso
{

UdpLink::UdpLink() : m_socket(std::make_unique<QUdpSocket>())
{
    QObject::connect(m_socket.get(), &QUdpSocket::readyRead, m_socket.get(),
                     [this] { tesso::guarded([this] { readPending(); }); });
}

UdpLink::~UdpLink()
{
    disconnect();
    m_socket->close();
}

bool UdpLink::isActive() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

bool UdpLink::open()
{
    if (isActive())
        return true;
    // Not shared: of two sockets on one port only one receives each datagram, so a second
    // program there would take the device's replies and this one would declare the device lost.
    m_bindError.clear();
    if (m_socket->bind(QHostAddress::AnyIPv4, static_cast<quint16>(m_localPort),
                       QAbstractSocket::DontShareAddress)) {
        // Qt turns broadcast on for UDP sockets already; the device may well be addressed by a
        // broadcast address, so do not depend on that.
        const int on = 1;
        ::setsockopt(static_cast<int>(m_socket->socketDescriptor()), SOL_SOCKET, SO_BROADCAST, &on,
                     sizeof on);
        return true;
    }
    m_bindError = m_socket->errorString();
    m_socket->close();
    return false;
}

void UdpLink::close()
{
    m_socket->close();
}

int UdpLink::boundPort() const
{
    return isActive() ? m_socket->localPort() : 0;
}

bool UdpLink::broadcastEnabled() const
{
    if (!isActive())
        return false;
    int on = 0;
    socklen_t size = sizeof on;
    return ::getsockopt(static_cast<int>(m_socket->socketDescriptor()), SOL_SOCKET, SO_BROADCAST, &on,
                        &size) == 0 &&
           on != 0;
}

void UdpLink::setRemote(const QString& address, int port)
{
    m_remoteAddress = address;
    m_remotePort = port;
}

void UdpLink::write(const QByteArray& bytes)
{
    if (!isActive())
        return;
    const QHostAddress target(m_remoteAddress);
    qint64 sent = -1;
    QString message;
    if (target.isNull() || m_remotePort < 0 || m_remotePort > 65535) {
        message = QStringLiteral("Invalid remote address: %1:%2").arg(m_remoteAddress).arg(m_remotePort);
    } else {
        sent = m_socket->writeDatagram(bytes, target, static_cast<quint16>(m_remotePort));
        message = m_socket->errorString();
    }
    if (sent < 0)
        emit failed(message);
}

void UdpLink::readPending()
{
    // A bounded batch: the notification comes again while datagrams wait, and a flood cannot keep
    // the event loop from its timers.
    for (int n = 0; n < MaxDatagramsPerRead && isActive() && m_socket->hasPendingDatagrams(); ++n) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid())
            break;
        emit received(datagram.data(), datagram.senderAddress().toString(), datagram.senderPort());
    }
}

} // namespace tesso
