#pragma once
// One way into the simulated device: a TCP server, a UDP endpoint, a pseudo-terminal or a serial
// device. A link only moves bytes; SimServer connects it to the device.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace tesso::sim
{

class SimLink : public QObject
{
    Q_OBJECT
  public:
    using QObject::QObject;
    ~SimLink() override = default;

    virtual void write(const QByteArray& bytes) = 0;
    // Serial lines change speed for the raw frame transfer; the others ignore it.
    virtual void setRawMode(bool /*raw*/) {}
    // Stream links close the current client; the others ignore it.
    virtual void dropConnection() {}
    // "TCP 127.0.0.1:10500", for the log.
    virtual QString describe() const = 0;

  signals:
    void received(const QByteArray& bytes);
    void logLine(const QString& line);
};

} // namespace tesso::sim
