// Value scaling between the device range and the displayed range, and the three-digit text that
// both directions go through.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "Conversion.h"
#include "Errors.h"

namespace
{

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TConversion ranges(std::int32_t minDriver, std::int32_t maxDriver, std::int32_t minAff, std::int32_t maxAff)
{
    TConversion c;
    c.setValMinDriver(minDriver);
    c.setValMaxDriver(maxDriver);
    c.setValMinAffichage(minAff);
    c.setValMaxAffichage(maxAff);
    return c;
}

QString driverText(const TConversion& c, std::int32_t v)
{
    QString text = QStringLiteral("untouched");
    c.PositionDriver(v, text);
    return text;
}

TEST(ThreeDigitText, RoundsHalvesAwayFromZeroAndGoesScientificPastThreeDigits)
{
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0.0L, "0"},
        {0.4L, "0"},
        {-0.4L, "0"} /* never "-0" */,
        {0.5L, "1"},
        {-0.5L, "-1"},
        {2.5L, "3"},
        {-2.5L, "-3"},
        {1.4999L, "1"},
        {9.5L, "10"},
        {-99.5L, "-100"},
        {999.4L, "999"},
        {-999.0L, "-999"},
        {1e-30L, "0"},
        // 18 significant digits decide the half: the first is 0.5 at that precision.
        {0.4999999999999999999L, "1"},
        {0.49999999999999L, "0"},
        {999.5L, "1.00E+003"},
        {1234.0L, "1.23E+003"},
        {1235.0L, "1.24E+003"},
        {-99950.0L, "-1.00E+005"},
        {static_cast<long double>(kMin), "-2.15E+009"},
        {1e1000L, "1.00E+1000"},
        {std::nanl(""), "NAN"},
        {HUGE_VALL, "INF"},
        {-HUGE_VALL, "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tesso::formatThreeDigits(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(ThreeDigitText, ReadsBackOnlyIntegersOfAtMostThreeDigits)
{
    using tesso::displayedTextToInteger;
    for (const char* bad : {"1.23E+003", "", "-", "1234", "12a", " 12", "+5", "--1", "INF", "NAN"})
        EXPECT_THROW(displayedTextToInteger(QString::fromLatin1(bad)), ERangeError) << bad;
}

TEST(ThreeDigitText, EveryThreeDigitIntegerSurvivesTheRoundTrip)
{
    for (int v = -999; v <= 999; ++v)
        ASSERT_EQ(tesso::displayedTextToInteger(tesso::formatThreeDigits(v)), v);
}

TEST(Conversion, StartUpRangesShiftBy128BothWays)
{
    const TConversion c = ranges(0, 255, -128, 127);
    for (std::int32_t device = 0; device <= 255; ++device) {
        const QString shown = driverText(c, device);
        ASSERT_EQ(shown, QString::number(device - 128));
        ASSERT_EQ(c.PositionAffichage(shown.toInt()), device);
    }
}

TEST(Conversion, DisplayedValueOutsideTheRangeBecomesTheMidpoint)
{
    const TConversion c = ranges(0, 255, -128, 127);
    // Midpoint -0.5 is written "-1", which maps to device 127.
    for (std::int32_t outside : {128, 200, -129, kMin, kMax})
        EXPECT_EQ(c.PositionAffichage(outside), 127) << outside;
    // An inverted display range has no value inside it.
    const TConversion inverted = ranges(0, 10, 10, 0);
    EXPECT_EQ(inverted.PositionAffichage(3), 5);
}

TEST(Conversion, EmptyRangesGiveZero)
{
    EXPECT_EQ(driverText(TConversion(), 17), QStringLiteral("0")); // all ranges start at 0
    EXPECT_EQ(TConversion().PositionAffichage(17), 0);
    EXPECT_EQ(driverText(ranges(7, 7, -128, 127), 7), QStringLiteral("0"));
    EXPECT_EQ(driverText(ranges(7, 7, kMin, kMax), 123), QStringLiteral("0"));
    EXPECT_EQ(ranges(0, 255, 5, 5).PositionAffichage(5), 0);
    // Even when the midpoint of the empty range is too wide to display.
    EXPECT_EQ(ranges(0, 255, 5000, 5000).PositionAffichage(3), 0);
}

TEST(Conversion, OnlyTheRangeWidthsScaleNoDeviceOffset)
{
    const TConversion c = ranges(10, 20, 0, 10);
    EXPECT_EQ(driverText(c, 15), QStringLiteral("15"));
    EXPECT_EQ(c.PositionAffichage(4), 4);

    const TConversion tenth = ranges(0, 1000, 0, 100);
    EXPECT_EQ(driverText(tenth, 555), QStringLiteral("56")); // 55.5
    EXPECT_EQ(driverText(tenth, 5), QStringLiteral("1"));    // 0.5
    EXPECT_EQ(driverText(tenth, -5), QStringLiteral("-1"));  // -0.5
    EXPECT_EQ(driverText(tenth, 4), QStringLiteral("0"));
    EXPECT_EQ(tenth.PositionAffichage(50), 500);
    EXPECT_EQ(tenth.PositionAffichage(99), 990);

    const TConversion third = ranges(0, 3, 0, 2);
    EXPECT_EQ(third.PositionAffichage(1), 2);             // 1.5
    EXPECT_EQ(driverText(third, 2), QStringLiteral("1")); // 1.33
}

TEST(Conversion, WideResultsAreShownScientificAndRefusedAsDeviceValues)
{
    const TConversion c = ranges(0, 10, 0, 10000);
    EXPECT_EQ(driverText(c, 7), QStringLiteral("7.00E+003"));
    const TConversion back = ranges(0, 10000, 0, 10);
    EXPECT_THROW(back.PositionAffichage(7), ERangeError);
    EXPECT_EQ(back.PositionAffichage(0), 0);
}

TEST(Conversion, IntegerOverflowIsRaisedToTheCaller)
{
    QString text = QStringLiteral("kept");
    EXPECT_THROW(ranges(0, 255, kMin, 1).PositionDriver(3, text), EIntOverflow);
    EXPECT_THROW(ranges(kMin, 1, 0, 10).PositionDriver(3, text), EIntOverflow);
    EXPECT_EQ(text, QStringLiteral("kept"));

    // Product (value - min) * (device width).
    EXPECT_THROW(ranges(0, kMax, 0, 100).PositionAffichage(2), EIntOverflow);
    // value - ValMinAffichage.
    EXPECT_THROW(ranges(0, 1, kMin, kMax).PositionAffichage(kMax), EIntOverflow);
    // Display width in the divisor.
    EXPECT_THROW(ranges(0, 0, kMin, 1).PositionAffichage(kMin), EIntOverflow);
    // Device width.
    EXPECT_THROW(ranges(kMin, 1, 0, 10).PositionAffichage(5), EIntOverflow);
    // Widest ranges that still fit work.
    EXPECT_EQ(driverText(ranges(0, kMax, -kMax, 0), kMax), QStringLiteral("0"));
}

} // namespace
