#include "SimUdpLink.h"

#include <QNetworkDatagram>

#include "SimGuard.h"

namespace tesso::sim
{

SimUdpLink::SimUdpLink(QObject* parent) : SimLink(parent)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, [this] { guarded([this] { readDatagrams(); }); });
}

bool SimUdpLink::bind(const QHostAddress& address, quint16 port, QString* error)
{
    if (m_socket.bind(address, port))
        return true;
    if (error)
        *error = m_socket.errorString();
    return false;
}

void SimUdpLink::readDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        if (!datagram.isValid())
            continue;
        if (datagram.senderAddress() != m_peer || datagram.senderPort() != m_peerPort) {
            m_peer = datagram.senderAddress();
            m_peerPort = quint16(datagram.senderPort());
            emit logLine(QStringLiteral("UDP: replies go to %1:%2").arg(m_peer.toString()).arg(m_peerPort));
        }
        emit received(datagram.data());
    }
}

void SimUdpLink::write(const QByteArray& bytes)
{
    if (m_peerPort == 0)
        return; // nobody has spoken yet
    if (m_socket.writeDatagram(bytes, m_peer, m_peerPort) < 0)
        emit logLine(QStringLiteral("UDP: send failed: %1").arg(m_socket.errorString()));
}

QString SimUdpLink::describe() const
{
    return QStringLiteral("UDP %1:%2").arg(m_socket.localAddress().toString()).arg(port());
}

} // namespace tesso::sim
