#pragma once
// The device's still-frame memory: a fixed number of slots, each empty or holding one 720 x 288
// picture, stored by a capture from the input on air or by a transfer from the computer. The
// slot in use is FANUMBER; FAREC tells whether it holds a picture.

#include <array>
#include <cstdint>

#include <QImage>

namespace tesso::sim
{

class FrameMemory
{
  public:
    static constexpr int Slots = 10;

    bool recorded(std::uint32_t slot) const { return slot < Slots && !m_slots[slot].isNull(); }
    // A null picture when the slot is empty or does not exist.
    QImage picture(std::uint32_t slot) const { return slot < Slots ? m_slots[slot] : QImage(); }
    // False when there is no such slot.
    bool store(std::uint32_t slot, const QImage& picture);
    void erase(std::uint32_t slot);

    // What a capture takes from an input: colour bars whose order turns with the input's number,
    // so that captures of different inputs differ; black when the input has no signal.
    static QImage inputPicture(std::uint32_t input, bool signalPresent);

  private:
    std::array<QImage, Slots> m_slots;
};

} // namespace tesso::sim
