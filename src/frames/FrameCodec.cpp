#include "FrameCodec.h"

namespace tesso::frames
{

void appendDataByte(QByteArray& out, std::uint8_t byte)
{
    out.append(static_cast<char>(byte));
    if (byte == static_cast<std::uint8_t>(Esc))
        out.append(Esc);
}

void appendPixel(QByteArray& out, QRgb pixel)
{
    appendDataByte(out, static_cast<std::uint8_t>(qRed(pixel)));
    appendDataByte(out, static_cast<std::uint8_t>(qGreen(pixel)));
    appendDataByte(out, static_cast<std::uint8_t>(qBlue(pixel)));
}

QByteArray controlCode(char code)
{
    return QByteArray(1, Esc) + code;
}

int encodeBlock(QByteArray& out, const QImage& picture, int column, int line)
{
    if (line < 0 || line >= picture.height() || column < 0)
        return 0;
    const int end = std::min(column + PixelsPerBlock, picture.width());
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(line));
    for (int x = column; x < end; ++x)
        appendPixel(out, row[x]);
    return std::max(end - column, 0);
}

std::optional<DeviceSignal> DeviceCodeDecoder::push(char byte)
{
    if (!m_escaped) {
        m_escaped = byte == Esc;
        return std::nullopt;
    }
    m_escaped = false;
    switch (byte) {
    case Nul:
    case Esc:
        return DeviceSignal::Nothing;
    case Eot:
        return DeviceSignal::End;
    case Ack:
        return DeviceSignal::Ack;
    case Dc1:
        return DeviceSignal::Ready;
    case Dc3:
        return DeviceSignal::Wait;
    default:
        return DeviceSignal::Abort;
    }
}

} // namespace tesso::frames
