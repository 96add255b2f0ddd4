#include "RawFrameTransfer.h"

#include "FrameCodec.h"
#include "FramePort.h"

namespace tesso
{

using namespace tesso::frames;

namespace
{
// Events that change the state whatever the state waits for.
constexpr std::uint16_t Switches = FrameEvent::Reset | FrameEvent::Start | FrameEvent::TerminateSend |
                                   FrameEvent::Abort | FrameEvent::UserAbort | FrameEvent::Quit;
} // namespace

// The loop must be over before the members it uses go.
RawFrameTransfer::~RawFrameTransfer()
{
    Terminate();
}

void RawFrameTransfer::run()
{
    m_state = State::Idle;
    while (!quitRequested()) {
        takeEvent();
        step();
    }
}

// At most one event per pass, in this order of precedence.
void RawFrameTransfer::takeEvent()
{
    if (m_events.Take(FrameEvent::Reset)) {
        m_state = State::Idle;
    } else if (m_events.Take(FrameEvent::Start)) {
        m_state = State::Starting;
    } else if (m_events.Take(FrameEvent::TerminateSend)) {
        if (sending())
            m_state = State::Ending;
    } else if (m_events.Take(FrameEvent::Abort)) {
        if (m_events.IsSet(FrameEvent::Running) && sending())
            m_state = State::DeviceAborted;
    } else if (m_events.Take(FrameEvent::UserAbort)) {
        if (m_state == State::Idle)
            m_events.Set(FrameEvent::Quit); // nothing started: nothing to restore
        else if (m_state <= State::NextBlock)
            m_state = State::CancelOnUserAbort;
    }
}

bool RawFrameTransfer::timedOut() const
{
    return ElapsedMs(m_timestamp, m_events.Clock().NowMs()) > TimeoutMs;
}

void RawFrameTransfer::waitFor(FrameEvent event)
{
    // One past the time-out, so that a wake at the deadline finds the time-out passed.
    m_events.WaitAny(Switches | event, m_timestamp + TimeoutMs + 1);
}

void RawFrameTransfer::sendVariable(tVAR variable, std::uint32_t value)
{
    m_commandSequence = m_events.ReplySequence();
    m_port->SendVariable(variable, value);
    m_timestamp = m_events.Clock().NowMs();
}

bool RawFrameTransfer::answered(tVAR variable, std::uint32_t value) const
{
    const FrameEvents::ReplyRecord reply = m_events.LastReply(variable);
    return reply.sequence > m_commandSequence && reply.value == value;
}

void RawFrameTransfer::step()
{
    switch (m_state) {
    case State::Idle:
        m_events.WaitAny(Switches, std::nullopt);
        return;
    case State::Starting:
        m_events.Set(FrameEvent::Running);
        m_previousMode = m_port->MirroredValue(_FAMODEM);
        m_previousFormat = m_port->MirroredValue(_FATRMODE);
        sendVariable(_FAMODEM, 2);
        m_state = State::AwaitingFrameMode;
        return;
    case State::AwaitingFrameMode:
        return awaitAnswer(_FAMODEM, 2, [this] {
            sendVariable(_FATRMODE, 0);
            m_state = State::AwaitingFormat;
        });
    case State::AwaitingFormat:
        return awaitAnswer(_FATRMODE, 0, [this] {
            sendVariable(_FAEXEC, 1);
            m_state = State::AwaitingExecute;
        });
    case State::AwaitingExecute:
        return awaitAnswer(_FAEXEC, 1, [this] {
            m_port->EnterRawMode();
            m_state = State::InRawMode;
        });
    case State::InRawMode:
        m_column = 0;
        m_line = 0;
        m_timestamp = m_events.Clock().NowMs();
        m_state = State::AwaitingReady;
        return;
    case State::AwaitingReady:
        if (m_events.IsSet(FrameEvent::DeviceReady)) {
            sendBlock();
            sendControl(Etb);
            m_timestamp = m_events.Clock().NowMs();
            m_state = State::AwaitingAck;
        } else if (timedOut()) {
            m_state = State::CancelOnTimeOut;
        } else {
            waitFor(FrameEvent::DeviceReady);
        }
        return;
    case State::AwaitingAck:
        if (m_events.Take(FrameEvent::ACKReceived)) {
            m_timestamp = m_events.Clock().NowMs();
            m_state = State::NextBlock;
        } else if (timedOut()) {
            m_state = State::CancelOnTimeOut;
        } else {
            waitFor(FrameEvent::ACKReceived);
        }
        return;
    case State::NextBlock:
        if (m_line >= m_picture->height()) {
            m_state = State::Ending;
        } else if (m_column >= m_picture->width()) {
            sendControl(Cr);
            m_column = 0;
            ++m_line;
            m_state = State::AwaitingAck;
        } else {
            m_state = State::AwaitingReady;
        }
        return;
    case State::Ending:
        sendControl(Eot);
        // The device may end the transfer itself; before the last pixel it has not got the picture.
        setResult(m_pixelCount >= PixelTotal() ? Success : EndedEarly);
        m_state = State::AwaitingEndAck;
        return;
    case State::AwaitingEndAck:
        if (m_events.Take(FrameEvent::ACKReceived)) {
            m_state = State::Settling;
        } else if (timedOut()) {
            m_state = State::CancelOnTimeOut;
        } else {
            waitFor(FrameEvent::ACKReceived);
        }
        return;
    case State::CancelOnTimeOut:
        sendControl(Can);
        setResult(TimedOut);
        m_state = State::Settling;
        return;
    case State::CancelOnUserAbort:
        sendControl(Can);
        setResult(UserAborted);
        m_state = State::Settling;
        return;
    case State::DeviceAborted:
        setResult(DeviceFailure);
        m_state = State::Settling;
        return;
    case State::Settling: {
        // Let the device finish with the picture before the link changes under it.
        const std::uint32_t settled = m_events.Clock().NowMs() + SettleMs;
        while (!quitRequested() && static_cast<std::int32_t>(settled - m_events.Clock().NowMs()) > 0)
            m_events.WaitAny(static_cast<std::uint16_t>(FrameEvent::Quit), settled);
        m_port->LeaveRawMode();
        m_state = State::Done;
        return;
    }
    case State::RestoringFrameMode:
        // Given up before raw mode: the frame mode goes back to what it was, so that nothing (a
        // late execute included) takes the device into raw mode with nobody sending.
        m_port->SendVariable(_FATRMODE, m_previousFormat);
        m_port->SendVariable(_FAMODEM, m_previousMode);
        setResult(TimedOut);
        m_state = State::Done;
        return;
    case State::Done:
        m_events.Clear(FrameEvent::Running);
        m_events.Set(FrameEvent::Quit);
        m_state = State::Idle;
        return;
    }
}

// One of the mode commands before raw mode: answered with its value, the next step; silent past
// the time-out, the frame mode is put back.
template <typename Next> void RawFrameTransfer::awaitAnswer(tVAR variable, std::uint32_t value, Next next)
{
    // Cleared before looking, so that a reply arriving meanwhile wakes the wait below.
    m_events.Clear(FrameEvent::Reply);
    if (answered(variable, value))
        next();
    else if (timedOut())
        m_state = State::RestoringFrameMode;
    else
        waitFor(FrameEvent::Reply);
}

} // namespace tesso
