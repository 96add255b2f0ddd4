#pragma once
// TCP server with one client at a time; a new client replaces the old one.

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include "SimLink.h"

namespace tesso::sim
{

class SimTcpLink : public SimLink
{
    Q_OBJECT
  public:
    explicit SimTcpLink(QObject* parent = nullptr);
    ~SimTcpLink() override;

    // Port 0 picks a free port; see port().
    bool listen(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 port() const { return m_server.serverPort(); }
    bool hasClient() const { return m_client != nullptr; }

    void write(const QByteArray& bytes) override;
    void dropConnection() override;
    QString describe() const override;

  private:
    void acceptClients();

    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
};

} // namespace tesso::sim
