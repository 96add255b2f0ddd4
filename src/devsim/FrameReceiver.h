#pragma once
// The device's side of the raw frame-memory transfer: unescapes the byte stream (ESC ESC is a data
// byte 0x1B, ESC followed by a control code is that code), reassembles pixels (red, green, blue)
// into a 720 x 288 picture line by line, and reports each control code to the caller, which
// decides what to answer. Pure logic, no I/O and no time.

#include <cstdint>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tesso::sim
{

class FrameReceiver
{
  public:
    static constexpr int Width = 720;
    static constexpr int Height = 288;

    static constexpr char Eot = 0x04, Ack = 0x06, Cr = 0x0D, Dc1 = 0x11, Dc3 = 0x13, Etb = 0x17, Can = 0x18,
                          Esc = 0x1B;

    enum class Event {
        None,     // the byte was consumed (escape prefix)
        Data,     // one data byte taken
        BlockEnd, // ESC ETB
        LineEnd,  // ESC CR
        End,      // ESC EOT
        Cancel,   // ESC CAN
        Unknown   // ESC followed by another code (ignored)
    };

    FrameReceiver();

    // Starts a new picture: black, nothing received.
    void begin();
    Event push(char byte);

    const QImage& picture() const { return m_picture; }
    // Every line ended by ESC CR and each with exactly Width pixels.
    bool complete() const;

    int linesEnded() const { return m_linesEnded; }
    int blocksEnded() const { return m_blocksEnded; }
    std::uint64_t pixelsReceived() const { return m_pixels; }
    std::uint64_t escapedDataBytes() const { return m_escapedData; }
    // Pixels beyond the end of a line or below the last line, dropped.
    std::uint64_t pixelsDropped() const { return m_dropped; }
    // Lines that ended with fewer or more than Width pixels.
    int irregularLines() const { return m_irregularLines; }

    // Writes the picture as a bitmap file; returns false when the file cannot be written.
    static bool saveBitmap(const QImage& picture, const QString& path);
    // The next free name "frame-0001.bmp", "frame-0002.bmp", ... in a folder.
    static QString nextFileName(const QString& folder);

  private:
    void takeData(std::uint8_t byte);
    void endLine();

    QImage m_picture;
    bool m_escaped = false;
    std::uint8_t m_rgb[3] = {0, 0, 0};
    int m_rgbCount = 0;
    int m_column = 0;
    int m_line = 0;
    int m_linesEnded = 0;
    int m_blocksEnded = 0;
    int m_irregularLines = 0;
    int m_lineWidthSeen = 0;
    std::uint64_t m_pixels = 0;
    std::uint64_t m_escapedData = 0;
    std::uint64_t m_dropped = 0;
};

} // namespace tesso::sim
