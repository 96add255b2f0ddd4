#include "ThreadFrameRaw.h"

#include "FrameCodec.h"
#include "FramePort.h"

using namespace tesso::frames;

namespace
{
// Events that change the state whatever the state waits for.
constexpr std::uint16_t Switches = FrameEvent::Reset | FrameEvent::Start | FrameEvent::TerminateSend |
                                   FrameEvent::Abort | FrameEvent::UserAbort | FrameEvent::Quit;
} // namespace

// The loop must be over before the members it uses go.
TThreadFrameRaw::~TThreadFrameRaw()
{
    Terminate();
}

void TThreadFrameRaw::run()
{
    m_state = 0;
    while (!quitRequested()) {
        takeEvent();
        step();
    }
}

// At most one event per pass, in this order of precedence.
void TThreadFrameRaw::takeEvent()
{
    if (m_events.Take(FrameEvent::Reset)) {
        m_state = 0;
    } else if (m_events.Take(FrameEvent::Start)) {
        m_state = 1;
    } else if (m_events.Take(FrameEvent::TerminateSend)) {
        if (sending())
            m_state = 9;
    } else if (m_events.Take(FrameEvent::Abort)) {
        if (m_events.IsSet(FrameEvent::Running) && sending())
            m_state = 13;
    } else if (m_events.Take(FrameEvent::UserAbort)) {
        if (m_state >= 1 && m_state <= 8)
            m_state = 12;
        else if (m_state == 0)
            m_events.Set(FrameEvent::Quit); // nothing started: nothing to restore
    }
}

bool TThreadFrameRaw::timedOut() const
{
    return ElapsedMs(m_timestamp, m_events.Clock().NowMs()) > TimeoutMs;
}

void TThreadFrameRaw::waitFor(FrameEvent event)
{
    // One past the time-out, so that a wake at the deadline finds the time-out passed.
    m_events.WaitAny(Switches | event, m_timestamp + TimeoutMs + 1);
}

void TThreadFrameRaw::sendVariable(tVAR variable, std::uint32_t value)
{
    m_commandSequence = m_events.ReplySequence();
    m_port->SendVariable(variable, value);
    m_timestamp = m_events.Clock().NowMs();
}

bool TThreadFrameRaw::answered(tVAR variable, std::uint32_t value) const
{
    const TFrameEvents::ReplyRecord reply = m_events.LastReply(variable);
    return reply.sequence > m_commandSequence && reply.value == value;
}

void TThreadFrameRaw::step()
{
    switch (m_state) {
    case 0:
        m_events.WaitAny(Switches, std::nullopt);
        return;
    case 1:
        m_events.Set(FrameEvent::Running);
        m_previousMode = m_port->MirroredValue(_FAMODEM);
        m_previousFormat = m_port->MirroredValue(_FATRMODE);
        sendVariable(_FAMODEM, 2);
        m_state = 2;
        return;
    case 2:
    case 3:
    case 4: {
        static constexpr tVAR awaited[] = {_FAMODEM, _FATRMODE, _FAEXEC};
        static constexpr std::uint32_t values[] = {2, 0, 1};
        const auto at = static_cast<std::size_t>(m_state - 2);
        // Cleared before looking, so that a reply arriving meanwhile wakes the wait below.
        m_events.Clear(FrameEvent::Reply);
        if (answered(awaited[at], values[at])) {
            if (m_state == 2) {
                sendVariable(_FATRMODE, 0);
            } else if (m_state == 3) {
                sendVariable(_FAEXEC, 1);
            } else {
                m_port->EnterRawMode();
                m_state = 5;
                return;
            }
            m_state = m_state + 1;
        } else if (timedOut()) {
            m_state = 15;
        } else {
            waitFor(FrameEvent::Reply);
        }
        return;
    }
    case 5:
        m_column = 0;
        m_line = 0;
        m_timestamp = m_events.Clock().NowMs();
        m_state = 6;
        return;
    case 6:
        if (m_events.IsSet(FrameEvent::DeviceReady)) {
            sendBlock();
            sendControl(Etb);
            m_timestamp = m_events.Clock().NowMs();
            m_state = 7;
        } else if (timedOut()) {
            m_state = 11;
        } else {
            waitFor(FrameEvent::DeviceReady);
        }
        return;
    case 7:
        if (m_events.Take(FrameEvent::ACKReceived)) {
            m_timestamp = m_events.Clock().NowMs();
            m_state = 8;
        } else if (timedOut()) {
            m_state = 11;
        } else {
            waitFor(FrameEvent::ACKReceived);
        }
        return;
    case 8:
        if (m_line >= m_picture->height()) {
            m_state = 9;
        } else if (m_column >= m_picture->width()) {
            sendControl(Cr);
            m_column = 0;
            ++m_line;
            m_state = 7;
        } else {
            m_state = 6;
        }
        return;
    case 9:
        sendControl(Eot);
        // The device may end the transfer itself; before the last pixel it has not got the picture.
        setResult(m_pixelCount >= PixelTotal() ? Success : EndedEarly);
        m_state = 10;
        return;
    case 10:
        if (m_events.Take(FrameEvent::ACKReceived)) {
            m_state = 14;
        } else if (timedOut()) {
            m_state = 11;
        } else {
            waitFor(FrameEvent::ACKReceived);
        }
        return;
    case 11:
        sendControl(Can);
        setResult(TimedOut);
        m_state = 14;
        return;
    case 12:
        sendControl(Can);
        setResult(UserAborted);
        m_state = 14;
        return;
    case 13:
        setResult(DeviceFailure);
        m_state = 14;
        return;
    case 14: {
        // Let the device finish with the picture before the link changes under it.
        const std::uint32_t settled = m_events.Clock().NowMs() + SettleMs;
        while (!quitRequested() && static_cast<std::int32_t>(settled - m_events.Clock().NowMs()) > 0)
            m_events.WaitAny(static_cast<std::uint16_t>(FrameEvent::Quit), settled);
        m_port->LeaveRawMode();
        m_state = 16;
        return;
    }
    case 15:
        // Given up before raw mode: the frame mode goes back to what it was, so that nothing (a
        // late execute included) takes the device into raw mode with nobody sending.
        m_port->SendVariable(_FATRMODE, m_previousFormat);
        m_port->SendVariable(_FAMODEM, m_previousMode);
        setResult(TimedOut);
        m_state = 16;
        return;
    case 16:
    default:
        m_events.Clear(FrameEvent::Running);
        m_events.Set(FrameEvent::Quit);
        m_state = 0;
        return;
    }
}
