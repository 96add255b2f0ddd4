// The reply parser on its own: bytes in, (variable, value) lines out, no link and no timer. Any
// bytes in any chunks keeping the buffer bound is the reply parser fuzz target's (scripts/fuzz.sh).
#include <vector>

#include <gtest/gtest.h>

#include "Errors.h"
#include "ReplyParser.h"

using namespace tesso;

namespace
{

// Appends the bytes and takes every line, as the driver does.
std::vector<ReplyLine> feed(ReplyParser& parser, const QByteArray& bytes)
{
    std::vector<ReplyLine> lines;
    parser.append(bytes);
    while (const std::optional<ReplyLine> line = parser.next())
        lines.push_back(*line);
    return lines;
}

std::optional<std::uint32_t> valueOf(const char* line, tVAR expected)
{
    const auto reply = ReplyParser::match(QByteArray(line));
    if (!reply || reply->index != expected)
        return std::nullopt;
    return reply->value;
}

} // namespace

TEST(ReplyParser, ALineComesOutWithItsLastChunkAndAPartialLineKeepsItsLastTenCharacters)
{
    ReplyParser p;
    EXPECT_TRUE(feed(p, "CH").empty());
    EXPECT_TRUE(feed(p, "3").empty());
    const std::vector<ReplyLine> split = feed(p, "\r\n");
    ASSERT_EQ(split.size(), 1u);
    EXPECT_EQ(split[0].index, _ICHM);
    EXPECT_EQ(split[0].value, 3u);
    EXPECT_EQ(split[0].text, QByteArray("CH3"));

    feed(p, "ABCDEFGHIJKL");
    EXPECT_EQ(p.buffer(), QByteArray("CDEFGHIJKL"));
    // A reply that lost its head while waiting for its line end is dropped.
    feed(p, "FDur12345678");
    EXPECT_EQ(p.buffer(), QByteArray("ur12345678"));
    EXPECT_TRUE(feed(p, "\r\n").empty());
    EXPECT_TRUE(p.buffer().isEmpty());
    // Noise still waiting spoils the line it becomes the front of, and that line only.
    const std::vector<ReplyLine> parsed = feed(p, QByteArray("zz") + "CH3\r\nCH4\r\n");
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].value, 4u);
}

TEST(ReplyParser, ValuesReadAsTheProtocolWritesNumbersAndOutOfRangeOnesConsumeOnlyTheirLine)
{
    const std::pair<const char*, std::uint32_t> taken[] = {
        {"CH 3", 3}, {"CH$1F", 31}, {"CH0x10", 16}, {"CHx1f", 31}, {"CH+7", 7}, {"CH4294967295", 4294967295u},
        {"CH", 0}};
    for (const auto& [line, value] : taken)
        EXPECT_EQ(valueOf(line, _ICHM), value) << line;
    // Trailing characters, no digits, another case, an empty line: no variable at all.
    for (const char* dropped : {"CH3 ", "CHX", "CH5x", "ch3", "", "CH$"})
        EXPECT_FALSE(ReplyParser::match(QByteArray(dropped)).has_value()) << dropped;
    for (const char* line : {"CH -3", "CH-5x", "CH4294967296", "CH99999999999999999999999999"})
        EXPECT_THROW(ReplyParser::match(QByteArray(line)), ERangeError) << line;
    ReplyParser p;
    p.append("CH -3\r\nCH2\r\n");
    EXPECT_THROW(p.next(), ERangeError);
    EXPECT_EQ(p.buffer(), QByteArray("CH2\r\n"));
    EXPECT_EQ(p.next()->value, 2u);
}
