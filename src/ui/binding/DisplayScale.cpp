#include "DisplayScale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Errors.h"

namespace tesso
{

namespace
{

constexpr int kSignificantDigits = 18; // what extended precision shows of a value
constexpr int kMaxIntegerDigits = 3;

std::int32_t checkedSub(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow(QStringLiteral("Integer overflow in value scaling (%1 - %2)").arg(a).arg(b));
    return r;
}

std::int32_t checkedMul(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow(QStringLiteral("Integer overflow in value scaling (%1 * %2)").arg(a).arg(b));
    return r;
}

// The value as sign, 18 significant digits d0.d1...d17 and the decimal exponent of d0.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
    bool zero = true;
};

DecimalDigits toDecimal(long double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", kSignificantDigits - 1, x);
    DecimalDigits d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    d.zero = d.digits.find_first_not_of('0') == std::string::npos;
    return d;
}

// Adds one to a string of decimal digits ("" counts as 0).
std::string incremented(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return '1' + digits;
}

QString scientific(const DecimalDigits& d)
{
    std::string mantissa = d.digits.substr(0, kMaxIntegerDigits);
    int exponent = d.exponent;
    if (d.digits[kMaxIntegerDigits] >= '5')
        mantissa = incremented(mantissa);
    if (mantissa.size() > static_cast<std::size_t>(kMaxIntegerDigits)) {
        mantissa.resize(kMaxIntegerDigits);
        ++exponent;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%c.%sE%c%03d", d.negative ? "-" : "", mantissa[0],
                  mantissa.substr(1).c_str(), exponent < 0 ? '-' : '+', std::abs(exponent));
    return QString::fromLatin1(buf);
}

} // namespace

QString formatThreeDigits(long double x)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    const DecimalDigits d = toDecimal(x);
    if (d.zero)
        return QStringLiteral("0");
    const int integerDigits = d.exponent + 1; // 0 or less: |x| < 1
    if (integerDigits > kMaxIntegerDigits)
        return scientific(d);

    std::string rounded = integerDigits > 0 ? d.digits.substr(0, integerDigits) : std::string();
    const char roundingDigit = integerDigits >= 0 ? d.digits[integerDigits] : '0';
    if (roundingDigit >= '5')
        rounded = incremented(rounded);
    if (rounded.empty())
        return QStringLiteral("0"); // no "-0"
    if (rounded.size() > static_cast<std::size_t>(kMaxIntegerDigits))
        return scientific(d); // 999.5 rounds up to four digits
    return QString::fromLatin1((d.negative ? "-" : "") + rounded);
}

std::int32_t displayedTextToInteger(const QString& text)
{
    int pos = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const int digits = static_cast<int>(text.size()) - pos;
    bool valid = digits >= 1 && digits <= kMaxIntegerDigits;
    for (; valid && pos < text.size(); ++pos)
        valid = text.at(pos) >= QLatin1Char('0') && text.at(pos) <= QLatin1Char('9');
    if (!valid)
        throw ERangeError(QStringLiteral("'%1' is not a displayed value of at most three digits").arg(text));
    return text.toInt();
}

void DisplayScale::PositionDriver(std::int32_t value, QString& result) const
{
    if (m_deviceMinimum == m_deviceMaximum) {
        result = QStringLiteral("0");
        return;
    }
    const std::int32_t displayWidth = checkedSub(m_shownMinimum, m_shownMaximum);
    const std::int32_t driverWidth = checkedSub(m_deviceMinimum, m_deviceMaximum);
    const long double x = static_cast<long double>(displayWidth) / driverWidth * value +
                          static_cast<long double>(m_shownMinimum);
    result = tesso::formatThreeDigits(x);
}

std::int32_t DisplayScale::shownPosition(std::int32_t value) const
{
    // Tested before the midpoint so that an empty range never fails on its own midpoint's text.
    if (m_shownMinimum == m_shownMaximum)
        return 0;
    std::int32_t v = value;
    if (v < m_shownMinimum || v > m_shownMaximum) {
        // In extended precision: the midpoint of two 32-bit values always exists.
        const long double middle =
            (static_cast<long double>(m_shownMaximum) - m_shownMinimum) / 2 + m_shownMinimum;
        v = tesso::displayedTextToInteger(tesso::formatThreeDigits(middle));
    }
    const std::int32_t y =
        checkedMul(checkedSub(v, m_shownMinimum), checkedSub(m_deviceMinimum, m_deviceMaximum));
    const std::int32_t displayWidth = checkedSub(m_shownMinimum, m_shownMaximum);
    return tesso::displayedTextToInteger(
        tesso::formatThreeDigits(static_cast<long double>(y) / displayWidth));
}

} // namespace tesso
