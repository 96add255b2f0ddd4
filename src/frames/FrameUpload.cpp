#include "FrameUpload.h"

#include <QEventLoop>
#include <QTimer>

#include "DriverFramePort.h"
#include "FrameCodec.h"

namespace tesso
{

FrameUpload::FrameUpload(DeviceDriver& driver, FrameClock* clock, QObject* parent) : QObject(parent)
{
    if (!clock) {
        m_ownClock = std::make_unique<SteadyFrameClock>();
        clock = m_ownClock.get();
    }
    m_thread = std::make_unique<RawFrameTransfer>(*clock);
    m_port = std::make_unique<DriverFramePort>(driver, m_thread->Events());
}

FrameUpload::~FrameUpload()
{
    AbortAndWait();
}

bool FrameUpload::Start(const QImage& picture, QString* error)
{
    {
        const std::lock_guard<std::mutex> lock(m_canvasLock);
        m_picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    if (!m_thread->Attach(&m_picture, &m_canvasLock, m_port.get())) {
        if (error)
            *error = QStringLiteral("The picture to send must be %1 x %2 pixels, not %3 x %4.")
                         .arg(tesso::frames::PictureWidth)
                         .arg(tesso::frames::PictureHeight)
                         .arg(picture.width())
                         .arg(picture.height());
        return false;
    }
    m_thread->PrepareStart();
    // The end is told on this thread, through the same hand-over as the driver calls.
    m_thread->start([this] { m_port->Post([this] { emit finished(); }); });
    m_thread->Start();
    return true;
}

void FrameUpload::UserAbort()
{
    m_thread->UserAbort();
}

bool FrameUpload::Running() const
{
    return m_thread->isRunning() && !m_thread->IsIdle();
}

bool FrameUpload::Finished() const
{
    return m_thread->isFinished();
}

std::uint8_t FrameUpload::Result() const
{
    return m_thread->Result();
}

std::uint32_t FrameUpload::PixelCount() const
{
    return m_thread->PixelCount();
}

void FrameUpload::RawDataArrived()
{
    m_port->RawDataArrived();
}

void FrameUpload::VariableReported(tVAR variable)
{
    if (Watches(variable))
        m_port->VariableReported(variable);
}

void FrameUpload::AbortAndWait()
{
    if (m_thread->isRunning()) {
        m_thread->UserAbort();
        // The abort still puts the link back through the port, so this thread keeps serving it.
        QEventLoop loop;
        connect(this, &FrameUpload::finished, &loop, &QEventLoop::quit);
        QTimer check; // the end may have been told before the loop started listening
        connect(&check, &QTimer::timeout, &loop, [&] {
            if (m_thread->isFinished())
                loop.quit();
        });
        check.start(50);
        if (m_thread->isRunning())
            loop.exec();
    }
    m_port->Detach();
    m_thread->wait();
}

} // namespace tesso
