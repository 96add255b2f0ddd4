// The pseudo-terminal paced to its line: the simulator reads the speed a controller sets on the
// terminal (with QSerialPort, as the driver does), and with the line rate on what crosses it
// arrives whole and in order, and never sooner than its bytes' time on the wire at that speed.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSerialPort>

#include "SimPtyLink.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::sim::SimPtyLink;
using tesso::sim::SimServer;
using tesso::test::waitFor;

namespace
{

struct Paced {
    explicit Paced(bool lineRate)
    {
        server.device().setStoreTiming(-1, 0);
        server.setLineRate(lineRate);
        port.setPortName(server.openPty() ? server.ptyPath() : QString());
        opened = port.open(QIODevice::ReadWrite);
    }
    // What came back up to `end`, and the nanoseconds from the send.
    std::pair<QByteArray, qint64> roundTrip(const QByteArray& bytes, const QByteArray& end)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        port.write(bytes);
        waitFor([&] { return (got += port.readAll()).endsWith(end); });
        return {got, clock.nsecsElapsed()};
    }
    SimServer server;
    QSerialPort port;
    bool opened = false;
};

qint64 wireNs(qsizetype bytes, int baud)
{
    return qint64(bytes) * 10 * 1'000'000'000 / baud;
}

} // namespace

TEST(LineRate, TheSimulatorReadsTheSpeedTheControllerSets)
{
    Paced p(true);
    ASSERT_TRUE(p.opened);
    const auto* pty = p.server.findChild<SimPtyLink*>();
    EXPECT_EQ(pty->baudRate(), 9600) << "as the terminal was made";
    for (int baud : {57600, 9600, 115200}) {
        ASSERT_TRUE(p.port.setBaudRate(baud));
        EXPECT_EQ(pty->baudRate(), baud);
    }
}

TEST(LineRate, WhatCrossesArrivesWholeAndNeverSoonerThanTheWireAllows)
{
    Paced paced(true);
    Paced free(false);
    ASSERT_TRUE(paced.opened && free.opened);

    // Spaces end no command and are dropped; the answer comes once all of them are in.
    const QByteArray command = QByteArray(95, ' ') + "?";
    ASSERT_TRUE(paced.port.setBaudRate(9600));
    const auto [answer, answerNs] = paced.roundTrip(command, "\r\n");
    EXPECT_EQ(answer, QByteArray("DEV57\r\n"));
    EXPECT_GE(answerNs, wireNs(command.size() + answer.size(), 9600));

    ASSERT_TRUE(paced.port.setBaudRate(57600));
    const auto [dump, dumpNs] = paced.roundTrip("#\r\n", "#1\r\n");
    EXPECT_EQ(dump, free.roundTrip("#\r\n", "#1\r\n").first) << "pacing changes nothing but the time";
    EXPECT_GE(dumpNs, wireNs(3 + dump.size(), 57600));
}
