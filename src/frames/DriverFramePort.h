#pragma once
// The transfer's way into the driver: lives on the driver's thread and runs every call of the
// transfer thread there, waiting for it (the only entry into the driver from another thread). It
// also turns what the driver receives for the transfer into the transfer's events: raw bytes into
// pacing, acknowledgements and end or abort codes, replies of the frame variables into records.
// Whoever owns the driver's events hands it rawDataArrived and those replies.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include <QObject>

#include "FrameCodec.h"
#include "FrameEvents.h"
#include "FramePort.h"

class QSocketNotifier;

namespace tesso
{

class DeviceDriver;

class DriverFramePort : public QObject, public FramePort
{
    Q_OBJECT

  public:
    DriverFramePort(DeviceDriver& driver, FrameEvents& events, QObject* parent = nullptr);
    ~DriverFramePort() override;

    void SendVariable(tVAR variable, std::uint32_t value) override;
    void SendRaw(const QByteArray& bytes) override;
    void EnterRawMode() override;
    void LeaveRawMode() override;
    std::uint32_t MirroredValue(tVAR variable) override;

    // On the driver's thread: the driver signalled rawDataArrived.
    void RawDataArrived();
    // On the driver's thread: a reply of FAMODEM_, FATRMODE or FAEXEC was applied.
    void VariableReported(tVAR variable);

    // From now on the calls do nothing: the driver's thread no longer serves the transfer.
    void Detach();
    // From another thread: runs on the driver's thread later, without waiting.
    void Post(std::function<void()> call);

  private:
    struct Call {
        std::function<void()> run;
        bool wait = false;
        bool done = false;
    };
    void onDriverThread(const std::function<void()>& call);
    void enqueue(Call& call);
    // On the driver's thread: runs what the other thread handed over.
    void serve();

    DeviceDriver& m_driver;
    FrameEvents& m_events;
    tesso::frames::DeviceCodeDecoder m_decoder;
    std::atomic<bool> m_detached{false};
    // The hand-over: a queue under a mutex and an event descriptor that wakes the driver's thread.
    std::thread::id m_driverThread;
    int m_wakeFd = -1;
    QSocketNotifier* m_wake = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_served;
    std::deque<Call*> m_calls;
    std::deque<std::function<void()>> m_posted;
};

} // namespace tesso
