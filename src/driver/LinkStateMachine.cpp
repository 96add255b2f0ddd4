#include "LinkStateMachine.h"

#include "DeviceModels.h"

namespace tesso
{

LinkStateMachine::LinkStateMachine(std::unique_ptr<LinkTimer> timer) : m_timer(std::move(timer))
{
    connect(m_timer.get(), &LinkTimer::timeout, this, &LinkStateMachine::step);
    restartTimer(FirstStepMs);
}

LinkStateMachine::~LinkStateMachine() = default;

void LinkStateMachine::restartTimer(int milliseconds)
{
    m_timer->restart(milliseconds);
}

void LinkStateMachine::moveTo(LinkState state, int milliseconds)
{
    m_state = state;
    restartTimer(milliseconds);
}

void LinkStateMachine::dataArrived()
{
    if (m_state == LinkState::Searching || m_state >= LinkState::Connected)
        restartTimer(StepMs);
}

void LinkStateMachine::deviceAnswered(std::uint32_t code)
{
    if (!tesso::isAcceptedDeviceCode(code))
        moveTo(LinkState::Reset, ImmediateMs);
    else if (m_state == LinkState::Searching)
        moveTo(LinkState::Found, ImmediateMs);
    else if (m_state == LinkState::AwaitingReply)
        m_state = LinkState::Idle;
}

void LinkStateMachine::step()
{
    emit stepStarting();
    switch (m_state) {
    case LinkState::Reset:
        if (m_forced) {
            moveTo(LinkState::Found, ImmediateMs);
            break;
        }
        m_ready = false;
        m_connected = false;
        emit declaredAbsent();
        moveTo(LinkState::Searching, StepMs);
        break;
    case LinkState::Searching:
        emit deviceQueryDue();
        restartTimer(StepMs);
        break;
    case LinkState::Found:
        m_connected = true;
        emit declaredConnected();
        moveTo(LinkState::Connected, StepMs);
        break;
    case LinkState::Connected:
        emit queryAllDue();
        moveTo(LinkState::Loading, StepMs);
        break;
    case LinkState::Loading:
        m_ready = true;
        emit declaredReady();
        moveTo(LinkState::Idle, ImmediateMs);
        break;
    case LinkState::Idle:
        if (!m_forced)
            emit deviceQueryDue();
        moveTo(LinkState::AwaitingReply, StepMs);
        break;
    case LinkState::AwaitingReply:
        moveTo(m_forced ? LinkState::Idle : LinkState::Reset, ImmediateMs);
        break;
    }
}

void LinkStateMachine::setForcedConnection(bool forced)
{
    if (forced == m_forced)
        return;
    m_forced = forced;
    moveTo(forced ? LinkState::Found : LinkState::Reset, ImmediateMs);
}

void LinkStateMachine::detectNow()
{
    if (m_state == LinkState::Reset && !m_forced)
        step();
    if (m_state == LinkState::Searching) {
        emit deviceQueryDue();
        restartTimer(StepMs);
    }
}

} // namespace tesso
