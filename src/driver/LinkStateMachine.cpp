#include "LinkStateMachine.h"

#include "DeviceModels.h"

namespace tesso
{

namespace
{
void call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}
} // namespace

LinkStateMachine::LinkStateMachine(std::unique_ptr<LinkTimer> timer, Hooks hooks)
    : m_timer(std::move(timer)), m_hooks(std::move(hooks))
{
    m_timer->onTimeout = [this] { step(); };
    restartTimer(FirstStepMs);
}

LinkStateMachine::~LinkStateMachine()
{
    m_timer->onTimeout = nullptr;
}

void LinkStateMachine::restartTimer(int milliseconds)
{
    m_timer->restart(milliseconds);
}

void LinkStateMachine::moveTo(tLinkState state, int milliseconds)
{
    m_state = state;
    restartTimer(milliseconds);
}

void LinkStateMachine::dataArrived()
{
    if (m_state == tLinkState::lsSearching || m_state >= tLinkState::lsConnected)
        restartTimer(StepMs);
}

void LinkStateMachine::deviceAnswered(std::uint32_t code)
{
    if (!tesso::isAcceptedDeviceCode(code))
        moveTo(tLinkState::lsReset, ImmediateMs);
    else if (m_state == tLinkState::lsSearching)
        moveTo(tLinkState::lsFound, ImmediateMs);
    else if (m_state == tLinkState::lsAwaitingReply)
        m_state = tLinkState::lsIdle;
}

void LinkStateMachine::step()
{
    call(m_hooks.beforeStep);
    switch (m_state) {
    case tLinkState::lsReset:
        if (m_forceConn) {
            moveTo(tLinkState::lsFound, ImmediateMs);
            break;
        }
        m_ready = false;
        m_connected = false;
        call(m_hooks.declaredAbsent);
        moveTo(tLinkState::lsSearching, StepMs);
        break;
    case tLinkState::lsSearching:
        call(m_hooks.sendDeviceQuery);
        restartTimer(StepMs);
        break;
    case tLinkState::lsFound:
        m_connected = true;
        call(m_hooks.declaredConnected);
        moveTo(tLinkState::lsConnected, StepMs);
        break;
    case tLinkState::lsConnected:
        call(m_hooks.sendQueryAll);
        moveTo(tLinkState::lsLoading, StepMs);
        break;
    case tLinkState::lsLoading:
        m_ready = true;
        call(m_hooks.declaredReady);
        moveTo(tLinkState::lsIdle, ImmediateMs);
        break;
    case tLinkState::lsIdle:
        if (!m_forceConn)
            call(m_hooks.sendDeviceQuery);
        moveTo(tLinkState::lsAwaitingReply, StepMs);
        break;
    case tLinkState::lsAwaitingReply:
        moveTo(m_forceConn ? tLinkState::lsIdle : tLinkState::lsReset, ImmediateMs);
        break;
    }
}

void LinkStateMachine::setForceConn(bool force)
{
    if (force == m_forceConn)
        return;
    m_forceConn = force;
    moveTo(force ? tLinkState::lsFound : tLinkState::lsReset, ImmediateMs);
}

void LinkStateMachine::detectNow()
{
    if (m_state == tLinkState::lsReset && !m_forceConn)
        step();
    if (m_state == tLinkState::lsSearching) {
        call(m_hooks.sendDeviceQuery);
        restartTimer(StepMs);
    }
}

} // namespace tesso
