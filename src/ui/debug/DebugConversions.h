#pragma once
// The console's number conversions: a reply split into its mnemonic and its value, and a value
// written in decimal, binary and hexadecimal. Pure functions; the received log, the calculator and
// the variable list share them.

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QString>

namespace tesso::debug
{

// The characters of the text with codes 33..47 or 58..127, in their order: "HP123" gives "HP".
QByteArray ExtractMnemonic(const QByteArray& text);

// The value a reply carries. A line the driver's reply parser accepts gives the parser's value (so
// the "$7B" and "0x7B" forms read as hexadecimal); any other text gives its decimal digits joined,
// every other character ignored, 0 without digits. Nothing when the digits pass 2^64 - 1.
std::optional<std::uint64_t> ExtractValue(const QByteArray& text);

// Binary digits, most significant first, with one leading 0 for a value from 2^k * sqrt(2) up to
// 2^(k+1) - 1: 3 gives "011", 5 gives "101", 0 gives "0".
QString IntToBin(std::uint64_t value);

// The sum of 2^(L - k) over the positions k (1-based, L the length) holding '1'; every other
// character counts as 0. Nothing when the result passes 2^64 - 1.
std::optional<std::uint64_t> BinToInt(const QString& text);

// Each hexadecimal digit of the text (any case) as IntToBin of its value, the first one as it is,
// the later ones as four digits; other characters give nothing. "C" gives "01100", "F1"
// "011110001", "z1" "0001".
QString HexToBin(const QString& text);

// Upper-case hexadecimal digits without leading zeros; 0 gives "0".
QString HexText(std::uint64_t value);

// A whole text of decimal digits, read without overflow; nothing for anything else.
std::optional<std::uint64_t> DecimalValue(const QString& text);

} // namespace tesso::debug
