// The same open / write / receive / close expectations against each of the three real links,
// so that the driver can treat them alike.
#include <gtest/gtest.h>

#include <memory>

#include "LinkTestPeers.h"
#include "SerialLink.h"
#include "TcpLink.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::test;

namespace
{

// One real link wired to a scripted peer.
struct LinkHarness {
    virtual ~LinkHarness() = default;
    virtual DeviceLink& link() = 0;
    // Opens the link and waits until the peer can talk to it.
    virtual bool openAndWait() { return link().open(); }
    virtual void peerSend(const QByteArray& bytes) = 0;
    // Everything the peer has received so far.
    virtual QByteArray peerReceived() = 0;
    bool reportsPeerAddress = false;
};

struct SerialHarness : LinkHarness {
    SerialHarness() { port.setPortName(pty.slavePath()); }
    DeviceLink& link() override { return port; }
    void peerSend(const QByteArray& bytes) override { pty.send(bytes); }
    QByteArray peerReceived() override { return received += pty.readAvailable(); }
    PtyPair pty;
    SerialLink port;
    QByteArray received;
};

struct UdpHarness : LinkHarness {
    UdpHarness()
    {
        reportsPeerAddress = true;
        udp.setLocalPort(0);
        udp.setRemote(QStringLiteral("127.0.0.1"), peer.port());
    }
    DeviceLink& link() override { return udp; }
    // The peer keeps sending to the last bound port, also after the link closed.
    bool openAndWait() override
    {
        const bool ok = udp.open();
        bound = udp.boundPort();
        return ok;
    }
    void peerSend(const QByteArray& bytes) override { peer.sendTo(bound, bytes); }
    QByteArray peerReceived() override
    {
        QByteArray all;
        for (const auto& d : peer.received())
            all += d.data();
        return all;
    }
    UdpPeer peer;
    UdpLink udp;
    int bound = 0;
};

struct TcpHarness : LinkHarness {
    TcpHarness() { tcp.setRemote(QStringLiteral("127.0.0.1"), peer.port()); }
    DeviceLink& link() override { return tcp; }
    bool openAndWait() override
    {
        const int before = peer.accepted();
        return tcp.open() && peer.waitForClient(before + 1) && waitFor([&] { return tcp.isConnected(); });
    }
    void peerSend(const QByteArray& bytes) override { peer.client(peer.accepted() - 1)->write(bytes); }
    QByteArray peerReceived() override
    {
        QByteArray all;
        for (int i = 0; i < peer.accepted(); ++i)
            all += peer.readFrom(i);
        return all;
    }
    TcpPeer peer;
    TcpLink tcp;
};

enum class Kind { Serial, Udp, Tcp };
const char* const KindNames[] = {"Serial", "Udp", "Tcp"};

class LinkConformance : public ::testing::TestWithParam<Kind>
{
  protected:
    void SetUp() override
    {
        if (GetParam() == Kind::Serial)
            harness = std::make_unique<SerialHarness>();
        else if (GetParam() == Kind::Udp)
            harness = std::make_unique<UdpHarness>();
        else
            harness = std::make_unique<TcpHarness>();
        QObject::connect(&harness->link(), &DeviceLink::received,
                         [this](const QByteArray& d, const QString& address, int port) {
                             received += d;
                             if (harness->reportsPeerAddress) {
                                 EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
                                 EXPECT_GT(port, 0);
                             } else {
                                 EXPECT_TRUE(address.isEmpty());
                                 EXPECT_EQ(port, 0);
                             }
                         });
        QObject::connect(&harness->link(), &DeviceLink::failed,
                         [this](const QString& m) { errors.push_back(m); });
    }
    bool openLink() { return harness->openAndWait(); }
    bool peerGot(const QByteArray& bytes)
    {
        return waitFor([&] { return harness->peerReceived().contains(bytes); });
    }

    std::unique_ptr<LinkHarness> harness;
    QByteArray received;
    std::vector<QString> errors;
};

} // namespace

TEST_P(LinkConformance, WritesOnlyWhileActive)
{
    DeviceLink& link = harness->link();
    EXPECT_FALSE(link.isActive());
    link.write(QByteArrayLiteral("early"));
    ASSERT_TRUE(openLink());
    EXPECT_TRUE(link.isActive());
    link.write(QByteArrayLiteral("?"));
    ASSERT_TRUE(peerGot(QByteArrayLiteral("?")));
    // The write made before opening never went anywhere.
    EXPECT_EQ(harness->peerReceived(), QByteArrayLiteral("?"));
    EXPECT_TRUE(errors.empty());
}

TEST_P(LinkConformance, DeliversPeerBytesUnchanged)
{
    ASSERT_TRUE(openLink());
    const QByteArray reply("DEV57\r\n#\0\xff\r\n", 12);
    harness->peerSend(reply);
    ASSERT_TRUE(waitFor([&] { return received.size() >= reply.size(); }));
    EXPECT_EQ(received, reply);
}

TEST_P(LinkConformance, CloseStopsDeliveryAndReopenWorks)
{
    DeviceLink& link = harness->link();
    ASSERT_TRUE(openLink());
    link.close();
    EXPECT_FALSE(link.isActive());
    link.close(); // closing twice is harmless
    harness->peerSend(QByteArrayLiteral("while-closed"));
    drainEvents();
    EXPECT_TRUE(received.isEmpty());
    link.write(QByteArrayLiteral("x"));

    ASSERT_TRUE(openLink());
    link.write(QByteArrayLiteral("again"));
    ASSERT_TRUE(peerGot(QByteArrayLiteral("again")));
    EXPECT_FALSE(harness->peerReceived().contains('x'));
    harness->peerSend(QByteArrayLiteral("CH3\r\n"));
    ASSERT_TRUE(waitFor([&] { return received.contains("CH3\r\n"); }));
    EXPECT_TRUE(errors.empty());
}

// A receiver may close the link from its callback: nothing more is delivered and nothing fails.
TEST_P(LinkConformance, ClosingFromTheReceiverStopsDelivery)
{
    DeviceLink& link = harness->link();
    ASSERT_TRUE(openLink());
    int deliveries = 0;
    QObject::connect(&link, &DeviceLink::received, [&](const QByteArray&, const QString&, int) {
        ++deliveries;
        link.close();
    });
    // Queued before the event loop sees any of it; more than one read's worth.
    for (int i = 0; i < 3; ++i)
        harness->peerSend(QByteArray(8192, 'x'));
    ASSERT_TRUE(waitFor([&] { return deliveries > 0; }));
    drainEvents();
    EXPECT_EQ(deliveries, 1);
    EXPECT_FALSE(link.isActive());
    EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(AllLinks, LinkConformance, ::testing::Values(Kind::Serial, Kind::Udp, Kind::Tcp),
                         [](const auto& info) { return std::string(KindNames[int(info.param)]); });
