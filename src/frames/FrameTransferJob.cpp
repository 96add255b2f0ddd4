#include "FrameTransferJob.h"

#include "FrameCodec.h"
#include "FramePort.h"

namespace tesso
{

using namespace tesso::frames;

FrameTransferJob::FrameTransferJob(FrameClock& clock) : m_events(clock) {}

void FrameTransferJob::start(std::function<void()> ended)
{
    if (m_worker.joinable())
        return;
    m_running = true;
    m_worker = std::thread([this, ended = std::move(ended)] {
        run();
        m_running = false;
        m_finished = true;
        if (ended)
            ended();
    });
}

void FrameTransferJob::wait()
{
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
}

QString FrameTransferJob::ResultText(std::uint8_t result)
{
    switch (result) {
    case Success:
        return QStringLiteral("Command successfull.");
    case DeviceFailure:
        return QStringLiteral("Failure.");
    case UserAborted:
        return QStringLiteral("Transfer aborted by user.");
    case TimedOut:
        return QStringLiteral("Time-out: the device did not answer.");
    case EndedEarly:
        return QStringLiteral("Transfer ended early by the device.");
    default:
        return {};
    }
}

FrameTransferJob::~FrameTransferJob()
{
    Terminate();
}

bool FrameTransferJob::Attach(const QImage* picture, std::mutex* canvasLock, FramePort* port)
{
    if (!picture || !canvasLock || !port || picture->width() != PictureWidth ||
        picture->height() != PictureHeight || picture->format() != QImage::Format_RGB32)
        return false;
    m_picture = picture;
    m_canvasLock = canvasLock;
    m_port = port;
    m_events.Clear(FrameEvent::Escaped);
    m_result = Running;
    return true;
}

void FrameTransferJob::PrepareStart()
{
    m_events.Clear(FrameEvent::DeviceReady);
    m_events.Clear(FrameEvent::ACKReceived);
    m_events.Set(FrameEvent::Reset);
}

void FrameTransferJob::Start()
{
    m_events.Set(FrameEvent::Start);
}

void FrameTransferJob::UserAbort()
{
    m_events.Set(FrameEvent::UserAbort);
}

void FrameTransferJob::Terminate()
{
    m_events.Set(FrameEvent::Quit);
    wait();
}

void FrameTransferJob::sendControl(char code)
{
    m_sendBuffer += controlCode(code);
    m_port->SendRaw(m_sendBuffer);
    m_sendBuffer.clear();
}

void FrameTransferJob::sendBlock()
{
    QByteArray block;
    int pixels = 0;
    {
        const std::lock_guard<std::mutex> lock(*m_canvasLock);
        pixels = encodeBlock(block, *m_picture, m_column, m_line);
    }
    // The device has asked to abort: its next reading of the loop ends the transfer.
    if (!m_events.IsSet(FrameEvent::Abort))
        m_sendBuffer += block;
    m_column = static_cast<std::uint16_t>(m_column + pixels);
    m_pixelCount += static_cast<std::uint32_t>(pixels);
}

} // namespace tesso
