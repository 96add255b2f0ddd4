#include "LatenessProbe.h"

#include <algorithm>

using namespace tesso;

namespace tesso::e2e
{

LatenessProbe::LatenessProbe()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        const qint64 now = m_clock.elapsed();
        m_worstMs = std::max(m_worstMs, now - m_lastTickMs - TickMs);
        m_lastTickMs = now;
    });
}

void LatenessProbe::start()
{
    m_clock.start();
    m_lastTickMs = 0;
    m_worstMs = 0;
    m_timer.start(TickMs);
}

qint64 LatenessProbe::worstLatenessMs() const
{
    return std::max(m_worstMs, m_clock.elapsed() - m_lastTickMs - TickMs);
}

} // namespace tesso::e2e
