#pragma once
// The driver's TCP client. Errors are reported once per failed or dropped connection and always
// from the event loop, never from inside open() or close(): the driver answers an error by
// closing and reconnecting, and a refusal that Qt reports synchronously would otherwise recurse.

#include <cstdint>
#include <memory>

#include <QString>

#include "DeviceLink.h"
#include "LanDefaults.h"

class QTcpSocket;

namespace tesso
{

class TcpLink : public DeviceLink
{
  public:
    static constexpr qint64 ChunkSize = 8192;

    TcpLink();
    ~TcpLink() override;

    TcpLink(const TcpLink&) = delete;
    TcpLink& operator=(const TcpLink&) = delete;

    // Connecting or connected.
    bool isActive() const override;
    bool isConnected() const override;
    bool open() override;
    void close() override;
    void write(const QByteArray& bytes) override;
    void setRemote(const QString& address, int port) override;

    // Connects started since construction, for tests that look for reconnect storms.
    int connectAttempts() const { return m_connectAttempts; }

  private:
    void socketError();
    void readAvailable();

    std::unique_ptr<QTcpSocket> m_socket;
    QString m_address;
    int m_port = tesso::lan::DefaultPort;
    // Each open() and close() starts a new generation; an error report queued for an older one
    // is dropped, so a report never reaches a link that has already moved on.
    std::uint64_t m_generation = 0;
    std::uint64_t m_reportedGeneration = 0;
    int m_connectAttempts = 0;
};

} // namespace tesso
