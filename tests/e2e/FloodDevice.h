#pragma once
// A bare device for the flood tests, over TCP on 127.0.0.1 or on a pseudo-terminal: it answers
// the detection query "?" with a Lumio's code and the query-all "#" with a whole answer, and it
// can send far more than any device would while it keeps answering. What it sends waits for the
// reader: never more than a few hundred kilobytes are on their way, so the flood measures the
// program, not the size of this process's buffers.

#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace tesso::sim
{
class SimPtyLink;
}

namespace tesso::e2e
{

class FloodDevice : public QObject
{
    Q_OBJECT
  public:
    FloodDevice();
    ~FloodDevice() override;

    bool listenTcp();
    quint16 tcpPort() const;
    bool openPty();
    QString ptyPath() const;
    // The device side of the terminal goes away, as an unplugged adapter does.
    void hangUp();

    // Whether a program has connected (TCP) or opened the terminal and asked something.
    bool reached() const { return m_queries > 0 || m_client != nullptr; }
    int queries() const { return m_queries; }
    int queryAlls() const { return m_queryAlls; }
    // Commands answered: off, the device is present but silent.
    void setAnswering(bool on) { m_answering = on; }

    void send(const QByteArray& bytes);
    // Sends `unit` again and again until `total` bytes have gone out. False when the reader took
    // nothing for `stallMs` or the link went away.
    bool flood(const QByteArray& unit, qint64 total, int stallMs = 30000);
    qint64 flooded() const { return m_flooded; }

  private:
    void takeClient();
    void received(const QByteArray& bytes);
    qint64 onTheWay() const;

    std::unique_ptr<QTcpServer> m_server;
    QTcpSocket* m_client = nullptr; // owned by m_server
    std::unique_ptr<tesso::sim::SimPtyLink> m_pty;
    bool m_answering = true;
    int m_queries = 0;
    int m_queryAlls = 0;
    qint64 m_flooded = 0;
};

} // namespace tesso::e2e
