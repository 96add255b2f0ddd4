// End to end at the driver's own timing: the driver exactly as the program builds it reaches Ready
// against the simulated device over each link, and loses it when the simulator goes silent.

#include <gtest/gtest.h>

#include "SimAndDriver.h"
#include "WaitFor.h"

using namespace tesso::sim::test;
using tesso::test::waitFor;

namespace
{
class DriverAgainstSimRealTime : public ::testing::TestWithParam<Link>
{
};
} // namespace

TEST_P(DriverAgainstSimRealTime, ReadyWithinTheLinkTimersStepsThenLostWhenSilent)
{
    SimAndDriver t(1);
    ASSERT_TRUE(t.connect(GetParam()));
    // 3 s to the first step, detection, 2 s to the query-all, 2 s of quiet after the dump.
    ASSERT_TRUE(waitFor([&] { return t.drv().Ready(); }, 15000));
    EXPECT_EQ(t.drv().DEV(), 57u);
    EXPECT_EQ(t.drv().UNITy(), 27000u);
    EXPECT_EQ(t.drv().PRGBIByInput(5), 7u);
    EXPECT_EQ(t.drv().NETMASK(), QStringLiteral("255.255.255.0"));

    t.device().setSilenceAfter(t.device().repliesSent());
    ASSERT_TRUE(waitFor([&] { return !t.drv().Connected(); }, 8000));
    EXPECT_EQ(t.drv().DEV(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryLink, DriverAgainstSimRealTime,
                         ::testing::Values(Link::Pty, Link::Tcp, Link::Udp),
                         [](const auto& info) { return std::string(linkName(info.param)); });
