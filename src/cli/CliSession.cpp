#include "CliSession.h"

#include "CliHub.h"
#include "CliProfiles.h"
#include "CliSettings.h"
#include "CliUpload.h"
#include "FrameUpload.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

#include "DeviceDriver.h"
#include "DeviceModels.h"
#include "Errors.h"
#include "EscapeText.h"
#include "IpText.h"
#include "QueryAllDump.h"
#include "SerialLink.h"
#include "VariableNames.h"

namespace tesso
{

namespace
{

QString secondsText(double seconds)
{
    return QString::number(seconds, 'g', 6) + QStringLiteral(" s");
}

constexpr int MissingNamesShown = 12;

} // namespace

CliSession::CliSession(const CliOptions& options, std::FILE* out, std::FILE* err)
    : m_options(options), m_out(out), m_err(err)
{
    m_previousReporter = tesso::setErrorReporter([this](const QString& message) {
        // A link failure is the session's to tell, once, with what it means for the command.
        if (m_linkBroken && message == m_linkError)
            return;
        std::fprintf(m_err, "tesso-cli: %s\n", message.toLocal8Bit().constData());
        std::fflush(m_err);
    });
}

CliSession::~CliSession()
{
    m_driver.reset();
    std::fflush(m_out);
    tesso::setErrorReporter(m_previousReporter);
}

QString CliSession::modelName(std::uint32_t code)
{
    const int position = tesso::ModelTable::ModelIndex(code);
    return position < 0 ? QStringLiteral("unknown") : QLatin1String(tesso::ModelTable::At(position).name);
}

int CliSession::run()
{
    const CliCommands::Command& command = *m_options.commandRow();
    if (command.prepare) {
        if (const int status = (this->*command.prepare)(); status != ExitOk)
            return status;
    }
    if (!command.needsLink)
        return (this->*command.run)();
    m_deadline = QDeadlineTimer(static_cast<qint64>(m_options.timeoutSeconds() * 1000.0));
    m_driver = std::make_unique<DeviceDriver>();
    QObject::connect(m_driver.get(), &DeviceDriver::linkFailed, m_driver.get(),
                     [this](LinkType link, const QString& message) { linkFailed(link, message); });
    QObject::connect(m_driver.get(), &DeviceDriver::replyApplied, m_driver.get(),
                     [this](tVAR index, const QByteArray& line) {
                         if (m_handler)
                             m_handler(index, line);
                     });
    if (const int status = openLink(); status != ExitOk)
        return status;
    return (this->*command.run)();
}

// ---- Link ----------------------------------------------------------------------------------------

void CliSession::linkFailed(LinkType link, const QString& message)
{
    if (link != m_driver->linkType())
        return;
    m_linkError = message;
    // The driver reconnects a TCP link once at once; a second failure in a row means nobody is there.
    if (link != LinkType::Tcp || ++m_tcpFailures >= 2)
        m_linkBroken = true;
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
    m_driver->setSerialPort(m_options.serialPort());
    if (!m_driver->serialPort().isEmpty())
        return ExitOk;
    const QString device = SerialLink::devicePath(m_options.serialPort());
    const QString where =
        device == m_options.serialPort() ? QString() : QStringLiteral(" (device %1)").arg(device);
    return fail(ExitLinkFailed, m_linkError + where);
}

// The driver compares the sender of each datagram with ipRemoteAddress as text, so names are
// turned into plain dotted IPv4 addresses first.
bool CliSession::resolveHost(QString& address)
{
    if (const std::optional<QString> dotted = tesso::canonicalIpText(address)) {
        address = *dotted;
        return true;
    }
    QHostAddress literal;
    if (literal.setAddress(address))
        return false; // an IPv6 literal: the device speaks IPv4 only
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
    m_driver->setIpRemoteAddress(address);
    m_driver->setIpRemotePort(m_options.remotePort());
    m_driver->setLinkType(LinkType::Tcp);
    if (waitUntil([this] { return m_driver->isLinkOpen(); }))
        return ExitOk;
    const QString target = QStringLiteral("%1:%2").arg(m_options.host()).arg(m_options.remotePort());
    if (m_linkBroken)
        return fail(ExitLinkFailed, QStringLiteral("cannot connect to %1: %2").arg(target, m_linkError));
    return fail(ExitLinkFailed, QStringLiteral("cannot connect to %1 within %2").arg(target, within()));
}

int CliSession::openUdp(const QString& address)
{
    m_driver->setIpLocalPort(m_options.localPort());
    m_driver->setIpRemoteAddress(address);
    m_driver->setIpRemotePort(m_options.remotePort());
    m_driver->setLinkType(LinkType::Udp);
    if (m_driver->isLinkOpen())
        return ExitOk;
    return fail(ExitLinkFailed, m_linkError);
}

bool CliSession::waitUntil(const std::function<bool()>& done)
{
    if (done())
        return true;
    if (m_linkBroken)
        return false;
    QEventLoop loop;
    QTimer tick;
    bool satisfied = false;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        std::fflush(m_out);
        satisfied = done();
        if (satisfied || m_linkBroken || m_deadline.hasExpired())
            loop.quit();
    });
    tick.start(10);
    loop.exec();
    return satisfied;
}

int CliSession::waitFailed(const QString& timeoutMessage)
{
    if (m_linkBroken)
        return fail(ExitLinkFailed, m_linkError);
    return fail(ExitNoDevice, timeoutMessage);
}

QString CliSession::within() const
{
    return secondsText(m_options.timeoutSeconds());
}

// Detection without the driver's 3 s start-up delay.
bool CliSession::connectDevice()
{
    if (m_options.forceConn())
        m_driver->setForcedConnection(true);
    else
        m_driver->detectNow();
    return waitUntil([&] { return m_driver->isConnected(); });
}

// ---- Checks before the link opens -----------------------------------------------------------------

int CliSession::prepareGet()
{
    for (const QString& name : m_options.arguments()) {
        const std::optional<tVAR> index = VariableNames::find(name);
        if (!index)
            return fail(ExitUsage, QStringLiteral("unknown variable '%1'; did you mean %2?")
                                       .arg(name, VariableNames::closest(name)));
        m_queries.push_back(*index);
    }
    return ExitOk;
}

int CliSession::prepareSet()
{
    for (const QString& argument : m_options.arguments()) {
        VariableAccess::Assignment assignment;
        QString error;
        if (!VariableAccess::parseAssignment(argument, assignment, error))
            return fail(ExitUsage, error);
        m_assignments.push_back(assignment);
    }
    return ExitOk;
}

// What arrives while the link opens counts too.
int CliSession::prepareMonitor()
{
    listen([this](tVAR index, const QByteArray& line) {
        print(VariableAccess::replyLines(*m_driver, index, line));
    });
    return ExitOk;
}

int CliSession::prepareRaw()
{
    QString error;
    if (!EscapeText::decode(m_options.arguments().constFirst().toLocal8Bit(), m_rawBytes, error))
        return fail(ExitUsage, error);
    if (m_rawBytes.isEmpty())
        return fail(ExitUsage, QStringLiteral("raw needs a non-empty TEXT"));
    return ExitOk;
}

int CliSession::prepareUpload()
{
    QString error;
    m_picture = CliUpload::prepare(m_options.arguments().constFirst(), m_options.fit(), &error);
    if (!m_picture)
        return fail(ExitUsage, error);
    return ExitOk;
}

// ---- Commands ------------------------------------------------------------------------------------

int CliSession::runDetect()
{
    bool found = false;
    std::uint32_t code = 0;
    listen([&](tVAR index, const QByteArray&) {
        if (index == _DEV && !found && tesso::isAcceptedDeviceCode(m_driver->DEV())) {
            found = true;
            code = m_driver->DEV();
        }
    });
    if (m_options.forceConn()) {
        m_driver->setForcedConnection(true);
        m_driver->queryVariable(_DEV);
    } else {
        m_driver->detectNow();
    }
    if (!waitUntil([&] { return found; }))
        return waitFailed(QStringLiteral("no device answered within %1").arg(within()));
    print({QStringLiteral("DEV=%1").arg(code), QStringLiteral("MODEL=") + modelName(code)});
    return ExitOk;
}

int CliSession::runGet()
{
    for (const tVAR index : m_queries) {
        bool answered = false;
        listen([&](tVAR replied, const QByteArray& line) {
            if (replied == index && !answered) {
                answered = true;
                print(VariableAccess::replyLines(*m_driver, replied, line));
            }
        });
        m_driver->queryVariable(index);
        if (!waitUntil([&] { return answered; }))
            return waitFailed(
                QStringLiteral("no reply for %1 within %2").arg(VariableNames::nameOf(index), within()));
    }
    return ExitOk;
}

int CliSession::runSet()
{
    if (!connectDevice())
        return waitFailed(QStringLiteral("no device answered within %1").arg(within()));
    for (const VariableAccess::Assignment& assignment : m_assignments) {
        bool answered = false;
        listen([&](tVAR replied, const QByteArray&) {
            if (replied == assignment.index && !answered) {
                answered = true;
                print({VariableAccess::answerLine(*m_driver, assignment)});
            }
        });
        try {
            VariableAccess::assign(*m_driver, assignment);
        } catch (const TessoError& e) {
            return fail(ExitUsage, e.text());
        }
        if (!waitUntil([&] { return answered; }))
            return waitFailed(QStringLiteral("no reply for %1 within %2")
                                  .arg(VariableAccess::assignedName(assignment), within()));
    }
    return ExitOk;
}

// The driver sends the query-all command one step after it connects. What the device answers from
// then on is collected; it is printed, each variable once, only when the answer is complete.
int CliSession::runDump()
{
    if (!connectDevice())
        return waitFailed(QStringLiteral("no device answered within %1").arg(within()));
    QueryAllDump dump;
    listen([&](tVAR index, const QByteArray& line) {
        if (m_driver->linkState() >= LinkState::Loading) // the answer to the query-all, not detection
            dump.add(index, line);
    });
    const bool ended = waitUntil([&] { return dump.ended(); });
    if (dump.complete()) {
        print(dump.lines(*m_driver));
        return ExitOk;
    }
    if (m_linkBroken)
        return fail(ExitLinkFailed, m_linkError);
    QString missing = dump.missing(MissingNamesShown).join(QStringLiteral(", "));
    if (dump.missingCount() > MissingNamesShown)
        missing += QStringLiteral(" and %1 more").arg(dump.missingCount() - MissingNamesShown);
    const QString how = ended
                            ? QStringLiteral("the query-all answer ended with %1 of %2 variables missing: %3")
                            : QStringLiteral("the query-all answer did not end within %4; %1 of %2 variables "
                                             "missing: %3");
    return fail(ExitNoDevice, how.arg(dump.missingCount()).arg(tesso::VariableCount).arg(missing, within()));
}

int CliSession::runMonitor()
{
    waitUntil([] { return false; });
    if (m_linkBroken)
        return fail(ExitLinkFailed, m_linkError);
    return ExitOk;
}

int CliSession::prepareHub()
{
    if (const auto problem = CliHub::parseArguments(m_options.arguments(), m_hubOptions))
        return fail(ExitUsage, *problem);
    return ExitOk;
}

// Clients are served whether the device is there or not: they hear it again when it is back.
int CliSession::runHub()
{
    CliHub hub(*m_driver, m_hubOptions, m_err);
    m_hub = &hub;
    const bool served = hub.run();
    m_hub = nullptr;
    return served ? ExitOk : ExitLinkFailed;
}

int CliSession::runProfiles()
{
    print(CliProfiles::list());
    return ExitOk;
}

int CliSession::runSave()
{
    return runSettings(
        [this](CliSettings& settings, const QString& file) { return settings.Save(file, m_linkBroken); });
}

int CliSession::runDiff()
{
    return runSettings(
        [this](CliSettings& settings, const QString& file) { return settings.Diff(file, m_linkBroken); });
}

int CliSession::runRestore()
{
    return runSettings([this](CliSettings& settings, const QString& file) {
        return settings.Restore(file, m_options.dryRun(), m_linkBroken);
    });
}

int CliSession::runSettings(const std::function<int(CliSettings&, const QString& file)>& action)
{
    if (!connectDevice())
        return waitFailed(QStringLiteral("no device answered within %1").arg(within()));
    CliSettings settings(*m_driver, m_out, m_err);
    listen([&settings](tVAR index, const QByteArray&) { settings.Replied(index); });
    const int status = action(settings, m_options.arguments().constFirst());
    listen(nullptr);
    if (m_linkBroken)
        return fail(ExitLinkFailed, m_linkError);
    return status;
}

int CliSession::runUpload()
{
    if (!connectDevice())
        return waitFailed(QStringLiteral("no device answered within %1").arg(within()));
    CliUpload upload(*m_driver, m_out, m_err);
    m_upload = &upload;
    listen([&upload](tVAR index, const QByteArray&) { upload.upload()->VariableReported(index); });
    const int status = upload.run(*m_picture, m_linkBroken);
    listen(nullptr);
    m_upload = nullptr;
    if (m_linkBroken)
        return fail(ExitLinkFailed, m_linkError);
    return status;
}

void CliSession::interrupt()
{
    if (m_upload) {
        m_upload->interrupt();
        return;
    }
    if (m_hub) {
        m_hub->stop();
        return;
    }
    // Nothing to put back: end as the signal would have, with what was printed kept.
    std::fflush(m_out);
    std::_Exit(130);
}

int CliSession::runRaw()
{
    bool answered = false;
    listen([&](tVAR index, const QByteArray& line) {
        if (!answered) {
            answered = true;
            print(VariableAccess::replyLines(*m_driver, index, line));
        }
    });
    try {
        m_driver->sendText(m_rawBytes);
    } catch (const TessoError& e) {
        return fail(ExitUsage, e.text());
    }
    if (!waitUntil([&] { return answered; }))
        return waitFailed(QStringLiteral("no reply within %1").arg(within()));
    return ExitOk;
}

// Written through the stream's buffer and flushed by the waiting loop, so a flood of replies costs
// no system call per line and a reader still sees them within a few milliseconds.
void CliSession::print(const QStringList& lines)
{
    for (const QString& line : lines) {
        std::fputs(line.toLocal8Bit().constData(), m_out);
        std::fputc('\n', m_out);
    }
}

int CliSession::fail(int status, const QString& message)
{
    std::fflush(m_out);
    std::fprintf(m_err, "tesso-cli: %s\n", message.toLocal8Bit().constData());
    std::fflush(m_err);
    return status;
}

} // namespace tesso
