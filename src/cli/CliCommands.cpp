#include "CliCommands.h"

#include "CliSession.h"

namespace tesso
{

namespace
{

// The width of the name-and-arguments column in --help; a longer synopsis gets a line of its own.
constexpr int SynopsisWidth = 20;

} // namespace

const std::vector<CliCommands::Command>& CliCommands::all()
{
    // name, arguments {fewest, most, option, option takes a value}, refusal, serial only,
    // synopsis, summary, prepare, run
    static const std::vector<Command> commands = {
        {"detect",
         {0, 0},
         "detect takes no arguments",
         nullptr,
         "detect",
         "wait for an accepted DEV reply; print DEV=<code> and MODEL=<name>",
         nullptr,
         &CliSession::runDetect},
        {"get",
         {1, -1},
         "get needs at least one variable",
         nullptr,
         "get NAME...",
         "query each variable; print NAME=VALUE for each reply",
         &CliSession::prepareGet,
         &CliSession::runGet},
        {"set",
         {1, -1},
         "set needs at least one variable",
         nullptr,
         "set NAME=VALUE...",
         "assign through the driver (needs a detected device or --force-conn);\n"
         "print NAME=VALUE of the device's answer",
         &CliSession::prepareSet,
         &CliSession::runSet},
        {"dump",
         {0, 0},
         "dump takes no arguments",
         nullptr,
         "dump",
         "query-all; print NAME=VALUE once per variable when the answer\n"
         "is complete",
         nullptr,
         &CliSession::runDump},
        {"monitor",
         {0, 0},
         "monitor takes no arguments",
         nullptr,
         "monitor",
         "print NAME=VALUE for every reply until the time-out",
         &CliSession::prepareMonitor,
         &CliSession::runMonitor},
        {"raw",
         {1, 1},
         "raw takes exactly one TEXT argument",
         nullptr,
         "raw TEXT",
         "send TEXT (escapes \\r \\n \\\\ \\xHH); print the first reply",
         &CliSession::prepareRaw,
         &CliSession::runRaw},
        {"save",
         {1, 1},
         "save takes exactly one FILE",
         nullptr,
         "save FILE",
         "write the device's settings into a settings file",
         nullptr,
         &CliSession::runSave},
        {"diff",
         {1, 1},
         "diff takes exactly one FILE",
         nullptr,
         "diff FILE",
         "print NAME: file VALUE, device VALUE for each setting that differs\n"
         "(status 1 when any does)",
         nullptr,
         &CliSession::runDiff},
        {"restore",
         {1, 1, "--dry-run"},
         "restore takes FILE and an optional --dry-run",
         nullptr,
         "restore FILE [--dry-run]",
         "write back the settings that differ, one at a time, then check;\n"
         "--dry-run only prints them",
         nullptr,
         &CliSession::runRestore},
        {"upload",
         {1, 1, "--fit", true},
         "upload takes FILE and an optional --fit MODE",
         "upload works over --serial only: frames travel on the serial line",
         "upload FILE [--fit exact|crop|shrink|center|zoom]",
         "send a bitmap into the frame memory (--serial only); a picture\n"
         "that is not 720 x 576 needs --fit (crop or shrink when larger,\n"
         "center or zoom when smaller); progress on standard error, the\n"
         "result on standard output; --timeout covers detection only",
         &CliSession::prepareUpload,
         &CliSession::runUpload},
        {"hub",
         {0, 4},
         "hub takes --listen ADDRESS:PORT and --allow ADDRESS,...",
         nullptr,
         "hub [--listen ADDRESS:PORT] [--allow ADDRESS,...]",
         "share the device with TCP clients that speak its protocol\n"
         "(127.0.0.1:10501 by default; another address needs --allow and\n"
         "admits only those clients); runs until interrupted, logging to\n"
         "standard error; --timeout does not apply",
         &CliSession::prepareHub,
         &CliSession::runHub},
        {"profiles",
         {0, 0},
         "profiles takes no arguments",
         nullptr,
         "profiles",
         "list the window's device profiles: name, link options, model last\n"
         "seen (tab-separated); needs no link",
         nullptr,
         &CliSession::runProfiles,
         false},
    };
    return commands;
}

const CliCommands::Command* CliCommands::find(const QString& name)
{
    for (const Command& command : all()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString CliCommands::usage()
{
    const QString indent(2 + SynopsisWidth, QLatin1Char(' '));
    QString text;
    for (const Command& command : all()) {
        const QString synopsis = QLatin1String(command.synopsis);
        text += QStringLiteral("  ") + synopsis;
        // At least two spaces between the synopsis and its summary, or the summary starts below.
        if (synopsis.size() <= SynopsisWidth - 2)
            text += QString(SynopsisWidth - synopsis.size(), QLatin1Char(' '));
        else
            text += QLatin1Char('\n') + indent;
        text += QString::fromLatin1(command.summary).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace tesso
