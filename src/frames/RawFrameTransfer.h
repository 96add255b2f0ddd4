#pragma once
// RawFrameTransfer: the work loop of the raw transfer mode. It brings the device into frame
// transfer (FAMODEM_ 2, FATRMODE 0, FAEXEC 1, each answered before the next), switches the link to
// raw mode at 57600 baud, streams the picture in blocks of 70 pixels that the device paces and
// acknowledges, ends with ESC EOT, and puts the link back after a 1 s settle. Each wait ends after
// 5000 ms. A time-out before raw mode puts the device's frame mode back and never executes it. The
// loop blocks on its events; it never spins.
//
// Once the result is decided it stays: the device's end code counts only while pixels are being
// sent, the user's abort only before the end.

#include "FrameTransferJob.h"

namespace tesso
{

class RawFrameTransfer : public FrameTransferJob
{
  public:
    static constexpr std::uint32_t TimeoutMs = 5000;
    static constexpr std::uint32_t SettleMs = 1000;

    using FrameTransferJob::FrameTransferJob;

    // Where the loop is, in the order a transfer passes through.
    enum class State {
        Idle,               // waits for Start
        Starting,           // FAMODEM_ 2 goes out
        AwaitingFrameMode,  // for its answer; then FATRMODE 0
        AwaitingFormat,     // for its answer; then FAEXEC 1
        AwaitingExecute,    // for its answer; then raw mode at 57600 baud
        InRawMode,          // the first block is next
        AwaitingReady,      // for the device's go-ahead; then a block and ETB
        AwaitingAck,        // for the block's acknowledgement
        NextBlock,          // the next block, the next line (CR) or the end
        Ending,             // EOT goes out; the result is decided
        AwaitingEndAck,     // for the end's acknowledgement
        CancelOnTimeOut,    // CAN goes out
        CancelOnUserAbort,  // CAN goes out
        DeviceAborted,      // the device ended the transfer with its abort code
        Settling,           // 1 s for the device, then the link goes back
        RestoringFrameMode, // given up before raw mode: the frame mode is put back
        Done
    };

    // For tests and diagnostics.
    State state() const { return m_state; }

    ~RawFrameTransfer() override;

  protected:
    void run() override;

  private:
    void takeEvent();
    // One step of the current state; blocks at most until the state's deadline.
    void step();
    // The variable was answered with `value` after the command that started this state.
    bool answered(tVAR variable, std::uint32_t value) const;
    void sendVariable(tVAR variable, std::uint32_t value);
    template <typename Next> void awaitAnswer(tVAR variable, std::uint32_t value, Next next);
    // Waits for any of the events (and those that change the state) until the state's time-out.
    void waitFor(FrameEvent event);
    bool timedOut() const;
    bool sending() const
    {
        const State now = m_state;
        return now == State::InRawMode || now == State::AwaitingReady || now == State::AwaitingAck ||
               now == State::NextBlock;
    }

    std::uint32_t PixelTotal() const
    {
        return static_cast<std::uint32_t>(m_picture->width()) *
               static_cast<std::uint32_t>(m_picture->height());
    }

    std::atomic<State> m_state{State::Idle};
    std::uint64_t m_commandSequence = 0;
    // FAMODEM_ and FATRMODE as the mirror had them before the transfer changed them.
    std::uint32_t m_previousMode = 0;
    std::uint32_t m_previousFormat = 0;
};

} // namespace tesso
