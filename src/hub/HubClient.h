#pragma once
// One program connected to the hub: its socket, the device grammar that cuts what it sends into
// whole commands, and the bound on what waits to be written to it.

#include <QByteArray>
#include <QObject>
#include <QString>

#include "CommandParser.h"

class QTcpSocket;

namespace tesso
{

class HubClient : public QObject
{
    Q_OBJECT

  public:
    // Replies still waiting for a client when more come: past this it has stopped reading and is
    // disconnected.
    static constexpr qint64 OutputLimit = 1 << 20;
    // What is read from the socket at a time, so that a flood is slowed by TCP, not kept here.
    static constexpr qint64 ReadChunk = 64 * 1024;

    // Takes the socket over.
    explicit HubClient(QTcpSocket* socket, QObject* parent = nullptr);
    ~HubClient() override;

    // "address:port", as logs and the console show the client.
    QString name() const { return m_name; }
    // Queues bytes for the client; disconnects it (once) when it has stopped reading.
    void send(const QByteArray& bytes);
    void disconnectFromHub();
    // Bytes that formed no command.
    quint64 discardedBytes() const { return m_parser.discardedBytes(); }

  signals:
    // A whole command, as the device would read it from this client alone.
    void commandReceived(HubClient* client, const QByteArray& command);
    // The socket closed; `reason` is empty for a client that left on its own.
    void gone(HubClient* client, const QString& reason);

  private:
    void readCommands();

    QTcpSocket* m_socket;
    QString m_name;
    CommandParser m_parser;
    std::vector<DeviceCommand> m_scratch;
    QString m_dropReason;
    bool m_gone = false;
};

} // namespace tesso
