#include "TimedSend.h"

#include <QTimer>

#include "ErrorReport.h"
#include "Errors.h"

namespace tesso
{

TimedSend::TimedSend(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(DefaultInterval);
    connect(m_timer, &QTimer::timeout, this, [this] { tesso::guarded([this] { Tick(); }); });
}

int TimedSend::Interval() const
{
    return m_timer->interval();
}

void TimedSend::SetInterval(int ms)
{
    m_timer->setInterval(ms);
}

void TimedSend::Start(const QList<QByteArray>& lines)
{
    if (lines.isEmpty())
        return;
    m_lines = lines;
    m_next = 0;
    m_position = 0;
    if (!m_active) {
        m_active = true;
        m_timer->start();
    }
}

void TimedSend::Cancel()
{
    if (m_active)
        finish(false, QString());
}

void TimedSend::Tick()
{
    if (!m_active)
        return;
    if (m_next >= m_lines.size()) {
        finish(true, QString());
        return;
    }
    const QByteArray line = m_lines[m_next];
    QString failure;
    try {
        failure = Send ? Send(line) : QStringLiteral("Nothing to send with");
    } catch (const TessoError& e) {
        // The reason goes to the caller once, with the send ended, rather than from every tick.
        failure = e.text();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (!failure.isEmpty()) {
        finish(false, failure);
        return;
    }
    ++m_next;
    m_position += static_cast<int>(line.size()) + 2;
    emit lineSent(line);
    emit progressed(m_position);
}

void TimedSend::finish(bool completed, const QString& failure)
{
    m_timer->stop();
    m_timer->setInterval(DefaultInterval);
    m_active = false;
    m_lines.clear();
    m_next = 0;
    m_position = 0;
    emit finished(completed, failure);
}

} // namespace tesso
