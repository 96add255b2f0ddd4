#pragma once
// The driver's UDP endpoint: bound on all IPv4 interfaces with broadcast allowed, so the peer
// address of each datagram comes back as plain dotted text for the driver's sender check. The
// port is bound exclusively: a second program on it would silently take the device's replies.

#include <memory>

#include <QString>

#include "DeviceLink.h"
#include "LanDefaults.h"

class QUdpSocket;

namespace tesso
{

class UdpLink : public DeviceLink
{
  public:
    static constexpr int MaxDatagramsPerRead = 64;

    UdpLink();
    ~UdpLink() override;

    UdpLink(const UdpLink&) = delete;
    UdpLink& operator=(const UdpLink&) = delete;

    bool isActive() const override;
    bool open() override;
    void close() override;
    void write(const QByteArray& bytes) override;
    void setLocalPort(int port) override { m_localPort = port; }
    void setRemote(const QString& address, int port) override;

    int localPort() const { return m_localPort; }
    // The port actually bound (differs from localPort() when that is 0).
    int boundPort() const;
    // The bound socket may send to broadcast addresses.
    bool broadcastEnabled() const;
    QString errorText() const override { return m_bindError; }

  private:
    void readPending();

    std::unique_ptr<QUdpSocket> m_socket;
    int m_localPort = tesso::lan::DefaultPort;
    QString m_remoteAddress;
    int m_remotePort = tesso::lan::DefaultPort;
    QString m_bindError;
};

} // namespace tesso
