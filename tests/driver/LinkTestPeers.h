#pragma once
// Scripted peers for the link tests: the master side of a pseudo-terminal pair, and TCP/UDP
// peers on 127.0.0.1 with ephemeral ports. Everything is polled through the Qt event loop with
// deadlines (WaitFor.h), never with fixed sleeps.

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <QByteArray>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include "WaitFor.h"

using namespace tesso;

namespace tesso::test
{

// A pseudo-terminal pair; the code under test opens slavePath(), the test plays the device on
// the master side. The slave descriptor stays open so that the line settings can be read back.
class PtyPair
{
  public:
    PtyPair()
    {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        m_path = QString::fromLocal8Bit(name);
        termios raw{};
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        // A program the test starts must not inherit the device's end: closing it would then
        // not hang the line up.
        ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
        ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    }
    ~PtyPair()
    {
        closeMaster();
        ::close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool valid() const { return m_master >= 0 && !m_path.isEmpty(); }
    QString slavePath() const { return m_path; }

    bool send(const QByteArray& bytes)
    {
        return m_master >= 0 &&
               ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    }
    // What the code under test wrote so far (non-blocking).
    QByteArray readAvailable()
    {
        QByteArray all;
        char buf[4096];
        while (m_master >= 0) {
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            all.append(buf, static_cast<int>(n));
        }
        return all;
    }
    // Collects written bytes until they contain `expected`.
    bool waitForWritten(const QByteArray& expected, QByteArray& collected, int timeoutMs = 5000)
    {
        return waitFor(
            [&] {
                collected += readAvailable();
                return collected.contains(expected);
            },
            timeoutMs);
    }
    // Output speed of the line as configured by the code under test.
    speed_t slaveSpeed() const
    {
        termios t{};
        ::tcgetattr(m_slave, &t);
        return ::cfgetospeed(&t);
    }
    // Hang up the device side.
    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

  private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

// A UDP peer bound to 127.0.0.1 on an ephemeral port, recording each datagram it receives.
class UdpPeer
{
  public:
    UdpPeer() { m_socket.bind(QHostAddress(QHostAddress::LocalHost), 0); }
    int port() const { return m_socket.localPort(); }
    void sendTo(int port, const QByteArray& bytes)
    {
        m_socket.writeDatagram(bytes, QHostAddress(QHostAddress::LocalHost), static_cast<quint16>(port));
    }
    // Datagrams received so far.
    std::vector<QNetworkDatagram>& received()
    {
        while (m_socket.hasPendingDatagrams())
            m_received.push_back(m_socket.receiveDatagram());
        return m_received;
    }

  private:
    QUdpSocket m_socket;
    std::vector<QNetworkDatagram> m_received;
};

// A TCP server on 127.0.0.1 accepting connections; the test scripts the accepted sockets.
class TcpPeer
{
  public:
    TcpPeer()
    {
        m_server.listen(QHostAddress(QHostAddress::LocalHost), 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection())
                m_clients.push_back(s);
        });
    }
    int port() const { return m_server.serverPort(); }
    int accepted() const { return static_cast<int>(m_clients.size()); }
    bool waitForClient(int count = 1, int timeoutMs = 5000)
    {
        return waitFor([&] { return accepted() >= count; }, timeoutMs);
    }
    QTcpSocket* client(int i = 0) { return m_clients.at(std::size_t(i)); }
    // Bytes the code under test sent on connection i.
    QByteArray& readFrom(int i = 0)
    {
        m_inbox.resize(std::max(m_inbox.size(), std::size_t(i) + 1));
        return m_inbox[std::size_t(i)] += client(i)->readAll();
    }

  private:
    QTcpServer m_server;
    std::vector<QTcpSocket*> m_clients; // owned by m_server
    std::vector<QByteArray> m_inbox;
};

// Lets queued reports arrive; only before asserting that something did NOT happen.
inline void drainEvents()
{
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

// Loopback ports with nothing on them: bind an ephemeral port, note it, release it.
inline int freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.serverPort();
}
inline int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

} // namespace tesso::test
