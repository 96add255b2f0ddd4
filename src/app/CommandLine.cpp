#include "CommandLine.h"

#include "ProfileStore.h"

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

CommandLine CommandLine::Parse(const QStringList& arguments, const QString& environmentProfile)
{
    CommandLine line;
    bool profileGiven = false;
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
        if (a == QStringLiteral("--profile") || a.startsWith(QStringLiteral("--profile="))) {
            if (a.startsWith(QStringLiteral("--profile=")))
                line.profile = a.mid(10);
            else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(u'-'))
                line.profile = arguments.at(++i);
            else {
                line.action = Action::Error;
                line.error = QStringLiteral("--profile needs a name");
                return line;
            }
            profileGiven = true;
            continue;
        }
        if (a == QStringLiteral("--choose-profile")) {
            line.chooseProfile = true;
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
    if (!profileGiven)
        line.profile = environmentProfile;
    // A profile named on the command line but unusable is an error; an empty variable is none.
    if (profileGiven || !line.profile.isEmpty()) {
        if (const std::optional<QString> problem = ProfileStore::nameProblem(line.profile)) {
            line.action = Action::Error;
            line.error = *problem;
        }
    }
    return line;
}

QString CommandLine::Usage()
{
    return QStringLiteral(
        "Usage: tesso [--profile NAME | --choose-profile] [--simulate [lumio|snipa]] [--help] [--version]\n"
        "\n"
        "Remote control for Lumio and Snipa video scalers over RS232, TCP or UDP.\n"
        "\n"
        "  --simulate [lumio|snipa]  run against a simulated device on a pseudo-terminal\n"
        "                            (COM1 is mapped to it; default model lumio). Your saved\n"
        "                            connection settings are neither read nor written, and\n"
        "                            no profile is used.\n"
        "  --profile NAME            use the device profile NAME: its own connection settings,\n"
        "                            input labels and console settings (created when new).\n"
        "                            Letters, digits, spaces, dashes and underscores. The\n"
        "                            environment variable TESSO_PROFILE names one too; the\n"
        "                            option wins. A profile runs in one window only: a second\n"
        "                            start brings that window to the front.\n"
        "  --choose-profile          choose the profile (or name a new one) in a dialog first\n"
        "  --version, -v             print the version and exit\n"
        "  --help, -h                print this help and exit\n"
        "\n"
        "Serial ports: COMn opens /dev/ttyS<n-1>, or the device named by the environment\n"
        "variable TESSO_COMn (for example TESSO_COM1=/dev/ttyUSB0).\n");
}

} // namespace tesso
