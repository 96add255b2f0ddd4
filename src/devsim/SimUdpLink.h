#pragma once
// UDP endpoint; replies go to the sender of the last datagram.

#include <QHostAddress>
#include <QUdpSocket>

#include "SimLink.h"

namespace tesso::sim
{

class SimUdpLink : public SimLink
{
    Q_OBJECT
  public:
    explicit SimUdpLink(QObject* parent = nullptr);

    // Port 0 picks a free port; see port().
    bool bind(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 port() const { return m_socket.localPort(); }
    QHostAddress peerAddress() const { return m_peer; }
    quint16 peerPort() const { return m_peerPort; }

    void write(const QByteArray& bytes) override;
    QString describe() const override;

  private:
    void readDatagrams();

    QUdpSocket m_socket;
    QHostAddress m_peer;
    quint16 m_peerPort = 0;
};

} // namespace tesso::sim
