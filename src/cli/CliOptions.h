#pragma once
// The command line of tesso-cli, parsed into what the session needs. Parsing never exits the
// process: a usage error comes back as text for the caller to print.

#include <QString>
#include <QStringList>

#include "CliCommands.h"
#include "LanDefaults.h"

namespace tesso
{

class CliOptions
{
  public:
    enum class Link { None, Serial, Tcp, Udp };
    static constexpr int DefaultPort = tesso::lan::DefaultPort;
    static constexpr double DefaultTimeoutSeconds = 10.0;

    // Parses the arguments after the program name.
    static CliOptions parse(const QStringList& arguments);
    static QString usage();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    bool help() const { return m_help; }
    bool version() const { return m_version; }

    Link link() const { return m_link; }
    QString serialPort() const { return m_serialPort; }
    QString host() const { return m_host; }
    int remotePort() const { return m_remotePort; }
    int localPort() const { return m_localPort; }
    bool forceConn() const { return m_forceConn; }
    // --profile NAME, "" for none (its link is then link(), serialPort(), host() ...).
    QString profile() const { return m_profile; }
    double timeoutSeconds() const { return m_timeoutSeconds; }
    QString command() const { return m_command; }
    // The table's row for command(); nullptr unless ok().
    const CliCommands::Command* commandRow() const { return m_commandRow; }
    QStringList arguments() const { return m_arguments; }
    // upload: the --fit mode given, "" for none.
    QString fit() const { return m_option == QLatin1String("--fit") ? m_optionValue : QString(); }
    // restore: only print what would be written.
    bool dryRun() const { return m_option == QLatin1String("--dry-run"); }

  private:
    bool takeOption(const QString& name, const QString& value);
    bool setLink(Link link, const QString& value);
    bool useProfile();
    bool checkCommand();
    bool fail(const QString& message);

    QString m_error;
    bool m_help = false;
    bool m_version = false;
    Link m_link = Link::None;
    QString m_serialPort;
    QString m_host;
    int m_remotePort = DefaultPort;
    int m_localPort = DefaultPort;
    bool m_localPortGiven = false;
    bool m_forceConn = false;
    QString m_profile;
    double m_timeoutSeconds = DefaultTimeoutSeconds;
    QString m_command;
    const CliCommands::Command* m_commandRow = nullptr;
    QStringList m_arguments;
    // The command's option after its argument, as given ("" for none), and the option's value.
    QString m_option;
    QString m_optionValue;
};

} // namespace tesso
