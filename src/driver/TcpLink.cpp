#include "TcpLink.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QTcpSocket>

#include "ErrorReport.h"

namespace tesso
{

TcpLink::TcpLink() : m_socket(std::make_unique<QTcpSocket>())
{
    QTcpSocket* socket = m_socket.get();
    // Qt reads ahead of us no further than this, so a flood waits in the system's buffers, which
    // slow the sender down, instead of in ours.
    socket->setReadBufferSize(ChunkSize * 8);
    QObject::connect(socket, &QTcpSocket::connected, socket,
                     [this] { tesso::guarded([this] { emit connected(); }); });
    QObject::connect(socket, &QTcpSocket::readyRead, socket,
                     [this] { tesso::guarded([this] { readAvailable(); }); });
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket, [this] { socketError(); });
}

TcpLink::~TcpLink()
{
    disconnect();
    ++m_generation;
    m_socket->abort();
}

bool TcpLink::isActive() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

bool TcpLink::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void TcpLink::setRemote(const QString& address, int port)
{
    m_address = address;
    m_port = port;
}

bool TcpLink::open()
{
    // One connect in flight at most.
    if (isActive())
        return true;
    if (m_address.isEmpty() || m_port <= 0 || m_port > 65535)
        return false;
    ++m_generation;
    ++m_connectAttempts;
    m_socket->connectToHost(m_address, static_cast<quint16>(m_port));
    // A refusal may already have been noticed synchronously; its report is queued and the
    // socket is unconnected again, which is still a started attempt.
    return true;
}

void TcpLink::close()
{
    ++m_generation; // errors raised by closing are not failures to report
    m_socket->abort();
}

void TcpLink::write(const QByteArray& bytes)
{
    if (isActive())
        m_socket->write(bytes);
}

void TcpLink::socketError()
{
    if (m_reportedGeneration == m_generation)
        return; // one report per connection
    m_reportedGeneration = m_generation;
    const std::uint64_t generation = m_generation;
    const QString message = m_socket->errorString();
    QMetaObject::invokeMethod(
        m_socket.get(),
        [this, generation, message] {
            if (generation != m_generation)
                return; // closed or reopened meanwhile
            m_socket->abort();
            tesso::guarded([this, &message] { emit failed(message); });
        },
        Qt::QueuedConnection);
}

void TcpLink::readAvailable()
{
    // Qt does not signal again for bytes it already holds, so read until nothing is left.
    const std::uint64_t generation = m_generation;
    while (generation == m_generation && m_socket->bytesAvailable() > 0) {
        const QByteArray chunk = m_socket->read(ChunkSize);
        if (chunk.isEmpty())
            break;
        emit received(chunk, QString(), 0);
    }
}

} // namespace tesso
