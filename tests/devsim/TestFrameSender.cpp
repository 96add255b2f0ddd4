#include "TestFrameSender.h"

#include "FrameReceiver.h"

using namespace tesso;

namespace tesso::sim::test
{

namespace
{
constexpr char Esc = 0x1B;
QByteArray control(char code)
{
    return QByteArray(1, Esc) + QByteArray(1, code);
}
} // namespace

TestFrameSender::TestFrameSender(SimDevice& device, QImage picture)
    : m_device(device), m_picture(picture.convertToFormat(QImage::Format_RGB32))
{
    // Queued, as bytes from a real link would be: the answer never runs inside the device's emit.
    connect(&device, &SimDevice::sendBytes, this, &TestFrameSender::onBytes, Qt::QueuedConnection);
}

void TestFrameSender::start()
{
    send("2fM0fT1fX");
}

void TestFrameSender::send(const QByteArray& bytes)
{
    m_device.receive(bytes);
}

void TestFrameSender::onBytes(const QByteArray& bytes)
{
    for (char b : bytes) {
        if (!m_raw) {
            m_text.append(b);
            if (m_text.endsWith("FAEX1\r\n")) {
                sawFrameReply = true;
                m_raw = true;
            }
            continue;
        }
        if (m_escaped) {
            m_escaped = false;
            onControl(b);
        } else if (b == Esc) {
            m_escaped = true;
        }
    }
}

void TestFrameSender::onControl(char code)
{
    if (outcome != Outcome::Running)
        return;
    switch (code) {
    case 0x11:
        ++readySignals;
        m_ready = true;
        if (!m_waitingAck)
            next();
        return;
    case 0x13:
        ++holdSignals;
        m_ready = false;
        return;
    case 0x06:
        ++acks;
        m_waitingAck = false;
        if (m_ending) {
            outcome = Outcome::Done;
            return;
        }
        if (cancelAfterBlocks >= 0 && blocksSent >= cancelAfterBlocks) {
            send(control(0x18));
            outcome = Outcome::Cancelled;
            return;
        }
        next();
        return;
    case 0x00:
    case Esc:
        return;
    default:
        outcome = Outcome::DeviceAborted;
    }
}

void TestFrameSender::next()
{
    const bool pictureDone = m_line >= m_picture.height() || (endAfterLines >= 0 && m_line >= endAfterLines);
    if (pictureDone) {
        m_ending = true;
        m_waitingAck = true;
        send(control(0x04));
        return;
    }
    if (m_column >= m_picture.width()) {
        m_column = 0;
        ++m_line;
        m_waitingAck = true;
        send(control(0x0D));
        return;
    }
    if (m_ready || ignoreHold)
        sendBlock();
}

void TestFrameSender::sendBlock()
{
    QByteArray block;
    const auto* row = reinterpret_cast<const QRgb*>(m_picture.constScanLine(m_line));
    for (int n = 0; n < 70 && m_column < m_picture.width(); ++n, ++m_column) {
        for (int channel : {qRed(row[m_column]), qGreen(row[m_column]), qBlue(row[m_column])}) {
            block.append(char(channel));
            if (channel == Esc)
                block.append(Esc);
        }
    }
    ++blocksSent;
    m_waitingAck = true;
    send(block + control(0x17));
}

} // namespace tesso::sim::test
