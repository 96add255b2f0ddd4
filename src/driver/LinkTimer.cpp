#include "LinkTimer.h"

#include <QTimer>

#include "ErrorReport.h"

namespace tesso
{

QtLinkTimer::QtLinkTimer() : m_timer(std::make_unique<QTimer>())
{
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(), [this] {
        if (onTimeout)
            tesso::guarded(onTimeout);
    });
}

QtLinkTimer::~QtLinkTimer() = default;

void QtLinkTimer::restart(int milliseconds)
{
    m_timer->stop();
    m_timer->setInterval(milliseconds);
    m_timer->start();
}

int QtLinkTimer::interval() const
{
    return m_timer->interval();
}

} // namespace tesso
