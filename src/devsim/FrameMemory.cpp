#include "FrameMemory.h"

#include <iterator>

#include "FrameReceiver.h"

namespace tesso::sim
{

bool FrameMemory::store(std::uint32_t slot, const QImage& picture)
{
    if (slot >= Slots)
        return false;
    m_slots[slot] = picture;
    return true;
}

void FrameMemory::erase(std::uint32_t slot)
{
    if (slot < Slots)
        m_slots[slot] = QImage();
}

QImage FrameMemory::inputPicture(std::uint32_t input, bool signalPresent)
{
    QImage picture(FrameReceiver::Width, FrameReceiver::Height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (!signalPresent)
        return picture;
    static constexpr QRgb Bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                    0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    constexpr int Count = int(std::size(Bars));
    const int barWidth = FrameReceiver::Width / Count;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = 0xFF000000u | Bars[(x / barWidth + int(input % Count)) % Count];
    }
    return picture;
}

} // namespace tesso::sim
