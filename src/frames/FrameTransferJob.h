#pragma once
// FrameTransferJob: the state a frame transfer shares between its worker thread and the window that
// runs it (position in the picture, pixels sent, result, the events), and the byte and block
// routines. The work loop belongs to the derived class of the transfer mode.
//
// The window attaches a 720 x 288 picture (guarded by the canvas lock it shares with the thread)
// and a port into the driver, prepares, starts, and reads the pixel count and the result; the
// thread never touches the driver but through the port.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include <functional>
#include <thread>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "FrameEvents.h"

namespace tesso
{

class FramePort;

class FrameTransferJob
{
  public:
    enum ResultCode : std::uint8_t {
        Running = 0,
        Success = 1,
        DeviceFailure = 2,
        UserAborted = 3,
        TimedOut = 4,
        EndedEarly = 5 // the device's end code before every pixel had gone out
    };

    explicit FrameTransferJob(FrameClock& clock);
    virtual ~FrameTransferJob();
    FrameTransferJob(const FrameTransferJob&) = delete;
    FrameTransferJob& operator=(const FrameTransferJob&) = delete;

    // What a result tells the user.
    static QString ResultText(std::uint8_t result);

    // The picture must be 720 x 288; false (and nothing attached) otherwise. The lock guards the
    // picture against the window preparing a new one while a block is read.
    bool Attach(const QImage* picture, std::mutex* canvasLock, FramePort* port);
    void PrepareStart();
    void Start();
    void UserAbort();
    bool IsIdle() const { return !m_events.IsSet(FrameEvent::Running); }
    std::uint8_t Result() const { return m_result; }
    std::uint32_t PixelCount() const { return m_pixelCount; }
    // Starts the worker thread; `ended` runs on it last, after the loop.
    void start(std::function<void()> ended = {});
    bool isRunning() const { return m_running; }
    bool isFinished() const { return m_finished; }
    // Waits for the worker to end (it must not be waiting on the calling thread meanwhile).
    void wait();
    // Asks the loop to end and waits for it.
    void Terminate();

    FrameEvents& Events() { return m_events; }

  protected:
    virtual void run() = 0;
    // ESC + code, then the whole send buffer goes out.
    void sendControl(char code);
    // The next block of the current line from the current column into the send buffer (nothing
    // while the device's abort is pending); the column and pixel count move on.
    void sendBlock();
    void setResult(ResultCode result) { m_result = result; }
    bool quitRequested() const { return m_events.IsSet(FrameEvent::Quit); }

    FrameEvents m_events;
    FramePort* m_port = nullptr;
    const QImage* m_picture = nullptr;
    std::mutex* m_canvasLock = nullptr;
    std::uint16_t m_column = 0;
    std::uint16_t m_line = 0;
    std::atomic<std::uint32_t> m_pixelCount{0};
    std::atomic<std::uint8_t> m_result{Running};
    QByteArray m_sendBuffer;
    std::uint32_t m_timestamp = 0;

  private:
    std::thread m_worker;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_finished{false};
};

} // namespace tesso
