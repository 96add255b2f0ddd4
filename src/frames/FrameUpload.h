#pragma once
// One picture upload from the driver's thread: the worker thread, its port into the driver and
// the picture it reads, started together and ended together. The owner of the driver's events
// hands it the raw bytes (rawDataArrived) and the replies of the frame variables while it runs.
//
// Ending is the delicate part: the thread may be waiting for the driver's thread to run one of its
// calls, so the driver's thread never blocks on the thread; it keeps its events going until the
// thread has ended.

#include <memory>
#include <mutex>

#include <QImage>
#include <QObject>

#include "Catalogue.h"
#include "RawFrameTransfer.h"

namespace tesso
{

class DriverFramePort;
class FrameClock;
class DeviceDriver;

class FrameUpload : public QObject
{
    Q_OBJECT

  public:
    // `clock` defaults to the steady clock.
    explicit FrameUpload(DeviceDriver& driver, FrameClock* clock = nullptr, QObject* parent = nullptr);
    ~FrameUpload() override;

    // Starts sending a 720 x 288 picture; false with the reason when the picture is not one.
    bool Start(const QImage& picture, QString* error);
    void UserAbort();

    bool Running() const;
    bool Finished() const;
    std::uint8_t Result() const;
    std::uint32_t PixelCount() const;
    std::uint32_t PixelTotal() const
    {
        return static_cast<std::uint32_t>(m_picture.width() * m_picture.height());
    }

    // Hand-over from the driver's events.
    void RawDataArrived();
    void VariableReported(tVAR variable);
    // Whether a variable's reply matters to the transfer.
    static bool Watches(tVAR variable)
    {
        return variable == _FAMODEM || variable == _FATRMODE || variable == _FAEXEC;
    }

    // Waits, running the driver thread's events, until the thread has ended; aborts it first when
    // it is still sending.
    void AbortAndWait();

    RawFrameTransfer* Thread() { return m_thread.get(); }

  signals:
    // The thread has ended; Result() holds the outcome.
    void finished();

  private:
    std::unique_ptr<FrameClock> m_ownClock;
    QImage m_picture;
    std::mutex m_canvasLock;
    std::unique_ptr<RawFrameTransfer> m_thread;
    std::unique_ptr<DriverFramePort> m_port;
};

} // namespace tesso
