#include "CliOptions.h"

#include "CliProfiles.h"

namespace tesso
{

namespace
{

bool parsePort(const QString& text, int& port, int lowest)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < lowest || value > 65535)
        return false;
    port = value;
    return true;
}

bool takesValue(const QString& name)
{
    return name == QLatin1String("--serial") || name == QLatin1String("--tcp") ||
           name == QLatin1String("--udp") || name == QLatin1String("--local-port") ||
           name == QLatin1String("--timeout") || name == QLatin1String("--profile");
}

} // namespace

QString CliOptions::usage()
{
    const QString synopsis = QStringLiteral(
        "Usage: tesso-cli (--serial PORT | --tcp HOST[:PORT] | --udp HOST[:PORT] [--local-port N]\n"
        "                  | --profile NAME) [--force-conn] [--timeout SECONDS] COMMAND [ARGS...]\n"
        "       tesso-cli profiles\n"
        "\n"
        "Commands:\n");
    const QString rest = QStringLiteral(
        "\n"
        "Options:\n"
        "  --serial PORT       serial port: a device path (/dev/ttyUSB0, /dev/serial/by-id/...),\n"
        "                      or COM1.. (\\\\.\\COM1..), /dev/ttyS0.. unless TESSO_COMn is set\n"
        "  --tcp HOST[:PORT]   TCP connection to the device (port 10500 by default)\n"
        "  --udp HOST[:PORT]   UDP to the device (port 10500 by default)\n"
        "  --local-port N      local UDP port (10500 by default)\n"
        "  --profile NAME      the link of the window's profile NAME (see profiles)\n"
        "  --force-conn        treat the device as connected without detecting it\n"
        "  --timeout SECONDS   time allowed for the whole command (10 by default)\n"
        "  --help, --version\n"
        "\n"
        "NAME is a variable name such as ICHM, UNIT or FAMODEM, in any case; set also takes\n"
        "LOCAL_IP, REMOTE_IP, GATEWAY_IP, LOCAL_PORT and REMOTE_PORT.\n"
        "Exit status: 0 success, 2 usage error, 3 no device, no reply in time or an incomplete\n"
        "dump or an upload the device stopped answering, 4 link could not be opened or failed,\n"
        "5 upload refused or ended early by the device, or interrupted.\n"
        "diff and restore: 1 settings differ; a settings file that cannot be used is a usage\n"
        "error (2); 6 done with the settings the file holds, but it lacked some or named some\n"
        "this version does not know (listed on standard error).\n");
    return synopsis + CliCommands::usage() + rest;
}

CliOptions CliOptions::parse(const QStringList& arguments)
{
    CliOptions options;
    int i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("-")))
            break; // the command: everything after it is its arguments
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.m_help = true;
            return options;
        }
        if (arg == QLatin1String("--version")) {
            options.m_version = true;
            return options;
        }
        if (arg == QLatin1String("--")) {
            ++i;
            break;
        }
        QString name = arg;
        QString value;
        const int equals = arg.indexOf(QLatin1Char('='));
        if (equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
        } else if (takesValue(arg)) {
            if (i + 1 >= arguments.size()) {
                options.fail(QStringLiteral("option %1 needs a value").arg(arg));
                return options;
            }
            value = arguments[++i];
        }
        if (!options.takeOption(name, value))
            return options;
    }
    if (i >= arguments.size()) {
        options.fail(QStringLiteral("no command given"));
        return options;
    }
    const CliCommands::Command* row = CliCommands::find(arguments[i].toLower());
    if (!options.m_profile.isEmpty() && !options.useProfile())
        return options;
    if (options.m_link == Link::None && (!row || row->needsLink)) {
        options.fail(QStringLiteral("choose a link: --serial, --tcp, --udp or --profile"));
        return options;
    }
    if (options.m_localPortGiven && options.m_link != Link::Udp) {
        options.fail(QStringLiteral("--local-port applies to --udp only"));
        return options;
    }
    options.m_command = arguments[i].toLower();
    options.m_arguments = arguments.mid(i + 1);
    options.checkCommand();
    return options;
}

bool CliOptions::takeOption(const QString& name, const QString& value)
{
    if (name == QLatin1String("--serial"))
        return setLink(Link::Serial, value);
    if (name == QLatin1String("--tcp"))
        return setLink(Link::Tcp, value);
    if (name == QLatin1String("--udp"))
        return setLink(Link::Udp, value);
    if (name == QLatin1String("--local-port")) {
        m_localPortGiven = true;
        if (!parsePort(value, m_localPort, 0))
            return fail(QStringLiteral("--local-port needs a port number 0..65535, not '%1'").arg(value));
        return true;
    }
    if (name == QLatin1String("--timeout")) {
        bool ok = false;
        const double seconds = value.toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 86400)
            return fail(QStringLiteral("--timeout needs a number of seconds above 0, not '%1'").arg(value));
        m_timeoutSeconds = seconds;
        return true;
    }
    if (name == QLatin1String("--profile")) {
        if (!m_profile.isEmpty())
            return fail(QStringLiteral("give --profile once"));
        m_profile = value;
        return true;
    }
    if (name == QLatin1String("--force-conn")) {
        m_forceConn = true;
        return true;
    }
    return fail(QStringLiteral("unknown option %1").arg(name));
}

// The profile's link, as if its options had been typed; typed link options and a profile exclude
// each other, so that a script never reaches another device than the one it names.
bool CliOptions::useProfile()
{
    if (m_link != Link::None || m_localPortGiven)
        return fail(QStringLiteral("give either --profile or the link options, not both"));
    QString error;
    const std::optional<QStringList> link = CliProfiles::linkOptions(m_profile, error);
    if (!link)
        return fail(error);
    if (!setLink(link->at(0) == QLatin1String("--serial") ? Link::Serial
                 : link->at(0) == QLatin1String("--tcp")  ? Link::Tcp
                                                          : Link::Udp,
                 link->at(1)))
        return false;
    if (link->size() == 4 && !takeOption(link->at(2), link->at(3)))
        return false;
    return true;
}

bool CliOptions::setLink(Link link, const QString& value)
{
    if (m_link != Link::None)
        return fail(QStringLiteral("give only one of --serial, --tcp and --udp"));
    if (value.isEmpty())
        return fail(QStringLiteral("the link needs a port or host"));
    m_link = link;
    if (link == Link::Serial) {
        m_serialPort = value;
        return true;
    }
    const int colon = value.lastIndexOf(QLatin1Char(':'));
    m_host = colon < 0 ? value : value.left(colon);
    if (m_host.isEmpty())
        return fail(QStringLiteral("missing host in '%1'").arg(value));
    if (colon >= 0 && !parsePort(value.mid(colon + 1), m_remotePort, 1))
        return fail(QStringLiteral("bad port in '%1'; expected 1..65535").arg(value));
    return true;
}

bool CliOptions::checkCommand()
{
    const CliCommands::Command* row = CliCommands::find(m_command);
    if (!row)
        return fail(QStringLiteral("unknown command '%1'").arg(m_command));
    const CliCommands::Arguments& wanted = row->arguments;
    const int count = static_cast<int>(m_arguments.size());
    // The option follows the one plain argument: FILE --dry-run, FILE --fit MODE.
    if (wanted.option && count == (wanted.optionTakesValue ? 3 : 2) &&
        m_arguments[1] == QLatin1String(wanted.option)) {
        m_option = m_arguments[1];
        m_optionValue = wanted.optionTakesValue ? m_arguments[2] : QString();
    } else if (count < wanted.fewest || (wanted.most >= 0 && count > wanted.most)) {
        return fail(QString::fromLatin1(row->refusal));
    }
    if (row->serialOnly && m_link != Link::Serial)
        return fail(QString::fromLatin1(row->serialOnly));
    m_commandRow = row;
    return true;
}

bool CliOptions::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

} // namespace tesso
