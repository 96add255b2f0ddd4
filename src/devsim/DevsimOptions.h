#pragma once
// The command line of tesso-devsim, parsed into what the program needs. Parsing never exits the
// process: a usage error comes back as text for the caller to print.

#include <cstdint>
#include <optional>

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include "DeviceState.h"
#include "FaultOptions.h"

namespace tesso::sim
{

class DevsimOptions
{
  public:
    // Parses the arguments after the program name.
    static DevsimOptions parse(const QStringList& arguments);
    static QString usage();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    bool help() const { return m_help; }
    bool version() const { return m_version; }

    bool pty() const { return m_pty; }
    QString ptyLink() const { return m_ptyLink; } // "" when none
    bool lineRate() const { return m_lineRate; }
    std::optional<quint16> tcpPort() const { return m_tcpPort; }
    std::optional<quint16> udpPort() const { return m_udpPort; }
    QString serialPath() const { return m_serialPath; } // "" when none
    QHostAddress bindAddress() const { return m_bind; }
    Model model() const { return m_model; }
    std::optional<std::uint32_t> deviceCode() const { return m_deviceCode; }
    QString saveFolder() const { return m_saveFolder; } // "" when none
    bool verbose() const { return m_verbose; }
    const FaultOptions& faults() const { return m_faults; }

  private:
    bool takeOption(const QString& name, const QString& value);
    bool readNumber(const QString& name, const QString& value, int minimum, int maximum, int& out);
    bool checkLinks();
    bool fail(const QString& message);

    QString m_error;
    bool m_help = false;
    bool m_version = false;
    bool m_pty = false;
    QString m_ptyLink;
    bool m_lineRate = false;
    std::optional<quint16> m_tcpPort;
    std::optional<quint16> m_udpPort;
    QString m_serialPath;
    QHostAddress m_bind{QHostAddress::LocalHost};
    Model m_model = Model::Lumio;
    std::optional<std::uint32_t> m_deviceCode;
    QString m_saveFolder;
    bool m_verbose = false;
    FaultOptions m_faults;
};

} // namespace tesso::sim
