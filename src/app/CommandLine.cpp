#include "CommandLine.h"

namespace tesso
{

namespace
{

// Options that QApplication understands and that take a value.
bool isQtOptionWithValue(const QString& argument)
{
    static const QStringList withValue = {
        QStringLiteral("-platform"),      QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"), QStringLiteral("-plugin"),
        QStringLiteral("-qmljsdebugger"), QStringLiteral("-qwindowgeometry"),
        QStringLiteral("-qwindowicon"),   QStringLiteral("-qwindowtitle"),
        QStringLiteral("-display"),       QStringLiteral("-style"),
        QStringLiteral("-stylesheet"),    QStringLiteral("-session")};
    return withValue.contains(argument);
}

bool isQtFlag(const QString& argument)
{
    static const QStringList flags = {QStringLiteral("-reverse"), QStringLiteral("-nograb"),
                                      QStringLiteral("-dograb"), QStringLiteral("-sync")};
    return flags.contains(argument);
}

} // namespace

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine line;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            line.action = Action::Help;
            return line;
        }
        if (a == QStringLiteral("--version") || a == QStringLiteral("-v")) {
            line.action = Action::Version;
            return line;
        }
        if (a == QStringLiteral("--simulate") || a.startsWith(QStringLiteral("--simulate="))) {
            line.simulate = true;
            QString model;
            if (a.startsWith(QStringLiteral("--simulate=")))
                model = a.mid(11);
            else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(u'-'))
                model = arguments.at(++i);
            if (!model.isEmpty()) {
                model = model.toLower();
                if (model != QStringLiteral("lumio") && model != QStringLiteral("snipa")) {
                    line.action = Action::Error;
                    line.error =
                        QStringLiteral("unknown model for --simulate: %1 (lumio or snipa)").arg(model);
                    return line;
                }
                line.model = model;
            }
            continue;
        }
        if (isQtOptionWithValue(a)) {
            ++i;
            continue;
        }
        if (isQtFlag(a))
            continue;
        line.action = Action::Error;
        line.error = QStringLiteral("unknown argument: %1").arg(a);
        return line;
    }
    return line;
}

QString CommandLine::Usage()
{
    return QStringLiteral(
        "Usage: tesso [--simulate [lumio|snipa]] [--help] [--version]\n"
        "\n"
        "Remote control for Lumio and Snipa video scalers over RS232, TCP or UDP.\n"
        "\n"
        "  --simulate [lumio|snipa]  run against a simulated device on a pseudo-terminal\n"
        "                            (COM1 is mapped to it; default model lumio). Your saved\n"
        "                            connection settings are neither read nor written.\n"
        "  --version, -v             print the version and exit\n"
        "  --help, -h                print this help and exit\n"
        "\n"
        "Serial ports: COMn opens /dev/ttyS<n-1>, or the device named by the environment\n"
        "variable TESSO_COMn (for example TESSO_COM1=/dev/ttyUSB0).\n");
}

} // namespace tesso
