// The link state machine, driven step by step through a manual timer, and the link setters.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ReportCapture.h"
#include "TestLinks.h"

using namespace tesso;

namespace
{

using namespace tesso::test;

class StateMachine : public ::testing::Test
{
  protected:
    ScriptedDriver d;
    std::vector<std::string> events;

    void SetUp() override
    {
        d.serial->active = true;
        DeviceDriver* driver = d.driver.get();
        QObject::connect(driver, &DeviceDriver::connectedChanged, [this](bool connected) {
            EXPECT_EQ(connected, d->isConnected());
            events.push_back(connected ? "connected" : "disconnected");
        });
        QObject::connect(driver, &DeviceDriver::readyChanged, [this](bool ready) {
            EXPECT_EQ(ready, d->isReady());
            events.push_back(ready ? "ready" : "not ready");
        });
        QObject::connect(driver, &DeviceDriver::variableReported, [this](tVAR variable, quint32 value) {
            if (variable == _DEV)
                events.push_back("dev" + std::to_string(value));
        });
    }
    void step() { d.timer->fire(); }
    QByteArray takeSent()
    {
        QByteArray all = d.serial->allWritten();
        d.serial->written.clear();
        return all;
    }
};

// Where each step leads and what it sends; the same run at the driver's own pace, over real links,
// is DriverAgainstSim's. The step delays belong to the state table, only arrivals putting the next
// step off is checked.
TEST_F(StateMachine, DetectsLoadsAndKeepsTheDeviceAlive)
{
    step();
    EXPECT_EQ(events, (std::vector<std::string>{"not ready", "disconnected", "dev0"}));
    step();
    step();
    EXPECT_EQ(takeSent(), QByteArray("??")) << "detection polls every step";
    events.clear();

    d.feed("DEV57\r\n");
    step();
    EXPECT_TRUE(d->isConnected());
    step();
    EXPECT_EQ(takeSent(), QByteArray("#\r\n"));

    d.timer->current = 0;
    d.feed("CH1\r\n");
    EXPECT_EQ(d.timer->interval(), 2000) << "every arrival postpones the next step";
    step();
    EXPECT_TRUE(d->isReady());
    step();
    EXPECT_EQ(takeSent(), QByteArray("?"));
    EXPECT_EQ(d->linkState(), LinkState::AwaitingReply);
    d.feed("DEV57\r\n");
    EXPECT_EQ(d->linkState(), LinkState::Idle);

    step();
    // Other data put the absence step off too, but do not answer the keep-alive.
    d.timer->current = 0;
    d.feed("CH1\r\n");
    EXPECT_EQ(d.timer->interval(), 2000);
    EXPECT_EQ(d->linkState(), LinkState::AwaitingReply);
    events.clear();
    step(); // no answer to the keep-alive
    EXPECT_EQ(d->linkState(), LinkState::Reset);
    step();
    EXPECT_FALSE(d->isConnected());
    EXPECT_FALSE(d->isReady());
    EXPECT_EQ(d->DEV(), 0u);
    EXPECT_EQ(events, (std::vector<std::string>{"not ready", "disconnected", "dev0"}));
}

TEST_F(StateMachine, UnknownDeviceCodeIsNeverConnected)
{
    step();
    d.feed("DEV12\r\n");
    EXPECT_EQ(d->linkState(), LinkState::Reset);
    step();
    EXPECT_FALSE(d->isConnected());
    EXPECT_EQ(d->linkState(), LinkState::Searching) << "detection goes on";
}

TEST_F(StateMachine, ForcedConnectionSkipsDetectionAndKeepAlive)
{
    d->setForcedConnection(true);
    EXPECT_EQ(d->linkState(), LinkState::Found);
    for (int i = 0; i < 8; ++i)
        step();
    EXPECT_TRUE(d->isConnected());
    EXPECT_TRUE(d->isReady());
    EXPECT_EQ(takeSent(), QByteArray("#\r\n")) << "no '?' at all";

    d->setForcedConnection(true); // the same value again does not start over
    EXPECT_NE(d->linkState(), LinkState::Found);
    d->setForcedConnection(false);
    EXPECT_EQ(d->linkState(), LinkState::Reset);
    step();
    EXPECT_FALSE(d->isConnected());

    // In raw mode not even the query-all goes out: the line belongs to the frame transfer.
    d->setLinkMode(LinkMode::Raw);
    d->setForcedConnection(true);
    for (int i = 0; i < 4; ++i)
        step();
    EXPECT_TRUE(d->isReady());
    EXPECT_EQ(takeSent(), QByteArray());
}

// ---- Receive paths ------------------------------------------------------------------------------

TEST(ReceivePaths, RawSerialDataWaitToBeTaken)
{
    ScriptedDriver d;
    d->setLinkMode(LinkMode::Raw);
    int raw = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::rawDataArrived, [&] { ++raw; });
    d.feed("CH3\r\n\x1b\x11");
    EXPECT_EQ(raw, 1);
    EXPECT_EQ(d->ICHM(), 0u);
    EXPECT_EQ(d->takeRawData(), QByteArray("CH3\r\n\x1b\x11"));
    EXPECT_EQ(d->takeRawData(), QByteArray());
    d.feed("left");
    d->setLinkMode(LinkMode::Variables);
    d.feed("CH");
    EXPECT_EQ(d->takeRawData(), QByteArray()) << "text is not handed out as raw data";
    d.feed("2\r\n");
    EXPECT_EQ(d->ICHM(), 2u) << "raw bytes left unread are dropped; a line cut in two is kept";
}

TEST(ReceivePaths, NetworkBytesAreParsedInBothModesCutAtNulAndTakenOnlyFromTheChosenDevice)
{
    QByteArray big(9000, 'x'); // only the first 8192 bytes of a datagram count
    big.replace(8185, 7, "\r\nCH5\r\n");
    big.replace(8192, 5, "CH6\r\n");
    const struct {
        const char* name;
        LinkType chosen;
        std::shared_ptr<LinkRecord> TestLinks::*from;
        const char *remote, *peer;
        int peerPort;
        QByteArray bytes;
        unsigned channel;
    } cases[] = {
        {"serial while UDP is chosen", LinkType::Udp, &TestLinks::serial, "127.0.0.1", "", 0, "CH3\r\n", 0},
        {"UDP from another port", LinkType::Udp, &TestLinks::udp, "127.0.0.1", "127.0.0.1", 4001, "CH1\r\n",
         0},
        {"UDP from another address", LinkType::Udp, &TestLinks::udp, "127.0.0.1", "127.0.0.2", 4000,
         "CH2\r\n", 0},
        {"UDP sent to broadcast", LinkType::Udp, &TestLinks::udp, "255.255.255.255", "127.0.0.1", 4000,
         "CH1\r\n", 0},
        {"UDP", LinkType::Udp, &TestLinks::udp, "127.0.0.1", "127.0.0.1", 4000,
         QByteArray("CH3\r\n\0CH4\r\n", 11), 3},
        {"UDP, long datagram", LinkType::Udp, &TestLinks::udp, "127.0.0.1", "127.0.0.1", 4000, big, 5},
        {"TCP", LinkType::Tcp, &TestLinks::tcp, "127.0.0.1", "", 0, QByteArray("CH4\r\n\0CH5\r\n", 11), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDriver d;
        d->setLinkType(c.chosen);
        d->setIpRemoteAddress(QLatin1String(c.remote));
        d->setIpRemotePort(4000);
        d->setLinkMode(LinkMode::Raw);
        d.timer->fire(); // searching: what is taken postpones the next step, what is refused must not
        const int restarts = d.timer->restarts;
        (d.*c.from)->deliver(c.bytes, QLatin1String(c.peer), c.peerPort);
        EXPECT_EQ(d->ICHM(), c.channel);
        EXPECT_EQ(d.timer->restarts - restarts, c.channel ? 1 : 0);
        EXPECT_TRUE(d->takeRawData().isEmpty()); // raw serial bytes would wait here
    }
}

// ---- Link setters -------------------------------------------------------------------------------

TEST(LinkSetters, ConTypeSwitchesLinksAlwaysRaisesItsEventAndPassesOnASerialFailure)
{
    ScriptedDriver d;
    int changes = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::connectionSettingChanged, [&](ConnectionSetting setting) {
        EXPECT_EQ(setting, ConnectionSetting::Type);
        ++changes;
    });
    d->setLinkType(LinkType::Serial);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(d.serial->opens, 0) << "same type: only the event";

    d.serial->active = true;
    d->setLinkType(LinkType::Udp);
    EXPECT_FALSE(d.serial->active);
    EXPECT_TRUE(d.udp->active);
    d->setLinkType(LinkType::Tcp);
    EXPECT_FALSE(d.udp->active);
    EXPECT_TRUE(d.tcp->active);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(d->linkState(), LinkState::Reset);

    // A serial port that cannot be opened: the failure reaches the caller, the choice stands.
    d.serial->throwOnOpen = true;
    EXPECT_THROW(d->setLinkType(LinkType::Serial), EComError);
    EXPECT_EQ(d->linkType(), LinkType::Serial);
    EXPECT_EQ(changes, 4);
}

TEST(LinkSetters, PortReopensAndSwallowsFailures)
{
    ScriptedDriver d;
    d->setSerialPort(QStringLiteral("COM1"));
    EXPECT_EQ(d.serial->opens, 1);
    EXPECT_EQ(d.serial->portName(), QStringLiteral("COM1"));
    d->setSerialPort(QStringLiteral("COM1"));
    EXPECT_EQ(d.serial->closes, 1) << "same name closes and reopens";
    EXPECT_EQ(d.serial->opens, 2);

    d.serial->throwOnOpen = true;
    d->setSerialPort(QStringLiteral("COM9"));
    EXPECT_EQ(d->serialPort(), QString());
    EXPECT_EQ(d.serial->portName(), QString());

    ScriptedDriver udp;
    udp->setLinkType(LinkType::Udp);
    udp->setSerialPort(QStringLiteral("COM2"));
    EXPECT_EQ(udp.serial->opens, 0) << "only stored while another link is chosen";
    EXPECT_EQ(udp->serialPort(), QStringLiteral("COM2"));
}

TEST(LinkSetters, IpSettersRestartTheActiveLinkOnlyWhenTheValueChanges)
{
    ScriptedDriver d;
    d->setLinkType(LinkType::Tcp);
    int addressEvents = 0, portEvents = 0, localEvents = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::connectionSettingChanged, [&](ConnectionSetting setting) {
        addressEvents += setting == ConnectionSetting::RemoteAddress;
        portEvents += setting == ConnectionSetting::RemotePort;
        localEvents += setting == ConnectionSetting::LocalPort;
    });
    const int opens = d.tcp->opens;
    d->setIpRemoteAddress(QStringLiteral("192.168.0.10"));
    d->setIpRemotePort(10500);
    EXPECT_EQ(d.tcp->opens, opens);
    EXPECT_EQ(addressEvents, 1);
    EXPECT_EQ(portEvents, 1);

    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(d.tcp->opens, opens + 1);
    EXPECT_EQ(d.tcp->remoteAddress, QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(9000);
    EXPECT_EQ(d.tcp->remotePort, 9000);
    EXPECT_EQ(d.tcp->opens, opens + 2);

    d->setIpLocalPort(9001);
    EXPECT_EQ(d.udp->localPort, 9001);
    EXPECT_EQ(d.udp->opens, 0) << "the UDP endpoint is only re-bound, not opened, under TCP";
    EXPECT_EQ(localEvents, 1);
}

TEST(LinkSetters, AUdpBindFailureIsShownWithItsPort)
{
    ReportCapture capture;
    {
        ScriptedDriver d;
        std::vector<std::string> failures;
        QObject::connect(d.driver.get(), &DeviceDriver::linkFailed, [&](LinkType link, const QString& m) {
            failures.push_back(std::to_string(static_cast<int>(link)) + ":" + m.toStdString());
        });
        d.udp->failOpen = true;
        d->setLinkType(LinkType::Udp);
        EXPECT_FALSE(d.udp->active);
        EXPECT_EQ(d.udp->closes, 1);
        ASSERT_EQ(capture.messages.size(), 1);
        EXPECT_TRUE(capture.messages[0].contains(QStringLiteral("UDP port 10500")))
            << capture.messages[0].toStdString();
        EXPECT_EQ(failures, std::vector<std::string>{"1:" + capture.messages[0].toStdString()});
    }
    EXPECT_EQ(capture.messages.size(), 1);
}

TEST(LinkSetters, FailedUdpSendsKeepTheEndpointAndAreShownOncePerOutage)
{
    ReportCapture capture;
    ScriptedDriver d;
    int failures = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::linkFailed, [&] { ++failures; });
    d->setLinkType(LinkType::Udp);
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    const int opens = d.udp->opens;
    for (int i = 0; i < 3; ++i)
        emit d.udp->link->failed(QStringLiteral("Network unreachable"));
    EXPECT_TRUE(d.udp->active) << "the endpoint is kept";
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(capture.messages, QStringList{QStringLiteral("Network unreachable")}) << "shown once";

    d.udp->deliver("DEV57\r\n", QStringLiteral("127.0.0.1"), 10500); // the network is back
    emit d.udp->link->failed(QStringLiteral("Network unreachable"));
    EXPECT_EQ(capture.messages.size(), 2) << "a new outage is shown again";

    d.udp->active = false; // an endpoint lost with the send
    emit d.udp->link->failed(QStringLiteral("Network unreachable"));
    d.timer->fire();
    EXPECT_EQ(d.udp->opens, opens + 1) << "bound again at the next step";
    EXPECT_TRUE(d.udp->active);
}

TEST(LinkSetters, RefusingTcpPeerIsRetriedOncePerTimerStep)
{
    ScriptedDriver d;
    d->setLinkType(LinkType::Tcp);
    const int opens = d.tcp->opens;
    emit d.tcp->link->failed(QStringLiteral("Connection refused"));
    EXPECT_EQ(d.tcp->opens, opens + 1) << "the first failure reconnects at once";
    for (int i = 0; i < 5; ++i)
        emit d.tcp->link->failed(QStringLiteral("Connection refused"));
    EXPECT_EQ(d.tcp->opens, opens + 1) << "further failures wait for the link timer";
    d.timer->fire();
    EXPECT_EQ(d.tcp->opens, opens + 2);
    d.timer->fire();
    EXPECT_EQ(d.tcp->opens, opens + 2) << "one attempt per failure, not per step";
    emit d.tcp->link->failed(QStringLiteral("Connection refused"));
    d.timer->fire();
    EXPECT_EQ(d.tcp->opens, opens + 3);

    emit d.tcp->link->connected();
    emit d.tcp->link->failed(QStringLiteral("Remote host closed"));
    EXPECT_EQ(d.tcp->opens, opens + 4) << "after a success the next failure reconnects at once again";
}

} // namespace
