#include "ComPort2.h"

#include <termios.h>

#include <QRegularExpression>
#include <QSerialPort>

#include "ErrorReport.h"
#include "Errors.h"

namespace
{

const QString DevicePrefix = QStringLiteral("\\\\.\\");

QSerialPort::Parity toQt(TParity parity)
{
    switch (parity) {
    case ptODD:
        return QSerialPort::OddParity;
    case ptEVEN:
        return QSerialPort::EvenParity;
    case ptMARK:
        return QSerialPort::MarkParity;
    case ptSPACE:
        return QSerialPort::SpaceParity;
    case ptNONE:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(TStopBit stopBits)
{
    switch (stopBits) {
    case sbONE5:
        return QSerialPort::OneAndHalfStop;
    case snTWO:
        return QSerialPort::TwoStop;
    case sbONE:
        break;
    }
    return QSerialPort::OneStop;
}

QSerialPort::DataBits toQtDataBits(std::uint8_t bits)
{
    switch (bits) {
    case 5:
        return QSerialPort::Data5;
    case 6:
        return QSerialPort::Data6;
    case 7:
        return QSerialPort::Data7;
    default:
        return QSerialPort::Data8;
    }
}

// One part of the terminator text: optional spaces and sign, then decimal digits or hexadecimal
// digits after "$", "x" or "0x".
bool parseCode(QString part, int& code)
{
    part = part.trimmed();
    bool negative = false;
    if (part.startsWith(QLatin1Char('+')) || part.startsWith(QLatin1Char('-'))) {
        negative = part.startsWith(QLatin1Char('-'));
        part.remove(0, 1);
    }
    int base = 10;
    for (const QString& prefix : {QStringLiteral("$"), QStringLiteral("0x"), QStringLiteral("0X"),
                                  QStringLiteral("x"), QStringLiteral("X")}) {
        if (part.startsWith(prefix)) {
            part.remove(0, prefix.size());
            base = 16;
            break;
        }
    }
    if (part.isEmpty())
        return false;
    bool ok = false;
    const long long value = part.toLongLong(&ok, base);
    if (!ok)
        return false;
    code = static_cast<int>(negative ? -value : value);
    return true;
}

// A hung-up pseudo-terminal shows up as a read error, not as a resource error, and Qt keeps
// signalling it for as long as the port stays open: both mean the device is gone.
bool isDeviceGone(int error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}

} // namespace

TComPort2::TComPort2() : m_port(std::make_unique<QSerialPort>())
{
    QObject::connect(m_port.get(), &QSerialPort::readyRead, m_port.get(),
                     [this] { tesso::guarded([this] { dataArrived(); }); });
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                     [this](QSerialPort::SerialPortError error) {
                         tesso::guarded([this, error] { portErrorOccurred(error); });
                     });
}

TComPort2::~TComPort2()
{
    // Whoever owned the callbacks may already be gone; close without calling anybody.
    OnPortClose = nullptr;
    OnError = nullptr;
    ReceiveCallBack = nullptr;
    onReceived = nullptr;
    onError = nullptr;
    if (m_port->isOpen())
        m_port->close();
}

bool TComPort2::Opened() const
{
    return m_port->isOpen();
}

QString TComPort2::DevicePath(const QString& portName)
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

QString TComPort2::OpenFailureText(const QString& portName, const QString& systemText, bool permissionDenied)
{
    QString text = QStringLiteral("TCOMPORT : cannot open ") + portName + QStringLiteral("\r\n") + systemText;
    if (permissionDenied)
        text += QStringLiteral("\r\nYour user must be in the dialout group: "
                               "sudo usermod -aG dialout $USER, then log in again.");
    return text;
}

void TComPort2::Open()
{
    if (Opened())
        return;
    m_port->setPortName(DevicePath(m_portName));
    if (!m_port->open(QIODevice::ReadWrite)) {
        const QString message = OpenFailureText(m_portName, m_port->errorString(),
                                                m_port->error() == QSerialPort::PermissionError);
        m_port->clearError();
        throw EComError(message);
    }
    m_lineBuffer.clear();
    configurePort();
    // What the line held before (a device's chatter, a previous session's half reply) is not an
    // answer to anything this program will ask.
    m_port->clear(QSerialPort::AllDirections);
    // Pseudo-terminals have no modem lines; failing to clear them is not an open failure.
    m_port->setDataTerminalReady(false);
    m_port->setRequestToSend(false);
    m_port->clearError();
    if (OnPortOpen)
        OnPortOpen(this);
}

void TComPort2::configurePort()
{
    m_port->setBaudRate(static_cast<qint32>(m_baud));
    m_port->setDataBits(toQtDataBits(m_dataBits));
    m_port->setParity(toQt(m_parity));
    m_port->setStopBits(toQt(m_stopBits));
    m_port->setFlowControl(QSerialPort::NoFlowControl);
}

void TComPort2::Close()
{
    if (!Opened())
        return;
    m_port->close();
    m_port->clearError();
    if (OnPortClose)
        OnPortClose(this);
}

bool TComPort2::open()
{
    Open();
    return Opened();
}

void TComPort2::Write(const QByteArray& data)
{
    if (Opened())
        m_port->write(data);
}

void TComPort2::setBaud(std::uint32_t baud)
{
    m_baud = baud;
    if (!Opened())
        return;
    // What was written at the old rate leaves the line at that rate, or the device reads noise.
    for (int tries = 0; m_port->bytesToWrite() > 0 && tries < 20; ++tries)
        m_port->waitForBytesWritten(100);
    if (m_port->handle() >= 0)
        ::tcdrain(m_port->handle());
    configurePort();
}

QString TComPort2::Terminator() const
{
    QString text;
    for (const char c : m_terminator)
        text += QLatin1Char('#') + QString::number(static_cast<unsigned char>(c));
    return text;
}

void TComPort2::setTerminator(const QString& text)
{
    m_terminator.clear();
    QString rest = text.mid(1);
    while (!rest.isEmpty()) {
        const int hash = rest.indexOf(QLatin1Char('#'));
        const QString part = hash < 0 ? rest : rest.left(hash);
        rest = hash < 0 ? QString() : rest.mid(hash + 1);
        int code = 0;
        if (!parseCode(part, code)) {
            m_terminator = QByteArrayLiteral("\r\n");
            throw EComError(
                QStringLiteral("Illegal terminator String.\rformat : #<asciicode>#<asciicode>#<...>\r"
                               "example: #13#10"));
        }
        m_terminator += static_cast<char>(code & 0xFF);
    }
    if (m_terminator.isEmpty()) {
        // An empty terminator would match everywhere and deliver empty lines forever.
        m_terminator = QByteArrayLiteral("\r\n");
        throw EComError(QStringLiteral("Terminator String cannot be empty!"));
    }
}

void TComPort2::dataArrived()
{
    const QByteArray data = m_port->readAll();
    if (data.isEmpty() || (!ReceiveCallBack && !onReceived))
        return;
    if (m_receiveMode == rmRAW) {
        deliver(data);
        return;
    }
    // At most one line per arrival; a second complete line waits for the next bytes.
    m_lineBuffer += data;
    const int end = m_lineBuffer.indexOf(m_terminator);
    if (end < 0)
        return;
    const QByteArray line = m_lineBuffer.left(end + m_terminator.size());
    m_lineBuffer.remove(0, line.size());
    deliver(line);
}

void TComPort2::deliver(const QByteArray& data)
{
    if (ReceiveCallBack)
        ReceiveCallBack(data);
    if (onReceived && Opened())
        onReceived(data, QString(), 0);
}

void TComPort2::portErrorOccurred(int error)
{
    if (error == QSerialPort::NoError || !Opened())
        return;
    // When the device is gone the system's text names whatever call failed last ("Inappropriate
    // ioctl for device"), which tells the user nothing.
    const bool gone = isDeviceGone(error);
    const QString message = QStringLiteral("TCOMPORT : ") + m_portName + QStringLiteral("\r\n") +
                            (gone ? QStringLiteral("the serial port went away") : m_port->errorString());
    if (gone)
        Close(); // a later Open can bring it back
    else if (error == QSerialPort::UnsupportedOperationError)
        return; // modem-line requests on a device without modem lines
    m_port->clearError();
    if (OnError)
        OnError(this);
    if (onError)
        onError(message);
}
