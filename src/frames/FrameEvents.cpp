#include "FrameEvents.h"

void TFrameEvents::Set(FrameEvent event)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_set = static_cast<std::uint16_t>(m_set | static_cast<std::uint16_t>(event));
    }
    m_condition.notify_all();
}

void TFrameEvents::Clear(FrameEvent event)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_set = static_cast<std::uint16_t>(m_set & ~static_cast<std::uint16_t>(event));
}

bool TFrameEvents::IsSet(FrameEvent event) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return (m_set & static_cast<std::uint16_t>(event)) != 0;
}

bool TFrameEvents::Take(FrameEvent event)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const bool was = (m_set & static_cast<std::uint16_t>(event)) != 0;
    m_set = static_cast<std::uint16_t>(m_set & ~static_cast<std::uint16_t>(event));
    return was;
}

std::uint16_t TFrameEvents::WaitAny(std::uint16_t mask, std::optional<std::uint32_t> deadline)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_blocked = true;
    const auto ready = [this, mask] { return (m_set & mask) != 0; };
    if (deadline)
        m_clock.WaitUntil(m_condition, lock, *deadline, ready);
    else
        TFrameClock::Wait(m_condition, lock, ready);
    m_blocked = false;
    return static_cast<std::uint16_t>(m_set & mask);
}

void TFrameEvents::Wake()
{
    {
        // Taken so that a loop between its test and its wait cannot miss the wake-up.
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_condition.notify_all();
}

bool TFrameEvents::Blocked() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_blocked;
}

std::size_t TFrameEvents::slot(tVAR variable)
{
    switch (variable) {
    case _FAMODEM:
        return 0;
    case _FATRMODE:
        return 1;
    default:
        return 2;
    }
}

void TFrameEvents::RecordReply(tVAR variable, std::uint32_t value)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_replies[slot(variable)] = {++m_sequence, value};
        m_set = m_set | FrameEvent::Reply;
    }
    m_condition.notify_all();
}

TFrameEvents::ReplyRecord TFrameEvents::LastReply(tVAR variable) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_replies[slot(variable)];
}

std::uint64_t TFrameEvents::ReplySequence() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_sequence;
}
