#include "DeviceHub.h"

#include <algorithm>
#include <utility>

#include <QTcpServer>
#include <QTcpSocket>

#include "CommandParser.h"
#include "DeviceDriver.h"
#include "Errors.h"
#include "HubClient.h"

namespace tesso
{

namespace
{
// FAMODEM_ and FATRMODE for a picture sent in raw form: only then does the execute command take the
// device into raw mode (other modes capture or delete a frame).
constexpr std::uint32_t TransferMode = 2;
constexpr std::uint32_t RawFormat = 0;
// Past this, a picture asked for without the link going raw was not sent (its answer did not come
// within the upload's 5 s, or the user gave up), and the link is the text protocol's again.
constexpr qint64 AskedLimitMs = 10000;
} // namespace

DeviceHub::DeviceHub(DeviceDriver& driver, QObject* parent)
    : QObject(parent), m_driver(&driver), m_server(std::make_unique<QTcpServer>())
{
    m_server->setMaxPendingConnections(64);
    connect(m_server.get(), &QTcpServer::newConnection, this, &DeviceHub::accept);
    connect(&driver, &DeviceDriver::lineReceived, this,
            [this](const QByteArray& line) { broadcast(line + "\r\n"); });
    connect(&driver, &DeviceDriver::lineSent, this, &DeviceHub::watchSent);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_flushTimer, &QTimer::timeout, this, &DeviceHub::flush);
    connect(&driver, &DeviceDriver::rawDataArrived, this, [this] { m_upload = Upload::Raw; });
}

DeviceHub::~DeviceHub()
{
    stop();
}

std::optional<QString> DeviceHub::start(const HubOptions& options)
{
    stop();
    if (const auto problem = options.problem())
        return problem;
    m_options = options;
    if (!m_server->listen(options.address, options.port))
        return QStringLiteral("cannot listen on %1: %2").arg(options.listenText(), m_server->errorString());
    HubOptions shown = options;
    shown.port = m_server->serverPort();
    emit logged(QStringLiteral("listening on %1").arg(shown.listenText()));
    return std::nullopt;
}

void DeviceHub::stop()
{
    const bool wasListening = m_server->isListening();
    m_server->close();
    const std::vector<HubClient*> clients = m_clients;
    for (HubClient* client : clients)
        client->disconnectFromHub();
    if (wasListening)
        emit logged(QStringLiteral("stopped listening"));
}

bool DeviceHub::isListening() const
{
    return m_server->isListening();
}

quint16 DeviceHub::port() const
{
    return m_server->serverPort();
}

void DeviceHub::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        const QString peer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        QString refusal;
        if (!m_options.admits(socket->peerAddress()))
            refusal = QStringLiteral("not in the list of allowed clients");
        else if (clientCount() >= m_options.maxClients)
            refusal = QStringLiteral("%1 clients are connected already").arg(m_options.maxClients);
        if (!refusal.isEmpty()) {
            emit logged(QStringLiteral("refused %1: %2").arg(peer, refusal));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* client = new HubClient(socket, this);
        m_clients.push_back(client);
        connect(client, &HubClient::commandReceived, this, &DeviceHub::forward);
        connect(client, &HubClient::gone, this, &DeviceHub::remove);
        emit logged(QStringLiteral("client %1 connected").arg(client->name()));
        emit clientCountChanged(clientCount());
    }
}

void DeviceHub::forward(HubClient* client, const QByteArray& command)
{
    DeviceDriver* driver = m_driver.data();
    if (!driver)
        return;
    // Detection is the hub's own: a device query is answered from the mirror, so clients do not
    // add to the device's traffic; a lost device answers nothing.
    if (command.endsWith('?')) {
        if (driver->isConnected() && driver->DEV() != 0)
            client->send("DEV" + QByteArray::number(driver->DEV()) + "\r\n");
        emit commandForwarded(client->name(), command);
        return;
    }
    if (uploadOwnsLink()) {
        client->send(BusyReply);
        return;
    }
    try {
        if (driver->sendCommand(command))
            emit commandForwarded(client->name(), command);
    } catch (const TessoError& error) {
        client->send(TooLongReply);
        emit logged(QStringLiteral("client %1: %2").arg(client->name(), error.text()));
    }
}

// Whoever sends it (the upload, or a client), the execute command in transfer mode takes the device
// into raw mode; the modes it needs have been answered by then, so the mirror holds them.
void DeviceHub::watchSent(const QByteArray& line)
{
    CommandParser parser;
    std::vector<DeviceCommand> commands = parser.feed(line);
    if (const auto last = parser.flush())
        commands.push_back(*last);
    const bool rawNext =
        m_driver && m_driver->FAMODEM_() == TransferMode && m_driver->FATRMODE() == RawFormat;
    for (const DeviceCommand& c : commands) {
        if (c.index == _FAEXEC && c.hasValue && !c.overflow && c.value != 0 && rawNext) {
            m_upload = Upload::Asked;
            m_askedAt.start();
        } else if (c.index == _FAMODEM && m_upload == Upload::Asked) {
            m_upload = Upload::None; // given up before raw mode: the frame mode is put back
        }
    }
}

// Raw mode is seen as the driver's mode or as raw data arriving; once it is over, the link is free.
bool DeviceHub::uploadOwnsLink()
{
    if (m_driver->linkMode() == LinkMode::Raw) {
        m_upload = Upload::Raw;
        return true;
    }
    if (m_upload == Upload::Asked && m_askedAt.elapsed() < AskedLimitMs)
        return true;
    m_upload = Upload::None;
    return false;
}

void DeviceHub::broadcast(const QByteArray& line)
{
    if (m_clients.empty())
        return;
    // A reply goes out at once; while the device reports without a pause, its lines go out in
    // batches at most FlushIntervalMs apart, one write per client and batch instead of one per
    // client and line, which is most of the hub's cost.
    m_pending += line;
    if (m_flushTimer.isActive())
        return;
    const qint64 sinceLast = m_lastFlush.isValid() ? m_lastFlush.elapsed() : FlushIntervalMs;
    m_flushTimer.start(static_cast<int>(std::max<qint64>(0, FlushIntervalMs - sinceLast)));
}

void DeviceHub::flush()
{
    m_lastFlush.start();
    const QByteArray lines = std::exchange(m_pending, QByteArray());
    // A copy: a client that stopped reading is removed on the way.
    const std::vector<HubClient*> clients = m_clients;
    for (HubClient* client : clients)
        client->send(lines);
}

void DeviceHub::remove(HubClient* client, const QString& reason)
{
    const auto it = std::find(m_clients.begin(), m_clients.end(), client);
    if (it == m_clients.end())
        return;
    m_clients.erase(it);
    emit logged(reason.isEmpty() ? QStringLiteral("client %1 disconnected").arg(client->name())
                                 : QStringLiteral("client %1 disconnected: %2").arg(client->name(), reason));
    client->deleteLater();
    emit clientCountChanged(clientCount());
}

} // namespace tesso
