// The UDP endpoint against scripted peers on 127.0.0.1, beyond what LinkConformanceTest checks.
#include <gtest/gtest.h>

#include <vector>

#include <QUdpSocket>

#include "LinkTestPeers.h"
#include "UdpLink.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::test::UdpPeer;
using tesso::test::waitFor;

namespace
{

struct Datagram {
    QByteArray data;
    QString address;
    int port;
};

class UdpLinkTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        link.setLocalPort(0);
        link.setRemote(QStringLiteral("127.0.0.1"), peer.port());
        QObject::connect(&link, &DeviceLink::received, [this](const QByteArray& d, const QString& a, int p) {
            got.push_back({d, a, p});
        });
        QObject::connect(&link, &DeviceLink::failed, [this](const QString& m) { errors.push_back(m); });
    }
    UdpLink link;
    UdpPeer peer;
    std::vector<Datagram> got;
    std::vector<QString> errors;
};

} // namespace

// A second program on the port would take the device's replies: the port is not shared, in
// either order, even with a program that asks to share it.
TEST_F(UdpLinkTest, APortInUseIsNotShared)
{
    QUdpSocket sharing;
    ASSERT_TRUE(sharing.bind(QHostAddress::AnyIPv4, 0,
                             QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint));
    link.setLocalPort(sharing.localPort());
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isActive());
    EXPECT_FALSE(link.errorText().isEmpty());
    EXPECT_TRUE(errors.empty());

    link.setLocalPort(0);
    ASSERT_TRUE(link.open());
    EXPECT_TRUE(link.broadcastEnabled());
    UdpLink second;
    second.setLocalPort(link.boundPort());
    EXPECT_FALSE(second.open()) << "a second endpoint on our port";
    QUdpSocket late;
    EXPECT_FALSE(late.bind(QHostAddress::AnyIPv4, static_cast<quint16>(link.boundPort()),
                           QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint));
}

// Datagrams are read in batches so that a flood cannot hold the event loop; none is lost by it.
TEST_F(UdpLinkTest, ABurstLargerThanOneBatchArrivesWhole)
{
    ASSERT_TRUE(link.open());
    const int burst = UdpLink::MaxDatagramsPerRead * 3 + 1;
    for (int i = 0; i < burst; ++i)
        peer.sendTo(link.boundPort(), QByteArray::number(i));
    ASSERT_TRUE(waitFor([&] { return got.size() >= static_cast<std::size_t>(burst); }));
    EXPECT_EQ(got.back().data, QByteArray::number(burst - 1));
}

TEST_F(UdpLinkTest, SendFailureIsReportedOncePerWrite)
{
    ASSERT_TRUE(link.open());
    link.setRemote(QStringLiteral("not-an-address"), 10500);
    link.write(QByteArrayLiteral("?"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_FALSE(errors[0].isEmpty());
    link.setRemote(QStringLiteral("127.0.0.1"), 0); // the system refuses port 0
    link.write(QByteArrayLiteral("?"));
    EXPECT_EQ(errors.size(), 2u);
}
