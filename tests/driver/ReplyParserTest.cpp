// The reply parser on its own: bytes in, (variable, value) lines out, no link and no timer.
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "Errors.h"
#include "ReplyParser.h"

namespace
{

struct Parsed {
    std::vector<ReplyLine> lines;
    int rangeErrors = 0;
};

// Appends the bytes and takes every line, as the driver does; a range error skips its line.
Parsed feed(ReplyParser& parser, const QByteArray& bytes)
{
    Parsed out;
    parser.append(bytes);
    for (;;) {
        try {
            const std::optional<ReplyLine> line = parser.next();
            if (!line)
                return out;
            out.lines.push_back(*line);
        } catch (const ERangeError&) {
            ++out.rangeErrors;
        }
    }
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
    EXPECT_TRUE(feed(p, "CH").lines.empty());
    EXPECT_TRUE(feed(p, "3").lines.empty());
    const Parsed split = feed(p, "\r\n");
    ASSERT_EQ(split.lines.size(), 1u);
    EXPECT_EQ(split.lines[0].index, _ICHM);
    EXPECT_EQ(split.lines[0].value, 3u);
    EXPECT_EQ(split.lines[0].text, QByteArray("CH3"));

    feed(p, "ABCDEFGHIJKL");
    EXPECT_EQ(p.buffer(), QByteArray("CDEFGHIJKL"));
    // A reply that lost its head while waiting for its line end is dropped.
    feed(p, "FDur12345678");
    EXPECT_EQ(p.buffer(), QByteArray("ur12345678"));
    EXPECT_TRUE(feed(p, "\r\n").lines.empty());
    EXPECT_TRUE(p.buffer().isEmpty());
    // Noise still waiting spoils the line it becomes the front of, and that line only.
    const Parsed parsed = feed(p, QByteArray("zz") + "CH3\r\nCH4\r\n");
    ASSERT_EQ(parsed.lines.size(), 1u);
    EXPECT_EQ(parsed.lines[0].value, 4u);
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

// Random streams of reply fragments, numbers and noise in random chunks: the buffer bound holds
// after every arrival, and nothing but a range error ever leaves the parser.
TEST(ReplyParser, RandomChunksNeverBreakTheBufferBound)
{
    std::mt19937 rng(20261206);
    const std::vector<QByteArray> tokens = {
        "CH",         "DEV",  "TAKE",        "FDur", "#",    "$",
        "COL",        "NTMK", "PCH",         "PRGB", "IPA_", "PORT",
        "ADIP",       "0",    "7",           "-5",   "12",   "31",
        "4294967296", "$1F",  "0x",          "x",    "-",    " ",
        "\r\n",       "\r\n", "\r\n",        "\r",   "\n",   QByteArray("\0", 1),
        "\x1b\x11",   "\xff", "zzzzzzzzzzzz"};
    std::uniform_int_distribution<std::size_t> pick(0, tokens.size() - 1);
    std::uniform_int_distribution<int> chunkLength(0, 16);
    QByteArray stream;
    while (stream.size() < 400000)
        stream += tokens[pick(rng)];

    ReplyParser p;
    int rangeErrors = 0;
    std::size_t lines = 0;
    for (qsizetype at = 0; at < stream.size();) {
        const int n = chunkLength(rng);
        const Parsed parsed = feed(p, stream.mid(at, n));
        rangeErrors += parsed.rangeErrors;
        lines += parsed.lines.size();
        at += n;
        ASSERT_FALSE(p.buffer().contains("\r\n")) << at;
        ASSERT_LE(p.buffer().size(), ReplyParser::PartialLineLimit) << at;
    }
    EXPECT_GT(rangeErrors, 0) << "the stream holds negative and oversized values";
    EXPECT_GT(lines, 0u);
}
