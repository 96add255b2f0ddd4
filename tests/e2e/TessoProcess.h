#pragma once
// The real `tesso` program as a child process, offscreen, with a folder of its own: the program
// is linked (or copied) into it, so that its settings files live there, beside the program, as
// they do for a user. The program writes its heartbeat (TESSO_HEARTBEAT) outside that folder.

#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "ConnectionSettings.h"
#include "HeartbeatLog.h"

using namespace tesso;

namespace tesso::e2e
{

class TessoProcess
{
  public:
    TessoProcess();
    ~TessoProcess();
    TessoProcess(const TessoProcess&) = delete;
    TessoProcess& operator=(const TessoProcess&) = delete;

    // False when the folder or the program in it could not be made.
    bool ready() const { return m_ready; }
    QString folder() const;

    // The settings, written by the program's own code so that the program reads them as its own.
    bool writeConnection(const ConnectionValues& values) const;
    // Every file of the folder but the program, by name.
    QMap<QString, QByteArray> settingsFiles() const;

    void setEnvironment(const QString& name, const QString& value) { m_environment.insert(name, value); }
    bool start();
    qint64 pid() const { return m_process.processId(); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    const HeartbeatLog& heartbeat() const { return m_heartbeat; }
    // When start() returned, on the heartbeat's clock.
    qint64 startedAtMs() const { return m_startedAtMs; }

    // SIGTERM, as a session's end would send it; the exit code, or -1 when the program crashed
    // or did not end within the time.
    int terminate(int timeoutMs = 20000);
    // What the program said on its standard output and error, for failure messages.
    QByteArray output();

  private:
    QTemporaryDir m_scratch;
    bool m_ready = false;
    QProcessEnvironment m_environment;
    QProcess m_process;
    HeartbeatLog m_heartbeat;
    qint64 m_startedAtMs = 0;
    QByteArray m_output;
};

} // namespace tesso::e2e
