#pragma once
// EventRouter: hands the driver's signals to the windows. It connects once to the driver's
// signals and fans each out to any number of subscribers, a variable's report with its value. A
// window that takes an event over (the frame transfer the raw data) gets it alone until it gives
// it back. Going away, the router disconnects.
//
// A subscription lasts as long as the Subscription returned for it; subscriptions may outlive
// the router (they then do nothing), so owners can be destroyed in any order.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QPointer>

#include "Catalogue.h"
#include "DeviceDriver.h"

namespace tesso
{

// The driver's events that are not variable changes.
// Ready and Connected hand their new state (0 or 1).
enum class DriverEvent {
    Ready,
    Connected,
    Busy,
    RawData,
    ConnectionSettingChanged,
    // Every reply the driver applied, address octets and ports included (which are reported by no
    // variable event of their own); the value handed is the variable's index.
    ReplyApplied
};

class Subscription
{
  public:
    struct Entry;
    Subscription() = default;
    explicit Subscription(std::shared_ptr<Entry> entry) : m_entry(std::move(entry)) {}
    Subscription(Subscription&&) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept;
    ~Subscription();
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    // Ends the subscription now; an exclusive one gives its event back.
    void reset();

  private:
    std::shared_ptr<Entry> m_entry;
};

class EventRouter
{
  public:
    using Handler = std::function<void()>;
    // Hears the value: the variable's for a report, 0 for an event without one.
    using ValueHandler = std::function<void(std::uint32_t value)>;

    explicit EventRouter(DeviceDriver& driver);
    ~EventRouter();
    EventRouter(const EventRouter&) = delete;
    EventRouter& operator=(const EventRouter&) = delete;

    // The driver, or nullptr once it is gone.
    DeviceDriver* driver() const { return m_driver; }

    // Every report of the variable ("#" for _DIESE).
    [[nodiscard]] Subscription subscribe(tVAR variable, Handler handler);
    [[nodiscard]] Subscription subscribe(tVAR variable, ValueHandler handler);
    [[nodiscard]] Subscription subscribe(DriverEvent event, Handler handler);
    [[nodiscard]] Subscription subscribe(DriverEvent event, ValueHandler handler);
    // The event for this handler alone while the subscription lasts; the other subscribers hear
    // nothing of it meanwhile. A later take-over comes before an earlier one until it ends.
    [[nodiscard]] Subscription takeOver(DriverEvent event, Handler handler);

    // The subscribers of every event; subscriptions hold it weakly.
    struct Channels;

  private:
    static constexpr int ChannelCount =
        tesso::VariableCount + static_cast<int>(DriverEvent::ReplyApplied) + 1;
    static int channelOf(DriverEvent event) { return tesso::VariableCount + static_cast<int>(event); }
    Subscription add(int channel, ValueHandler handler, bool exclusive);
    void connectDriver();

    QPointer<DeviceDriver> m_driver;
    std::shared_ptr<Channels> m_channels;
    std::unique_ptr<QObject> m_context; // receiver of the driver's signals, gone with the router
};

} // namespace tesso
