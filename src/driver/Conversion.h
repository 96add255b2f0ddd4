#pragma once
// TConversion: linear mapping between the device's range of a value and the range shown to the
// user. The main window uses device 0..255 and display -128..127, so that display = device - 128.
//
// Both directions go through the display text: a result is written with three significant digits
// and no decimals (formatThreeDigits) and, for PositionAffichage, read back as an integer. The
// device range enters only through its width; neither direction adds ValMinDriver as an offset.

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

} // namespace tesso

class TConversion
{
  public:
    TConversion() = default;

    std::int32_t ValMinDriver() const { return m_minDriver; }
    void setValMinDriver(std::int32_t v) { m_minDriver = v; }
    std::int32_t ValMaxDriver() const { return m_maxDriver; }
    void setValMaxDriver(std::int32_t v) { m_maxDriver = v; }
    std::int32_t ValMinAffichage() const { return m_minAffichage; }
    void setValMinAffichage(std::int32_t v) { m_minAffichage = v; }
    std::int32_t ValMaxAffichage() const { return m_maxAffichage; }
    void setValMaxAffichage(std::int32_t v) { m_maxAffichage = v; }

    // The displayed text for device value `value`: "0" when the device range is empty, otherwise
    // (ValMinAffichage - ValMaxAffichage) / (ValMinDriver - ValMaxDriver) * value + ValMinAffichage
    // written by formatThreeDigits. The two differences are 32-bit integer arithmetic; their
    // overflow raises EIntOverflow.
    void PositionDriver(std::int32_t value, QString& result) const;

    // The device value for displayed value `value`. A value outside the display range is first
    // replaced by the display range's midpoint, taken through the display text ("-1" for -0.5).
    // An empty display range gives 0. Otherwise (value - ValMinAffichage) * (ValMinDriver -
    // ValMaxDriver) in 32-bit integer arithmetic, divided in floating point by (ValMinAffichage -
    // ValMaxAffichage), taken through the display text. Integer overflow raises EIntOverflow; a
    // result too wide for three digits raises ERangeError.
    std::int32_t PositionAffichage(std::int32_t value) const;

  private:
    std::int32_t m_minDriver = 0;
    std::int32_t m_maxDriver = 0;
    std::int32_t m_minAffichage = 0;
    std::int32_t m_maxAffichage = 0;
};
