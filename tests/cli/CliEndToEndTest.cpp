// tesso-cli as a process against scripted devices and the simulated device over a
// pseudo-terminal, TCP and UDP.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSet>

#include "ScriptedDevice.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso::test;
using Kind = ScriptedDevice::Kind;

namespace
{

struct CliResult {
    int exitCode = -1;
    QByteArray out, err;
};

// Runs tesso-cli while the scripted device keeps answering in this event loop.
CliResult runCli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TESSO_CLI_PATH), arguments);
    CliResult result;
    if (!process.waitForStarted(10000))
        return result;
    if (!waitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

std::unique_ptr<ScriptedDevice> makeDevice(Kind kind, std::uint32_t code = 57)
{
    auto device = std::make_unique<ScriptedDevice>(kind);
    if (kind == Kind::Udp)
        device->setClientUdpPort(freeUdpPort());
    device->on(QByteArrayLiteral("?"), "DEV" + QByteArray::number(code) + "\r\n");
    device->on(QByteArrayLiteral("CC"), QByteArrayLiteral("CH3\r\n"));
    device->on(QByteArrayLiteral("fM"), QByteArrayLiteral("FAMD2\r\n"));
    device->on(QByteArrayLiteral("U"), QByteArrayLiteral("UNIT27000000\r\n"));
    device->on(QByteArrayLiteral("nk"), QByteArrayLiteral("NTMK8\r\n"));
    device->on(QByteArrayLiteral("128B"), QByteArrayLiteral("BRG128\r\n"));
    device->on(QByteArrayLiteral("1Z"), QByteArrayLiteral("FRZ1\r\n"));
    return device;
}

// The device's link options, then the words of `line`.
QStringList args(const ScriptedDevice& device, const char* line)
{
    return device.linkArguments() + QString::fromLatin1(line).split(QLatin1Char(' '));
}

class CliOverEachLink : public ::testing::TestWithParam<Kind>
{
};

} // namespace

// Each link once for detect; the other commands go over one link each, since the driver's links
// are covered by its own tests.
TEST_P(CliOverEachLink, DetectPrintsCodeAndModel)
{
    auto device = makeDevice(GetParam());
    const CliResult r = runCli(args(*device, "detect"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("DEV=57\nMODEL=Lumio\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Links, CliOverEachLink, ::testing::Values(Kind::Serial, Kind::Tcp, Kind::Udp), [](const auto& info) {
        return std::string(info.param == Kind::Serial ? "Serial" : info.param == Kind::Tcp ? "Tcp" : "Udp");
    });

TEST(CliEndToEnd, GetQueriesEachVariableInTurn)
{
    auto device = makeDevice(Kind::Serial);
    const CliResult r = runCli(args(*device, "get ichm FAMODEM_ UNIT"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("ICHM=3\nFAMODEM=2\nUNIT=27000000\n"));
    EXPECT_TRUE(device->received().contains("CC"));
    EXPECT_TRUE(device->received().contains("fM"));
}

TEST(CliEndToEnd, SetDetectsFirstThenSendsAndPrintsTheAnswer)
{
    auto device = makeDevice(Kind::Udp);
    const CliResult r = runCli(args(*device, "set BRGT=128 NETMASK=255.255.255.0"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("BRGT=128\nNETMASK=255.255.255.0\n"));
    const QByteArray sent = device->received();
    ASSERT_TRUE(sent.contains("?"));
    EXPECT_LT(sent.indexOf('?'), sent.indexOf("128B")); // nothing is set before detection
    EXPECT_TRUE(sent.contains("8nk"));
}

// The simulated device, serving TCP on a free loopback port while the client runs.
struct Simulated {
    tesso::sim::SimServer server;
    explicit Simulated(const tesso::sim::FaultOptions& faults = {})
    {
        server.device().setFaults(faults);
        server.listenTcp(QHostAddress(QHostAddress::LocalHost), 0);
    }
    QStringList args(const QString& line) const
    {
        return QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(server.tcpPort())} +
               line.split(QLatin1Char(' '));
    }
};

// NAME=VALUE lines by name; a name printed twice is a fault of the dump.
QMap<QString, QString> valuesOf(const QByteArray& out, QStringList& repeated)
{
    QMap<QString, QString> values;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        const QString text = QString::fromLatin1(line);
        const QString name = text.section(u'=', 0, 0);
        if (values.contains(name))
            repeated << name;
        values.insert(name, text.section(u'=', 1));
    }
    return values;
}

// A dump prints only a complete answer to the query-all, each variable once: a cut answer is an
// error that says what is missing, a late or repeated one is waited for.
TEST(CliEndToEnd, DumpPrintsTheWholeAnswerOnceOrSaysWhatIsMissing)
{
    struct Case {
        const char* name;
        tesso::sim::FaultOptions faults;
        int exitCode;
        const char* timeout;
    };
    tesso::sim::FaultOptions late, silent, dropped;
    late.replyDelayMs = 2500;            // every answer arrives after the driver's 2 s of patience
    silent.silenceAfterReplies = 40;     // the device falls silent in the middle of the dump
    dropped.disconnectAfterReplies = 40; // the TCP connection drops in the middle: it is made again
    const Case cases[] = {{"plain", {}, 0, "20"},
                          {"late", late, 0, "20"},
                          {"silent", silent, 3, "4"},
                          {"dropped", dropped, 0, "20"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Simulated sim(c.faults);
        const CliResult r =
            runCli(sim.args(QStringLiteral("--timeout %1 dump").arg(QLatin1String(c.timeout))));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.constData();
        if (c.exitCode != 0) {
            EXPECT_TRUE(r.out.isEmpty()) << "nothing of a cut dump is printed";
            EXPECT_TRUE(r.err.contains("missing: ")) << r.err.constData();
            continue;
        }
        QStringList repeated;
        const auto values = valuesOf(r.out, repeated);
        EXPECT_TRUE(repeated.isEmpty()) << repeated.join(u' ').toStdString();
        EXPECT_EQ(values.size(), tesso::VariableCount + 5);
        EXPECT_EQ(values.value(QStringLiteral("DEV")), QStringLiteral("57"));
        EXPECT_EQ(values.value(QStringLiteral("LOCAL_IP")), QStringLiteral("192.168.0.10"));
        EXPECT_EQ(values.value(QStringLiteral("NETMASK")), QStringLiteral("255.255.255.0"));
    }
}

TEST(CliEndToEnd, SetTakesTheCompositePropertiesAndPrintsWhatTheDeviceReports)
{
    Simulated sim;
    const CliResult r =
        runCli(sim.args(QStringLiteral("set LOCAL_IP=192.168.000.020 local_port=10600 GATEWAY_IP=10.0.0.1 "
                                       "NETMASK=255.255.0.0")));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(),
              std::string("LOCAL_IP=192.168.0.20\nLOCAL_PORT=10600\nGATEWAY_IP=10.0.0.1\n"
                          "NETMASK=255.255.0.0\n"));
    const tesso::sim::DeviceState& device = sim.server.device().state();
    EXPECT_EQ(device.perAddress(_IP2, 1), 0u);
    EXPECT_EQ(device.perAddress(_IP1, 1), 20u);
    EXPECT_EQ(device.perAddress(_PORT, 1), 10600u);
}

TEST(CliEndToEnd, UnacceptedCodeOrSilenceTimesOutWithStatus3)
{
    auto stranger = makeDevice(Kind::Tcp, 12);
    CliResult r = runCli(args(*stranger, "--timeout 1 detect"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no device")) << r.err.constData();

    ScriptedDevice silent(Kind::Serial);
    r = runCli(args(silent, "--timeout 0.5 get ICHM"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("ICHM")) << r.err.constData();
    EXPECT_TRUE(silent.received().contains("CC")); // the query did go out
    r = runCli(args(silent, "--timeout 0.5 set BRGT=1"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_FALSE(silent.received().contains("1B")); // not connected: nothing was set
}

TEST(CliEndToEnd, ForceConnSetsWithoutDetection)
{
    ScriptedDevice device(Kind::Tcp);
    device.on(QByteArrayLiteral("1Z"), QByteArrayLiteral("FRZ1\r\n")); // answers no "?"
    const CliResult r = runCli(args(device, "--force-conn set ifrzm=1"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_FALSE(device.received().contains('?'));
}

TEST(CliEndToEnd, MonitorPrintsUnsolicitedRepliesUntilTheTimeout)
{
    ScriptedDevice device(Kind::Tcp);
    QProcess process;
    process.start(QStringLiteral(TESSO_CLI_PATH), args(device, "--timeout 2 monitor"));
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return device.hasClient(); }));
    QByteArray out;
    // A negative value is a range error, reported on standard error; the line after it follows at
    // once.
    device.push(QByteArrayLiteral("CH5\r\nnoise\r\nHP-1\r\nHP9\r\n"));
    ASSERT_TRUE(waitFor([&] { return (out += process.readAllStandardOutput()).contains("ICHM=5\n"); }));
    device.push(QByteArrayLiteral("CH6\r\n"));
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(out.toStdString(), std::string("ICHM=5\nHPOS=9\nICHM=6\n"));
    EXPECT_TRUE(process.readAllStandardError().contains("Range"));
}

TEST(CliEndToEnd, MonitorThatLosesItsPortExitsWith4)
{
    ScriptedDevice device(Kind::Serial);
    QProcess process;
    process.start(QStringLiteral(TESSO_CLI_PATH), args(device, "--timeout 30 monitor"));
    ASSERT_TRUE(process.waitForStarted(10000));
    QByteArray out;
    // Once a reply comes out the port is surely open.
    ASSERT_TRUE(waitFor([&] {
        device.push(QByteArrayLiteral("CH5\r\n"));
        return (out += process.readAllStandardOutput()).contains("ICHM=5");
    }));
    device.hangUp();
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(process.exitCode(), 4);
    EXPECT_TRUE(process.readAllStandardError().contains("went away"));
}

TEST(CliEndToEnd, RawSendsEscapedTextAndPrintsTheFirstReply)
{
    auto device = makeDevice(Kind::Serial);
    CliResult r = runCli(args(*device, "raw \\x31Z"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_TRUE(device->received().contains("1Z"));

    auto tcp = makeDevice(Kind::Tcp); // over TCP a command holds at most 10 characters
    r = runCli(args(*tcp, "raw 12345678901"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(tcp->received().contains("12345678901"));
    r = runCli(args(*tcp, "raw bad\\q"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("\\q")) << r.err.constData();
}

TEST(CliEndToEnd, UsageErrorsComeBeforeAnyLink)
{
    // Nothing listens there: a usage error must win over the link failure.
    const QByteArray tcp = "--tcp 127.0.0.1:" + QByteArray::number(freeTcpPort());
    CliResult r = runCli(QString::fromLatin1(tcp + " get ICHMM").split(QLatin1Char(' ')));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("ICHM")) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());
    r = runCli(QString::fromLatin1(tcp + " set UNIT=3").split(QLatin1Char(' ')));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("read-only")) << r.err.constData();

    r = runCli({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("Usage: tesso-cli"));
    EXPECT_TRUE(r.err.isEmpty());
    r = runCli({QStringLiteral("--version")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("tesso-cli "));
}

TEST(CliEndToEnd, LinkFailuresExitWith4AndSayWhy)
{
    CliResult r = runCli({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(freeTcpPort()),
                          QStringLiteral("detect")});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("cannot connect")) << r.err.constData();
    r = runCli({QStringLiteral("--serial"), QStringLiteral("/nonexistent/tty"), QStringLiteral("detect")});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("TCOMPORT : cannot open /nonexistent/tty")) << r.err.constData();

    // Another program holds the local UDP port: its replies would go astray, so the client stops.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0,
                            QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint));
    const QString port = QString::number(holder.localPort());
    r = runCli({QStringLiteral("--udp"), QStringLiteral("127.0.0.1"), QStringLiteral("--local-port"), port,
                QStringLiteral("detect")});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains(port.toLatin1())) << r.err.constData();
    EXPECT_EQ(r.err.count('\n'), 1) << "said once: " << r.err.constData();
}
