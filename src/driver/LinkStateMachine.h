#pragma once
// The link state machine of the driver: detection with "?", connected, the query-all command,
// ready, and the keep-alive that notices a lost device. It runs on the driver's link timer and
// says what is due by its signals, which the driver connects; it knows nothing of links or variables.

#include <cstdint>
#include <memory>

#include <QObject>

#include "LinkTimer.h"

namespace tesso
{

enum class LinkState : std::uint8_t {
    Reset = 0,        // to be (re)started; the next step declares the device absent
    Searching = 1,    // "?" every 2 s until a valid DEV reply
    Found = 2,        // the device answered; the next step declares it connected
    Connected = 3,    // the next step sends the query-all command
    Loading = 4,      // waiting for the query-all dump to end (2 s of silence)
    Idle = 5,         // ready; the next step sends the keep-alive "?"
    AwaitingReply = 6 // keep-alive sent; a DEV reply within 2 s returns to Idle
};

class LinkStateMachine : public QObject
{
    Q_OBJECT

  public:
    static constexpr int FirstStepMs = 3000;
    static constexpr int StepMs = 2000;
    static constexpr int ImmediateMs = 1;

    // Starts the timer for the first step, 3 s from now.
    explicit LinkStateMachine(std::unique_ptr<LinkTimer> timer);
    ~LinkStateMachine() override;

    LinkState state() const { return m_state; }
    // Back to lsReset without touching the timer: the next step restarts detection.
    void reset() { m_state = LinkState::Reset; }

    bool connected() const { return m_connected; }
    bool ready() const { return m_ready; }
    bool forcedConnection() const { return m_forced; }
    // True: behave as connected without detection and send no keep-alive.
    void setForcedConnection(bool forced);

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

  signals:
    void stepStarting();   // every step starts here (the TCP retry)
    void deviceQueryDue(); // "?", for detection and keep-alive
    void queryAllDue();    // once per connection
    void declaredAbsent(); // connected and ready just became false
    void declaredConnected();
    void declaredReady();

  private:
    void moveTo(LinkState state, int milliseconds);

    std::unique_ptr<LinkTimer> m_timer;
    LinkState m_state = LinkState::Reset;
    bool m_connected = false;
    bool m_ready = false;
    bool m_forced = false;
};

} // namespace tesso
