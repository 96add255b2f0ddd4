#pragma once
// One run of tesso-cli: opens the chosen link through the driver, runs the command against the
// device and returns the exit status. Everything waits on the Qt event loop with one deadline
// for the whole command; a link that fails for good ends any wait at once.

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QString>
#include <QStringList>

#include "CliOptions.h"
#include "DriverLinks.h"
#include "ErrorReport.h"
#include "HubOptions.h"
#include "VariableAccess.h"

namespace tesso
{

class CliSettings;
class DeviceDriver;

class CliSession
{
  public:
    enum ExitStatus { ExitOk = 0, ExitUsage = 2, ExitNoDevice = 3, ExitLinkFailed = 4 };

    CliSession(const CliOptions& options, std::FILE* out, std::FILE* err);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    int run();
    // Ctrl+C or a termination request: an upload aborts and puts the link back; anything else ends.
    void interrupt();

    // "Lumio", "Snipa" or "unknown" for a device code.
    static QString modelName(std::uint32_t code);

  private:
    // The command table names the prepare and run steps below.
    friend class CliCommands;
    using ReplyHandler = std::function<void(tVAR index, const QByteArray& line)>;

    int prepare();
    int openLink();
    int openSerial();
    int openTcp(const QString& address);
    int openUdp(const QString& address);
    bool resolveHost(QString& address);
    void linkFailed(LinkType link, const QString& message);
    // Runs the event loop until done() or the deadline or a link failure; true when done.
    bool waitUntil(const std::function<bool()>& done);
    // The status of a wait that did not end in success: the link's failure, else the time-out.
    int waitFailed(const QString& timeoutMessage);
    bool connectDevice();
    void listen(ReplyHandler handler) { m_handler = std::move(handler); }

    // Each checks what the user typed for its command, before a link is opened.
    int prepareGet();
    int prepareSet();
    int prepareMonitor();
    int prepareRaw();
    int prepareUpload();
    int prepareHub();

    int runDetect();
    int runGet();
    int runSet();
    int runDump();
    int runMonitor();
    int runRaw();
    int runUpload();
    int runHub();
    int runProfiles();
    int runSave();
    int runDiff();
    int runRestore();
    int runSettings(const std::function<int(CliSettings&, const QString& file)>& action);

    void print(const QStringList& lines);
    int fail(int status, const QString& message);
    QString within() const;

    CliOptions m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    QDeadlineTimer m_deadline;
    std::unique_ptr<DeviceDriver> m_driver;
    ReplyHandler m_handler;
    tesso::ErrorReporter m_previousReporter;
    std::vector<tVAR> m_queries;
    std::vector<VariableAccess::Assignment> m_assignments;
    QByteArray m_rawBytes;
    std::optional<QImage> m_picture;
    class CliUpload* m_upload = nullptr;
    HubOptions m_hubOptions;
    class CliHub* m_hub = nullptr;
    int m_tcpFailures = 0;
    bool m_linkBroken = false;
    QString m_linkError;
};

} // namespace tesso
