#include "TessoProcess.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "Scenario.h"
#include "WaitFor.h"

using namespace tesso;

namespace tesso::e2e
{

namespace
{

const QString ProgramName = QStringLiteral("tesso");
const QString Title = QStringLiteral("Tesso remote control");

// A hard link costs nothing; across file systems the program is copied.
bool placeProgram(const QString& target)
{
    const QByteArray from = QFile::encodeName(QStringLiteral(TESSO_APP_PATH));
    if (::link(from.constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    return QFile::copy(QStringLiteral(TESSO_APP_PATH), target);
}

} // namespace

TessoProcess::TessoProcess()
    : m_scratch(QStringLiteral(TESSO_E2E_SCRATCH "/tesso-XXXXXX")),
      m_heartbeat(m_scratch.filePath(QStringLiteral("heartbeat")))
{
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_environment.insert(QStringLiteral("TESSO_HEARTBEAT"), m_heartbeat.path());
    m_ready = m_scratch.isValid() && QDir(m_scratch.path()).mkdir(QStringLiteral("program")) &&
              placeProgram(folder() + u'/' + ProgramName);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

TessoProcess::~TessoProcess()
{
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString TessoProcess::folder() const
{
    return m_scratch.filePath(QStringLiteral("program"));
}

bool TessoProcess::writeConnection(const ConnectionValues& values) const
{
    return ConnectionSettings(folder(), Title).WriteConnection(values);
}

QMap<QString, QByteArray> TessoProcess::settingsFiles() const
{
    return filesIn(folder(), ProgramName);
}

bool TessoProcess::start()
{
    m_process.setProcessEnvironment(m_environment);
    m_process.setWorkingDirectory(m_scratch.path());
    m_process.start(folder() + u'/' + ProgramName, {});
    if (!m_process.waitForStarted(10000))
        return false;
    m_startedAtMs = HeartbeatLog::nowMs();
    return true;
}

int TessoProcess::terminate(int timeoutMs)
{
    if (!running())
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    m_process.terminate();
    if (!tesso::test::waitFor([&] { return !running(); }, timeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(5000);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray TessoProcess::output()
{
    m_output += m_process.readAll();
    return m_output;
}

} // namespace tesso::e2e
