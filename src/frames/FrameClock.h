#pragma once
// Time as the frame transfer sees it: a millisecond tick count that wraps at 2^32, and waiting on
// a condition until a tick. The program uses the steady clock; tests use a clock they move by hand,
// so that every 5 s time-out runs without waiting 5 s.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace tesso
{

class FrameClock
{
  public:
    virtual ~FrameClock() = default;
    virtual std::uint32_t NowMs() const = 0;
    // Blocks (the lock held on return) until `ready` holds or the tick count reaches `deadline`;
    // the condition is notified whenever `ready` may have changed.
    virtual void WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
                           std::uint32_t deadline, const std::function<bool()>& ready) = 0;
    // Blocks until `ready` holds, with no deadline.
    static void Wait(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
                     const std::function<bool()>& ready)
    {
        condition.wait(lock, ready);
    }
};

// Milliseconds elapsed from `since` to `now`, modulo 2^32.
inline std::uint32_t ElapsedMs(std::uint32_t since, std::uint32_t now)
{
    return now - since;
}

class SteadyFrameClock : public FrameClock
{
  public:
    std::uint32_t NowMs() const override;
    void WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
                   std::uint32_t deadline, const std::function<bool()>& ready) override;
};

} // namespace tesso
