// The hub between the real driver and the simulated device: many clients at once, byte by byte,
// and a device that goes away under them and comes back.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QTcpSocket>

#include "DeviceDriver.h"
#include "DeviceHub.h"
#include "SimDevice.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;
using tesso::test::waitFor;

namespace
{

std::unique_ptr<QTcpSocket> connectClient(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(socket->waitForConnected(5000));
    return socket;
}

struct SharedDevice {
    std::unique_ptr<tesso::sim::SimServer> sim = std::make_unique<tesso::sim::SimServer>();
    DeviceDriver driver;
    DeviceHub hub{driver};

    SharedDevice()
    {
        HubOptions options;
        options.port = 0;
        EXPECT_FALSE(hub.start(options).has_value());
    }
    // Over the pseudo-terminal, connected at once (no detection needed for forwarding).
    bool openPty()
    {
        if (!sim->openPty())
            return false;
        driver.setSerialPort(sim->ptyPath());
        driver.setForcedConnection(true);
        return waitFor([&] { return driver.isConnected(); });
    }
};

int count(const QByteArray& text, const QByteArray& what)
{
    return static_cast<int>(text.count(what));
}

} // namespace

TEST(HubAgainstSim, TwoClientsSendingAThousandSetsByteByByteAtOnceAreNeitherCutNorMerged)
{
    SharedDevice d;
    ASSERT_TRUE(d.openPty());
    auto a = connectClient(d.hub.port());
    auto b = connectClient(d.hub.port());
    ASSERT_TRUE(waitFor([&] { return d.hub.clientCount() == 2; }));
    QByteArray fromA, fromB;
    for (int i = 0; i < 1000; ++i) {
        fromA += QByteArray::number(i % 256) + "B";
        fromB += QByteArray::number(255 - i % 256) + "O";
    }
    QByteArray heardA, heardB;
    const auto heard = [&] {
        heardA += a->readAll();
        heardB += b->readAll();
        return count(heardA, "COL") >= 1000 && count(heardB, "BRG") >= 1000;
    };
    for (int i = 0; i < fromA.size() || i < fromB.size(); ++i) {
        if (i < fromA.size())
            a->write(fromA.mid(i, 1));
        if (i < fromB.size())
            b->write(fromB.mid(i, 1));
        a->flush();
        b->flush();
        if (i % 64 == 0)
            heard();
    }
    ASSERT_TRUE(waitFor(heard, 30000)) << count(heardA, "COL") << " " << count(heardB, "BRG");
    const tesso::sim::SimDevice& device = d.sim->device();
    EXPECT_EQ(device.commandCount(_BRGT), 1000);
    EXPECT_EQ(device.commandCount(_COLOR), 1000);
    EXPECT_EQ(device.discardedBytes(), 0u);
    EXPECT_EQ(d.driver.BRGT(), 999u % 256);
    EXPECT_EQ(d.driver.COLOR(), 255 - 999 % 256);
    // Each client hears the other's replies as well as its own.
    EXPECT_EQ(count(heardA, "BRG"), 1000);
    EXPECT_EQ(count(heardB, "COL"), 1000);
}

TEST(HubAgainstSim, TheSeventeenthClientIsRefusedAndTheSixteenStayServed)
{
    SharedDevice d;
    ASSERT_TRUE(d.openPty());
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < HubOptions::DefaultMaxClients; ++i)
        clients.push_back(connectClient(d.hub.port()));
    ASSERT_TRUE(waitFor([&] { return d.hub.clientCount() == HubOptions::DefaultMaxClients; }));
    auto extra = connectClient(d.hub.port());
    ASSERT_TRUE(waitFor([&] { return extra->state() == QAbstractSocket::UnconnectedState; }));
    clients.back()->write("B");
    std::vector<QByteArray> heard(clients.size());
    ASSERT_TRUE(waitFor([&] {
        bool all = true;
        for (std::size_t i = 0; i < clients.size(); ++i) {
            heard[i] += clients[i]->readAll();
            all = all && heard[i].contains("BRG");
        }
        return all;
    }));
}

// The driver's own detection finds the device again; the hub only keeps its clients meanwhile.
TEST(HubAgainstSim, ClientsStayWhileTheDeviceIsGoneAndHearItAgainWhenItIsBack)
{
    SharedDevice d;
    ASSERT_TRUE(d.sim->listenTcp(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 devicePort = d.sim->tcpPort();
    d.driver.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
    d.driver.setIpRemotePort(devicePort);
    d.driver.setLinkType(LinkType::Tcp);
    d.driver.detectNow();
    ASSERT_TRUE(waitFor([&] { return d.driver.isConnected(); }, 15000));
    auto client = connectClient(d.hub.port());
    ASSERT_TRUE(waitFor([&] { return d.hub.clientCount() == 1; }));

    d.sim.reset(); // the device is gone
    ASSERT_TRUE(waitFor([&] { return !d.driver.isConnected(); }, 15000));
    client->readAll();
    client->write("?1B");
    EXPECT_FALSE(waitFor([&] { return client->bytesAvailable() > 0; }, 500)) << "nothing from a lost device";
    EXPECT_EQ(client->state(), QAbstractSocket::ConnectedState);

    d.sim = std::make_unique<tesso::sim::SimServer>();
    ASSERT_TRUE(d.sim->listenTcp(QHostAddress(QHostAddress::LocalHost), devicePort));
    ASSERT_TRUE(waitFor([&] { return d.driver.isConnected(); }, 20000));
    client->write("B");
    QByteArray heard;
    EXPECT_TRUE(waitFor([&] {
        heard += client->readAll();
        return heard.contains("BRG");
    }));
    EXPECT_EQ(d.hub.clientCount(), 1);
}

TEST(HubAgainstSim, AHundredMegabytesThatFormNoCommandCostTheOthersNothing)
{
    SharedDevice d;
    ASSERT_TRUE(d.openPty());
    auto flood = connectClient(d.hub.port());
    auto other = connectClient(d.hub.port());
    ASSERT_TRUE(waitFor([&] { return d.hub.clientCount() == 2; }));
    const QByteArray chunk(1 << 20, 'z');
    int sent = 0;
    QByteArray heard;
    ASSERT_TRUE(waitFor(
        [&] {
            if (sent < 100 && flood->bytesToWrite() < chunk.size()) {
                flood->write(chunk);
                if (++sent % 10 == 0)
                    other->write("B"); // the other client is served meanwhile
            }
            heard += other->readAll();
            return sent == 100 && flood->bytesToWrite() == 0 && heard.count("BRG") == 10;
        },
        120000))
        << sent << " MB sent, " << heard.count("BRG") << " replies heard";
    flood->write("7B");
    ASSERT_TRUE(waitFor([&] { return d.driver.BRGT() == 7u; }, 30000))
        << "the flooding client is still served";
    EXPECT_EQ(d.hub.clientCount(), 2);
    EXPECT_EQ(d.sim->device().discardedBytes(), 0u) << "none of the flood reached the device";
}
