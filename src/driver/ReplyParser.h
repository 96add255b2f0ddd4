#pragma once
// Cuts the received byte stream into reply lines and matches each line to a variable: bytes in,
// (variable, value) lines out. It owns the driver's receive buffer and keeps a
// partial line to at most ten characters. No link, no timer, no event: the driver applies what
// comes out.

#include <cstdint>
#include <optional>

#include <QByteArray>

#include "Catalogue.h"

namespace tesso
{

struct ReplyLine {
    tVAR index = _ADDRDBG;
    std::uint32_t value = 0;
    QByteArray text; // the whole line, without its CR LF
};

class ReplyParser
{
  public:
    // A buffer that holds no CR LF keeps at most this many characters, dropped from its front.
    static constexpr int PartialLineLimit = 10;

    QByteArray& buffer() { return m_buffer; }
    const QByteArray& buffer() const { return m_buffer; }
    void append(const QByteArray& bytes) { m_buffer.append(bytes); }

    // Takes complete lines from the front of the buffer until one matches a variable and returns
    // it; lines that match nothing are dropped without trace. With no complete line left, trims
    // the partial line to its bound and returns nothing. A matching mnemonic followed by a number
    // that is negative or above 4294967295 throws ERangeError; that line is gone, the rest of the
    // buffer is kept as it is.
    std::optional<ReplyLine> next();

    // The variable and value of one line, as next() reads it; nothing when no mnemonic matches.
    static std::optional<ReplyLine> match(const QByteArray& line);

  private:
    QByteArray m_buffer;
};

} // namespace tesso
