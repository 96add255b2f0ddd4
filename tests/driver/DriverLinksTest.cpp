// The real driver over real links against a scripted device, for what the simulator cannot stage:
// a foreign UDP sender, a refusing or closing TCP peer, and a serial port that vanishes. The link
// timer is stepped by hand, so the state machine's seconds pass at once while the bytes travel.
#include <gtest/gtest.h>

#include <memory>

#include "ComPort2.h"
#include "ErrorReport.h"
#include "LinkTestPeers.h"
#include "Mirex_d.h"
#include "ReportCapture.h"
#include "TcpLink.h"
#include "TestLinks.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso::test;

namespace
{

// A driver on the real links; the raw pointers live as long as the driver.
struct RealLinkDriver {
    TComPort2* serial = new TComPort2;
    UdpLink* udp = new UdpLink;
    TcpLink* tcp = new TcpLink;
    ManualLinkTimer* timer = new ManualLinkTimer;
    std::unique_ptr<TMirex_d> driver;
    ReportCapture report;

    RealLinkDriver()
    {
        DriverLinks links;
        links.serial.reset(serial);
        links.udp.reset(udp);
        links.tcp.reset(tcp);
        links.timer.reset(timer);
        driver = std::make_unique<TMirex_d>(std::move(links));
    }
    // The driver goes first, while its reports are still captured.
    ~RealLinkDriver() { driver.reset(); }
    TMirex_d* operator->() { return driver.get(); }
    void useTcp(int port)
    {
        driver->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
        driver->setIpRemotePort(port);
        driver->setConType(CON_TCP);
    }
};

void drainEvents()
{
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

} // namespace

TEST(DriverOverRealLinks, UdpTakesOnlyTheDevicesDatagrams)
{
    UdpPeer peer;
    RealLinkDriver d;
    d->setIpLocalPort(0); // an ephemeral port, read back from the endpoint
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(peer.port());
    d->setConType(CON_UDP);
    ASSERT_TRUE(d.udp->isActive());
    const int driverPort = d.udp->boundPort();
    auto sent = [&] {
        QByteArray all;
        for (const auto& g : peer.received())
            all += g.data();
        return all;
    };
    d.timer->fire(); // declared absent, searching
    d.timer->fire(); // "?"
    ASSERT_TRUE(waitFor([&] { return sent().contains('?'); }));
    // A NUL cuts the datagram: what follows it is not parsed.
    peer.sendTo(driverPort, QByteArray("DEV57\r\n\0CH9\r\n", 13));
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == 2; }));
    EXPECT_NE(d->ICHM(), 9u);
    d.timer->fire();
    d.timer->fire(); // query-all
    ASSERT_TRUE(waitFor([&] { return sent().contains(QByteArrayLiteral("#\r\n")); }));
    peer.sendTo(driverPort, QByteArrayLiteral("CH3\r\n#\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->ICHM() == 3u; }));
    d.timer->fire();
    ASSERT_TRUE(d->Ready());

    // A foreign sender (same address, other port) floods answers that would reset or change
    // the device if they were taken.
    UdpPeer intruder;
    const int restartsBefore = d.timer->restarts;
    for (int i = 0; i < 200; ++i)
        intruder.sendTo(driverPort, QByteArrayLiteral("DEV12\r\nCH9\r\n"));
    // A marker from the device itself, sent last, shows the flood has been processed.
    peer.sendTo(driverPort, QByteArrayLiteral("HP77\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->HPOS() == 77u; }));
    EXPECT_EQ(d->ICHM(), 3u);
    EXPECT_EQ(d->DEV(), 57u);
    EXPECT_TRUE(d->Ready());
    EXPECT_EQ(d.timer->restarts, restartsBefore + 1); // only the marker postponed the timer
    EXPECT_TRUE(d.report.messages.empty());
}

TEST(DriverOverRealLinks, RefusingTcpPeerIsRetriedOncePerTimerStep)
{
    RealLinkDriver d;
    d.useTcp(freeTcpPort());
    // The first refusal reconnects at once; the second waits for the timer.
    ASSERT_TRUE(waitFor([&] { return d.tcp->connectAttempts() >= 2 && !d.tcp->isActive(); }));
    drainEvents();
    EXPECT_EQ(d.tcp->connectAttempts(), 2);
    for (int step = 1; step <= 3; ++step) {
        d.timer->fire();
        ASSERT_TRUE(waitFor([&] { return !d.tcp->isActive(); }));
        drainEvents();
        EXPECT_EQ(d.tcp->connectAttempts(), 2 + step);
    }
    EXPECT_FALSE(d->Connected());
    EXPECT_TRUE(d.report.messages.empty()); // TCP errors are silent
}

TEST(DriverOverRealLinks, TcpPeerClosingIsFollowedByOneReconnect)
{
    TcpPeer peer;
    RealLinkDriver d;
    d.useTcp(peer.port());
    ASSERT_TRUE(peer.waitForClient());
    ASSERT_TRUE(waitFor([&] { return d.tcp->isConnected(); }));
    peer.client(0)->disconnectFromHost();
    ASSERT_TRUE(peer.waitForClient(2));
    ASSERT_TRUE(waitFor([&] { return d.tcp->isConnected(); }));
    drainEvents();
    EXPECT_EQ(peer.accepted(), 2);
    EXPECT_EQ(d->LinkState(), 0); // detection starts again
}

TEST(DriverOverRealLinks, VanishingSerialPortRestartsDetectionAndCanBeReopened)
{
    auto pty = std::make_unique<PtyPair>();
    ASSERT_TRUE(pty->valid());
    RealLinkDriver d;
    d->setPort(pty->slavePath());
    EXPECT_EQ(d.serial->ReceiveMode(), rmRAW);
    d.timer->fire();
    d.timer->fire();
    QByteArray written;
    ASSERT_TRUE(pty->waitForWritten(QByteArrayLiteral("?"), written));
    pty->send(QByteArrayLiteral("DEV58\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == 2; }));
    d.timer->fire();
    ASSERT_TRUE(d->Connected());

    pty->closeMaster();
    ASSERT_TRUE(waitFor([&] { return !d.serial->Opened(); }));
    drainEvents();
    EXPECT_EQ(d->LinkState(), 0);
    ASSERT_EQ(d.report.messages.size(), 1u); // the user is told once
    d.timer->fire();
    EXPECT_FALSE(d->Connected());

    PtyPair replacement;
    d->setPort(replacement.slavePath());
    EXPECT_TRUE(d.serial->Opened());
    d.timer->fire(); // "?"
    ASSERT_TRUE(replacement.waitForWritten(QByteArrayLiteral("?"), written));
}
