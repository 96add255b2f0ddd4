// The simulated device's memory: range policies (with the model's limits), the PCHAN and PADIP
// pointers and derived values. The defaults are checked through the driver (DriverAgainstSimTest)
// and the dump, the message cells and resets through the commands (SimDeviceTest).

#include <gtest/gtest.h>

#include "DeviceState.h"

using namespace tesso;

using tesso::sim::DeviceState;
using tesso::sim::Model;
using tesso::sim::SetOutcome;

// What the catalogue's fixed ranges do not say (those are the next test's): the model's inputs and
// effects, booleans, read-only variables and a value with no range but its 32 bits.
TEST(DeviceState, OutOfRangeValuesAreClampedOrIgnoredPerVariable)
{
    DeviceState s;
    const struct {
        tVAR index;
        std::uint64_t value;
        SetOutcome outcome;
        std::uint32_t kept;
    } cases[] = {
        {_ICHNM, 7, SetOutcome::Stored, 7},
        {_ICHNM, 8, SetOutcome::Rejected, 7},
        {_ICHNM, 0, SetOutcome::Rejected, 7},
        {_OBLACK, 5, SetOutcome::Stored, 1}, // booleans are reported 0 or 1
        {_UNIT, 1, SetOutcome::ReadOnly, 27000},
        {_DEV, 12, SetOutcome::ReadOnly, 57},
        {_STBTIME, 4294967296ull, SetOutcome::Rejected, 30}, // no range, but 32 bits
        {_EFFECTTYPE, 3, SetOutcome::Stored, 3},
        {_EFFECTTYPE, 4, SetOutcome::Rejected, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.set(c.index, c.value), c.outcome) << CommandMnemonics[c.index] << "=" << c.value;
        EXPECT_EQ(s.value(c.index), c.kept) << CommandMnemonics[c.index] << "=" << c.value;
    }
    DeviceState snipa(Model::Snipa);
    EXPECT_EQ(snipa.set(_EFFECTTYPE, 2), SetOutcome::Rejected) << "cut only";
    EXPECT_EQ(snipa.set(_EFFECTTYPE, 1), SetOutcome::Stored);
}

// The simulator's ranges are the catalogue's: each end is stored, one step beyond it is clamped or
// ignored as the row says (the model's and the message cells' limits are checked elsewhere).
TEST(DeviceState, KeepsTheCatalogueRangeOfEveryCheckedVariableAtBothEnds)
{
    using tesso::sim::Limit;
    using tesso::sim::SetPolicy;
    int checked = 0;
    for (const tesso::sim::VariableRule& rule : tesso::sim::Rules) {
        if (rule.maxFrom != Limit::Fixed ||
            (rule.policy != SetPolicy::Clamp && rule.policy != SetPolicy::Reject))
            continue;
        ++checked;
        const tesso::ValueRange range = tesso::variableRange(rule.index);
        const SetOutcome beyond =
            rule.policy == SetPolicy::Clamp ? SetOutcome::Clamped : SetOutcome::Rejected;
        const char* name = CommandMnemonics[rule.index];
        DeviceState s;
        EXPECT_EQ(s.set(rule.index, range.maximum), SetOutcome::Stored) << name;
        EXPECT_EQ(s.set(rule.index, std::uint64_t(range.maximum) + 1), beyond) << name;
        EXPECT_EQ(s.value(rule.index), range.maximum) << name;
        EXPECT_EQ(s.set(rule.index, range.minimum), SetOutcome::Stored) << name;
        if (range.minimum > 0) {
            EXPECT_EQ(s.set(rule.index, range.minimum - 1), beyond) << name;
        }
        EXPECT_EQ(s.value(rule.index), range.minimum) << name;
    }
    EXPECT_GT(checked, 30) << "most settings have a range of their own";
}

TEST(DeviceState, PchanAddressesOneInputOrAllAndPadipOneAddressOrAll)
{
    DeviceState s;
    ASSERT_EQ(s.set(_PCHAN, 3), SetOutcome::Stored);
    EXPECT_EQ(s.value(_PRGBI), 2u);
    ASSERT_EQ(s.set(_PRGBI, 5), SetOutcome::Stored);
    EXPECT_EQ(s.perInput(_PRGBI, 3), 5u);
    EXPECT_EQ(s.perInput(_PRGBI, 4), 1u) << "other inputs untouched";
    ASSERT_EQ(s.set(_PCHAN, 4), SetOutcome::Stored);
    EXPECT_EQ(s.value(_PRGBI), 1u) << "the reply follows PCHAN";
    EXPECT_EQ(s.replyLine(_PENA), QByteArray("PEN1\r\n"));

    ASSERT_EQ(s.set(_PCHAN, 0), SetOutcome::Stored);
    ASSERT_EQ(s.set(_PPROC, 1), SetOutcome::Stored);
    for (int n = 0; n < DeviceState::InputSlots; ++n)
        EXPECT_EQ(s.perInput(_PPROC, n), 1u) << "input " << n;

    // PADIP selects which address the octets and the port reach.
    EXPECT_EQ(s.replyLine(_IP4), QByteArray("IPA_192\r\n"));
    EXPECT_EQ(s.replyLine(_IP1), QByteArray("IPD_10\r\n"));
    EXPECT_EQ(s.replyLine(_PORT), QByteArray("PORT10500\r\n"));

    ASSERT_EQ(s.set(_PADIP, 2), SetOutcome::Stored);
    ASSERT_EQ(s.set(_IP4, 10), SetOutcome::Stored);
    ASSERT_EQ(s.set(_IP1, 77), SetOutcome::Stored);
    ASSERT_EQ(s.set(_PORT, 2000), SetOutcome::Stored);
    EXPECT_EQ(s.set(_IP3, 256), SetOutcome::Rejected);
    EXPECT_EQ(s.perAddress(_IP4, 2), 10u);
    EXPECT_EQ(s.perAddress(_IP1, 2), 77u);
    EXPECT_EQ(s.perAddress(_PORT, 2), 2000u);
    EXPECT_EQ(s.perAddress(_IP4, 1), 192u) << "the local address is untouched";
    EXPECT_EQ(s.perAddress(_PORT, 1), 10500u);

    ASSERT_EQ(s.set(_PADIP, 0), SetOutcome::Stored);
    ASSERT_EQ(s.set(_IP2, 9), SetOutcome::Stored);
    for (int a = 1; a <= 3; ++a)
        EXPECT_EQ(s.perAddress(_IP2, a), 9u) << "address " << a;

    s.resetNetwork();
    EXPECT_EQ(s.perAddress(_IP4, 2), 192u);
    EXPECT_EQ(s.perAddress(_PORT, 2), 10500u);
    EXPECT_EQ(s.perAddress(_PORT, 3), 0u) << "the gateway has no port";
}

TEST(DeviceState, DerivedValuesFollowInputReferenceAndSwitchMode)
{
    DeviceState s;
    s.putOnAir(5);
    EXPECT_EQ(s.value(_IFAMM), 11u) << "computer input";
    EXPECT_EQ(s.value(_IINTM), 0u);
    s.set(_REFREQ, 1);
    s.recomputeDerived();
    EXPECT_EQ(s.value(_REFSTA), 1u);
    EXPECT_EQ(s.value(_PLLMODE), 1u);
    EXPECT_EQ(s.value(_REFFRQ), 6000u);

    s.putOnAir(2); // no signal: the reference cannot follow it
    s.recomputeDerived();
    EXPECT_EQ(s.value(_IPSIGM), 0u);
    EXPECT_EQ(s.value(_REFSTA), 0u);

    EXPECT_EQ(s.value(_EFFECTSTATUS), 0u) << "no effects in standard switching";
    s.set(_SWITCHMODE, 0);
    s.set(_EFFECTTYPE, 3);
    s.recomputeDerived();
    EXPECT_EQ(s.value(_SEAMLESS), 1u);
    EXPECT_EQ(s.value(_PLLMODE), 2u);
    EXPECT_EQ(s.value(_EFFECTSTATUS), 3u);

    s.set(_ICHREF, 6);
    s.recomputeDerived();
    EXPECT_EQ(s.value(_ILDREF), s.signal(6).lineDuration);
    EXPECT_EQ(s.value(_IFAMREF), 11u);
}
