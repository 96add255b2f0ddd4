// The tesso-devsim program as a user runs it: the lines it prints, a session over TCP (the links
// themselves are SimLinksTest's), the exit code of a usage error, and a clean exit on SIGINT and
// SIGTERM.

#include <gtest/gtest.h>

#include <csignal>

#include <QProcess>
#include <QTcpSocket>

#include "WaitFor.h"

using namespace tesso;

using tesso::test::waitFor;

namespace
{

struct Running {
    QProcess process;
    QMap<QByteArray, QByteArray> printed; // "PTY" -> path, "TCP" -> port, ...
    QList<QByteArray> order;

    bool start(const QStringList& arguments, int expectedLines)
    {
        process.start(QStringLiteral(TESSO_DEVSIM_EXE), arguments);
        if (!process.waitForStarted(5000))
            return false;
        QByteArray out;
        return waitFor([&] {
            out += process.readAllStandardOutput();
            const QList<QByteArray> lines = out.split('\n');
            if (lines.size() <= expectedLines)
                return false;
            printed.clear();
            order.clear();
            for (int i = 0; i < expectedLines; ++i) {
                const int eq = lines[i].indexOf('=');
                printed.insert(lines[i].left(eq), lines[i].mid(eq + 1));
                order << lines[i].left(eq);
            }
            return true;
        });
    }
    int stop(int signal)
    {
        ::kill(pid_t(process.processId()), signal);
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }
};

} // namespace

TEST(DevsimApp, PrintsItsLinksFirstAnswersWithItsFaultOptionsAndEndsCleanlyOnASignal)
{
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        Running sim;
        ASSERT_TRUE(
            sim.start({QStringLiteral("--pty"), QStringLiteral("--tcp"), QStringLiteral("0"),
                       QStringLiteral("--udp"), QStringLiteral("0"), QStringLiteral("--model"),
                       QStringLiteral("snipa"), QStringLiteral("--dev-code"), QStringLiteral("12"),
                       QStringLiteral("--silence-after"), QStringLiteral("1"), QStringLiteral("--verbose")},
                      3));
        EXPECT_EQ(sim.order, (QList<QByteArray>{"PTY", "TCP", "UDP"})) << "PTY is the first line";
        EXPECT_TRUE(sim.printed["PTY"].startsWith("/dev/pts/"));

        EXPECT_GT(sim.printed["UDP"].toUInt(), 0u) << "the port bound, not the 0 asked for";
        QTcpSocket tcp;
        tcp.connectToHost(QHostAddress::LocalHost, quint16(sim.printed["TCP"].toUInt()));
        ASSERT_TRUE(waitFor([&] { return tcp.state() == QAbstractSocket::ConnectedState; }));
        tcp.write("??");
        ASSERT_TRUE(waitFor([&] { return tcp.bytesAvailable() >= 7; }));
        EXPECT_EQ(tcp.readAll(), QByteArray("DEV12\r\n")) << "the second \"?\" meets a silent device";

        EXPECT_EQ(sim.stop(signal), 0);
        const QByteArray log = sim.process.readAllStandardError();
        EXPECT_TRUE(log.contains("<< ??")) << log.constData();
        EXPECT_TRUE(log.contains(">> DEV12"));
        EXPECT_TRUE(log.contains("silent from now on"));
    }
}

TEST(DevsimApp, AUsageErrorExitsWithCodeTwoAndSaysWhy)
{
    // The option errors themselves are DevsimOptionsTest's; scripts rely on the exit code.
    QProcess p;
    p.start(QStringLiteral(TESSO_DEVSIM_EXE), {QStringLiteral("--tcp"), QStringLiteral("70000")});
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("--tcp"));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}
