#pragma once
// The bytes of the raw frame transfer. Towards the device: data bytes with 0x1B doubled, pixels as
// red, green, blue, control codes as ESC + code, blocks of at most 70 pixels of one line. From the
// device: escaped control codes that pace, acknowledge, end or abort the transfer. Pure functions
// and one small decoder; no I/O, no time.

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QImage>

namespace tesso::frames
{

constexpr char Nul = 0x00, Eot = 0x04, Ack = 0x06, Cr = 0x0D, Dc1 = 0x11, Dc3 = 0x13, Etb = 0x17, Can = 0x18,
               Esc = 0x1B;

constexpr int PictureWidth = 720;
constexpr int PictureHeight = 288;
constexpr int PixelsPerBlock = 70;

// A data byte as it goes on the wire: 0x1B twice, any other once.
void appendDataByte(QByteArray& out, std::uint8_t byte);
// A pixel: red, green, then blue.
void appendPixel(QByteArray& out, QRgb pixel);
// ESC followed by the code.
QByteArray controlCode(char code);

// Up to PixelsPerBlock pixels of one line from `column` to the right (never past the width);
// returns how many were encoded (0 only when column or line lies outside the picture).
int encodeBlock(QByteArray& out, const QImage& picture, int column, int line);

// What an escaped code from the device asks for.
enum class DeviceSignal {
    Ready,   // ESC DC1: send the next block
    Wait,    // ESC DC3: hold the next block
    Ack,     // ESC ACK: block, line or end acknowledged
    End,     // ESC EOT: the device ends the transfer
    Abort,   // ESC + any unlisted code
    Nothing, // ESC NUL, ESC ESC
};

// Reads the device's byte stream; only escaped codes mean something, a lone byte is ignored.
class DeviceCodeDecoder
{
  public:
    // The signal a byte completes, if any.
    std::optional<DeviceSignal> push(char byte);
    bool escaped() const { return m_escaped; }
    void reset() { m_escaped = false; }

  private:
    bool m_escaped = false;
};

} // namespace tesso::frames
