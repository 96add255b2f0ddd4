#include "LinkTimer.h"

#include "ErrorReport.h"

namespace tesso
{

QtLinkTimer::QtLinkTimer()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    // A step that throws is reported here rather than unwinding into the event loop.
    connect(&m_timer, &QTimer::timeout, this, [this] { tesso::guarded([this] { emit timeout(); }); });
}

void QtLinkTimer::restart(int milliseconds)
{
    m_timer.stop();
    m_timer.setInterval(milliseconds);
    m_timer.start();
}

int QtLinkTimer::interval() const
{
    return m_timer.interval();
}

} // namespace tesso
