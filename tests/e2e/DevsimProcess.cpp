#include "DevsimProcess.h"

#include <csignal>

#include "WaitFor.h"

using namespace tesso;

namespace tesso::e2e
{

DevsimProcess::~DevsimProcess()
{
    if (running())
        kill();
}

bool DevsimProcess::start(const QStringList& arguments)
{
    m_printed.clear();
    m_process.start(QStringLiteral(TESSO_DEVSIM_PATH), arguments);
    if (!m_process.waitForStarted(10000))
        return false;
    QByteArray out;
    const bool linksPrinted = tesso::test::waitFor(
        [&] {
            out += m_process.readAllStandardOutput();
            return out.endsWith('\n') || !running();
        },
        10000);
    for (const QByteArray& line : out.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            m_printed.insert(QString::fromLatin1(line.left(eq)), QString::fromLocal8Bit(line.mid(eq + 1)));
    }
    return linksPrinted && running() && !m_printed.isEmpty();
}

bool DevsimProcess::pause()
{
    return running() && ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP) == 0;
}

bool DevsimProcess::resume()
{
    return running() && ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT) == 0;
}

void DevsimProcess::kill()
{
    ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT); // a stopped process dies too
    m_process.kill();
    m_process.waitForFinished(5000);
}

int DevsimProcess::stop()
{
    if (!running())
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT);
    m_process.terminate();
    if (!tesso::test::waitFor([&] { return !running(); }, 10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace tesso::e2e
