#include "CliSession.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

#include "ComPort2.h"
#include "Errors.h"
#include "EscapeText.h"
#include "Mirex_d.h"
#include "ReplyWatcher.h"
#include "TcpLink.h"
#include "UdpLink.h"
#include "VariableNames.h"

namespace
{

bool isAcceptedDevice(std::uint32_t code)
{
    return code == 32 || code == 33 || code == 40 || code == 57 || code == 58;
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'g', 6) + QStringLiteral(" s");
}

} // namespace

CliSession::CliSession(const CliOptions& options, std::FILE* out, std::FILE* err)
    : m_options(options), m_out(out), m_err(err)
{
    m_previousReporter = tesso::setErrorReporter([this](const QString& message) {
        if (m_watcher)
            m_watcher->lineFailed();
        std::fprintf(m_err, "tesso-cli: %s\n", message.toLocal8Bit().constData());
        std::fflush(m_err);
    });
}

CliSession::~CliSession()
{
    m_watcher.reset();
    m_driver.reset();
    tesso::setErrorReporter(m_previousReporter);
}

QString CliSession::modelName(std::uint32_t code)
{
    if (code == 57)
        return QStringLiteral("Lumio");
    if (code == 58)
        return QStringLiteral("Snipa");
    return QStringLiteral("unknown");
}

int CliSession::run()
{
    if (const int status = prepare(); status != ExitOk)
        return status;
    m_deadline = QDeadlineTimer(static_cast<qint64>(m_options.timeoutSeconds() * 1000.0));
    m_driver = std::make_unique<TMirex_d>();
    m_watcher = std::make_unique<ReplyWatcher>(*m_driver);
    if (m_options.command() == QLatin1String("monitor")) // what arrives while the link opens counts too
        m_watcher->listen([this](tVAR index, const QByteArray& line) {
            print(VariableAccess::replyLines(*m_driver, index, line));
        });
    if (const int status = openLink(); status != ExitOk)
        return status;

    const QString command = m_options.command();
    if (command == QLatin1String("detect"))
        return runDetect();
    if (command == QLatin1String("get"))
        return runGet();
    if (command == QLatin1String("set"))
        return runSet();
    if (command == QLatin1String("dump"))
        return runDump();
    if (command == QLatin1String("monitor"))
        return runMonitor();
    return runRaw();
}

// Everything the user typed is checked before a link is opened.
int CliSession::prepare()
{
    const QString command = m_options.command();
    if (command == QLatin1String("get")) {
        for (const QString& name : m_options.arguments()) {
            const std::optional<tVAR> index = VariableNames::find(name);
            if (!index)
                return fail(ExitUsage, QStringLiteral("unknown variable '%1'; did you mean %2?")
                                           .arg(name, VariableNames::closest(name)));
            m_queries.push_back(*index);
        }
    } else if (command == QLatin1String("set")) {
        for (const QString& argument : m_options.arguments()) {
            VariableAccess::Assignment assignment;
            QString error;
            if (!VariableAccess::parseAssignment(argument, assignment, error))
                return fail(ExitUsage, error);
            m_assignments.push_back(assignment);
        }
    } else if (command == QLatin1String("raw")) {
        QString error;
        if (!EscapeText::decode(m_options.arguments().constFirst().toLocal8Bit(), m_rawBytes, error))
            return fail(ExitUsage, error);
        if (m_rawBytes.isEmpty())
            return fail(ExitUsage, QStringLiteral("raw needs a non-empty TEXT"));
    }
    return ExitOk;
}

int CliSession::openLink()
{
    if (m_options.link() == CliOptions::Link::Serial)
        return openSerial();
    QString address = m_options.host();
    if (!resolveHost(address))
        return fail(ExitLinkFailed, QStringLiteral("cannot resolve host '%1'").arg(m_options.host()));
    return m_options.link() == CliOptions::Link::Tcp ? openTcp(address) : openUdp(address);
}

int CliSession::openSerial()
{
    // Opened through the link itself: the driver's Port setter swallows the reason of a failure.
    DeviceLink& serial = m_driver->serialLink();
    serial.setPortName(m_options.serialPort());
    try {
        serial.open();
    } catch (const TessoError& e) {
        const QString device = TComPort2::DevicePath(m_options.serialPort());
        const QString where =
            device == m_options.serialPort() ? QString() : QStringLiteral(" (device %1)").arg(device);
        return fail(ExitLinkFailed, e.text() + where);
    }
    return ExitOk;
}

// The driver compares the sender of each datagram with IpRemoteAddress as text, so names are
// turned into dotted IPv4 addresses first.
bool CliSession::resolveHost(QString& address)
{
    QHostAddress literal;
    if (literal.setAddress(address)) {
        if (literal.protocol() != QAbstractSocket::IPv4Protocol)
            return false;
        address = literal.toString();
        return true;
    }
    const QHostInfo info = QHostInfo::fromName(address);
    for (const QHostAddress& candidate : info.addresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
            address = candidate.toString();
            return true;
        }
    }
    return false;
}

int CliSession::openTcp(const QString& address)
{
    DeviceLink& tcp = m_driver->tcpLink();
    auto driverHandler = tcp.onError;
    tcp.onError = [this, driverHandler](const QString& message) {
        ++m_tcpFailures;
        m_lastTcpError = message;
        if (driverHandler)
            driverHandler(message);
    };
    m_driver->setIpRemoteAddress(address);
    m_driver->setIpRemotePort(m_options.remotePort());
    m_driver->setConType(CON_TCP);
    auto* client = dynamic_cast<TcpLink*>(&tcp);
    // The driver reconnects once at once; a second failure in a row means nobody is there.
    const bool connected = waitUntil([&] { return (client && client->isConnected()) || m_tcpFailures >= 2; });
    if (client && client->isConnected())
        return ExitOk;
    const QString target = QStringLiteral("%1:%2").arg(m_options.host()).arg(m_options.remotePort());
    if (!connected || m_lastTcpError.isEmpty())
        return fail(ExitLinkFailed, QStringLiteral("cannot connect to %1 within %2")
                                        .arg(target, secondsText(m_options.timeoutSeconds())));
    return fail(ExitLinkFailed, QStringLiteral("cannot connect to %1: %2").arg(target, m_lastTcpError));
}

int CliSession::openUdp(const QString& address)
{
    m_driver->setIpLocalPort(m_options.localPort());
    m_driver->setIpRemoteAddress(address);
    m_driver->setIpRemotePort(m_options.remotePort());
    m_driver->setConType(CON_UDP);
    if (m_driver->udpLink().isActive())
        return ExitOk;
    const auto* udp = dynamic_cast<const UdpLink*>(&m_driver->udpLink());
    return fail(ExitLinkFailed, QStringLiteral("cannot bind local UDP port %1: %2")
                                    .arg(m_options.localPort())
                                    .arg(udp ? udp->bindErrorText() : QString()));
}

bool CliSession::waitUntil(const std::function<bool()>& done)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer tick;
    bool satisfied = false;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        m_watcher->flush();
        satisfied = done();
        if (satisfied || m_deadline.hasExpired())
            loop.quit();
    });
    tick.start(10);
    loop.exec();
    return satisfied;
}

// Detection without the driver's 3 s start-up delay: step the state machine to searching and ask
// "?" at once; the driver keeps asking every 2 s after that.
bool CliSession::connectDevice()
{
    if (m_options.forceConn()) {
        m_driver->setForceConn(true);
        return waitUntil([&] { return m_driver->Connected(); });
    }
    m_driver->RestartLinkTimer(1);
    if (!waitUntil([&] { return m_driver->LinkState() == 1; }))
        return false;
    m_driver->setQueryVar(_DEV);
    return waitUntil([&] { return m_driver->Connected(); });
}

int CliSession::runDetect()
{
    bool found = false;
    std::uint32_t code = 0;
    m_watcher->listen([&](tVAR index, const QByteArray&) {
        if (index == _DEV && !found && isAcceptedDevice(m_driver->DEV())) {
            found = true;
            code = m_driver->DEV();
        }
    });
    if (m_options.forceConn()) {
        m_driver->setForceConn(true);
        m_driver->setQueryVar(_DEV);
    } else {
        m_driver->RestartLinkTimer(1);
        if (waitUntil([&] { return m_driver->LinkState() == 1 || found; }) && !found)
            m_driver->setQueryVar(_DEV);
    }
    if (!waitUntil([&] { return found; }))
        return fail(
            ExitNoDevice,
            QStringLiteral("no device answered within %1").arg(secondsText(m_options.timeoutSeconds())));
    print({QStringLiteral("DEV=%1").arg(code), QStringLiteral("MODEL=") + modelName(code)});
    return ExitOk;
}

int CliSession::runGet()
{
    for (const tVAR index : m_queries) {
        bool answered = false;
        m_watcher->listen([&](tVAR replied, const QByteArray& line) {
            if (replied == index && !answered) {
                answered = true;
                print(VariableAccess::replyLines(*m_driver, replied, line));
            }
        });
        m_driver->setQueryVar(index);
        if (!waitUntil([&] { return answered; }))
            return fail(ExitNoDevice,
                        QStringLiteral("no reply for %1 within %2")
                            .arg(VariableNames::nameOf(index), secondsText(m_options.timeoutSeconds())));
    }
    return ExitOk;
}

int CliSession::runSet()
{
    if (!connectDevice())
        return fail(
            ExitNoDevice,
            QStringLiteral("no device answered within %1").arg(secondsText(m_options.timeoutSeconds())));
    for (const VariableAccess::Assignment& assignment : m_assignments) {
        bool answered = false;
        m_watcher->listen([&](tVAR replied, const QByteArray& line) {
            if (replied == assignment.index && !answered) {
                answered = true;
                print(VariableAccess::replyLines(*m_driver, replied, line));
            }
        });
        try {
            VariableAccess::assign(*m_driver, assignment);
        } catch (const TessoError& e) {
            return fail(ExitUsage, e.text());
        }
        if (!waitUntil([&] { return answered; }))
            return fail(ExitNoDevice, QStringLiteral("no reply for %1 within %2")
                                          .arg(VariableNames::nameOf(assignment.index),
                                               secondsText(m_options.timeoutSeconds())));
    }
    return ExitOk;
}

// The driver sends the query-all command one step after it connects and declares itself ready
// after 2 s without data: that silence is the end of the dump.
int CliSession::runDump()
{
    if (!connectDevice())
        return fail(
            ExitNoDevice,
            QStringLiteral("no device answered within %1").arg(secondsText(m_options.timeoutSeconds())));
    m_watcher->listen([&](tVAR index, const QByteArray& line) {
        if (!m_driver->Ready()) // the keep-alive answer after the dump is not part of it
            print(VariableAccess::replyLines(*m_driver, index, line));
    });
    if (!waitUntil([&] { return m_driver->Ready(); }))
        return fail(ExitNoDevice, QStringLiteral("the query-all answer did not end within %1")
                                      .arg(secondsText(m_options.timeoutSeconds())));
    return ExitOk;
}

int CliSession::runMonitor()
{
    waitUntil([] { return false; });
    m_watcher->flush();
    return ExitOk;
}

int CliSession::runRaw()
{
    bool answered = false;
    m_watcher->listen([&](tVAR index, const QByteArray& line) {
        if (!answered) {
            answered = true;
            print(VariableAccess::replyLines(*m_driver, index, line));
        }
    });
    try {
        m_driver->SendString(m_rawBytes);
    } catch (const TessoError& e) {
        return fail(ExitUsage, e.text());
    }
    if (!waitUntil([&] { return answered; }))
        return fail(ExitNoDevice,
                    QStringLiteral("no reply within %1").arg(secondsText(m_options.timeoutSeconds())));
    return ExitOk;
}

void CliSession::print(const QStringList& lines)
{
    for (const QString& line : lines)
        std::fprintf(m_out, "%s\n", line.toLocal8Bit().constData());
    std::fflush(m_out);
}

int CliSession::fail(int status, const QString& message)
{
    std::fprintf(m_err, "tesso-cli: %s\n", message.toLocal8Bit().constData());
    std::fflush(m_err);
    return status;
}
