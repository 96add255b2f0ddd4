#include "LinePacer.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include "SimGuard.h"

namespace tesso::sim
{

namespace
{

std::int64_t monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

LinePacer::LinePacer(QObject* parent) : QObject(parent)
{
    m_timer = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timer < 0)
        return; // no timer: bytes pass unpaced rather than not at all
    // The system may fire a timer up to its slack late (50 us by default), once per round trip
    // of a transfer; over thousands of them that is a measurable share of the wire time.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    m_notifier = std::make_unique<QSocketNotifier>(m_timer, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        guarded([this] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_timer, &expirations, sizeof expirations);
            release();
        });
    });
}

LinePacer::~LinePacer()
{
    m_notifier.reset();
    if (m_timer >= 0)
        ::close(m_timer);
}

void LinePacer::push(const QByteArray& bytes, int baud)
{
    pushAnswer(bytes, baud, monotonicNs());
}

void LinePacer::pushAnswer(const QByteArray& bytes, int baud, qint64 answeredDueNs)
{
    m_schedule.push(bytes, m_timer >= 0 ? baud : 0, std::min<std::int64_t>(answeredDueNs, monotonicNs()));
    release();
}

void LinePacer::clear()
{
    m_schedule.clear();
    arm();
}

void LinePacer::release()
{
    const QByteArray due = m_schedule.takeDue(monotonicNs());
    if (!due.isEmpty())
        emit released(due, m_schedule.lastTakenDue());
    arm();
}

void LinePacer::arm()
{
    if (m_timer < 0)
        return;
    itimerspec when{};
    if (const auto next = m_schedule.nextDue()) {
        when.it_value.tv_sec = time_t(*next / 1'000'000'000);
        when.it_value.tv_nsec = long(*next % 1'000'000'000);
        // Zero would disarm the timer; a time already past fires at once.
        if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0)
            when.it_value.tv_nsec = 1;
    }
    ::timerfd_settime(m_timer, TFD_TIMER_ABSTIME, &when, nullptr);
}

} // namespace tesso::sim
