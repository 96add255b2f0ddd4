// The real driver over real links against a scripted device, for what the simulator cannot stage:
// a foreign UDP sender and a serial port that vanishes. The link timer is stepped by hand, so the
// state machine's seconds pass at once while the bytes travel.
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
};

} // namespace

// The driver's filter on the sender (DriverConnectionTest) against the address and port the
// real endpoint reports.
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
    d.timer->fire(); // searching: each reply taken postpones the link timer
    peer.sendTo(driverPort, QByteArrayLiteral("CH3\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->ICHM() == 3u; }));
    ASSERT_EQ(d->LinkState(), tLinkState::lsSearching);

    // A foreign sender (same address, other port) floods answers that would change the device.
    UdpPeer intruder;
    const int restartsBefore = d.timer->restarts;
    for (int i = 0; i < 200; ++i)
        intruder.sendTo(driverPort, QByteArrayLiteral("DEV12\r\nCH9\r\n"));
    // A marker from the device itself, sent last, shows the flood has been processed.
    peer.sendTo(driverPort, QByteArrayLiteral("HP77\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->HPOS() == 77u; }));
    EXPECT_EQ(d->ICHM(), 3u);
    EXPECT_EQ(d->DEV(), 0u);
    EXPECT_EQ(d.timer->restarts, restartsBefore + 1); // only the marker postponed the timer
    EXPECT_TRUE(d.report.messages.empty());
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
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == tLinkState::lsFound; }));
    d.timer->fire();
    ASSERT_TRUE(d->Connected());

    pty->closeMaster();
    ASSERT_TRUE(waitFor([&] { return !d.serial->Opened(); }));
    drainEvents();
    EXPECT_EQ(d->LinkState(), tLinkState::lsReset);
    ASSERT_EQ(d.report.messages.size(), 1u); // the user is told once
    d.timer->fire();
    EXPECT_FALSE(d->Connected());

    PtyPair replacement;
    d->setPort(replacement.slavePath());
    EXPECT_TRUE(d.serial->Opened());
    d.timer->fire(); // "?"
    ASSERT_TRUE(replacement.waitForWritten(QByteArrayLiteral("?"), written));
}
