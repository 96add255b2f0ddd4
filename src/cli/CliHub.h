#pragma once
// `tesso-cli hub`: the hub without a window. It shares the link the session opened with TCP
// clients until SIGINT or SIGTERM, and logs connects, disconnects and refusals to standard error.

#include <cstdio>
#include <optional>

#include <QEventLoop>
#include <QString>
#include <QStringList>

#include "HubOptions.h"

namespace tesso
{

class DeviceDriver;

class CliHub
{
  public:
    // The hub's arguments: [--listen ADDRESS:PORT] [--allow A,B,...]; the usage error on failure.
    static std::optional<QString> parseArguments(const QStringList& arguments, HubOptions& into);

    CliHub(DeviceDriver& driver, const HubOptions& options, std::FILE* err);
    // Serves until stop(); false (with the reason on standard error) when it cannot listen.
    bool run();
    // From the signal handler's event-loop call: ends run() after the clients are let go.
    void stop();

  private:
    DeviceDriver& m_driver;
    HubOptions m_options;
    std::FILE* m_err;
    bool m_stopRequested = false;
    QEventLoop* m_loop = nullptr;
};

} // namespace tesso
