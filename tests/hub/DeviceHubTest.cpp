// The hub between a scripted driver and real TCP clients on 127.0.0.1.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QTcpSocket>

#include "DeviceHub.h"
#include "HubClient.h"
#include "TestLinks.h"
#include "WaitFor.h"

using namespace tesso;
using tesso::test::waitFor;

namespace
{

struct Hub {
    tesso::test::ScriptedDriver device;
    QStringList log; // before the hub, which logs while it goes
    DeviceHub hub{*device};

    explicit Hub(int maxClients = HubOptions::DefaultMaxClients)
    {
        device.connectSerial();
        device.feed("DEV57\r\n");
        device.serial->written.clear();
        QObject::connect(&hub, &DeviceHub::logged, [this](const QString& line) { log << line; });
        HubOptions options;
        options.port = 0;
        options.maxClients = maxClients;
        EXPECT_FALSE(hub.start(options).has_value());
    }

    std::unique_ptr<QTcpSocket> client()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), hub.port());
        EXPECT_TRUE(socket->waitForConnected(5000));
        return socket;
    }
    bool settle(int clients)
    {
        return waitFor([&] { return hub.clientCount() == clients; });
    }
};

QByteArray readUntil(QTcpSocket& socket, const QByteArray& end)
{
    QByteArray got;
    waitFor([&] {
        got += socket.readAll();
        return got.endsWith(end);
    });
    return got;
}

} // namespace

TEST(DeviceHub, CommandsGoWholeAndInEachClientsOrderAndRepliesReachEveryone)
{
    Hub h;
    auto a = h.client();
    auto b = h.client();
    ASSERT_TRUE(h.settle(2));
    // Byte by byte, interleaved: the device must still see whole commands.
    const QByteArray fromA = "128B x1Y\r\n", fromB = "3CN 4294967295@#\r\n";
    for (int i = 0; i < std::max(fromA.size(), fromB.size()); ++i) {
        if (i < fromA.size())
            a->write(fromA.mid(i, 1));
        if (i < fromB.size())
            b->write(fromB.mid(i, 1));
        a->flush();
        b->flush();
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written.size() == 5; }));
    QList<QByteArray> ofA, ofB;
    for (const QByteArray& w : h.device.serial->written)
        (QByteArray("128B 1Y").contains(w) ? ofA : ofB) << w;
    EXPECT_EQ(ofA, (QList<QByteArray>{"128B", "1Y"}));
    EXPECT_EQ(ofB, (QList<QByteArray>{"3CN", "4294967295@", "#\r\n"}));

    h.device.feed("BRG128\r\nCH3\r\n");
    EXPECT_EQ(readUntil(*a, "CH3\r\n"), QByteArray("BRG128\r\nCH3\r\n"));
    EXPECT_EQ(readUntil(*b, "CH3\r\n"), QByteArray("BRG128\r\nCH3\r\n"));

    // "?" is the hub's: answered from the mirror to the asker only, nothing sent to the device.
    h.device.serial->written.clear();
    a->write("?");
    EXPECT_EQ(readUntil(*a, "\r\n"), QByteArray("DEV57\r\n"));
    EXPECT_TRUE(h.device.serial->written.isEmpty());

    // One client leaving costs the other nothing.
    a->abort();
    ASSERT_TRUE(h.settle(1));
    b->write("5B");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"5B"}; }));
}

TEST(DeviceHub, DuringAnUploadOrWithoutDeviceNothingPassesAndClientsStay)
{
    Hub h;
    auto a = h.client();
    ASSERT_TRUE(h.settle(1));
    // A frame capture leaves the link to the text protocol.
    h.device.feed("FAMD1\r\nFATM0\r\n");
    readUntil(*a, "FATM0\r\n"); // every client hears the device
    h.device->setFAEXEC(1);
    h.device.serial->written.clear();
    a->write("9Y");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"9Y"}; }));

    // In transfer mode the device reads anything after the execute command as pixels: held from
    // then on, through raw mode, until the driver is back in the text protocol.
    h.device.feed("FAMD2\r\n");
    readUntil(*a, "FAMD2\r\n");
    h.device->setFAEXEC(1);
    h.device.serial->written.clear();
    a->write("1Y");
    EXPECT_EQ(readUntil(*a, "\r\n"), QByteArray(DeviceHub::BusyReply));
    h.device->setLinkMode(LinkMode::Raw);
    a->write("1Y");
    EXPECT_EQ(readUntil(*a, "\r\n"), QByteArray(DeviceHub::BusyReply));
    h.device->setLinkMode(LinkMode::Variables);
    a->write("2Y");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"2Y"}; }));
    // The same when no client spoke during raw mode: the raw data told the hub.
    h.device->setFAEXEC(1);
    h.device->setLinkMode(LinkMode::Raw);
    h.device.feed("\x11");
    h.device->setLinkMode(LinkMode::Variables);
    h.device.serial->written.clear();
    a->write("5Y");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"5Y"}; }));
    // An execute given up before raw mode puts the frame mode back, which frees the link.
    h.device->setFAEXEC(1);
    a->write("3Y");
    EXPECT_EQ(readUntil(*a, "\r\n"), QByteArray(DeviceHub::BusyReply));
    h.device->setFAMODEM_(0);
    h.device.feed("FAMD0\r\n");
    readUntil(*a, "FAMD0\r\n");
    h.device.serial->written.clear();
    a->write("4Y");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"4Y"}; }));

    // Lost: the driver sends nothing and the hub has no device code to give.
    h.device->setForcedConnection(false);
    h.device.timer->fire(); // declared absent
    ASSERT_FALSE(h.device->isConnected());
    h.device.serial->written.clear();
    a->write("3Y?");
    QCoreApplication::processEvents();
    EXPECT_FALSE(waitFor([&] { return a->bytesAvailable() > 0; }, 200));
    EXPECT_TRUE(h.device.serial->written.isEmpty());
    EXPECT_EQ(a->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(h.hub.clientCount(), 1);
}

TEST(DeviceHub, TooManyClientsAndAClientThatDoesNotReadAreLetGoAlone)
{
    Hub h(2);
    auto reader = h.client();
    auto sleeper = h.client();
    ASSERT_TRUE(h.settle(2));
    auto third = h.client();
    ASSERT_TRUE(waitFor([&] { return third->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(h.hub.clientCount(), 2);
    EXPECT_TRUE(h.log.filter(QStringLiteral("refused")).size() == 1) << h.log.join('\n').toStdString();

    // A batch larger than the bound does not cost a reading client its place.
    const QByteArray dump = QByteArray("BRG128\r\n").repeated(HubClient::OutputLimit / 4);
    h.device.feed(dump);
    qint64 got = 0;
    ASSERT_TRUE(waitFor([&] { return (got += reader->readAll().size()) >= dump.size(); }));
    EXPECT_EQ(h.hub.clientCount(), 2);

    // The sleeper never reads; the reader keeps up and keeps its place.
    sleeper->setReadBufferSize(1);
    const QByteArray burst = QByteArray("BRG128\r\n").repeated(4096);
    qint64 readerGot = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            h.device.feed(burst);
            readerGot += reader->readAll().size();
            return h.hub.clientCount() == 1;
        },
        20000))
        << h.log.join('\n').toStdString();
    EXPECT_TRUE(h.log.last().contains(QStringLiteral("does not read"))) << h.log.last().toStdString();
    h.device.feed("CH3\r\n");
    EXPECT_TRUE(readUntil(*reader, "CH3\r\n").endsWith("CH3\r\n"));
    EXPECT_GT(readerGot, HubClient::OutputLimit);
}

TEST(DeviceHub, BytesThatFormNoCommandAreDroppedAndTheClientIsKept)
{
    Hub h;
    auto a = h.client();
    ASSERT_TRUE(h.settle(1));
    a->write(QByteArray(1 << 20, 'z') + QByteArray(5000, '9') + "\x01" + "7B");
    ASSERT_TRUE(waitFor([&] { return h.device.serial->written == QList<QByteArray>{"7B"}; }, 10000));
    EXPECT_EQ(h.hub.clientCount(), 1);
}
