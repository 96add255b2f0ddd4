#pragma once
// DeviceHub: lets other programs (scripts, show controllers, tesso-cli) use the device this
// driver is connected to, each as if it were alone on the device. It listens for TCP clients that
// speak the device's protocol, cuts what each sends into whole commands and hands them to the
// driver one at a time, so commands of two clients never mix; it sends every reply line the
// device gives to every client. Detection stays the driver's: a client's "?" is answered from the
// mirror. While a frame upload owns the link, commands are not sent and the client is told so
// with BusyReply: from the moment the device is asked to receive a picture (it then reads whatever
// comes as pixels), not only once the driver has switched to raw mode on its answer.

#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "HubOptions.h"

class QTcpServer;

namespace tesso
{

class DeviceDriver;
class HubClient;

class DeviceHub : public QObject
{
    Q_OBJECT

  public:
    // A line no reply starts with, so that a client's parser passes over it.
    static constexpr const char* BusyReply = "! Busy: frame upload in progress, command not sent\r\n";
    // The shortest time between two batches of reply lines while the device reports on and on.
    static constexpr qint64 FlushIntervalMs = 40;
    static constexpr const char* TooLongReply = "! Refused: command too long for the device's TCP link\r\n";

    explicit DeviceHub(DeviceDriver& driver, QObject* parent = nullptr);
    ~DeviceHub() override;

    // Starts listening; the error text when the options are unsafe or the port is taken.
    std::optional<QString> start(const HubOptions& options);
    // Disconnects every client and stops listening.
    void stop();
    bool isListening() const;
    // The port listened on (the one picked when the options asked for 0).
    quint16 port() const;
    int clientCount() const { return static_cast<int>(m_clients.size()); }

  signals:
    void clientCountChanged(int count);
    // A client's command as it went to the device (or was answered by the hub).
    void commandForwarded(const QString& client, const QByteArray& command);
    // Connects, disconnects and refusals, one line each.
    void logged(const QString& line);

  private:
    void accept();
    void forward(HubClient* client, const QByteArray& command);
    void broadcast(const QByteArray& line);
    void flush();
    void remove(HubClient* client, const QString& reason);
    void watchSent(const QByteArray& line);
    bool uploadOwnsLink();

    QPointer<DeviceDriver> m_driver;
    HubOptions m_options;
    std::unique_ptr<QTcpServer> m_server;
    std::vector<HubClient*> m_clients; // children of the hub
    QByteArray m_pending;              // reply lines not yet sent to the clients
    QTimer m_flushTimer;
    QElapsedTimer m_lastFlush;
    // An upload's way through the link: the picture asked for (the device is raw from then on),
    // then raw mode seen, until the driver is back in the text protocol.
    enum class Upload { None, Asked, Raw };
    Upload m_upload = Upload::None;
    QElapsedTimer m_askedAt;
};

} // namespace tesso
