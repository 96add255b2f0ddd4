// The command line of tesso-devsim, parsed without starting the program: every option on one
// line, the limits of the numbers, and each kind of usage error.

#include <gtest/gtest.h>

#include "DevsimOptions.h"

using namespace tesso;

using tesso::sim::DevsimOptions;
using tesso::sim::Model;

namespace
{

DevsimOptions parse(const QString& line)
{
    return DevsimOptions::parse(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

} // namespace

// Every option on one line, the numbers at their upper limits; without them, the defaults.
TEST(DevsimOptions, AFullLineIsTakenAndFaultsStayOffUnlessAskedFor)
{
    const DevsimOptions o = parse(QStringLiteral(
        "--pty --pty-link /tmp/lumio --line-rate --tcp 65535 --udp=0 --serial /dev/ttyS1 --bind ::1 "
        "--model SNIPA --dev-code 12 --save-frames /tmp/frames --verbose --silence-after 1 --noise 4096 "
        "--seed 9 --chunk 3 --chunk-gap 60000 --delay 600000 --pace 4 --pace-hold 0 --no-ready "
        "--abort-after 5 --end-after 7 --disconnect-after 6"));
    ASSERT_TRUE(o.ok()) << o.error().toStdString();
    EXPECT_TRUE(o.pty() && o.lineRate() && o.verbose() && o.faults().noReadySignal);
    EXPECT_EQ(o.tcpPort(), quint16(65535));
    EXPECT_EQ(o.udpPort(), quint16(0)) << "port 0 is a link too";
    EXPECT_EQ(o.bindAddress(), QHostAddress(QHostAddress::LocalHostIPv6));
    EXPECT_EQ(o.model(), Model::Snipa);
    EXPECT_EQ(o.faults().noiseBytes, 4096);
    EXPECT_EQ(o.faults().replyDelayMs, 600000);
    EXPECT_EQ(o.faults().paceHoldMs, 0);

    // Without --bind only this machine can reach the device.
    const DevsimOptions plain = parse(QStringLiteral("--tcp 0"));
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(plain.bindAddress(), QHostAddress(QHostAddress::LocalHost));
    EXPECT_FALSE(plain.pty() || plain.udpPort() || plain.lineRate());
    EXPECT_EQ(plain.faults().silenceAfterReplies, -1);
}

TEST(DevsimOptions, UsageErrorsComeBackAsTextNamingTheProblem)
{
    const struct {
        const char* line;
        const char* mentions;
    } cases[] = {
        {"", "no link"},
        {"--tcp 65536", "--tcp"},
        {"--udp -1", "--udp"},
        {"--tcp", "needs a value"},
        {"--pty --noise 4097", "--noise"},
        {"--pty --delay lots", "--delay"},
        {"--pty --model x", "--model"},
        {"--tcp 0 --bind nowhere", "--bind"},
        {"--pty-link /tmp/x --tcp 0", "needs --pty"},
        {"--line-rate --tcp 0", "--line-rate needs --pty"},
        {"--pty --line-rate=1", "takes no value"},
        {"--pty --bogus", "unknown option --bogus"},
        {"--pty --bogus=1", "unknown option --bogus"},
        {"--pty extra", "unexpected argument \"extra\""},
        {"--pty -- extra", "unexpected argument \"extra\""},
    };
    for (const auto& c : cases) {
        const DevsimOptions o = parse(QString::fromLatin1(c.line));
        EXPECT_FALSE(o.ok()) << c.line;
        EXPECT_TRUE(o.error().contains(QLatin1String(c.mentions)))
            << c.line << ": " << o.error().toStdString();
    }
    EXPECT_TRUE(parse(QStringLiteral("--pty --help")).help());
    EXPECT_TRUE(parse(QStringLiteral("-v")).version());
    EXPECT_TRUE(DevsimOptions::usage().contains(QLatin1String("--disconnect-after")));
    EXPECT_TRUE(DevsimOptions::usage().contains(QLatin1String("--line-rate")));
}
