#pragma once
// The simulated device as a program of its own (tesso-devsim), for faults that only a separate
// process can show: it can be stopped dead (SIGSTOP) with its terminal still open, killed so that
// its pseudo-terminal vanishes, and started again behind the same link name.

#include <QMap>
#include <QProcess>
#include <QStringList>

namespace tesso::e2e
{

class DevsimProcess
{
  public:
    DevsimProcess() = default;
    ~DevsimProcess();
    DevsimProcess(const DevsimProcess&) = delete;
    DevsimProcess& operator=(const DevsimProcess&) = delete;

    // Starts it with one link and waits for the line that names it (PTY=..., TCP=...).
    bool start(const QStringList& arguments);
    QString printed(const char* link) const { return m_printed.value(QLatin1String(link)); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }

    bool pause();  // SIGSTOP: the device stops dead, its links stay open
    bool resume(); // SIGCONT
    // SIGKILL: the device and its links vanish at once; a symbolic link it made stays behind.
    void kill();
    // SIGTERM; the exit code, -1 when it crashed or did not end.
    int stop();

  private:
    QProcess m_process;
    QMap<QString, QString> m_printed;
};

} // namespace tesso::e2e
