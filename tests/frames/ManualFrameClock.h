#pragma once
// A frame clock that only moves when the test moves it, so that every time-out of the transfer
// runs at once and at an exact tick.

#include <atomic>

#include "FrameClock.h"
#include "FrameEvents.h"

using namespace tesso;

class ManualFrameClock : public FrameClock
{
  public:
    std::uint32_t NowMs() const override { return m_now; }
    void WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
                   std::uint32_t deadline, const std::function<bool()>& ready) override
    {
        condition.wait(lock, [&] { return ready() || static_cast<std::int32_t>(deadline - m_now) <= 0; });
    }
    // Moves the clock and lets a waiting loop look at it.
    void Advance(std::uint32_t ms, FrameEvents& events)
    {
        m_now += ms;
        events.Wake();
    }

  private:
    std::atomic<std::uint32_t> m_now{1000};
};
