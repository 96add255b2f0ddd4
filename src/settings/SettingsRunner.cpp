#include "SettingsRunner.h"

#include <QStringList>

#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "Errors.h"

namespace tesso
{

SettingsRunner::SettingsRunner(DeviceDriver& driver, int stepTimeoutMs, QObject* parent)
    : QObject(parent), m_driver(driver)
{
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(stepTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        const QString what = m_current ? m_current->what : QString();
        end(false, QStringLiteral("the device did not answer %1 within %2 s")
                       .arg(what)
                       .arg(m_timeout.interval() / 1000.0, 0, 'g', 3));
    });
}

void SettingsRunner::Add(Step step)
{
    m_steps.push_back(std::move(step));
}

void SettingsRunner::AddNext(Step step)
{
    m_steps.push_front(std::move(step));
}

void SettingsRunner::Start()
{
    m_running = true;
    m_done = 0;
    next();
}

void SettingsRunner::Cancel()
{
    if (m_running)
        end(false, QStringLiteral("cancelled"));
}

void SettingsRunner::next()
{
    if (!m_running)
        return;
    if (m_steps.empty())
        return end(true, QString());
    m_current = std::move(m_steps.front());
    m_steps.pop_front();
    m_seen.assign(tesso::VariableCount, false);
    emit progress(m_done, Total());
    try {
        m_current->send(m_driver);
    } catch (const TessoError& e) {
        return end(false, QStringLiteral("%1: %2").arg(m_current->what, e.text()));
    }
    m_timeout.start();
}

void SettingsRunner::Replied(tVAR index)
{
    if (!m_running || !m_current)
        return;
    if (index >= 0 && index < tesso::VariableCount)
        m_seen[static_cast<std::size_t>(index)] = true;
    if (index != m_current->awaited)
        return;
    if (m_current->wholeDump) {
        QStringList missing;
        for (int i = 0; i < tesso::VariableCount; ++i)
            if (!m_seen[static_cast<std::size_t>(i)])
                missing << QString::fromLatin1(tesso::Catalogue[static_cast<std::size_t>(i)].name);
        if (!missing.isEmpty())
            return end(false, QStringLiteral("the device's query-all answer missed %1 variables (%2)")
                                  .arg(missing.size())
                                  .arg(missing.mid(0, 5).join(QStringLiteral(", "))));
    }
    m_timeout.stop();
    QString error;
    if (m_current->answered)
        error = m_current->answered(m_driver);
    if (!error.isEmpty())
        return end(false, error);
    ++m_done;
    m_current.reset();
    // From the event loop: the reply being applied may be one of several in the same chunk.
    QMetaObject::invokeMethod(
        this, [this] { next(); }, Qt::QueuedConnection);
}

void SettingsRunner::end(bool ok, const QString& error)
{
    m_timeout.stop();
    m_running = false;
    m_current.reset();
    m_steps.clear();
    emit progress(m_done, m_done);
    emit finished(ok, error);
}

} // namespace tesso
