#include "SimSerialLink.h"

#include "SimGuard.h"

namespace tesso::sim
{

SimSerialLink::SimSerialLink(QObject* parent) : SimLink(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this,
            [this] { guarded([this] { emit received(m_port.readAll()); }); });
}

bool SimSerialLink::open(const QString& path, QString* error)
{
    m_port.setPortName(path);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, m_port.errorString());
        return false;
    }
    m_port.setBaudRate(TextBaud);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

void SimSerialLink::write(const QByteArray& bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

void SimSerialLink::setRawMode(bool raw)
{
    if (!m_port.isOpen())
        return;
    // What was queued at the old speed must leave at the old speed.
    m_port.flush();
    m_port.waitForBytesWritten(200);
    m_port.setBaudRate(raw ? RawBaud : TextBaud);
    emit logLine(QStringLiteral("serial: %1 baud").arg(m_port.baudRate()));
}

QString SimSerialLink::describe() const
{
    return QStringLiteral("serial %1").arg(m_port.portName());
}

} // namespace tesso::sim
