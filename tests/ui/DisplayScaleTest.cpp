// Value scaling between the device range and the displayed range, and the three-digit text that
// both directions go through.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "DisplayScale.h"
#include "Errors.h"

using namespace tesso;

namespace
{

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

DisplayScale ranges(std::int32_t minDriver, std::int32_t maxDriver, std::int32_t minAff, std::int32_t maxAff)
{
    DisplayScale c;
    c.setDeviceMinimum(minDriver);
    c.setDeviceMaximum(maxDriver);
    c.setShownMinimum(minAff);
    c.setShownMaximum(maxAff);
    return c;
}

QString driverText(const DisplayScale& c, std::int32_t v)
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
        {-0.4L, "0"} /* never "-0" */,
        {0.5L, "1"},
        {-0.5L, "-1"},
        {-2.5L, "-3"},
        {9.5L, "10"},
        {-99.5L, "-100"},
        {999.4L, "999"},
        {1e-30L, "0"},
        // 18 significant digits decide the half: the first is 0.5 at that precision.
        {0.4999999999999999999L, "1"},
        {0.49999999999999L, "0"},
        {999.5L, "1.00E+003"},
        {1234.0L, "1.23E+003"},
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

TEST(ThreeDigitText, ReadsBackEveryIntegerOfAtMostThreeDigitsAndNothingElse)
{
    using tesso::displayedTextToInteger;
    for (int v = -999; v <= 999; ++v)
        ASSERT_EQ(displayedTextToInteger(tesso::formatThreeDigits(v)), v);
    for (const char* bad : {"1.23E+003", "", "-", "1234", "12a", " 12", "+5", "--1", "INF", "NAN"})
        EXPECT_THROW(displayedTextToInteger(QString::fromLatin1(bad)), ERangeError) << bad;
}

TEST(DisplayScale, DeviceValuesScaleByTheRangeWidthsOnlyAndAnEmptyDeviceRangeShowsZero)
{
    // Device range, display range, device value, text shown; the last: the widest ranges that fit.
    const struct {
        std::int32_t minDriver, maxDriver, minAff, maxAff, device;
        const char* shown;
    } cases[] = {{0, 0, 0, 0, 17, "0"},         {7, 7, -128, 127, 7, "0"},
                 {7, 7, kMin, kMax, 123, "0"},  {10, 20, 0, 10, 15, "15"},
                 {0, 1000, 0, 100, 555, "56"},  {0, 1000, 0, 100, 5, "1"},
                 {0, 1000, 0, 100, -5, "-1"},   {0, 1000, 0, 100, 4, "0"},
                 {0, 3, 0, 2, 2, "1"},          {0, 10, 0, 10000, 7, "7.00E+003"},
                 {0, kMax, -kMax, 0, kMax, "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(driverText(ranges(c.minDriver, c.maxDriver, c.minAff, c.maxAff), c.device),
                  QLatin1String(c.shown))
            << c.minDriver << ".." << c.maxDriver << " / " << c.minAff << ".." << c.maxAff << ": "
            << c.device;
}

TEST(DisplayScale, DisplayedValuesScaleBackOutsideValuesTakeTheMidpointAndAnEmptyRangeGivesZero)
{
    // Device range, display range, displayed value, device value. An empty display range gives 0
    // even when its midpoint is too wide to show; a value outside the range takes the midpoint
    // (-0.5 is written "-1": device 127); an inverted range has no value inside.
    const struct {
        std::int32_t minDriver, maxDriver, minAff, maxAff, shown, device;
    } cases[] = {{0, 0, 0, 0, 17, 0},
                 {0, 255, 5, 5, 5, 0},
                 {0, 255, 5000, 5000, 3, 0},
                 {10, 20, 0, 10, 4, 4},
                 {0, 1000, 0, 100, 50, 500},
                 {0, 1000, 0, 100, 99, 990},
                 {0, 3, 0, 2, 1, 2},
                 {0, 10000, 0, 10, 0, 0},
                 {0, 255, -128, 127, 128, 127},
                 {0, 255, -128, 127, -129, 127},
                 {0, 255, -128, 127, kMin, 127},
                 {0, 255, -128, 127, kMax, 127},
                 {0, 10, 10, 0, 3, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ranges(c.minDriver, c.maxDriver, c.minAff, c.maxAff).shownPosition(c.shown), c.device)
            << c.minDriver << ".." << c.maxDriver << " / " << c.minAff << ".." << c.maxAff << ": " << c.shown;
    EXPECT_THROW(ranges(0, 10000, 0, 10).shownPosition(7), ERangeError) << "too wide for a device value";
}

TEST(DisplayScale, IntegerOverflowIsRaisedToTheCaller)
{
    QString text = QStringLiteral("kept");
    EXPECT_THROW(ranges(0, 255, kMin, 1).PositionDriver(3, text), EIntOverflow);
    EXPECT_THROW(ranges(kMin, 1, 0, 10).PositionDriver(3, text), EIntOverflow);
    EXPECT_EQ(text, QStringLiteral("kept"));

    // Product (value - min) * (device width).
    EXPECT_THROW(ranges(0, kMax, 0, 100).shownPosition(2), EIntOverflow);
    // value - shownMinimum.
    EXPECT_THROW(ranges(0, 1, kMin, kMax).shownPosition(kMax), EIntOverflow);
    // Display width in the divisor.
    EXPECT_THROW(ranges(0, 0, kMin, 1).shownPosition(kMin), EIntOverflow);
    // Device width.
    EXPECT_THROW(ranges(kMin, 1, 0, 10).shownPosition(5), EIntOverflow);
}

} // namespace
