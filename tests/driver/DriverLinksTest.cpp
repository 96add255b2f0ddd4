// The real driver over each real link against a scripted device: pseudo-terminal, 127.0.0.1 TCP
// and 127.0.0.1 UDP. The link timer is stepped by hand, so the state machine's seconds pass at
// once while the bytes really travel.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ComPort2.h"
#include "ErrorReport.h"
#include "LinkTestPeers.h"
#include "Mirex_d.h"
#include "ReportCapture.h"
#include "TcpLink.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso::test;

namespace
{

class SteppedLinkTimer : public LinkTimer
{
  public:
    void restart(int milliseconds) override
    {
        m_interval = milliseconds;
        ++restarts;
    }
    int interval() const override { return m_interval; }
    void step() { onTimeout(); }
    int restarts = 0;

  private:
    int m_interval = 0;
};

// A driver on the real links; the raw pointers live as long as the driver.
struct RealLinkDriver {
    TComPort2* serial = nullptr;
    UdpLink* udp = nullptr;
    TcpLink* tcp = nullptr;
    SteppedLinkTimer* timer = nullptr;
    std::unique_ptr<TMirex_d> driver;
    ReportCapture report;

    RealLinkDriver()
    {
        DriverLinks links;
        auto s = std::make_unique<TComPort2>();
        auto u = std::make_unique<UdpLink>();
        auto t = std::make_unique<TcpLink>();
        auto tm = std::make_unique<SteppedLinkTimer>();
        serial = s.get();
        udp = u.get();
        tcp = t.get();
        timer = tm.get();
        links.serial = std::move(s);
        links.udp = std::move(u);
        links.tcp = std::move(t);
        links.timer = std::move(tm);
        driver = std::make_unique<TMirex_d>(std::move(links));
    }
    // The driver goes first, while its reports are still captured.
    ~RealLinkDriver() { driver.reset(); }
    TMirex_d* operator->() { return driver.get(); }
};

void drainEvents()
{
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

// The device side of one link, as the detection script needs it.
struct DeviceSide {
    std::function<QByteArray()> receivedSoFar;
    std::function<void(const QByteArray&)> send;
};

// Detection with "?", the DEV57 answer, connected, query-all, a dump, ready.
void runDetectionToReady(RealLinkDriver& d, DeviceSide device)
{
    d.timer->step(); // state 0: declared absent, searching
    ASSERT_EQ(d->LinkState(), 1);
    EXPECT_FALSE(d->Connected());
    d.timer->step(); // sends "?"
    ASSERT_TRUE(waitFor([&] { return device.receivedSoFar().contains('?'); }));
    device.send(QByteArrayLiteral("DEV57\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == 2; }));
    EXPECT_EQ(d->DEV(), 57u);
    EXPECT_EQ(d.timer->interval(), 1);
    d.timer->step();
    EXPECT_TRUE(d->Connected());
    EXPECT_FALSE(d->Ready());
    d.timer->step(); // query-all
    ASSERT_TRUE(waitFor([&] { return device.receivedSoFar().contains(QByteArrayLiteral("#\r\n")); }));
    device.send(QByteArrayLiteral("CH3\r\nBRG128"));
    device.send(QByteArrayLiteral("\r\n#\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->BRGT() == 128u; }));
    EXPECT_EQ(d->ICHM(), 3u);
    EXPECT_EQ(d->LinkState(), 4);
    d.timer->step();
    EXPECT_TRUE(d->Ready());
    EXPECT_EQ(d->LinkState(), 5);
}

} // namespace

TEST(DriverOverRealLinks, SerialDetectionLoadsAndBecomesReady)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    RealLinkDriver d;
    d->setPort(pty.slavePath());
    ASSERT_TRUE(d.serial->Opened());
    EXPECT_EQ(d.serial->ReceiveMode(), rmRAW);
    QByteArray written;
    runDetectionToReady(
        d, {[&] { return written += pty.readAvailable(); }, [&](const QByteArray& b) { pty.send(b); }});
    EXPECT_TRUE(d.report.messages.empty());
}

TEST(DriverOverRealLinks, TcpDetectionLoadsAndBecomesReady)
{
    TcpPeer peer;
    RealLinkDriver d;
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(peer.port());
    d->setConType(CON_TCP);
    ASSERT_TRUE(peer.waitForClient());
    ASSERT_TRUE(waitFor([&] { return d.tcp->isConnected(); }));
    runDetectionToReady(
        d, {[&] { return peer.readFrom(0); }, [&](const QByteArray& b) { peer.client(0)->write(b); }});
    EXPECT_EQ(peer.accepted(), 1);
    EXPECT_TRUE(d.report.messages.empty());
}

TEST(DriverOverRealLinks, UdpDetectionLoadsAndIgnoresAFloodFromAnotherPort)
{
    UdpPeer peer;
    RealLinkDriver d;
    d->setIpLocalPort(0); // an ephemeral port, read back from the endpoint
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(peer.port());
    d->setConType(CON_UDP);
    ASSERT_TRUE(d.udp->isActive());
    const int driverPort = d.udp->boundPort();
    runDetectionToReady(d, {[&] {
                                QByteArray all;
                                for (const auto& g : peer.received())
                                    all += g.data();
                                return all;
                            },
                            [&](const QByteArray& b) { peer.sendTo(driverPort, b); }});

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
    EXPECT_EQ(d->LinkState(), 5);
    EXPECT_TRUE(d->Ready());
    EXPECT_EQ(d.timer->restarts, restartsBefore + 1); // only the marker postponed the timer
}

TEST(DriverOverRealLinks, RefusingTcpPeerIsRetriedOncePerTimerStep)
{
    RealLinkDriver d;
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(freeTcpPort());
    d->setConType(CON_TCP);
    // The first refusal reconnects at once; the second waits for the timer.
    ASSERT_TRUE(waitFor([&] { return d.tcp->connectAttempts() >= 2 && !d.tcp->isActive(); }));
    drainEvents();
    EXPECT_EQ(d.tcp->connectAttempts(), 2);
    for (int step = 1; step <= 3; ++step) {
        d.timer->step();
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
    d->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d->setIpRemotePort(peer.port());
    d->setConType(CON_TCP);
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
    d.timer->step();
    d.timer->step();
    QByteArray written;
    ASSERT_TRUE(pty->waitForWritten(QByteArrayLiteral("?"), written));
    pty->send(QByteArrayLiteral("DEV58\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == 2; }));
    d.timer->step();
    ASSERT_TRUE(d->Connected());

    pty->closeMaster();
    ASSERT_TRUE(waitFor([&] { return !d.serial->Opened(); }));
    drainEvents();
    EXPECT_EQ(d->LinkState(), 0);
    ASSERT_EQ(d.report.messages.size(), 1u); // the user is told once
    d.timer->step();
    EXPECT_FALSE(d->Connected());

    auto replacement = std::make_unique<PtyPair>();
    d->setPort(replacement->slavePath());
    EXPECT_TRUE(d.serial->Opened());
    d.timer->step(); // "?"
    ASSERT_TRUE(replacement->waitForWritten(QByteArrayLiteral("?"), written));
}
