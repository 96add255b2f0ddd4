#include "FloodDevice.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "FullDump.h"
#include "SimPtyLink.h"

using namespace tesso;

namespace tesso::e2e
{

namespace
{
// Well under what the simulator's terminal keeps for a reader that does not read (it drops the
// rest), with a whole flood unit on top.
constexpr qint64 MaxOnTheWay = 128 * 1024;
} // namespace

FloodDevice::FloodDevice() = default;

FloodDevice::~FloodDevice()
{
    hangUp();
}

bool FloodDevice::listenTcp()
{
    m_server = std::make_unique<QTcpServer>();
    if (!m_server->listen(QHostAddress(QHostAddress::LocalHost), 0))
        return false;
    connect(m_server.get(), &QTcpServer::newConnection, this, [this] { takeClient(); });
    return true;
}

quint16 FloodDevice::tcpPort() const
{
    return m_server ? m_server->serverPort() : 0;
}

void FloodDevice::takeClient()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_client)
            m_client->abort(); // one controller at a time, the newest wins
        m_client = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            if (socket == m_client)
                received(socket->readAll());
        });
    }
}

bool FloodDevice::openPty()
{
    m_pty = std::make_unique<tesso::sim::SimPtyLink>();
    connect(m_pty.get(), &tesso::sim::SimLink::received, this,
            [this](const QByteArray& bytes) { received(bytes); });
    return m_pty->open();
}

QString FloodDevice::ptyPath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

void FloodDevice::hangUp()
{
    if (m_pty)
        m_pty->close();
}

void FloodDevice::received(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (c == '?') {
            ++m_queries;
            if (m_answering)
                send(QByteArrayLiteral("DEV57\r\n"));
        } else if (c == '#') {
            ++m_queryAlls;
            if (m_answering)
                send(tesso::test::fullQueryAllDump());
        }
    }
}

void FloodDevice::send(const QByteArray& bytes)
{
    if (m_client)
        m_client->write(bytes);
    else if (m_pty)
        m_pty->write(bytes);
}

qint64 FloodDevice::onTheWay() const
{
    return m_client ? m_client->bytesToWrite() : (m_pty ? m_pty->pendingBytes() : 0);
}

bool FloodDevice::flood(const QByteArray& unit, qint64 total, int stallMs)
{
    qint64 sent = 0;
    QDeadlineTimer stall(stallMs);
    while (sent < total) {
        const bool open =
            m_client ? m_client->state() == QAbstractSocket::ConnectedState : (m_pty && m_pty->isOpen());
        if (!open || stall.hasExpired())
            return false;
        if (onTheWay() < MaxOnTheWay) {
            send(unit);
            sent += unit.size();
            m_flooded += unit.size();
            stall.setRemainingTime(stallMs);
            continue;
        }
        // Wait for the reader, without spinning: this process shares the processors with it.
        QEventLoop wait;
        QTimer::singleShot(5, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return true;
}

} // namespace tesso::e2e
