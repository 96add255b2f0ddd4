#include "FrameReceiver.h"

#include <QDir>
#include <QFileInfo>

namespace tesso::sim
{

FrameReceiver::FrameReceiver()
{
    begin();
}

void FrameReceiver::begin()
{
    m_picture = QImage(Width, Height, QImage::Format_RGB32);
    m_picture.fill(Qt::black);
    m_escaped = false;
    m_rgbCount = 0;
    m_column = 0;
    m_line = 0;
    m_linesEnded = 0;
    m_blocksEnded = 0;
    m_irregularLines = 0;
    m_lineWidthSeen = 0;
    m_pixels = 0;
    m_escapedData = 0;
    m_dropped = 0;
}

FrameReceiver::Event FrameReceiver::push(char byte)
{
    const auto b = static_cast<std::uint8_t>(byte);
    if (!m_escaped) {
        if (b == std::uint8_t(Esc)) {
            m_escaped = true;
            return Event::None;
        }
        takeData(b);
        return Event::Data;
    }
    m_escaped = false;
    switch (b) {
    case std::uint8_t(Esc):
        ++m_escapedData;
        takeData(b);
        return Event::Data;
    case std::uint8_t(Etb):
        ++m_blocksEnded;
        return Event::BlockEnd;
    case std::uint8_t(Cr):
        endLine();
        return Event::LineEnd;
    case std::uint8_t(Eot):
        return Event::End;
    case std::uint8_t(Can):
        return Event::Cancel;
    default:
        return Event::Unknown;
    }
}

void FrameReceiver::takeData(std::uint8_t byte)
{
    m_rgb[m_rgbCount++] = byte;
    if (m_rgbCount < 3)
        return;
    m_rgbCount = 0;
    ++m_pixels;
    ++m_lineWidthSeen;
    if (m_column < Width && m_line < Height) {
        auto* row = reinterpret_cast<QRgb*>(m_picture.scanLine(m_line));
        row[m_column] = qRgb(m_rgb[0], m_rgb[1], m_rgb[2]);
        ++m_column;
    } else {
        ++m_dropped;
    }
}

void FrameReceiver::endLine()
{
    // A pixel cut short by the line end is lost with it.
    m_rgbCount = 0;
    if (m_lineWidthSeen != Width)
        ++m_irregularLines;
    m_lineWidthSeen = 0;
    m_column = 0;
    if (m_line < Height)
        ++m_line;
    ++m_linesEnded;
}

bool FrameReceiver::complete() const
{
    return m_linesEnded == Height && m_irregularLines == 0 && m_dropped == 0;
}

bool FrameReceiver::saveBitmap(const QImage& picture, const QString& path)
{
    return picture.save(path, "BMP");
}

QString FrameReceiver::nextFileName(const QString& folder)
{
    const QDir dir(folder);
    for (int n = 1; n < 100000; ++n) {
        const QString name = dir.filePath(QStringLiteral("frame-%1.bmp").arg(n, 4, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(name))
            return name;
    }
    return dir.filePath(QStringLiteral("frame-overflow.bmp"));
}

} // namespace tesso::sim
