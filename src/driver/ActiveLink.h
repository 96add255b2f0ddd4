#pragma once
// The driver's three links and the one in use, chosen by the connection type. It opens, closes
// and moves them as the connection settings change, retries a refusing TCP peer once per link
// step, passes on only what the link in use receives (UDP only from the device's address and
// port, network data cut at a NUL and at 8192 bytes), and refuses TCP commands longer than ten
// characters.

#include <array>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "DriverLinks.h"
#include "LanDefaults.h"

namespace tesso
{

class ActiveLink : public QObject
{
    Q_OBJECT

  public:
    static constexpr int TcpCommandLimit = 10;
    static constexpr int SocketReadLimit = 8192;

    explicit ActiveLink(DriverLinks& links, QObject* parent = nullptr);
    ~ActiveLink();
    ActiveLink(const ActiveLink&) = delete;
    ActiveLink& operator=(const ActiveLink&) = delete;

    LinkType type() const { return m_type; }
    // Closes the link in use, then opens the new one. A serial port that cannot be opened throws
    // EComError; the type is changed all the same.
    void setType(LinkType type);

    // Serial port name: closes the port, stores the name and reopens it when the serial link is
    // in use. False (and no name) when it cannot be opened.
    bool setPortName(const QString& name);
    // UDP local port: re-binds the endpoint, unless the port is unchanged while both network
    // links are active.
    void setLocalPort(int port);
    int localPort() const { return m_localPort; }
    // Device address and port for UDP and TCP: a change restarts the network link in use
    // towards them.
    void setRemote(const QString& address, int port);
    QString remoteAddress() const { return m_remoteAddress; }
    int remotePort() const { return m_remotePort; }

    // Writes to the link in use if it is open. Over TCP a text of more than ten characters is a
    // range error and nothing is sent.
    void write(const QByteArray& text);
    bool isOpen() const;
    // Open and, for TCP, connected.
    bool isConnected() const { return link(m_type).isConnected(); }

    // Called at every link step: a TCP reconnect that was put off, or a UDP endpoint a failed
    // send left closed, is opened now.
    void retryDue();

    // Serial port settings, whatever the link in use.
    void closeSerial();
    void setSerialBaud(std::uint32_t baud);

  signals:
    // A link was opened or closed (or the serial port went away): detection starts over.
    void restarted();
    // Bytes from the link in use.
    void received(LinkType from, const QByteArray& bytes);
    // Every failure of a link, with the system's text (also those the user is not shown).
    void failed(LinkType link, const QString& message);

  private:
    DeviceLink& link(LinkType type) const { return *m_links[static_cast<std::size_t>(type)]; }
    void bind(LinkType type);
    void openCurrent();
    void closeCurrent();
    void OpenUdp();
    void CloseUdp();
    void OpenTcp();
    void CloseTcp();
    void TcpConnected();
    void TcpSocketError(const QString& message);
    void restart();
    void fail(LinkType link, const QString& message, bool show);

    std::array<std::unique_ptr<DeviceLink>, 3> m_links;
    LinkType m_type = LinkType::Serial;
    int m_localPort = tesso::lan::DefaultPort;
    QString m_remoteAddress = QLatin1String(tesso::lan::DefaultAddress);
    int m_remotePort = tesso::lan::DefaultPort;
    bool m_tcpConnectPending = false;
    // Repeated TCP failures are retried once per link step instead of at once.
    int m_tcpFailuresInARow = 0;
    bool m_tcpReopenDue = false;
    bool m_udpSendFailing = false; // since the last datagram from the device
    bool m_udpReopenDue = false;
};

} // namespace tesso
