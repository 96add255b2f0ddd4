#pragma once
// Cuts the device's input stream into commands the way the firmware does: optional decimal digits,
// then the longest command mnemonic of the catalogue that matches. The parser works byte by byte
// with a constant amount of state, so a stream split anywhere gives the same commands and no input
// can make it grow.

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>

#include "Catalogue.h"

namespace tesso
{

struct DeviceCommand {
    tVAR index = _DEV;
    bool hasValue = false;   // digits came before the mnemonic (a set); otherwise a query
    std::uint64_t value = 0; // valid when hasValue and not overflow
    bool overflow = false;   // more digits than any 32-bit value has; the value is unusable

    bool operator==(const DeviceCommand& o) const
    {
        return index == o.index && hasValue == o.hasValue && value == o.value && overflow == o.overflow;
    }
};

class CommandParser
{
  public:
    // Digits kept for a value; more make the command an overflow (and are counted, not stored).
    static constexpr int MaxDigits = 10;

    // Takes one byte and appends the commands it completed (none, one, or two when a pending
    // single-letter mnemonic is followed by another lone one). A byte that cannot continue the
    // pending command ends it without a command and is then read afresh.
    void push(char byte, std::vector<DeviceCommand>& out);
    // Convenience for whole buffers.
    std::vector<DeviceCommand> feed(const QByteArray& bytes);
    // Completes a pending single-letter mnemonic (the firmware's idle time-out). Returns it if any.
    std::optional<DeviceCommand> flush();
    void reset();

    bool idle() const { return m_digitCount == 0 && m_pending == 0; }
    // Bytes thrown away: garbage, unknown mnemonics and the digits before them.
    std::uint64_t discardedBytes() const { return m_discarded; }

    // The command as the device reads it, whatever the client typed around it: the value in plain
    // decimal and the mnemonic; "#" with its line end. A value too long to keep is dropped, which
    // leaves the query the device answers such a set with.
    static QByteArray wireText(const DeviceCommand& command);

    // Lookup over the catalogue's command mnemonics (public for tests and the fuzz target).
    static std::optional<tVAR> lookup(const char* text, int length);
    static bool startsTwoLetterMnemonic(char c);

  private:
    DeviceCommand make(tVAR index);
    void startFresh(char byte, std::vector<DeviceCommand>& out);
    void discardPending();

    std::uint64_t m_value = 0;
    int m_digitCount = 0;
    bool m_overflow = false;
    char m_pending = 0; // first letter of a mnemonic waiting for its second
    std::uint64_t m_discarded = 0;
};

} // namespace tesso
