#pragma once
// The transfer's manual-reset events under one mutex and one condition variable: each stays set
// until cleared, and the work loop blocks until any of those it waits for is set or its deadline
// passes. Besides the nine events of the protocol, replies to the variables the transfer writes are
// recorded here with a sequence number, so that the loop can wait for an answer given after its
// command rather than trust a mirrored value that may be stale.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

#include "Catalogue.h"
#include "FrameClock.h"

namespace tesso
{

enum class FrameEvent : std::uint16_t {
    Start = 1u << 0,
    Running = 1u << 1,
    UserAbort = 1u << 2,
    Abort = 1u << 3,
    Reset = 1u << 4,
    TerminateSend = 1u << 5,
    ACKReceived = 1u << 6,
    DeviceReady = 1u << 7,
    Escaped = 1u << 8,
    Reply = 1u << 9, // a reply to one of the transfer's variables arrived
    Quit = 1u << 10, // the thread is to leave its loop
};

constexpr std::uint16_t operator|(FrameEvent a, FrameEvent b)
{
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(a) | static_cast<std::uint16_t>(b));
}
constexpr std::uint16_t operator|(std::uint16_t a, FrameEvent b)
{
    return static_cast<std::uint16_t>(a | static_cast<std::uint16_t>(b));
}

class FrameEvents
{
  public:
    explicit FrameEvents(FrameClock& clock) : m_clock(clock) {}

    void Set(FrameEvent event);
    void Clear(FrameEvent event);
    bool IsSet(FrameEvent event) const;
    // Clears the event; true when it was set.
    bool Take(FrameEvent event);

    // Blocks until any event of `mask` is set or, with a deadline, the clock reaches it.
    // Returns the events of `mask` that are set.
    std::uint16_t WaitAny(std::uint16_t mask, std::optional<std::uint32_t> deadline);
    // Wakes a waiting loop to look again (the hand-moved clock of the tests).
    void Wake();
    // The loop is inside WaitAny; tests use it to know the loop has nothing left to do.
    bool Blocked() const;

    struct ReplyRecord {
        std::uint64_t sequence = 0; // 0: none yet
        std::uint32_t value = 0;
    };
    // A reply to one of FAMODEM_, FATRMODE, FAEXEC; sets Reply.
    void RecordReply(tVAR variable, std::uint32_t value);
    ReplyRecord LastReply(tVAR variable) const;
    // The sequence number the next reply will exceed.
    std::uint64_t ReplySequence() const;

    FrameClock& Clock() const { return m_clock; }

  private:
    static std::size_t slot(tVAR variable);

    FrameClock& m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable m_condition;
    std::uint16_t m_set = static_cast<std::uint16_t>(FrameEvent::Reset);
    bool m_blocked = false;
    std::uint64_t m_sequence = 0;
    std::array<ReplyRecord, 3> m_replies{};
};

} // namespace tesso
