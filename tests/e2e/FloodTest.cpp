// Floods against the real programs: 50 MB of valid replies into `tesso` and into
// `tesso-cli monitor` over TCP, and 50 MB of noise into `tesso` on its serial line. Each program must keep up
// without its memory growing with the flood (peak resident memory under 100 MB), keep its timers on time, and
// still be connected to its device afterwards.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include "FloodDevice.h"
#include "FullDump.h"
#include "LinkTestPeers.h"
#include "ProgramRun.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

void expectSmall(qint64 pid, const char* who)
{
    const std::optional<qint64> peak = ProcessStats::peakResidentKb(pid);
    ASSERT_TRUE(peak.has_value());
    std::printf("[ measured ] %s peak resident memory %lld kB\n", who, static_cast<long long>(*peak));
    if (!Sanitized) {
        EXPECT_LT(*peak, PeakMemoryBoundKb) << who;
    }
}

bool endsWith(const QString& path, const QByteArray& tail)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() >= tail.size() &&
           file.seek(file.size() - tail.size()) && file.readAll() == tail;
}

// Garbage a serial line can carry: every byte value but the line feed, NUL included, so that
// nothing of it ever ends a line and the program has to bound what it keeps of a partial line.
QByteArray noise()
{
    QRandomGenerator random(7);
    QByteArray bytes(64 * 1024, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random.bounded(255));
        if (c == '\n')
            c = '\xFF';
    }
    return bytes;
}

} // namespace

TEST(Flood, ValidRepliesLeaveTheProgramResponsiveAndSmall)
{
    FloodDevice device;
    ASSERT_TRUE(device.listenTcp());
    ProgramRun run;
    ASSERT_TRUE(run.start(tcpLink(device.tcpPort())));
    ASSERT_TRUE(waitForKeepAlive(device));

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(device.flood(tesso::test::fullQueryAllDump(), FloodBytes));
    std::printf("[ measured ] %lld bytes of replies sent to tesso in %lld ms\n",
                static_cast<long long>(device.flooded()), static_cast<long long>(clock.elapsed()));
    EXPECT_TRUE(staysConnected(device));
    expectSmall(run.program.pid(), "tesso");
    run.finish();
}

TEST(Flood, NoiseOnTheSerialLineLeavesTheProgramResponsiveAndSmall)
{
    FloodDevice device;
    ASSERT_TRUE(device.openPty());
    ProgramRun run;
    run.program.setEnvironment(QStringLiteral("TESSO_COM1"), device.ptyPath());
    ASSERT_TRUE(run.start(serialLink(0)));
    ASSERT_TRUE(waitForKeepAlive(device));

    ASSERT_TRUE(device.flood(noise(), FloodBytes));
    device.send(QByteArrayLiteral("\r\n")); // the line the noise was on ends; replies follow
    EXPECT_TRUE(staysConnected(device));
    expectSmall(run.program.pid(), "tesso");
    run.finish();
}

TEST(Flood, ValidRepliesLeaveTheMonitorSmallAndItsOutputWhole)
{
    FloodDevice device;
    ASSERT_TRUE(device.listenTcp());
    QTemporaryDir scratch(QStringLiteral(TESSO_E2E_SCRATCH "/monitor-XXXXXX"));
    ASSERT_TRUE(scratch.isValid());
    const QString outputFile = scratch.filePath(QStringLiteral("out"));
    const int timeoutSeconds = Sanitized ? 40 : 20;
    QProcess monitor;
    monitor.setStandardOutputFile(outputFile);
    QElapsedTimer clock;
    clock.start();
    monitor.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(device.tcpPort()),
                   QStringLiteral("--timeout"), QString::number(timeoutSeconds), QStringLiteral("monitor")});
    ASSERT_TRUE(monitor.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return device.reached(); }, Deadline));

    int linesPerDump = 0;
    const QByteArray dump = tesso::test::fullQueryAllDump(&linesPerDump);
    QElapsedTimer flood;
    flood.start();
    ASSERT_TRUE(device.flood(dump, FloodBytes));
    device.send(QByteArrayLiteral("BRG200\r\n")); // no value of the flood: the last line printed
    ASSERT_TRUE(waitFor([&] { return endsWith(outputFile, "\nBRGT=200\n"); }, 60000));
    std::printf("[ measured ] %lld bytes of replies printed by tesso-cli monitor in %lld ms\n",
                static_cast<long long>(device.flooded()), static_cast<long long>(flood.elapsed()));
    expectSmall(monitor.processId(), "tesso-cli monitor");

    // Its own deadline still ends it on time, and nothing printed was lost.
    ASSERT_TRUE(
        waitFor([&] { return monitor.state() == QProcess::NotRunning; }, timeoutSeconds * 1000 + 10000));
    EXPECT_LT(clock.elapsed(), timeoutSeconds * 1000 + 3000);
    EXPECT_EQ(monitor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(monitor.exitCode(), 0) << monitor.readAllStandardError().toStdString();
    QFile output(outputFile);
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    qint64 lines = 0;
    while (!output.atEnd())
        lines += output.read(1 << 20).count('\n');
    EXPECT_GE(lines, device.flooded() / dump.size() * linesPerDump) << "every reply printed";
}
