// The device's command grammar (the simulator's and the hub's stream cutter): every mnemonic of the
// catalogue, longest match, resynchronisation after garbage, bounded state, and independence from how the
// stream is split into chunks.

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <random>
#include <string>

#include "CommandParser.h"

using namespace tesso;

namespace tesso
{
// Readable failure messages.
void PrintTo(const DeviceCommand& c, std::ostream* os)
{
    *os << CommandMnemonics[c.index];
    if (c.hasValue)
        *os << "=" << (c.overflow ? std::string("overflow") : std::to_string(c.value));
}
} // namespace tesso

namespace
{

DeviceCommand set(tVAR index, std::uint64_t value)
{
    DeviceCommand c;
    c.index = index;
    c.hasValue = true;
    c.value = value;
    return c;
}

DeviceCommand query(tVAR index)
{
    DeviceCommand c;
    c.index = index;
    return c;
}

std::vector<DeviceCommand> parse(const QByteArray& bytes)
{
    return CommandParser().feed(bytes);
}

} // namespace

TEST(CommandParser, EveryCatalogueMnemonicSetsAndQueriesItsOwnVariable)
{
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto v = static_cast<tVAR>(i);
        const QByteArray mnemonic(CommandMnemonics[i]);
        EXPECT_EQ(parse("4711" + mnemonic), std::vector<DeviceCommand>{set(v, 4711)}) << mnemonic.constData();
        // Followed by another command so that a two-letter mnemonic cannot wait for more.
        EXPECT_EQ(parse(mnemonic + "?"), (std::vector<DeviceCommand>{query(v), query(_DEV)}))
            << mnemonic.constData();
    }
}

// Mnemonics one by one are the test above's; here those sharing letters come back to back.
TEST(CommandParser, MnemonicsSharingLettersAreCutByLongestMatch)
{
    // "S" (VSIZ) against "IS" (ILSDM), "FS", "sS", "yS", "rS", "QS"; "O" against "FO", "QO", "RO".
    EXPECT_EQ(parse("1sS2FS3QS4yS5S"),
              (std::vector<DeviceCommand>{set(_STANDBY, 1), set(_OSCREENM, 2), set(_OASP, 3), set(_STORE, 4),
                                          set(_VSIZ, 5)}));
    EXPECT_EQ(parse("7O1RO0QO"),
              (std::vector<DeviceCommand>{set(_COLOR, 7), set(_AMODEM, 1), set(_OVER, 0)}));
    // A worked sequence from a controller: select input 3, address it, set brightness.
    EXPECT_EQ(parse("3CN3PC128BCC"),
              (std::vector<DeviceCommand>{set(_ICHNM, 3), set(_PCHAN, 3), set(_BRGT, 128), query(_ICHM)}));
    EXPECT_EQ(parse("#\r\n"), std::vector<DeviceCommand>{query(_DIESE)});
}

TEST(CommandParser, GarbageAndUnknownMnemonicsAreSkippedAndTheNextCommandStillParses)
{
    // "xQ" is no mnemonic: the digits and "x" are lost, "Q5" is no mnemonic either, "5B" survives.
    EXPECT_EQ(parse("12xQ5B"), std::vector<DeviceCommand>{set(_BRGT, 5)});
    EXPECT_EQ(parse(QByteArray("\x1b\xff?\x00??", 6)),
              (std::vector<DeviceCommand>{query(_DEV), query(_DEV), query(_DEV)}));
    // A line end between digits and mnemonic ends the command.
    EXPECT_EQ(parse("12\r\nB"), std::vector<DeviceCommand>{query(_BRGT)});
    // "C3" is nothing, but its digit becomes the value of the next command.
    EXPECT_EQ(parse("C3CC"), std::vector<DeviceCommand>{set(_ICHM, 3)});
    CommandParser p;
    p.feed("99 zz 7");
    EXPECT_EQ(p.discardedBytes(), 5u)
        << "the digits 99, the space that ends them, and z z; the last space is a plain separator";
    EXPECT_FALSE(p.idle());
    p.reset();
    EXPECT_TRUE(p.idle());
    // At the end of the input only a complete single-letter mnemonic is a command: "C" alone is none.
    EXPECT_TRUE(p.feed("12C").empty());
    EXPECT_FALSE(p.flush().has_value());
    EXPECT_TRUE(p.idle());
    EXPECT_EQ(p.feed("5B"), std::vector<DeviceCommand>{set(_BRGT, 5)});
}

TEST(CommandParser, ValuesAtTheThirtyTwoBitLimitAndEndlessDigitsStayBounded)
{
    EXPECT_EQ(parse("4294967295B"), std::vector<DeviceCommand>{set(_BRGT, 4294967295ull)});
    const auto over = parse("4294967296B");
    ASSERT_EQ(over.size(), 1u);
    EXPECT_TRUE(over[0].overflow);
    EXPECT_EQ(over[0].index, _BRGT);

    CommandParser p;
    const QByteArray digits(1'000'000, '9');
    EXPECT_TRUE(p.feed(digits).empty());
    const auto done = p.feed("B0B");
    ASSERT_EQ(done.size(), 2u);
    EXPECT_TRUE(done[0].overflow);
    EXPECT_EQ(done[1], set(_BRGT, 0)) << "the parser must be clean again after an overflow";
}

// One cut anywhere is the simulator's fuzz target's (scripts/fuzz.sh); here many small pieces.
TEST(CommandParser, AStreamCutIntoPiecesGivesTheSameCommands)
{
    const QByteArray stream =
        "?#\r\n128B3CN5IS\x07zz1na192nw168nx0ny10nz8nk-3fX1fX2fM0fT77@>x?CCrRrr99999999999B1sm";
    const auto whole = parse(stream);
    ASSERT_GE(whole.size(), 18u);
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        CommandParser p;
        std::vector<DeviceCommand> got;
        for (int pos = 0; pos < stream.size();) {
            const int n = int(random() % 4) + 1;
            const auto part = p.feed(stream.mid(pos, n));
            got.insert(got.end(), part.begin(), part.end());
            pos += n;
        }
        EXPECT_EQ(got, whole) << "round " << round;
    }
}

// What the hub forwards: the command alone, as the device would read it from the client.
TEST(CommandParser, WireTextIsTheCommandAsTheDeviceReadsIt)
{
    QByteArray wire;
    for (const DeviceCommand& c : parse("007B x?#5#4294967295CN99999999999B\r\n1sS"))
        wire += CommandParser::wireText(c) + '|';
    EXPECT_EQ(wire, QByteArray("7B|?|#\r\n|#\r\n|4294967295CN|B|1sS|"));
}
