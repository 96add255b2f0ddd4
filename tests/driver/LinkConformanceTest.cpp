// The same open / write / receive / close expectations against each of the three real links,
// so that the driver can treat them alike.
#include <gtest/gtest.h>

#include <memory>

#include "ComPort2.h"
#include "LinkTestPeers.h"
#include "TcpLink.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso::test;

namespace
{

// One real link wired to a scripted peer.
class LinkHarness
{
  public:
    virtual ~LinkHarness() = default;
    virtual DeviceLink& link() = 0;
    // Opens the link and waits until the peer can talk to it.
    virtual bool openAndWait() = 0;
    virtual void peerSend(const QByteArray& bytes) = 0;
    // Everything the peer has received so far.
    virtual QByteArray peerReceived() = 0;
    virtual bool reportsPeerAddress() const { return false; }
};

class SerialHarness : public LinkHarness
{
  public:
    SerialHarness()
    {
        m_port.setPortName(m_pty.slavePath());
        m_port.setRawReceive(true); // as the driver sets it
    }
    DeviceLink& link() override { return m_port; }
    bool openAndWait() override { return m_port.open(); }
    void peerSend(const QByteArray& bytes) override { m_pty.send(bytes); }
    QByteArray peerReceived() override { return m_received += m_pty.readAvailable(); }

  private:
    PtyPair m_pty;
    TComPort2 m_port;
    QByteArray m_received;
};

class UdpHarness : public LinkHarness
{
  public:
    UdpHarness()
    {
        m_link.setLocalPort(0);
        m_link.setRemote(QStringLiteral("127.0.0.1"), m_peer.port());
    }
    DeviceLink& link() override { return m_link; }
    bool openAndWait() override { return m_link.open(); }
    void peerSend(const QByteArray& bytes) override { m_peer.sendTo(m_bound, bytes); }
    QByteArray peerReceived() override
    {
        QByteArray all;
        for (const auto& d : m_peer.received())
            all += d.data();
        return all;
    }
    bool reportsPeerAddress() const override { return true; }
    // The peer keeps sending to the port bound first, also after the link closed.
    void rememberPort() { m_bound = m_link.boundPort(); }

  private:
    UdpPeer m_peer;
    UdpLink m_link;
    int m_bound = 0;
};

class TcpHarness : public LinkHarness
{
  public:
    TcpHarness() { m_link.setRemote(QStringLiteral("127.0.0.1"), m_peer.port()); }
    DeviceLink& link() override { return m_link; }
    bool openAndWait() override
    {
        const int before = m_peer.accepted();
        return m_link.open() && m_peer.waitForClient(before + 1) &&
               waitFor([&] { return m_link.isConnected(); });
    }
    void peerSend(const QByteArray& bytes) override { m_peer.client(m_peer.accepted() - 1)->write(bytes); }
    QByteArray peerReceived() override
    {
        QByteArray all;
        for (int i = 0; i < m_peer.accepted(); ++i)
            all += m_peer.readFrom(i);
        return all;
    }

  private:
    TcpPeer m_peer;
    TcpLink m_link;
};

enum class Kind { Serial, Udp, Tcp };

class LinkConformance : public ::testing::TestWithParam<Kind>
{
  protected:
    void SetUp() override
    {
        switch (GetParam()) {
        case Kind::Serial:
            harness = std::make_unique<SerialHarness>();
            break;
        case Kind::Udp:
            harness = std::make_unique<UdpHarness>();
            break;
        case Kind::Tcp:
            harness = std::make_unique<TcpHarness>();
            break;
        }
        harness->link().onReceived = [this](const QByteArray& d, const QString& address, int port) {
            received += d;
            if (harness->reportsPeerAddress()) {
                EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
                EXPECT_GT(port, 0);
            } else {
                EXPECT_TRUE(address.isEmpty());
                EXPECT_EQ(port, 0);
            }
        };
        harness->link().onError = [this](const QString& m) { errors.push_back(m); };
    }
    bool openLink()
    {
        const bool ok = harness->openAndWait();
        if (auto* udp = dynamic_cast<UdpHarness*>(harness.get()))
            udp->rememberPort();
        return ok;
    }
    bool peerGot(const QByteArray& bytes)
    {
        return waitFor([&] { return harness->peerReceived().contains(bytes); });
    }
    static void drainEvents()
    {
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
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

INSTANTIATE_TEST_SUITE_P(AllLinks, LinkConformance, ::testing::Values(Kind::Serial, Kind::Udp, Kind::Tcp),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             switch (info.param) {
                             case Kind::Serial:
                                 return "Serial";
                             case Kind::Udp:
                                 return "Udp";
                             case Kind::Tcp:
                                 return "Tcp";
                             }
                             return "Unknown";
                         });
