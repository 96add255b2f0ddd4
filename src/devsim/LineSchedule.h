#pragma once
// One direction of a serial line as a timetable: each byte handed in is due when its tenth bit
// (8N1) has crossed the line at the baud rate it was handed in with, right after the byte before
// it; a line that has fallen idle starts again at the moment new bytes come. Due times are
// computed from the start of each run of back-to-back bytes, so that rounding never adds up over a
// long transfer. Bytes are kept in slices of about SliceNs of line time, each due with its last
// byte, so that a long write is handed on in a few steps rather than byte by byte. Pure logic: the
// caller gives the time, in nanoseconds of a monotonic clock.

#include <cstdint>
#include <deque>
#include <optional>

#include <QByteArray>

namespace tesso::sim
{

class LineSchedule
{
  public:
    static constexpr std::int64_t SliceNs = 2'000'000;
    static constexpr int BitsPerByte = 10;

    // baud <= 0: no pacing; the bytes take no line time and are due as soon as those before them.
    void push(const QByteArray& bytes, int baud, std::int64_t nowNs);
    // The bytes due at nowNs, in order, taken out of the schedule.
    QByteArray takeDue(std::int64_t nowNs);
    // When the last of the bytes takeDue() returned was through the line.
    std::int64_t lastTakenDue() const { return m_lastTaken; }
    // When the first slice is due; none when nothing waits.
    std::optional<std::int64_t> nextDue() const;
    // When the last byte handed in is through the line.
    std::int64_t lineFreeAt() const { return m_lineFree; }
    bool empty() const { return m_slices.empty(); }
    void clear();

  private:
    std::int64_t dueOf(std::int64_t byteInRun) const;

    struct Slice {
        QByteArray bytes;
        std::int64_t due;
    };
    std::deque<Slice> m_slices;
    std::int64_t m_runStart = 0;
    std::int64_t m_runBytes = 0;
    int m_runBaud = 0;
    std::int64_t m_lineFree = INT64_MIN;
    std::int64_t m_lastTaken = INT64_MIN;
};

} // namespace tesso::sim
