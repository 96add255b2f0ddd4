#include "DriverFramePort.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "DeviceDriver.h"
#include "ErrorReport.h"

namespace tesso
{

using tesso::frames::DeviceSignal;

DriverFramePort::DriverFramePort(DeviceDriver& driver, FrameEvents& events, QObject* parent)
    : QObject(parent), m_driver(driver), m_events(events), m_driverThread(std::this_thread::get_id()),
      m_wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_wakeFd >= 0) {
        m_wake = new QSocketNotifier(static_cast<qintptr>(m_wakeFd), QSocketNotifier::Read, this);
        connect(m_wake, &QSocketNotifier::activated, this, [this] { serve(); });
    }
}

DriverFramePort::~DriverFramePort()
{
    Detach();
    delete m_wake;
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void DriverFramePort::Detach()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_detached = true;
        // Calls still waiting are let go as done: nobody will run them now.
        for (Call* call : m_calls)
            call->done = true;
        m_calls.clear();
        m_posted.clear();
    }
    m_served.notify_all();
}

void DriverFramePort::enqueue(Call& call)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_detached || m_wakeFd < 0)
        return;
    m_calls.push_back(&call);
    const std::uint64_t one = 1;
    // The descriptor's write and read order the hand-over for the sanitizers too.
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
    if (call.wait)
        m_served.wait(lock, [&call] { return call.done; });
}

void DriverFramePort::Post(std::function<void()> call)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_detached || m_wakeFd < 0)
            return;
        m_posted.push_back(std::move(call));
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

void DriverFramePort::serve()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(m_wakeFd, &count, sizeof count);
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_calls.empty() || !m_posted.empty()) {
        if (!m_calls.empty()) {
            Call* call = m_calls.front();
            m_calls.pop_front();
            lock.unlock();
            tesso::guarded(call->run);
            lock.lock();
            call->done = true;
            m_served.notify_all();
        } else {
            std::function<void()> posted = std::move(m_posted.front());
            m_posted.pop_front();
            lock.unlock();
            tesso::guarded(posted);
            lock.lock();
        }
    }
}

void DriverFramePort::onDriverThread(const std::function<void()>& call)
{
    if (m_detached)
        return;
    if (std::this_thread::get_id() == m_driverThread) {
        tesso::guarded(call);
        return;
    }
    Call handed{call, true, false};
    enqueue(handed);
}

void DriverFramePort::SendVariable(tVAR variable, std::uint32_t value)
{
    onDriverThread([this, variable, value] { m_driver.setVariable(variable, value); });
}

void DriverFramePort::SendRaw(const QByteArray& bytes)
{
    onDriverThread([this, &bytes] { m_driver.sendRaw(bytes); });
}

void DriverFramePort::EnterRawMode()
{
    onDriverThread([this] {
        m_driver.setForcedConnection(true);
        m_driver.setSerialBaud(57600); // the port lets the text already written go at 9600 first
        m_driver.setLinkMode(LinkMode::Raw);
        m_decoder.reset();
    });
}

void DriverFramePort::LeaveRawMode()
{
    onDriverThread([this] {
        m_driver.setForcedConnection(false);
        m_driver.setLinkMode(LinkMode::Variables);
        m_driver.setSerialBaud(9600);
    });
}

std::uint32_t DriverFramePort::MirroredValue(tVAR variable)
{
    std::uint32_t value = 0;
    onDriverThread([this, variable, &value] { value = m_driver.mirrorValue(variable); });
    return value;
}

void DriverFramePort::RawDataArrived()
{
    const QByteArray bytes = m_driver.takeRawData();
    for (const char byte : bytes) {
        m_events.Clear(FrameEvent::Escaped);
        const std::optional<DeviceSignal> signal = m_decoder.push(byte);
        if (m_decoder.escaped())
            m_events.Set(FrameEvent::Escaped);
        if (!signal)
            continue;
        switch (*signal) {
        case DeviceSignal::Ready:
            m_events.Set(FrameEvent::DeviceReady);
            break;
        case DeviceSignal::Wait:
            m_events.Clear(FrameEvent::DeviceReady);
            break;
        case DeviceSignal::Ack:
            m_events.Set(FrameEvent::ACKReceived);
            break;
        case DeviceSignal::End:
            m_events.Set(FrameEvent::TerminateSend);
            break;
        case DeviceSignal::Abort:
            m_events.Set(FrameEvent::Abort);
            break;
        case DeviceSignal::Nothing:
            break;
        }
    }
}

void DriverFramePort::VariableReported(tVAR variable)
{
    m_events.RecordReply(variable, m_driver.mirrorValue(variable));
}

} // namespace tesso
