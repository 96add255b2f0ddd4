// The simulator's links over loopback and pseudo-terminals, with raw clients of the tests' own:
// TCP (one client at a time), a new pseudo-terminal with its symbolic link, and an existing serial
// device with the baud switch. UDP answers the last sender, as DriverAgainstSim's UDP run needs.

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "LinkTestPeers.h"
#include "SimSerialLink.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::sim::SimSerialLink;
using tesso::sim::SimServer;
using tesso::test::waitFor;

namespace
{

const QHostAddress Loopback(QHostAddress::LocalHost);

// Reads a file descriptor without blocking until `expected` has arrived or the deadline passes.
QByteArray readUntil(int fd, const QByteArray& expected)
{
    QByteArray got;
    waitFor([&] {
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, int(n));
        return got.contains(expected);
    });
    return got;
}

int openRaw(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

} // namespace

TEST(SimLinks, TcpServesOneClientAtATimeAndANewClientReplacesTheOld)
{
    SimServer server;
    server.device().setStoreTiming(-1, 0);
    ASSERT_TRUE(server.listenTcp(Loopback, 0));
    ASSERT_NE(server.tcpPort(), 0);

    QTcpSocket first;
    first.connectToHost(Loopback, server.tcpPort());
    ASSERT_TRUE(waitFor([&] { return first.state() == QAbstractSocket::ConnectedState; }));
    first.write("?");
    ASSERT_TRUE(waitFor([&] { return first.bytesAvailable() >= 7; }));
    EXPECT_EQ(first.readAll(), QByteArray("DEV57\r\n"));

    QTcpSocket second;
    second.connectToHost(Loopback, server.tcpPort());
    ASSERT_TRUE(waitFor([&] { return first.state() == QAbstractSocket::UnconnectedState; }))
        << "the old client is dropped";
    second.write("CC");
    ASSERT_TRUE(waitFor([&] { return second.bytesAvailable() >= 5; }));
    EXPECT_EQ(second.readAll(), QByteArray("CH1\r\n"));
}

TEST(SimLinks, PseudoTerminalAnswersOnItsSlaveAndThroughItsSymlink)
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("lumio"));
    QString slave;
    {
        SimServer server;
        server.device().setStoreTiming(-1, 0);
        ASSERT_TRUE(server.openPty());
        slave = server.ptyPath();
        EXPECT_TRUE(slave.startsWith(QStringLiteral("/dev/pts/")));
        ASSERT_TRUE(server.createPtySymlink(link));
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), slave);

        for (int round = 0; round < 2; ++round) { // a controller may come and go
            const int fd = openRaw(link);
            ASSERT_GE(fd, 0) << std::strerror(errno);
            ASSERT_EQ(::write(fd, "12", 2), 2);
            QCoreApplication::processEvents();
            ASSERT_EQ(::write(fd, "8B", 2), 2);
            EXPECT_EQ(readUntil(fd, "\r\n"), QByteArray("BRG128\r\n"));
            ::close(fd);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(link)) << "the symlink goes with the simulator";
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimLinks, ExistingSerialDeviceSwitchesTo57600ForTheFrameTransferAndBack)
{
    // An existing serial device, played by a pseudo-terminal that the test holds the master of.
    tesso::test::PtyPair line;
    ASSERT_TRUE(line.valid());
    SimServer server;
    server.device().setStoreTiming(-1, 0);
    server.device().setReadyTiming(1, 1000);
    ASSERT_TRUE(server.openSerial(line.slavePath()));
    auto* port = server.findChild<SimSerialLink*>();
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->baudRate(), 9600);

    QByteArray got;
    ASSERT_TRUE(line.send("2fM0fT1fX"));
    ASSERT_TRUE(line.waitForWritten("\x1b\x11", got));
    EXPECT_TRUE(got.endsWith("FAEX1\r\n\x1b\x11"));
    EXPECT_EQ(port->baudRate(), 57600);
    ASSERT_TRUE(line.send("\x1b\x18")); // cancel
    ASSERT_TRUE(waitFor([&] { return port->baudRate() == 9600; }));
    ASSERT_TRUE(line.send("?"));
    EXPECT_TRUE(line.waitForWritten("DEV57\r\n", got)) << "answers at 9600 again";
}
