// Dead links cost nothing: `tesso` on five kinds of dead link and `tesso-cli monitor` on a silent
// one, all side by side for the same 30 s, each using less than 0.3 s of processor time while its
// timers still fire on time. One test, so that the half minute is spent once.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QProcess>

#include "FloodDevice.h"
#include "LinkTestPeers.h"
#include "ProgramRun.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

constexpr int WindowMs = 30000;

struct DeadLink {
    const char* name = "";
    std::unique_ptr<FloodDevice> device; // none: nobody there at all
    std::unique_ptr<ProgramRun> run = std::make_unique<ProgramRun>();
    std::optional<double> cpuAtStart;
};

std::unique_ptr<FloodDevice> silentDevice(bool pty)
{
    auto device = std::make_unique<FloodDevice>();
    device->setAnswering(false);
    if (!(pty ? device->openPty() : device->listenTcp()))
        return nullptr;
    return device;
}

} // namespace

TEST(Idle, DeadLinksCostNoProcessorTime)
{
    if (Sanitized)
        GTEST_SKIP() << "processor time is measured on the plain build; a sanitizer's own work would count";

    std::vector<DeadLink> links;
    auto add = [&](const char* name, std::unique_ptr<FloodDevice> device) {
        links.emplace_back();
        links.back().name = name;
        links.back().device = std::move(device);
    };
    add("a silent device on the serial line", silentDevice(true));
    add("a serial line whose device went away", silentDevice(true));
    add("TCP with nobody listening", nullptr);
    add("TCP to a device that never answers", silentDevice(false));
    add("UDP with nobody answering", nullptr);
    for (DeadLink& link : links) {
        SCOPED_TRACE(link.name);
        ConnectionValues settings;
        if (link.device && !link.device->ptyPath().isEmpty()) {
            link.run->program.setEnvironment(QStringLiteral("TESSO_COM1"), link.device->ptyPath());
            settings = serialLink(0);
        } else if (link.device) {
            settings = tcpLink(link.device->tcpPort());
        } else {
            settings = QByteArray(link.name).startsWith("TCP")
                           ? tcpLink(tesso::test::freeTcpPort())
                           : udpLink(tesso::test::freeUdpPort(), tesso::test::freeUdpPort());
        }
        ASSERT_TRUE(link.run->start(settings));
    }
    auto silentMonitorDevice = silentDevice(false);
    ASSERT_TRUE(silentMonitorDevice);
    QProcess monitor;
    monitor.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--tcp"),
                   QStringLiteral("127.0.0.1:%1").arg(silentMonitorDevice->tcpPort()),
                   QStringLiteral("--timeout"), QStringLiteral("60"), QStringLiteral("monitor")});
    ASSERT_TRUE(monitor.waitForStarted(10000));

    // Every link dead in its own way: the programs have opened them and asked, and the serial
    // device of the second one is gone.
    ASSERT_TRUE(waitFor(
        [&] {
            for (const DeadLink& link : links)
                if ((link.device && !link.device->reached()) ||
                    link.run->program.heartbeat().ticks().isEmpty())
                    return false;
            return silentMonitorDevice->reached();
        },
        Deadline));
    links[1].device->hangUp();
    runEventsFor(2000); // the port is noticed gone and closed

    const int askedAtStart = links[0].device->queries();
    const qint64 windowStart = HeartbeatLog::nowMs();
    for (DeadLink& link : links)
        link.cpuAtStart = link.run->cpuSeconds();
    const std::optional<double> monitorAtStart = ProcessStats::cpuSeconds(monitor.processId());
    runEventsFor(WindowMs);
    const qint64 windowEnd = HeartbeatLog::nowMs();

    for (DeadLink& link : links) {
        SCOPED_TRACE(link.name);
        const std::optional<double> cpuAtEnd = link.run->cpuSeconds();
        ASSERT_TRUE(link.cpuAtStart && cpuAtEnd);
        const double used = *cpuAtEnd - *link.cpuAtStart;
        const qint64 gap = link.run->program.heartbeat().longestGapMs(windowStart, windowEnd);
        std::printf(
            "[ measured ] tesso, %s: %.2f s of processor time in %d s, longest heartbeat gap %lld ms\n",
            link.name, used, WindowMs / 1000, static_cast<long long>(gap));
        EXPECT_LT(used, IdleCpuBoundSeconds);
        EXPECT_LE(gap, LatenessBoundMs);
    }
    const std::optional<double> monitorAtEnd = ProcessStats::cpuSeconds(monitor.processId());
    ASSERT_TRUE(monitorAtStart && monitorAtEnd);
    std::printf(
        "[ measured ] tesso-cli monitor, a device that never answers: %.2f s of processor time in %d s\n",
        *monitorAtEnd - *monitorAtStart, WindowMs / 1000);
    EXPECT_LT(*monitorAtEnd - *monitorAtStart, IdleCpuBoundSeconds);
    // Detection went on asking the silent device all along, once per 2 s step.
    EXPECT_GE(links[0].device->queries(), askedAtStart + WindowMs / 2000 - 2);

    monitor.kill();
    monitor.waitForFinished(5000);
    for (DeadLink& link : links) {
        SCOPED_TRACE(link.name);
        link.run->finish();
    }
}
