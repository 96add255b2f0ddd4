#include "ReplyParser.h"

#include <string>

#include <QString>

#include "Errors.h"
#include "NumberText.h"

namespace tesso
{

namespace
{

constexpr std::int64_t MaxReplyValue = 4294967295LL;

// Candidates per first character, in index order: only the mnemonics that can be a prefix of the
// line are tried, in the order a scan of the whole table would try them.
struct CandidateTable {
    std::array<std::array<std::uint8_t, tesso::VariableCount>, 256> indices{};
    std::array<std::uint8_t, 256> count{};
    std::array<std::uint8_t, tesso::VariableCount> length{};

    CandidateTable()
    {
        for (int i = 0; i < tesso::VariableCount; ++i) {
            const char* m = ReplyMnemonics[static_cast<std::size_t>(i)];
            length[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(std::char_traits<char>::length(m));
            const auto first = static_cast<unsigned char>(m[0]);
            indices[first][count[first]++] = static_cast<std::uint8_t>(i);
        }
    }
};

const CandidateTable& candidates()
{
    static const CandidateTable table;
    return table;
}

} // namespace

std::optional<ReplyLine> ReplyParser::match(const QByteArray& line)
{
    if (line.isEmpty())
        return std::nullopt;
    const CandidateTable& table = candidates();
    const auto first = static_cast<unsigned char>(line[0]);
    const char* begin = line.constData();
    const char* end = begin + line.size();
    for (int k = 0; k < table.count[first]; ++k) {
        const int index = table.indices[first][static_cast<std::size_t>(k)];
        const int length = table.length[static_cast<std::size_t>(index)];
        if (line.size() < length ||
            std::char_traits<char>::compare(begin, ReplyMnemonics[static_cast<std::size_t>(index)],
                                            static_cast<std::size_t>(length)) != 0)
            continue;
        std::int64_t value = 0;
        if (line.size() > length) {
            // The range is checked before the candidate is accepted or passed over: "-5x" is an
            // error although it would not convert.
            const tesso::NumberScan scan = tesso::scanNumber(begin + length, end);
            if (scan.value < 0 || scan.value > MaxReplyValue)
                throw ERangeError(QStringLiteral("Range check error: value %1 in reply \"%2\"")
                                      .arg(scan.value)
                                      .arg(QString::fromLatin1(line)));
            if (!scan.complete)
                continue;
            value = scan.value;
        }
        return ReplyLine{static_cast<tVAR>(index), static_cast<std::uint32_t>(value), line};
    }
    return std::nullopt;
}

std::optional<ReplyLine> ReplyParser::next()
{
    for (;;) {
        const qsizetype lineEnd = m_buffer.indexOf("\r\n");
        if (lineEnd < 0) {
            // Noise without a line end can never grow the buffer beyond one partial line.
            if (m_buffer.size() > PartialLineLimit)
                m_buffer.remove(0, m_buffer.size() - PartialLineLimit);
            return std::nullopt;
        }
        const QByteArray line = m_buffer.left(lineEnd);
        m_buffer.remove(0, lineEnd + 2);
        if (std::optional<ReplyLine> reply = match(line))
            return reply;
    }
}

} // namespace tesso
