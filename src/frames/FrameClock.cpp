#include "FrameClock.h"

#include <chrono>

namespace tesso
{

std::uint32_t SteadyFrameClock::NowMs() const
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SteadyFrameClock::WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
                                 std::uint32_t deadline, const std::function<bool()>& ready)
{
    // A deadline already behind (the difference reads as negative) does not wait.
    const auto remaining = static_cast<std::int32_t>(deadline - NowMs());
    if (remaining <= 0) {
        ready();
        return;
    }
    condition.wait_for(lock, std::chrono::milliseconds(remaining), ready);
}

} // namespace tesso
