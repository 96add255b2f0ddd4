// The real driver (with its real serial, UDP and TCP links) against the simulated device on a
// pseudo-terminal, 127.0.0.1 TCP or 127.0.0.1 UDP, with the driver's link timer run 20 times faster
// so that the state machine keeps its order and proportions: detection, the query-all dump, Ready,
// keep-alive, a command round trip, a lost device, and what the text-mode fault options do to the
// driver (a dropped TCP connection is CliEndToEnd's dump and the fault scenarios'; the frame
// transfer's abort code is UploadFaults').

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <QTimer>

#include "DeviceDriver.h"
#include "ReportCapture.h"
#include "SerialLink.h"
#include "SimServer.h"
#include "TcpLink.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::sim;
using tesso::test::waitFor;

namespace
{

constexpr int Faster = 20;
// 3 s + 2 s + 2 s + 2 s of the driver's time to Ready is under half a second here; leave room.
constexpr int Deadline = 5000;

// One plain value stands for all (each reply mnemonic is DriverProtocol's); the addresses and the port
// need their selector's lines in order, through noise and pieces.
void expectDumpLoaded(DeviceDriver& d)
{
    EXPECT_EQ(d.DEV(), 57u);
    EXPECT_EQ(d.ICHM(), 1u);
    EXPECT_EQ(d.LOCAL_IP(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(d.REMOTE_IP(), QStringLiteral("192.168.0.1"));
    EXPECT_EQ(d.GATEWAY_IP(), QStringLiteral("192.168.0.254"));
    EXPECT_EQ(d.LOCAL_PORT(), 10500);
    EXPECT_EQ(d.NETMASK(), QStringLiteral("255.255.255.0"));
    EXPECT_TRUE(d.Queryall());
}

// A QTimer whose intervals are those the driver asks for, divided by Faster.
class ScaledLinkTimer : public LinkTimer
{
  public:
    ScaledLinkTimer() { connect(&m_timer, &QTimer::timeout, this, &LinkTimer::timeout); }
    void restart(int milliseconds) override
    {
        m_interval = milliseconds;
        m_timer.start(std::max(1, milliseconds / Faster));
    }
    int interval() const override { return m_interval; }

  private:
    QTimer m_timer;
    int m_interval = 0;
};

enum class Link { Pty, Tcp, Udp };

const char* linkName(Link link)
{
    return link == Link::Pty ? "Pty" : link == Link::Tcp ? "Tcp" : "Udp";
}

struct SimAndDriver {
    SimServer sim;
    std::unique_ptr<DeviceDriver> driver;
    tesso::test::ReportCapture report;

    SimAndDriver()
    {
        DriverLinks links;
        links.serial = std::make_unique<SerialLink>();
        links.udp = std::make_unique<UdpLink>();
        links.tcp = std::make_unique<TcpLink>();
        links.timer = std::make_unique<ScaledLinkTimer>();
        driver = std::make_unique<DeviceDriver>(std::move(links));
        sim.device().setStoreTiming(-1, 0);
    }
    // The driver goes first, while its reports are still captured.
    ~SimAndDriver() { driver.reset(); }

    // Opens the simulator's side and points the driver at it; false when a side cannot open.
    bool connect(Link link)
    {
        const QHostAddress loopback(QHostAddress::LocalHost);
        if (link == Link::Pty) {
            if (!sim.openPty())
                return false;
            driver->setSerialPort(sim.ptyPath());
            return driver->serialPort() == sim.ptyPath();
        }
        if (!(link == Link::Tcp ? sim.listenTcp(loopback, 0) : sim.bindUdp(loopback, 0)))
            return false;
        driver->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
        driver->setIpRemotePort(link == Link::Tcp ? sim.tcpPort() : sim.udpPort());
        driver->setIpLocalPort(0); // an ephemeral port: the simulator answers the last sender
        driver->setLinkType(link == Link::Tcp ? LinkType::Tcp : LinkType::Udp);
        return true;
    }

    SimDevice& device() { return sim.device(); }
    DeviceDriver& drv() { return *driver; }
};

class DriverAgainstSim : public ::testing::TestWithParam<Link>
{
};

} // namespace

// Through noise between replies, replies cut into pieces and late replies.
TEST_P(DriverAgainstSim, DetectsLoadsBecomesReadyKeepsAliveAndNoticesSilence)
{
    SimAndDriver t;
    t.device().setNoise(6);
    t.device().setChunking(5, 1);
    t.device().setReplyDelay(20);
    ASSERT_TRUE(t.connect(GetParam()));
    ASSERT_TRUE(waitFor([&] { return t.drv().isReady(); }, 4 * Deadline));
    EXPECT_TRUE(t.drv().isConnected());
    EXPECT_EQ(t.device().commandCount(_DIESE), 1) << "one query-all per connection";
    expectDumpLoaded(t.drv());

    // Keep-alive: "?" keeps coming and the driver stays ready.
    const int asked = t.device().commandCount(_DEV);
    ASSERT_TRUE(waitFor([&] { return t.device().commandCount(_DEV) >= asked + 3; }, Deadline));
    EXPECT_TRUE(t.drv().isReady());

    // A command round trip: select input 5 and see it on air, the take ended.
    t.drv().setICHNM(5);
    ASSERT_TRUE(waitFor([&] { return t.drv().ICHM() == 5u && t.drv().TAKEEVA(); }, Deadline));

    // Silence: the missing keep-alive answer makes the device lost.
    t.device().setSilenceAfter(t.device().repliesSent());
    ASSERT_TRUE(waitFor([&] { return !t.drv().isConnected(); }, Deadline));
    EXPECT_FALSE(t.drv().isReady());
    EXPECT_EQ(t.drv().DEV(), 0u);
    EXPECT_TRUE(t.report.messages.empty()) << t.report.messages.front().toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryLink, DriverAgainstSim, ::testing::Values(Link::Pty, Link::Tcp, Link::Udp),
                         [](const auto& info) { return std::string(linkName(info.param)); });
