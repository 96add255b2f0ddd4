#pragma once
// SerialLink: the driver's RS232 link. QSerialPort runs on the GUI thread; its readyRead takes the
// place of a reader thread. The line is 8 data bits, no parity, one stop bit, no flow control, at
// the baud the driver sets (9600, 57600 for a picture). Every received chunk is handed on as it
// arrives: the driver cuts the replies into lines itself.

#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QString>

#include "DeviceLink.h"

class QSerialPort;

namespace tesso
{

class SerialLink : public DeviceLink
{
  public:
    SerialLink();
    ~SerialLink() override;

    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    QString portName() const { return m_portName; }
    std::uint32_t baud() const { return m_baud; }

    bool isActive() const override;
    // Throws EComError naming the port and the system's reason.
    bool open() override;
    void close() override;
    void write(const QByteArray& bytes) override;
    void setPortName(const QString& name) override { m_portName = name; }
    // Applied at once while open, after what was written at the old rate has left.
    void setBaud(std::uint32_t baud) override;

    // The device a port name stands for: COMn, \\.\COMn (the prefix possibly doubled) map to
    // /dev/ttyS<n-1> unless TESSO_COMn names another device; a path is used as it is.
    static QString devicePath(const QString& portName);
    // The text of a failed open; a permission failure adds how to get access.
    static QString openFailureText(const QString& portName, const QString& systemText, bool permissionDenied);

  private:
    void configurePort();
    void dataArrived();
    void portErrorOccurred(int error);

    std::unique_ptr<QSerialPort> m_port;
    QString m_portName;
    std::uint32_t m_baud = 9600;
};

} // namespace tesso
