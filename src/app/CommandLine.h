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
    // The device profile (--profile NAME, else TESSO_PROFILE); empty: the default settings.
    QString profile;
    // --choose-profile: the profiles' chooser first, then the window for the one chosen.
    bool chooseProfile = false;

    // arguments without the program name; Qt's own options (-platform ...) are left to Qt.
    // environmentProfile: the value of TESSO_PROFILE, used when no --profile is given.
    static CommandLine Parse(const QStringList& arguments, const QString& environmentProfile = QString());
    static QString Usage();
};

} // namespace tesso
