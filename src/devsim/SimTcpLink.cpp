#include "SimTcpLink.h"

#include "SimGuard.h"

namespace tesso::sim
{

SimTcpLink::SimTcpLink(QObject* parent) : SimLink(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] { guarded([this] { acceptClients(); }); });
}

SimTcpLink::~SimTcpLink()
{
    // Sockets are our children and die after our members; they must not call back into us.
    for (QTcpSocket* socket : findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly)) {
        socket->disconnect(this);
        socket->abort();
    }
    m_server.close();
}

bool SimTcpLink::listen(const QHostAddress& address, quint16 port, QString* error)
{
    if (m_server.listen(address, port))
        return true;
    if (error)
        *error = m_server.errorString();
    return false;
}

void SimTcpLink::acceptClients()
{
    while (QTcpSocket* next = m_server.nextPendingConnection()) {
        if (m_client) {
            emit logLine(QStringLiteral("TCP: new client %1:%2 replaces the previous one")
                             .arg(next->peerAddress().toString())
                             .arg(next->peerPort()));
            m_client->disconnect(this);
            m_client->abort();
            m_client->deleteLater();
        } else {
            emit logLine(QStringLiteral("TCP: client %1:%2 connected")
                             .arg(next->peerAddress().toString())
                             .arg(next->peerPort()));
        }
        next->setParent(this);
        m_client = next;
        connect(next, &QTcpSocket::readyRead, this, [this, next] {
            guarded([this, next] {
                if (next == m_client)
                    emit received(next->readAll());
            });
        });
        connect(next, &QTcpSocket::disconnected, this, [this, next] {
            guarded([this, next] {
                if (next == m_client) {
                    emit logLine(QStringLiteral("TCP: client disconnected"));
                    m_client = nullptr;
                }
                next->deleteLater();
            });
        });
    }
}

void SimTcpLink::write(const QByteArray& bytes)
{
    if (m_client && m_client->state() == QAbstractSocket::ConnectedState)
        m_client->write(bytes);
}

void SimTcpLink::dropConnection()
{
    if (!m_client)
        return;
    QTcpSocket* client = m_client;
    m_client = nullptr;
    client->disconnectFromHost(); // sends what is still buffered first
    emit logLine(QStringLiteral("TCP: connection dropped"));
}

QString SimTcpLink::describe() const
{
    return QStringLiteral("TCP %1:%2").arg(m_server.serverAddress().toString()).arg(port());
}

} // namespace tesso::sim
