#include "DebugConversions.h"

#include <limits>
#include <utility>

#include "ReplyParser.h"

namespace tesso::debug
{

namespace
{
constexpr std::uint64_t Max64 = std::numeric_limits<std::uint64_t>::max();

// value * base + digit, or nothing once it would pass 2^64 - 1.
std::optional<std::uint64_t> pushDigit(std::uint64_t value, unsigned base, unsigned digit)
{
    if (value > (Max64 - digit) / base)
        return std::nullopt;
    return value * base + digit;
}

int floorLog2(std::uint64_t value)
{
    int k = 0;
    while (value >>= 1)
        ++k;
    return k;
}
} // namespace

QByteArray ExtractMnemonic(const QByteArray& text)
{
    QByteArray mnemonic;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 33 && c <= 47) || (c >= 58 && c <= 127))
            mnemonic.append(ch);
    }
    return mnemonic;
}

std::optional<std::uint64_t> ExtractValue(const QByteArray& text)
{
    try {
        if (const std::optional<ReplyLine> reply = ReplyParser::match(text))
            return reply->value;
    } catch (...) {
        // A value the parser refuses is read by its digits below.
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        const std::optional<std::uint64_t> next = pushDigit(value, 10, static_cast<unsigned>(c - '0'));
        if (!next)
            return std::nullopt;
        value = *next;
    }
    return value;
}

QString IntToBin(std::uint64_t value)
{
    if (value < 2)
        return value == 0 ? QStringLiteral("0") : QStringLiteral("1");
    const int k = floorLog2(value);
    // log2(value) rounds up to k + 1 from 2^k * sqrt(2) on, that is when value^2 >= 2^(2k + 1).
    __extension__ using Wide = unsigned __int128;
    const bool leadingZero = Wide(value) * value >= (Wide(1) << (2 * k + 1));
    QString digits;
    digits.reserve(k + 2);
    if (leadingZero)
        digits.append(QLatin1Char('0'));
    for (int i = k; i >= 0; --i)
        digits.append((value >> i) & 1u ? QLatin1Char('1') : QLatin1Char('0'));
    return digits;
}

std::optional<std::uint64_t> BinToInt(const QString& text)
{
    std::uint64_t value = 0;
    for (const QChar c : text) {
        const std::optional<std::uint64_t> next = pushDigit(value, 2, c == QLatin1Char('1') ? 1u : 0u);
        if (!next)
            return std::nullopt;
        value = *next;
    }
    return value;
}

QString HexToBin(const QString& text)
{
    QString binary;
    bool first = true;
    for (const QChar ch : text.toLower()) {
        const char c = ch.toLatin1();
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        const bool isFirst = std::exchange(first, false);
        if (digit < 0)
            continue;
        QString part = IntToBin(static_cast<std::uint64_t>(digit));
        if (!isFirst) {
            if (part.size() == 5)
                part.remove(0, 1);
            part = part.rightJustified(4, QLatin1Char('0'));
        }
        binary += part;
    }
    return binary;
}

QString HexText(std::uint64_t value)
{
    return QString::number(value, 16).toUpper();
}

std::optional<std::uint64_t> DecimalValue(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const std::optional<std::uint64_t> next =
            pushDigit(value, 10, static_cast<unsigned>(c.unicode() - '0'));
        if (!next)
            return std::nullopt;
        value = *next;
    }
    return value;
}

} // namespace tesso::debug
