#include "FloodDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include "FullDump.h"

namespace tesso::e2e
{

namespace
{
constexpr qint64 MaxOnTheWay = 256 * 1024;
}

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
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0)
        return false;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // A program started later must not inherit the device's end, or closing it would not hang up.
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_ptyPath = QString::fromLocal8Bit(name);
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, [this] { readPty(); });
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, [this] { writePending(); });
    return true;
}

void FloodDevice::hangUp()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    m_pending.clear();
}

void FloodDevice::readPty()
{
    char buffer[4096];
    QByteArray data;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            m_readNotifier->setEnabled(false); // nobody has the terminal open: wait for a writer
        break;
    }
    if (!data.isEmpty())
        received(data);
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
    if (m_client) {
        m_client->write(bytes);
        return;
    }
    if (m_master < 0)
        return;
    m_pending += bytes;
    writePending();
}

void FloodDevice::writePending()
{
    while (!m_pending.isEmpty() && m_master >= 0) {
        const ssize_t n = ::write(m_master, m_pending.constData(), static_cast<size_t>(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

qint64 FloodDevice::onTheWay() const
{
    return m_client ? m_client->bytesToWrite() : m_pending.size();
}

bool FloodDevice::flood(const QByteArray& unit, qint64 total, int stallMs)
{
    qint64 sent = 0;
    QDeadlineTimer stall(stallMs);
    while (sent < total) {
        const bool open = m_client ? m_client->state() == QAbstractSocket::ConnectedState : m_master >= 0;
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
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (m_client) {
            m_client->waitForBytesWritten(5);
        } else {
            pollfd writable{m_master, POLLOUT, 0};
            ::poll(&writable, 1, 5);
            writePending();
        }
    }
    return true;
}

} // namespace tesso::e2e
