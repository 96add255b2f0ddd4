#pragma once
// One small interface in front of each of the driver's links (serial port, UDP endpoint, TCP
// client). The driver owns one of each and only ever talks to them through this interface, so
// tests can put a scripted in-memory link in their place.

#include <cstdint>

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tesso
{

class DeviceLink : public QObject
{
    Q_OBJECT

  public:
    ~DeviceLink() override = default;

    // Serial: the port is open. UDP: the endpoint is bound. TCP: the client is connected or
    // connecting.
    virtual bool isActive() const = 0;

    // Serial: opens the port named by setPortName(), throws EComError on failure.
    // UDP: binds setLocalPort() on all interfaces; returns false when that fails.
    // TCP: starts a non-blocking connect to setRemote(); returns false when it cannot start.
    virtual bool open() = 0;
    virtual void close() = 0;

    // TCP: the connect has finished. The others: the same as isActive().
    virtual bool isConnected() const { return isActive(); }

    // Serial and TCP: the bytes as they are. UDP: one datagram to the remote address and port;
    // a socket error is signalled as failed (the endpoint is kept).
    virtual void write(const QByteArray& bytes) = 0;

    // Configuration; each link uses what concerns it and ignores the rest.
    virtual void setPortName(const QString& /*name*/) {}
    virtual void setLocalPort(int /*port*/) {}
    virtual void setRemote(const QString& /*address*/, int /*port*/) {}
    virtual void setBaud(std::uint32_t /*baud*/) {}

    // Why the last open() failed, in the system's words (empty when it did not fail or the link
    // throws its failure instead).
    virtual QString errorText() const { return {}; }

  signals:
    // Received bytes. peerAddress (dotted text) and peerPort are set for UDP datagrams only.
    void received(const QByteArray& data, const QString& peerAddress, int peerPort);
    // TCP: the connect finished.
    void connected();
    // A socket or port error, with the system's text.
    void failed(const QString& message);
};

} // namespace tesso
