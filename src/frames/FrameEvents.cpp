#include "FrameEvents.h"

namespace tesso
{

void FrameEvents::Set(FrameEvent event)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_set = static_cast<std::uint16_t>(m_set | static_cast<std::uint16_t>(event));
    }
    m_condition.notify_all();
}

void FrameEvents::Clear(FrameEvent event)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_set = static_cast<std::uint16_t>(m_set & ~static_cast<std::uint16_t>(event));
}

bool FrameEvents::IsSet(FrameEvent event) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return (m_set & static_cast<std::uint16_t>(event)) != 0;
}

bool FrameEvents::Take(FrameEvent event)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const bool was = (m_set & static_cast<std::uint16_t>(event)) != 0;
    m_set = static_cast<std::uint16_t>(m_set & ~static_cast<std::uint16_t>(event));
    return was;
}

std::uint16_t FrameEvents::WaitAny(std::uint16_t mask, std::optional<std::uint32_t> deadline)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_blocked = true;
    const auto ready = [this, mask] { return (m_set & mask) != 0; };
    if (deadline)
        m_clock.WaitUntil(m_condition, lock, *deadline, ready);
    else
        FrameClock::Wait(m_condition, lock, ready);
    m_blocked = false;
    return static_cast<std::uint16_t>(m_set & mask);
}

void FrameEvents::Wake()
{
    {
        // Taken so that a loop between its test and its wait cannot miss the wake-up.
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_condition.notify_all();
}

bool FrameEvents::Blocked() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_blocked;
}

std::size_t FrameEvents::slot(tVAR variable)
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

void FrameEvents::RecordReply(tVAR variable, std::uint32_t value)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_replies[slot(variable)] = {++m_sequence, value};
        m_set = m_set | FrameEvent::Reply;
    }
    m_condition.notify_all();
}

FrameEvents::ReplyRecord FrameEvents::LastReply(tVAR variable) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_replies[slot(variable)];
}

std::uint64_t FrameEvents::ReplySequence() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_sequence;
}

} // namespace tesso
