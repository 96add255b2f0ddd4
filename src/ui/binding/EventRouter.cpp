#include "EventRouter.h"

#include <algorithm>

#include "ErrorReport.h"

struct TSubscription::Entry {
    std::function<void()> handler;
    std::weak_ptr<TEventRouter::Channels> channels;
    int channel = 0;
};

struct TEventRouter::Channels {
    struct Channel {
        std::vector<std::shared_ptr<TSubscription::Entry>> subscribers;
        // Exclusive subscribers, the latest last: it alone hears the event while it lasts.
        std::vector<std::weak_ptr<TSubscription::Entry>> owners;
    };
    std::array<Channel, ChannelCount> channels;

    void remove(const TSubscription::Entry* entry)
    {
        Channel& c = channels[static_cast<std::size_t>(entry->channel)];
        c.subscribers.erase(std::remove_if(c.subscribers.begin(), c.subscribers.end(),
                                           [&](const auto& e) { return e.get() == entry; }),
                            c.subscribers.end());
        c.owners.erase(std::remove_if(c.owners.begin(), c.owners.end(),
                                      [&](const auto& e) { return e.expired() || e.lock().get() == entry; }),
                       c.owners.end());
    }

    static void call(const std::shared_ptr<TSubscription::Entry>& entry)
    {
        // An entry whose subscription ended while the event was being delivered is skipped.
        if (entry->handler)
            tesso::guarded(entry->handler);
    }

    void dispatch(int channel)
    {
        Channel& c = channels[static_cast<std::size_t>(channel)];
        if (!c.owners.empty()) {
            if (const auto owner = c.owners.back().lock()) {
                call(owner);
                return;
            }
        }
        // A subscriber may subscribe or unsubscribe while it runs; the list is walked as it was.
        // One failing subscriber neither stops the others nor the driver's parsing.
        const auto snapshot = c.subscribers;
        for (const auto& entry : snapshot)
            call(entry);
    }
};

TSubscription& TSubscription::operator=(TSubscription&& other) noexcept
{
    if (this != &other) {
        reset();
        m_entry = std::move(other.m_entry);
    }
    return *this;
}

TSubscription::~TSubscription()
{
    reset();
}

void TSubscription::reset()
{
    if (!m_entry)
        return;
    if (const auto channels = m_entry->channels.lock())
        channels->remove(m_entry.get());
    m_entry->handler = nullptr;
    m_entry.reset();
}

TEventRouter::TEventRouter(TMirex_d& driver) : m_driver(&driver), m_channels(std::make_shared<Channels>())
{
    const int replies = channelOf(DriverEvent::ReplyApplied);
    for (int channel = 0; channel < ChannelCount; ++channel) {
        std::weak_ptr<Channels> channels = m_channels;
        if (channel == replies) {
            driver.OnReplyApplied = [channels, channel](tVAR, const QByteArray&) {
                if (const auto c = channels.lock())
                    c->dispatch(channel);
            };
            continue;
        }
        eventOf(channel) = [channels, channel](TMirex_d*, int) {
            if (const auto c = channels.lock())
                c->dispatch(channel);
        };
    }
}

TEventRouter::~TEventRouter()
{
    if (!m_driver)
        return;
    for (int channel = 0; channel < ChannelCount; ++channel)
        if (channel != channelOf(DriverEvent::ReplyApplied))
            eventOf(channel) = nullptr;
    m_driver->OnReplyApplied = nullptr;
}

TMirexNotifyEvent& TEventRouter::eventOf(int channel)
{
    if (channel < tesso::VariableCount)
        return m_driver->changeEvent(static_cast<tVAR>(channel));
    switch (static_cast<DriverEvent>(channel - tesso::VariableCount)) {
    case DriverEvent::Ready:
        return m_driver->OnReady;
    case DriverEvent::Connected:
        return m_driver->OnConnected;
    case DriverEvent::RS232busy:
        return m_driver->ONRS232busy;
    case DriverEvent::RecData:
        return m_driver->OnRecData;
    case DriverEvent::RecString:
        return m_driver->OnRecString;
    case DriverEvent::SentString:
        return m_driver->OnSentString;
    case DriverEvent::ConTypeChange:
        return m_driver->OnConTypechange;
    case DriverEvent::IpLocalPortChange:
        return m_driver->OnIpLocalPortchange;
    case DriverEvent::IpRemotePortChange:
        return m_driver->OnIpRemotePortchange;
    case DriverEvent::IpRemoteAddressChange:
    case DriverEvent::ReplyApplied:
        break;
    }
    return m_driver->OnIpRemoteAddresschange;
}

TSubscription TEventRouter::add(int channel, Handler handler, bool exclusive)
{
    auto entry = std::make_shared<TSubscription::Entry>();
    entry->handler = std::move(handler);
    entry->channels = m_channels;
    entry->channel = channel;
    auto& c = m_channels->channels[static_cast<std::size_t>(channel)];
    if (exclusive)
        c.owners.push_back(entry);
    else
        c.subscribers.push_back(entry);
    return TSubscription(std::move(entry));
}

TSubscription TEventRouter::subscribe(tVAR variable, Handler handler)
{
    return add(static_cast<int>(variable), std::move(handler), false);
}

TSubscription TEventRouter::subscribe(DriverEvent event, Handler handler)
{
    return add(channelOf(event), std::move(handler), false);
}

TSubscription TEventRouter::takeOver(DriverEvent event, Handler handler)
{
    return add(channelOf(event), std::move(handler), true);
}
