#pragma once
// The command line of `tesso`, read before any window system is touched so that --help and
// --version work without a display.

#include <QString>
#include <QStringList>

namespace tesso
{

struct CommandLine {
    enum class Action { Run, Help, Version, Error };

    Action action = Action::Run;
    bool simulate = false;
    QString model = QStringLiteral("lumio"); // with --simulate: "lumio" or "snipa"
    QString error;                           // with Action::Error

    // arguments without the program name; Qt's own options (-platform ...) are left to Qt.
    static CommandLine Parse(const QStringList& arguments);
    static QString Usage();
};

} // namespace tesso
