// The timetable of a paced serial line: 10 bits a byte at the given baud rate, back to back and
// exact over long runs, restarted when the line falls idle or changes speed, in slices of about
// two milliseconds, with unpaced bytes kept in order.

#include <gtest/gtest.h>

#include "LineSchedule.h"

using namespace tesso;

using tesso::sim::LineSchedule;

namespace
{
constexpr std::int64_t Second = 1'000'000'000;
constexpr std::int64_t T0 = 5 * Second;
} // namespace

TEST(LineSchedule, BytesAreDueBackToBackAtTenBitsEachWithoutDrift)
{
    LineSchedule line;
    line.push(QByteArray(5760, 'a'), 57600, T0);
    EXPECT_EQ(line.lineFreeAt(), T0 + Second);
    EXPECT_EQ(line.nextDue(), T0 + 11 * Second / 5760) << "11 bytes make the first slice of 2 ms";
    EXPECT_TRUE(line.takeDue(T0 + 11 * Second / 5760 - 1).isEmpty());
    EXPECT_EQ(line.takeDue(T0 + Second - 1).size(), 5760 - 7) << "all but the last slice";
    EXPECT_EQ(line.takeDue(T0 + Second).size(), 7);
    EXPECT_FALSE(line.nextDue());

    // One byte at a time while the line is busy: 173611.1 ns a byte, never rounded on its own.
    for (int i = 0; i < 57600; ++i)
        line.push("b", 57600, T0 + 2 * Second);
    EXPECT_EQ(line.lineFreeAt(), T0 + 12 * Second);
}

TEST(LineSchedule, IdleLinesRestartSpeedChangesQueueAndUnpacedBytesKeepTheirPlace)
{
    LineSchedule line;
    line.push(QByteArray(96, 'a'), 9600, T0);
    line.push(QByteArray(5760, 'b'), 57600, T0);
    line.push("c", 0, T0);
    EXPECT_EQ(line.lineFreeAt(), T0 + Second / 10 + Second);
    EXPECT_EQ(line.takeDue(T0 + Second / 10 + Second), QByteArray(96, 'a') + QByteArray(5760, 'b') + "c");

    line.push("d", 9600, T0 + 5 * Second);
    EXPECT_EQ(line.nextDue(), T0 + 5 * Second + Second / 960) << "owes nothing to the earlier run";
    line.clear();
    EXPECT_TRUE(line.empty());
    line.push("e", 0, T0 + 6 * Second);
    EXPECT_EQ(line.takeDue(T0 + 6 * Second), QByteArray("e"));
}
