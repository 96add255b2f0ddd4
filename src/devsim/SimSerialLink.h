#pragma once
// An existing serial device (9600 baud, 8 data bits, no parity, 1 stop bit; 57600 baud during
// the raw frame transfer).

#include <QSerialPort>

#include "SimLink.h"

namespace tesso::sim
{

class SimSerialLink : public SimLink
{
    Q_OBJECT
  public:
    static constexpr qint32 TextBaud = 9600;
    static constexpr qint32 RawBaud = 57600;

    explicit SimSerialLink(QObject* parent = nullptr);

    bool open(const QString& path, QString* error = nullptr);
    qint32 baudRate() const { return m_port.baudRate(); }

    void write(const QByteArray& bytes) override;
    void setRawMode(bool raw) override;
    QString describe() const override;

  private:
    QSerialPort m_port;
};

} // namespace tesso::sim
