#include "SerialLink.h"

#include <termios.h>

#include <QRegularExpression>
#include <QSerialPort>

#include "ErrorReport.h"
#include "Errors.h"

namespace tesso
{

namespace
{

const QString DevicePrefix = QStringLiteral("\\\\.\\");

// A hung-up pseudo-terminal shows up as a read error, not as a resource error, and Qt keeps
// signalling it for as long as the port stays open: both mean the device is gone.
bool isDeviceGone(int error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}

} // namespace

SerialLink::SerialLink() : m_port(std::make_unique<QSerialPort>())
{
    QObject::connect(m_port.get(), &QSerialPort::readyRead, m_port.get(),
                     [this] { tesso::guarded([this] { dataArrived(); }); });
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                     [this](QSerialPort::SerialPortError error) {
                         tesso::guarded([this, error] { portErrorOccurred(error); });
                     });
}

SerialLink::~SerialLink()
{
    // Whoever listened may already be gone; close without calling anybody.
    disconnect();
    if (m_port->isOpen())
        m_port->close();
}

bool SerialLink::isActive() const
{
    return m_port->isOpen();
}

QString SerialLink::devicePath(const QString& portName)
{
    QString name = portName;
    while (name.startsWith(DevicePrefix))
        name.remove(0, DevicePrefix.size());
    if (name.startsWith(QLatin1Char('/')))
        return name;
    static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]*)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comName.match(name);
    if (!match.hasMatch())
        return name;
    const int number = match.captured(1).toInt();
    const QString override = qEnvironmentVariable(("TESSO_COM" + QByteArray::number(number)).constData());
    if (!override.isEmpty())
        return override;
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}

QString SerialLink::openFailureText(const QString& portName, const QString& systemText, bool permissionDenied)
{
    QString text = QStringLiteral("TCOMPORT : cannot open ") + portName + QStringLiteral("\r\n") + systemText;
    if (permissionDenied)
        text += QStringLiteral("\r\nYour user must be in the dialout group: "
                               "sudo usermod -aG dialout $USER, then log in again.");
    return text;
}

bool SerialLink::open()
{
    if (isActive())
        return true;
    m_port->setPortName(devicePath(m_portName));
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QString message = openFailureText(m_portName, m_port->errorString(),
                                                m_port->error() == QSerialPort::PermissionError);
        m_port->clearError();
        throw EComError(message);
    }
    configurePort();
    // What the line held before (a device's chatter, a previous session's half reply) is not an
    // answer to anything this program will ask.
    m_port->clear(QSerialPort::AllDirections);
    // Pseudo-terminals have no modem lines; failing to clear them is not an open failure.
    m_port->setDataTerminalReady(false);
    m_port->setRequestToSend(false);
    m_port->clearError();
    return true;
}

void SerialLink::configurePort()
{
    m_port->setBaudRate(static_cast<qint32>(m_baud));
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
}

void SerialLink::close()
{
    if (!isActive())
        return;
    m_port->close();
    m_port->clearError();
}

void SerialLink::write(const QByteArray& bytes)
{
    if (isActive())
        m_port->write(bytes);
}

void SerialLink::setBaud(std::uint32_t baud)
{
    m_baud = baud;
    if (!isActive())
        return;
    // What was written at the old rate leaves the line at that rate, or the device reads noise.
    for (int tries = 0; m_port->bytesToWrite() > 0 && tries < 20; ++tries)
        m_port->waitForBytesWritten(100);
    if (m_port->handle() >= 0)
        ::tcdrain(m_port->handle());
    configurePort();
}

void SerialLink::dataArrived()
{
    const QByteArray data = m_port->readAll();
    if (!data.isEmpty() && isActive())
        emit received(data, QString(), 0);
}

void SerialLink::portErrorOccurred(int error)
{
    if (error == QSerialPort::NoError || !isActive())
        return;
    // When the device is gone the system's text names whatever call failed last ("Inappropriate
    // ioctl for device"), which tells the user nothing.
    const bool gone = isDeviceGone(error);
    const QString message = QStringLiteral("TCOMPORT : ") + m_portName + QStringLiteral("\r\n") +
                            (gone ? QStringLiteral("the serial port went away") : m_port->errorString());
    if (gone)
        close(); // a later open can bring it back
    else if (error == QSerialPort::UnsupportedOperationError)
        return; // modem-line requests on a device without modem lines
    m_port->clearError();
    emit failed(message);
}

} // namespace tesso
