#include "UdpLink.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include "ErrorReport.h"

UdpLink::UdpLink() : m_socket(std::make_unique<QUdpSocket>())
{
    QObject::connect(m_socket.get(), &QUdpSocket::readyRead, m_socket.get(),
                     [this] { tesso::guarded([this] { readPending(); }); });
}

UdpLink::~UdpLink()
{
    onReceived = nullptr;
    onError = nullptr;
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
    // Qt enables broadcast on every UDP socket; sharing the port lets a second program listen.
    if (m_socket->bind(QHostAddress::AnyIPv4, static_cast<quint16>(m_localPort),
                       QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return true;
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
    if (sent < 0 && onError)
        onError(message);
}

void UdpLink::readPending()
{
    // Every pending datagram now: Qt signals once for all of them.
    while (isActive() && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid())
            break;
        if (onReceived)
            onReceived(datagram.data(), datagram.senderAddress().toString(), datagram.senderPort());
    }
}
