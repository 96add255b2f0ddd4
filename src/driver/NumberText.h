#pragma once
// Reading numbers the way the device protocol writes them. Reply values, dotted addresses, the
// dialogs' port fields and the command-line client's escapes all go through here.

#include <cstdint>
#include <optional>

namespace tesso
{

// Text-to-integer conversion: leading spaces, an optional sign, then decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X".
struct NumberScan {
    std::int64_t value = 0; // saturates far above the 32-bit range instead of overflowing
    bool complete = false;  // the whole text was used
};
NumberScan scanNumber(const char* begin, const char* end);

// A whole text that reads as a signed 32-bit number, else nothing.
std::optional<std::int32_t> scanInt32(const char* begin, const char* end);

// Value of one hexadecimal digit, or -1.
int hexDigitValue(char c);

} // namespace tesso
