// The TCP client against scripted peers on 127.0.0.1, beyond what LinkConformanceTest checks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "LinkTestPeers.h"
#include "TcpLink.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::test::drainEvents;
using tesso::test::freeTcpPort;
using tesso::test::TcpPeer;
using tesso::test::waitFor;

namespace
{

class TcpLinkTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        link.setRemote(QStringLiteral("127.0.0.1"), peer.port());
        QObject::connect(&link, &DeviceLink::received,
                         [this](const QByteArray& d, const QString&, int) { chunks.push_back(d); });
        QObject::connect(&link, &DeviceLink::connected, [this] { ++connects; });
        QObject::connect(&link, &DeviceLink::failed, [this](const QString& m) { errors.push_back(m); });
    }
    QByteArray received() const
    {
        QByteArray all;
        for (const auto& c : chunks)
            all += c;
        return all;
    }
    TcpPeer peer;
    TcpLink link;
    std::vector<QByteArray> chunks;
    std::vector<QString> errors;
    int connects = 0;
};

} // namespace

TEST_F(TcpLinkTest, OneConnectInFlightAtMostAndNoneWithoutARemote)
{
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.isActive()); // connecting counts as active
    EXPECT_TRUE(link.open());
    ASSERT_TRUE(waitFor([&] { return connects == 1 && link.isConnected(); }));
    EXPECT_TRUE(link.open());
    drainEvents();
    EXPECT_EQ(link.connectAttempts(), 1);
    EXPECT_EQ(peer.accepted(), 1);

    TcpLink unset;
    unset.setRemote(QString(), 10500);
    EXPECT_FALSE(unset.open());
    unset.setRemote(QStringLiteral("127.0.0.1"), 0);
    EXPECT_FALSE(unset.open());
    EXPECT_EQ(unset.connectAttempts(), 0);
}

TEST_F(TcpLinkTest, RefusedConnectIsReportedOnceFromTheEventLoopUnlessClosedOrDestroyedFirst)
{
    link.setRemote(QStringLiteral("127.0.0.1"), freeTcpPort());
    ASSERT_TRUE(link.open());
    link.close();
    EXPECT_FALSE(link.isActive());
    auto doomed = std::make_unique<TcpLink>();
    QObject::connect(doomed.get(), &DeviceLink::failed,
                     [this](const QString& m) { errors.push_back("destroyed: " + m); });
    doomed->setRemote(QStringLiteral("127.0.0.1"), freeTcpPort());
    ASSERT_TRUE(doomed->open());
    doomed.reset();
    drainEvents();
    EXPECT_TRUE(errors.empty());

    ASSERT_TRUE(link.open());
    EXPECT_TRUE(errors.empty()); // not from inside open()
    ASSERT_TRUE(waitFor([&] { return !errors.empty(); }));
    drainEvents();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(link.isActive());
    EXPECT_EQ(connects, 0);
}

TEST_F(TcpLinkTest, RemoteCloseIsReportedOnce)
{
    ASSERT_TRUE(link.open());
    ASSERT_TRUE(peer.waitForClient());
    peer.client()->write(QByteArrayLiteral("CH3\r\n"));
    peer.client()->disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return !errors.empty(); }));
    drainEvents();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(link.isActive());
    EXPECT_EQ(received(), QByteArrayLiteral("CH3\r\n")); // data sent before the close still arrived
    ASSERT_TRUE(link.open());
    ASSERT_TRUE(peer.waitForClient(2));
}

TEST_F(TcpLinkTest, LargeBurstArrivesInChunksOfAtMost8192Bytes)
{
    ASSERT_TRUE(link.open());
    ASSERT_TRUE(peer.waitForClient());
    QByteArray burst;
    for (int i = 0; burst.size() < 100000; ++i)
        burst += QByteArray::number(i) + ',';
    peer.client()->write(burst);
    // Bytes Qt already holds are never signalled again, so a reader that stops early stalls here.
    ASSERT_TRUE(waitFor([&] { return received().size() >= burst.size(); }));
    EXPECT_EQ(received(), burst);
    for (const auto& c : chunks) {
        EXPECT_LE(c.size(), TcpLink::ChunkSize);
        EXPECT_FALSE(c.isEmpty());
    }
}
