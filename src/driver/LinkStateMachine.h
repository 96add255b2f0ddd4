#pragma once
// The link state machine of the driver: detection with "?", connected, the query-all command,
// ready, and the keep-alive that notices a lost device. It runs on the driver's link timer and
// acts through hooks that the driver binds; it knows nothing of links or variables.

#include <cstdint>
#include <functional>
#include <memory>

#include "LinkTimer.h"

namespace tesso
{

enum class tLinkState : std::uint8_t {
    lsReset = 0,        // to be (re)started; the next step declares the device absent
    lsSearching = 1,    // "?" every 2 s until a valid DEV reply
    lsFound = 2,        // the device answered; the next step declares it connected
    lsConnected = 3,    // the next step sends the query-all command
    lsLoading = 4,      // waiting for the query-all dump to end (2 s of silence)
    lsIdle = 5,         // ready; the next step sends the keep-alive "?"
    lsAwaitingReply = 6 // keep-alive sent; a DEV reply within 2 s returns to 5
};

class LinkStateMachine
{
  public:
    static constexpr int FirstStepMs = 3000;
    static constexpr int StepMs = 2000;
    static constexpr int ImmediateMs = 1;

    struct Hooks {
        std::function<void()> beforeStep;      // every step starts here (the TCP retry)
        std::function<void()> sendDeviceQuery; // "?", for detection and keep-alive
        std::function<void()> sendQueryAll;    // once per connection
        std::function<void()> declaredAbsent;  // Connected and Ready just became false
        std::function<void()> declaredConnected;
        std::function<void()> declaredReady;
    };

    // Starts the timer for the first step, 3 s from now.
    LinkStateMachine(std::unique_ptr<LinkTimer> timer, Hooks hooks);
    ~LinkStateMachine();
    LinkStateMachine(const LinkStateMachine&) = delete;
    LinkStateMachine& operator=(const LinkStateMachine&) = delete;

    tLinkState state() const { return m_state; }
    // Back to lsReset without touching the timer: the next step restarts detection.
    void reset() { m_state = tLinkState::lsReset; }

    bool connected() const { return m_connected; }
    bool ready() const { return m_ready; }
    bool forceConn() const { return m_forceConn; }
    // True: behave as connected without detection and send no keep-alive.
    void setForceConn(bool force);

    // Any received data postpone the next step while a device is looked for or connected.
    void dataArrived();
    // A DEV reply arrived with this code, before it is stored.
    void deviceAnswered(std::uint32_t code);

    // One step (the timer's expiry).
    void step();
    void restartTimer(int milliseconds);
    int timerInterval() const { return m_timer->interval(); }

    // Detection now instead of at the next step: the absent step if it is due, then "?".
    void detectNow();

  private:
    void moveTo(tLinkState state, int milliseconds);

    std::unique_ptr<LinkTimer> m_timer;
    Hooks m_hooks;
    tLinkState m_state = tLinkState::lsReset;
    bool m_connected = false;
    bool m_ready = false;
    bool m_forceConn = false;
};

} // namespace tesso
