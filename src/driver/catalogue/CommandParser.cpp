#include "CommandParser.h"

#include <cstring>

namespace tesso
{

std::optional<tVAR> CommandParser::lookup(const char* text, int length)
{
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const char* m = CommandMnemonics[i];
        if (int(std::strlen(m)) == length && std::strncmp(m, text, std::size_t(length)) == 0)
            return static_cast<tVAR>(i);
    }
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
    for (const char* m : CommandMnemonics)
        if (std::strlen(m) == 2 && m[0] == c)
            return true;
    return false;
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
