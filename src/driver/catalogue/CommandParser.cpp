#include "CommandParser.h"

#include <array>
#include <cstring>

namespace tesso
{

namespace
{
// The mnemonics by their letters, built once: the parser looks at every byte a client or
// controller sends, so a scan of the catalogue per byte would be its whole cost.
struct MnemonicTables {
    std::array<std::int16_t, 256> single{};
    std::array<bool, 256> startsTwo{};
    std::array<std::int16_t, 256 * 256> two{};

    MnemonicTables()
    {
        single.fill(-1);
        two.fill(-1);
        for (int i = 0; i < tesso::VariableCount; ++i) {
            const auto* m = reinterpret_cast<const unsigned char*>(CommandMnemonics[std::size_t(i)]);
            const std::size_t length = std::strlen(CommandMnemonics[std::size_t(i)]);
            if (length == 1) {
                single[m[0]] = std::int16_t(i);
            } else if (length == 2) {
                startsTwo[m[0]] = true;
                two[std::size_t(m[0]) * 256 + m[1]] = std::int16_t(i);
            }
        }
    }
};

const MnemonicTables& tables()
{
    static const MnemonicTables t;
    return t;
}

std::optional<tVAR> fromEntry(std::int16_t entry)
{
    if (entry < 0)
        return std::nullopt;
    return static_cast<tVAR>(entry);
}
} // namespace

std::optional<tVAR> CommandParser::lookup(const char* text, int length)
{
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    if (length == 1)
        return fromEntry(tables().single[u[0]]);
    if (length == 2)
        return fromEntry(tables().two[std::size_t(u[0]) * 256 + u[1]]);
    return std::nullopt;
}

QByteArray CommandParser::wireText(const DeviceCommand& command)
{
    const QByteArray mnemonic(CommandMnemonics[static_cast<std::size_t>(command.index)]);
    if (command.index == _DIESE)
        return mnemonic + "\r\n";
    if (!command.hasValue || command.overflow)
        return mnemonic;
    return QByteArray::number(static_cast<qulonglong>(command.value)) + mnemonic;
}

bool CommandParser::startsTwoLetterMnemonic(char c)
{
    return tables().startsTwo[static_cast<unsigned char>(c)];
}

void CommandParser::push(char byte, std::vector<DeviceCommand>& out)
{
    if (m_pending != 0) {
        const char pair[2] = {m_pending, byte};
        if (const auto two = lookup(pair, 2)) {
            out.push_back(make(*two));
            return;
        }
        const char single = m_pending;
        if (const auto one = lookup(&single, 1))
            out.push_back(make(*one)); // the letter stood alone; the byte starts the next command
        else
            discardPending();
    }
    startFresh(byte, out);
}

std::vector<DeviceCommand> CommandParser::feed(const QByteArray& bytes)
{
    std::vector<DeviceCommand> out;
    for (char b : bytes)
        push(b, out);
    return out;
}

void CommandParser::startFresh(char byte, std::vector<DeviceCommand>& out)
{
    if (byte >= '0' && byte <= '9') {
        if (m_digitCount < MaxDigits)
            m_value = m_value * 10 + std::uint64_t(byte - '0');
        else
            m_overflow = true;
        // Counted up to a ceiling only, so that endless digits cannot overflow the counter.
        if (m_digitCount <= MaxDigits)
            ++m_digitCount;
        else
            ++m_discarded;
        return;
    }
    const auto single = lookup(&byte, 1);
    if (startsTwoLetterMnemonic(byte)) {
        m_pending = byte;
        return;
    }
    if (single) {
        out.push_back(make(*single));
        return;
    }
    // Separator or garbage: whatever was pending is lost with it. Line ends and spaces between
    // commands are not counted as garbage.
    const bool separator = byte == '\r' || byte == '\n' || byte == ' ';
    if (!(separator && idle()))
        ++m_discarded;
    discardPending();
}

std::optional<DeviceCommand> CommandParser::flush()
{
    if (m_pending != 0) {
        const char single = m_pending;
        if (const auto one = lookup(&single, 1))
            return make(*one);
    }
    discardPending();
    return std::nullopt;
}

DeviceCommand CommandParser::make(tVAR index)
{
    DeviceCommand c;
    c.index = index;
    c.hasValue = m_digitCount > 0;
    c.overflow = m_overflow || m_value > 0xFFFFFFFFull;
    c.value = c.overflow ? 0 : m_value;
    m_value = 0;
    m_digitCount = 0;
    m_overflow = false;
    m_pending = 0;
    return c;
}

void CommandParser::discardPending()
{
    m_discarded += std::uint64_t(m_digitCount) + (m_pending != 0 ? 1 : 0);
    m_value = 0;
    m_digitCount = 0;
    m_overflow = false;
    m_pending = 0;
}

void CommandParser::reset()
{
    m_value = 0;
    m_digitCount = 0;
    m_overflow = false;
    m_pending = 0;
}

} // namespace tesso
