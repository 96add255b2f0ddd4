#pragma once
// TThreadFrameRaw: the work loop of the raw transfer mode. It brings the device into frame
// transfer (FAMODEM_ 2, FATRMODE 0, FAEXEC 1, each answered before the next), switches the link to
// raw mode at 57600 baud, streams the picture in blocks of 70 pixels that the device paces and
// acknowledges, ends with ESC EOT, and puts the link back after a 1 s settle. Each wait ends after
// 5000 ms. A time-out before raw mode puts the device's frame mode back and never executes it. The
// loop blocks on its events; it never spins.
//
// Once the result is decided it stays: the device's end code counts only while pixels are being
// sent, the user's abort only before the end.

#include "ThreadFrame.h"

class TThreadFrameRaw : public TThreadFrame
{
  public:
    static constexpr std::uint32_t TimeoutMs = 5000;
    static constexpr std::uint32_t SettleMs = 1000;

    using TThreadFrame::TThreadFrame;

    // The loop's state (0..16), for tests and diagnostics.
    int State() const { return m_state; }

    ~TThreadFrameRaw() override;

  protected:
    void run() override;

  private:
    void takeEvent();
    // One step of the current state; blocks at most until the state's deadline.
    void step();
    // The variable was answered with `value` after the command that started this state.
    bool answered(tVAR variable, std::uint32_t value) const;
    void sendVariable(tVAR variable, std::uint32_t value);
    // Waits for any of the events (and those that change the state) until the state's time-out.
    void waitFor(FrameEvent event);
    bool timedOut() const;
    bool sending() const { return m_state >= 5 && m_state <= 8; }

    std::uint32_t PixelTotal() const
    {
        return static_cast<std::uint32_t>(m_picture->width()) *
               static_cast<std::uint32_t>(m_picture->height());
    }

    std::atomic<int> m_state{0};
    std::uint64_t m_commandSequence = 0;
    // FAMODEM_ and FATRMODE as the mirror had them before the transfer changed them.
    std::uint32_t m_previousMode = 0;
    std::uint32_t m_previousFormat = 0;
};
