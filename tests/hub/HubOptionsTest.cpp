// Where the hub may listen and whom it admits: loopback unless an address is given, and then
// only with the clients allowed.

#include <gtest/gtest.h>

#include "HubOptions.h"

using namespace tesso;

TEST(HubOptions, LoopbackByDefaultAndAnyOtherAddressOnlyWithItsClients)
{
    HubOptions o;
    EXPECT_FALSE(o.problem().has_value());
    EXPECT_EQ(o.listenText(), QStringLiteral("127.0.0.1:10501"));
    EXPECT_TRUE(o.admits(QHostAddress(QStringLiteral("127.0.0.2"))));
    EXPECT_TRUE(o.admits(QHostAddress(QStringLiteral("::ffff:127.0.0.1"))));
    EXPECT_FALSE(o.admits(QHostAddress(QStringLiteral("10.1.2.3"))));

    EXPECT_FALSE(HubOptions::parseListen(QStringLiteral("0.0.0.0:4000"), o).has_value());
    EXPECT_EQ(o.port, 4000);
    ASSERT_TRUE(o.problem().has_value()) << "every address with nobody allowed";
    EXPECT_FALSE(HubOptions::parseAllowed(QStringLiteral("10.1.2.3, 10.1.2.4"), o).has_value());
    EXPECT_FALSE(o.problem().has_value());
    EXPECT_TRUE(o.admits(QHostAddress(QStringLiteral("10.1.2.4"))));
    EXPECT_FALSE(o.admits(QHostAddress(QStringLiteral("10.1.2.5"))));

    for (const char* bad : {"127.0.0.1:65536", "127.0.0.1:x", "host.example:10", "::1:80"})
        EXPECT_TRUE(HubOptions::parseListen(QLatin1String(bad), o).has_value()) << bad;
    EXPECT_TRUE(HubOptions::parseAllowed(QStringLiteral("10.1.2.3,nobody"), o).has_value());
    EXPECT_FALSE(HubOptions::parseListen(QStringLiteral(":0"), o).has_value());
    EXPECT_EQ(o.port, 0);
}
