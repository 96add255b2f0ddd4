#include "CliOptions.h"

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
           name == QLatin1String("--timeout");
}

} // namespace

QString CliOptions::usage()
{
    return QStringLiteral(
        "Usage: tesso-cli (--serial PORT | --tcp HOST[:PORT] | --udp HOST[:PORT] [--local-port N])\n"
        "                 [--force-conn] [--timeout SECONDS] COMMAND [ARGS...]\n"
        "\n"
        "Commands:\n"
        "  detect              wait for an accepted DEV reply; print DEV=<code> and MODEL=<name>\n"
        "  get NAME...         query each variable; print NAME=VALUE for each reply\n"
        "  set NAME=VALUE...   assign through the driver (needs a detected device or --force-conn);\n"
        "                      print NAME=VALUE of the device's answer\n"
        "  dump                query-all; print NAME=VALUE once per variable when the answer\n"
        "                      is complete\n"
        "  monitor             print NAME=VALUE for every reply until the time-out\n"
        "  raw TEXT            send TEXT (escapes \\r \\n \\\\ \\xHH); print the first reply\n"
        "  save FILE           write the device's settings into a settings file\n"
        "  diff FILE           print NAME: file VALUE, device VALUE for each setting that differs\n"
        "                      (status 1 when any does)\n"
        "  restore FILE [--dry-run]\n"
        "                      write back the settings that differ, one at a time, then check;\n"
        "                      --dry-run only prints them\n"
        "  upload FILE [--fit exact|crop|shrink|center|zoom]\n"
        "                      send a bitmap into the frame memory (--serial only); a picture\n"
        "                      that is not 720 x 576 needs --fit (crop or shrink when larger,\n"
        "                      center or zoom when smaller); progress on standard error, the\n"
        "                      result on standard output; --timeout covers detection only\n"
        "\n"
        "Options:\n"
        "  --serial PORT       serial port: COM1.., \\\\.\\COM1.. or a device path\n"
        "  --tcp HOST[:PORT]   TCP connection to the device (port 10500 by default)\n"
        "  --udp HOST[:PORT]   UDP to the device (port 10500 by default)\n"
        "  --local-port N      local UDP port (10500 by default)\n"
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
    if (options.m_link == Link::None) {
        options.fail(QStringLiteral("choose a link: --serial, --tcp or --udp"));
        return options;
    }
    if (options.m_localPortGiven && options.m_link != Link::Udp) {
        options.fail(QStringLiteral("--local-port applies to --udp only"));
        return options;
    }
    if (i >= arguments.size()) {
        options.fail(QStringLiteral("no command given"));
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
    if (name == QLatin1String("--force-conn")) {
        m_forceConn = true;
        return true;
    }
    return fail(QStringLiteral("unknown option %1").arg(name));
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
    const int count = static_cast<int>(m_arguments.size());
    if (m_command == QLatin1String("detect") || m_command == QLatin1String("dump") ||
        m_command == QLatin1String("monitor")) {
        if (count != 0)
            return fail(QStringLiteral("%1 takes no arguments").arg(m_command));
        return true;
    }
    if (m_command == QLatin1String("get") || m_command == QLatin1String("set")) {
        if (count == 0)
            return fail(QStringLiteral("%1 needs at least one variable").arg(m_command));
        return true;
    }
    if (m_command == QLatin1String("raw")) {
        if (count != 1)
            return fail(QStringLiteral("raw takes exactly one TEXT argument"));
        return true;
    }
    if (m_command == QLatin1String("save") || m_command == QLatin1String("diff")) {
        if (count != 1)
            return fail(QStringLiteral("%1 takes exactly one FILE").arg(m_command));
        return true;
    }
    if (m_command == QLatin1String("restore")) {
        if (count == 2 && m_arguments[1] == QLatin1String("--dry-run"))
            m_dryRun = true;
        else if (count != 1)
            return fail(QStringLiteral("restore takes FILE and an optional --dry-run"));
        return true;
    }
    if (m_command == QLatin1String("upload")) {
        if (count == 3 && m_arguments[1] == QLatin1String("--fit"))
            m_fit = m_arguments[2];
        else if (count != 1)
            return fail(QStringLiteral("upload takes FILE and an optional --fit MODE"));
        if (m_link != Link::Serial)
            return fail(QStringLiteral("upload works over --serial only: frames travel on the serial line"));
        return true;
    }
    return fail(QStringLiteral("unknown command '%1'").arg(m_command));
}

bool CliOptions::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

} // namespace tesso
