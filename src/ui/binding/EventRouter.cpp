#include "EventRouter.h"

#include <algorithm>

#include "ErrorReport.h"

namespace tesso
{

struct Subscription::Entry {
    EventRouter::ValueHandler handler;
    std::weak_ptr<EventRouter::Channels> channels;
    int channel = 0;
};

struct EventRouter::Channels {
    struct Channel {
        std::vector<std::shared_ptr<Subscription::Entry>> subscribers;
        // Exclusive subscribers, the latest last: it alone hears the event while it lasts.
        std::vector<std::weak_ptr<Subscription::Entry>> owners;
    };
    std::array<Channel, ChannelCount> channels;

    void remove(const Subscription::Entry* entry)
    {
        Channel& c = channels[static_cast<std::size_t>(entry->channel)];
        c.subscribers.erase(std::remove_if(c.subscribers.begin(), c.subscribers.end(),
                                           [&](const auto& e) { return e.get() == entry; }),
                            c.subscribers.end());
        c.owners.erase(std::remove_if(c.owners.begin(), c.owners.end(),
                                      [&](const auto& e) { return e.expired() || e.lock().get() == entry; }),
                       c.owners.end());
    }

    static void call(const std::shared_ptr<Subscription::Entry>& entry, std::uint32_t value)
    {
        // An entry whose subscription ended while the event was being delivered is skipped.
        if (entry->handler)
            tesso::guarded([&] { entry->handler(value); });
    }

    void dispatch(int channel, std::uint32_t value = 0)
    {
        Channel& c = channels[static_cast<std::size_t>(channel)];
        if (!c.owners.empty()) {
            if (const auto owner = c.owners.back().lock()) {
                call(owner, value);
                return;
            }
        }
        // A subscriber may subscribe or unsubscribe while it runs; the list is walked as it was.
        // One failing subscriber neither stops the others nor the driver's parsing.
        const auto snapshot = c.subscribers;
        for (const auto& entry : snapshot)
            call(entry, value);
    }
};

Subscription& Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        reset();
        m_entry = std::move(other.m_entry);
    }
    return *this;
}

Subscription::~Subscription()
{
    reset();
}

void Subscription::reset()
{
    if (!m_entry)
        return;
    if (const auto channels = m_entry->channels.lock())
        channels->remove(m_entry.get());
    m_entry->handler = nullptr;
    m_entry.reset();
}

EventRouter::EventRouter(DeviceDriver& driver)
    : m_driver(&driver), m_channels(std::make_shared<Channels>()), m_context(std::make_unique<QObject>())
{
    connectDriver();
}

EventRouter::~EventRouter() = default;

void EventRouter::connectDriver()
{
    std::weak_ptr<Channels> weak = m_channels;
    auto to = [weak](DriverEvent event) {
        return [weak, channel = channelOf(event)] {
            if (const auto c = weak.lock())
                c->dispatch(channel);
        };
    };
    DeviceDriver* d = m_driver.data();
    QObject* context = m_context.get();
    QObject::connect(d, &DeviceDriver::variableReported, context, [weak](tVAR variable, quint32 value) {
        if (const auto c = weak.lock())
            c->dispatch(static_cast<int>(variable), value);
    });
    QObject::connect(d, &DeviceDriver::replyApplied, context, [weak](tVAR variable, const QByteArray&) {
        if (const auto c = weak.lock())
            c->dispatch(channelOf(DriverEvent::ReplyApplied), static_cast<std::uint32_t>(variable));
    });
    auto toState = [weak](DriverEvent event) {
        return [weak, channel = channelOf(event)](bool on) {
            if (const auto c = weak.lock())
                c->dispatch(channel, on ? 1u : 0u);
        };
    };
    QObject::connect(d, &DeviceDriver::readyChanged, context, toState(DriverEvent::Ready));
    QObject::connect(d, &DeviceDriver::connectedChanged, context, toState(DriverEvent::Connected));
    QObject::connect(d, &DeviceDriver::busy, context, to(DriverEvent::Busy));
    QObject::connect(d, &DeviceDriver::rawDataArrived, context, to(DriverEvent::RawData));
    QObject::connect(d, &DeviceDriver::connectionSettingChanged, context,
                     to(DriverEvent::ConnectionSettingChanged));
}

Subscription EventRouter::add(int channel, ValueHandler handler, bool exclusive)
{
    auto entry = std::make_shared<Subscription::Entry>();
    entry->handler = std::move(handler);
    entry->channels = m_channels;
    entry->channel = channel;
    auto& c = m_channels->channels[static_cast<std::size_t>(channel)];
    if (exclusive)
        c.owners.push_back(entry);
    else
        c.subscribers.push_back(entry);
    return Subscription(std::move(entry));
}

namespace
{
EventRouter::ValueHandler ignoringValue(EventRouter::Handler handler)
{
    return [handler = std::move(handler)](std::uint32_t) { handler(); };
}
} // namespace

Subscription EventRouter::subscribe(tVAR variable, Handler handler)
{
    return add(static_cast<int>(variable), ignoringValue(std::move(handler)), false);
}

Subscription EventRouter::subscribe(tVAR variable, ValueHandler handler)
{
    return add(static_cast<int>(variable), std::move(handler), false);
}

Subscription EventRouter::subscribe(DriverEvent event, Handler handler)
{
    return add(channelOf(event), ignoringValue(std::move(handler)), false);
}

Subscription EventRouter::subscribe(DriverEvent event, ValueHandler handler)
{
    return add(channelOf(event), std::move(handler), false);
}

Subscription EventRouter::takeOver(DriverEvent event, Handler handler)
{
    return add(channelOf(event), ignoringValue(std::move(handler)), true);
}

} // namespace tesso
