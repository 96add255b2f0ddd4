#pragma once
// Dotted addresses and masks as text. Every address a person types or a settings file holds is
// put into plain decimal form before it is stored or used: the socket layer reads a part with a
// leading zero as octal ("192.168.000.010" would reach 192.168.0.8).

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

namespace tesso
{

// Four octets 0..255 from "a.b.c.d": three "." separators, each part a whole number in any form
// the protocol reads (leading spaces, sign, "$"/"x"/"0x" hexadecimal; leading zeros are decimal).
std::optional<std::array<std::int32_t, 4>> parseIpText(const QString& text);

// The address in plain decimal form ("192.168.000.010" gives "192.168.0.10"), or nothing when
// the text is not an address.
std::optional<QString> canonicalIpText(const QString& text);

// The text of an address that parses, in plain decimal form; any other text unchanged.
QString canonicalOrAsTyped(const QString& text);

// Dotted text of the 32-bit mask with n host bits (n < 32).
QString maskText(unsigned hostBits);

// Host bits of a mask given as four octets: the bit length of its complement (255.255.255.0 gives
// 8, 255.255.255.255 gives 0, 0.0.0.0 gives 32).
std::uint32_t hostBitsOfMask(const std::array<std::int32_t, 4>& octets);

} // namespace tesso
