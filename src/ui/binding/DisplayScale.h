#pragma once
// DisplayScale: linear mapping between the device's range of a value and the range shown to the
// user. The main window uses device 0..255 and display -128..127, so that display = device - 128.
//
// Both directions go through the display text: a result is written with three significant digits
// and no decimals (formatThreeDigits) and, for shownPosition, read back as an integer. The
// device range enters only through its width; neither direction adds deviceMinimum as an offset.

#include <cstdint>

#include <QString>

namespace tesso
{

// Writes x rounded to an integer, halves away from zero (decided on the value's 18 significant
// decimal digits, as extended precision shows them): "-1" for -0.5, "3" for 2.5, "0" for -0.4.
// When the rounded integer has more than 3 digits, the text is scientific with 3 significant
// digits: a mantissa with two decimals and a signed exponent of at least 3 digits, "1.23E+003"
// for 1234, "-1.00E+005" for -99950. Not-a-number and infinities give "NAN", "INF" and "-INF".
QString formatThreeDigits(long double x);

// Reads back a text written by formatThreeDigits: an optional minus sign and at most 3 decimal
// digits. Anything else (scientific notation, empty text, other characters) does not fit the
// displayed value and raises ERangeError rather than being silently rounded.
std::int32_t displayedTextToInteger(const QString& text);

class DisplayScale
{
  public:
    DisplayScale() = default;

    std::int32_t deviceMinimum() const { return m_deviceMinimum; }
    void setDeviceMinimum(std::int32_t v) { m_deviceMinimum = v; }
    std::int32_t deviceMaximum() const { return m_deviceMaximum; }
    void setDeviceMaximum(std::int32_t v) { m_deviceMaximum = v; }
    std::int32_t shownMinimum() const { return m_shownMinimum; }
    void setShownMinimum(std::int32_t v) { m_shownMinimum = v; }
    std::int32_t shownMaximum() const { return m_shownMaximum; }
    void setShownMaximum(std::int32_t v) { m_shownMaximum = v; }

    // The displayed text for device value `value`: "0" when the device range is empty, otherwise
    // (shownMinimum - shownMaximum) / (deviceMinimum - deviceMaximum) * value + shownMinimum
    // written by formatThreeDigits. The two differences are 32-bit integer arithmetic; their
    // overflow raises EIntOverflow.
    void PositionDriver(std::int32_t value, QString& result) const;

    // The device value for displayed value `value`. A value outside the display range is first
    // replaced by the display range's midpoint, taken through the display text ("-1" for -0.5).
    // An empty display range gives 0. Otherwise (value - shownMinimum) * (deviceMinimum -
    // deviceMaximum) in 32-bit integer arithmetic, divided in floating point by (shownMinimum -
    // shownMaximum), taken through the display text. Integer overflow raises EIntOverflow; a
    // result too wide for three digits raises ERangeError.
    std::int32_t shownPosition(std::int32_t value) const;

  private:
    std::int32_t m_deviceMinimum = 0;
    std::int32_t m_deviceMaximum = 0;
    std::int32_t m_shownMinimum = 0;
    std::int32_t m_shownMaximum = 0;
};

} // namespace tesso
