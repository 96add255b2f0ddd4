#include "DevsimOptions.h"

namespace tesso::sim
{

namespace
{

constexpr int Large = 1 << 30;

// The whole-number fault options and their ranges.
struct FaultNumber {
    const char* name;
    int minimum;
    int maximum;
    int FaultOptions::*field;
};
constexpr FaultNumber FaultNumbers[] = {
    {"--silence-after", 0, Large, &FaultOptions::silenceAfterReplies},
    {"--noise", 0, 4096, &FaultOptions::noiseBytes},
    {"--chunk", 0, Large, &FaultOptions::chunkSize},
    {"--chunk-gap", 0, 60000, &FaultOptions::chunkGapMs},
    {"--delay", 0, 600000, &FaultOptions::replyDelayMs},
    {"--pace", 0, Large, &FaultOptions::paceEveryBlocks},
    {"--pace-hold", 0, 60000, &FaultOptions::paceHoldMs},
    {"--abort-after", 0, Large, &FaultOptions::abortAfterBlocks},
    {"--end-after", 0, Large, &FaultOptions::endAfterBlocks},
    {"--disconnect-after", 0, Large, &FaultOptions::disconnectAfterReplies},
};

const FaultNumber* faultNumber(const QString& name)
{
    for (const FaultNumber& f : FaultNumbers)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

bool isFlag(const QString& name)
{
    return name == QLatin1String("--pty") || name == QLatin1String("--line-rate") ||
           name == QLatin1String("--verbose") || name == QLatin1String("--no-ready");
}

bool takesValue(const QString& name)
{
    static const QStringList names{
        QStringLiteral("--tcp"),      QStringLiteral("--udp"),  QStringLiteral("--pty-link"),
        QStringLiteral("--serial"),   QStringLiteral("--bind"), QStringLiteral("--model"),
        QStringLiteral("--dev-code"), QStringLiteral("--seed"), QStringLiteral("--save-frames")};
    return faultNumber(name) != nullptr || names.contains(name);
}

std::optional<Model> modelNamed(const QString& name)
{
    for (Model m : {Model::Lumio, Model::Snipa})
        if (name.compare(QLatin1String(ModelTable::OfCode(deviceCodeOf(m)).name), Qt::CaseInsensitive) == 0)
            return m;
    return std::nullopt;
}

} // namespace

QString DevsimOptions::usage()
{
    return QStringLiteral(
        "Usage: tesso-devsim [--pty [--pty-link PATH] [--line-rate]] [--tcp PORT] [--udp PORT]\n"
        "                    [--serial PATH] [options] [fault options]\n"
        "Simulated Lumio or Snipa video scaler for tests, demos and training. Prints PTY=<path>,\n"
        "TCP=<port>, UDP=<port> and SERIAL=<path> on standard output once its links are open (PTY\n"
        "first); port 0 picks a free port.\n"
        "\n"
        "Links (at least one):\n"
        "  --pty                 open a new pseudo-terminal\n"
        "  --pty-link PATH       also make PATH a symbolic link to the pseudo-terminal\n"
        "  --line-rate           on the pseudo-terminal, take in and send no faster than the baud\n"
        "                        rate the controller set (10 bits a byte), as a serial line would\n"
        "  --tcp PORT            TCP server on PORT (one client at a time)\n"
        "  --udp PORT            UDP endpoint on PORT\n"
        "  --serial PATH         use the existing serial device PATH\n"
        "\n"
        "Options:\n"
        "  --bind ADDRESS        listen on ADDRESS (default 127.0.0.1)\n"
        "  --model NAME          lumio (default) or snipa\n"
        "  --dev-code N          answer \"?\" with device code N instead of the model's\n"
        "  --save-frames DIR     write each received picture as a bitmap file into DIR\n"
        "  --verbose             log what is received and sent on standard error\n"
        "  --help, --version\n"
        "\n"
        "Fault options:\n"
        "  --silence-after N     send nothing after N reply lines\n"
        "  --noise N             a line of N garbage bytes (up to 4096) before each reply\n"
        "  --seed N              seed of the garbage bytes\n"
        "  --chunk N             write output in pieces of at most N bytes\n"
        "  --chunk-gap MS        pause between pieces (default 5, up to 60000)\n"
        "  --delay MS            hold every output back MS (up to 600000)\n"
        "  --pace N              during a frame transfer, ESC DC3 after every N blocks\n"
        "  --pace-hold MS        ESC DC1 this long after ESC DC3 (default 50, up to 60000)\n"
        "  --no-ready            never send the ready signal in raw mode\n"
        "  --abort-after N       send the abort code after N frame blocks\n"
        "  --end-after N         end the frame transfer (ESC EOT) after N frame blocks\n"
        "  --disconnect-after N  drop the TCP client after N reply lines\n"
        "\n"
        "Exit status: 0 stopped by SIGINT or SIGTERM, 1 a link could not be opened, 2 usage error.\n");
}

DevsimOptions DevsimOptions::parse(const QStringList& arguments)
{
    DevsimOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.m_help = true;
            return options;
        }
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            options.m_version = true;
            return options;
        }
        // Nothing takes positional arguments, also not after "--".
        if (arg == QLatin1String("--") || !arg.startsWith(QLatin1String("--"))) {
            const int stray = arg == QLatin1String("--") ? i + 1 : i;
            if (stray < arguments.size())
                options.fail(QStringLiteral("unexpected argument \"%1\"").arg(arguments[stray]));
            break;
        }
        QString name = arg;
        QString value;
        if (const int equals = arg.indexOf(QLatin1Char('=')); equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
            if (isFlag(name)) {
                options.fail(QStringLiteral("%1 takes no value").arg(name));
                return options;
            }
        } else if (takesValue(arg)) {
            if (i + 1 >= arguments.size()) {
                options.fail(QStringLiteral("%1 needs a value").arg(arg));
                return options;
            }
            value = arguments[++i];
        }
        if (!options.takeOption(name, value))
            return options;
    }
    if (options.ok())
        options.checkLinks();
    return options;
}

bool DevsimOptions::takeOption(const QString& name, const QString& value)
{
    if (const FaultNumber* f = faultNumber(name))
        return readNumber(name, value, f->minimum, f->maximum, m_faults.*(f->field));
    int number = 0;
    if (std::optional<quint16>* port = name == QLatin1String("--tcp")   ? &m_tcpPort
                                       : name == QLatin1String("--udp") ? &m_udpPort
                                                                        : nullptr) {
        if (!readNumber(name, value, 0, 65535, number))
            return false;
        *port = quint16(number);
        return true;
    }
    if (name == QLatin1String("--dev-code")) {
        if (!readNumber(name, value, 0, Large, number))
            return false;
        m_deviceCode = std::uint32_t(number);
        return true;
    }
    if (name == QLatin1String("--seed")) {
        if (!readNumber(name, value, 0, Large, number))
            return false;
        m_faults.noiseSeed = std::uint32_t(number);
        return true;
    }
    if (name == QLatin1String("--model")) {
        const auto model = modelNamed(value);
        if (!model)
            return fail(QStringLiteral("--model is lumio or snipa, not \"%1\"").arg(value));
        m_model = *model;
        return true;
    }
    if (name == QLatin1String("--bind")) {
        m_bind = QHostAddress(value);
        if (m_bind.isNull())
            return fail(QStringLiteral("--bind needs an address, not \"%1\"").arg(value));
        return true;
    }
    if (QString* path = name == QLatin1String("--pty-link")      ? &m_ptyLink
                        : name == QLatin1String("--serial")      ? &m_serialPath
                        : name == QLatin1String("--save-frames") ? &m_saveFolder
                                                                 : nullptr) {
        if (value.isEmpty())
            return fail(QStringLiteral("%1 needs a path").arg(name));
        *path = value;
        return true;
    }
    if (name == QLatin1String("--pty"))
        m_pty = true;
    else if (name == QLatin1String("--line-rate"))
        m_lineRate = true;
    else if (name == QLatin1String("--verbose"))
        m_verbose = true;
    else if (name == QLatin1String("--no-ready"))
        m_faults.noReadySignal = true;
    else
        return fail(QStringLiteral("unknown option %1").arg(name));
    return true;
}

bool DevsimOptions::readNumber(const QString& name, const QString& value, int minimum, int maximum, int& out)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok || v < minimum || v > maximum)
        return fail(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                        .arg(name)
                        .arg(minimum)
                        .arg(maximum)
                        .arg(value));
    out = v;
    return true;
}

bool DevsimOptions::checkLinks()
{
    if (!m_pty && !m_tcpPort && !m_udpPort && m_serialPath.isEmpty())
        return fail(QStringLiteral("no link: give --tcp, --udp, --pty or --serial"));
    if (!m_ptyLink.isEmpty() && !m_pty)
        return fail(QStringLiteral("--pty-link needs --pty"));
    if (m_lineRate && !m_pty)
        return fail(QStringLiteral("--line-rate needs --pty"));
    return true;
}

bool DevsimOptions::fail(const QString& message)
{
    if (m_error.isEmpty())
        m_error = message;
    return false;
}

} // namespace tesso::sim
