#include "NumberText.h"

namespace tesso
{

namespace
{
// Once a scanned number passes this it can only be out of range; stop growing it.
constexpr std::int64_t ScanCeiling = std::int64_t(1) << 40;
} // namespace

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

NumberScan scanNumber(const char* p, const char* end)
{
    NumberScan scan;
    while (p != end && *p == ' ')
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int base = 10;
    if (p != end && (*p == '$' || *p == 'x' || *p == 'X')) {
        base = 16;
        ++p;
    } else if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    const char* digitsStart = p;
    std::int64_t value = 0;
    for (; p != end; ++p) {
        const int digit = base == 16 ? hexDigitValue(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        if (digit < 0)
            break;
        if (value < ScanCeiling)
            value = value * base + digit;
    }
    scan.value = negative ? -value : value;
    scan.complete = p == end && p != digitsStart;
    return scan;
}

std::optional<std::int32_t> scanInt32(const char* begin, const char* end)
{
    const NumberScan scan = scanNumber(begin, end);
    if (!scan.complete || scan.value < INT32_MIN || scan.value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(scan.value);
}

} // namespace tesso
