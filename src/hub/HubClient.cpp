#include "HubClient.h"

#include <QTcpSocket>

namespace tesso
{

HubClient::HubClient(QTcpSocket* socket, QObject* parent)
    : QObject(parent), m_socket(socket),
      m_name(QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort()))
{
    m_socket->setParent(this);
    m_socket->setReadBufferSize(ReadChunk);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, &HubClient::readCommands);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        if (!m_gone) {
            m_gone = true;
            emit gone(this, m_dropReason);
        }
    });
    // Bytes that arrived with the connection.
    if (m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &HubClient::readCommands, Qt::QueuedConnection);
}

HubClient::~HubClient() = default;

void HubClient::readCommands()
{
    while (!m_gone && m_socket->bytesAvailable() > 0) {
        const QByteArray bytes = m_socket->read(ReadChunk);
        for (char b : bytes) {
            m_scratch.clear();
            m_parser.push(b, m_scratch);
            for (const DeviceCommand& c : m_scratch)
                emit commandReceived(this, CommandParser::wireText(c));
            if (m_gone)
                return;
        }
    }
}

void HubClient::send(const QByteArray& bytes)
{
    if (m_gone || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    // What is still waiting from before decides, not the size of this batch: a reading client
    // may be handed a large batch at once and must not be taken for one that stopped reading.
    if (m_socket->bytesToWrite() > OutputLimit) {
        m_dropReason = QStringLiteral("it does not read what the device sends");
        disconnectFromHub();
        return;
    }
    m_socket->write(bytes);
    // Now rather than on the next turn of the event loop: one wake-up less per reply.
    m_socket->flush();
}

void HubClient::disconnectFromHub()
{
    // abort(): what waits for a client that does not read would otherwise hold the close.
    m_socket->abort();
    if (!m_gone) {
        m_gone = true;
        emit gone(this, m_dropReason);
    }
}

} // namespace tesso
