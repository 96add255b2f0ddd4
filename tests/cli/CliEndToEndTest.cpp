// tesso-cli as a process against scripted devices over a pseudo-terminal, TCP and UDP.
#include <gtest/gtest.h>

#include <QProcess>

#include "ScriptedDevice.h"
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
    device->on(QByteArrayLiteral("#\r\n"),
               QByteArrayLiteral("CH3\r\nBRG128\r\nCOL7\r\nFRZ257\r\nNTMK8\r\n"
                                 "ADIP1\r\nIPA_192\r\nIPB_168\r\nIPC_0\r\nIPD_10\r\n"
                                 "PORT10500\r\n#\r\n"));
    device->on(QByteArrayLiteral("?"), "DEV" + QByteArray::number(code) + "\r\n");
    device->on(QByteArrayLiteral("CC"), QByteArrayLiteral("CH3\r\n"));
    device->on(QByteArrayLiteral("fM"), QByteArrayLiteral("FAMD2\r\n"));
    device->on(QByteArrayLiteral("U"), QByteArrayLiteral("UNIT27000000\r\n"));
    device->on(QByteArrayLiteral("nk"), QByteArrayLiteral("NTMK8\r\n"));
    device->on(QByteArrayLiteral("128B"), QByteArrayLiteral("BRG128\r\n"));
    device->on(QByteArrayLiteral("1Z"), QByteArrayLiteral("FRZ1\r\n"));
    return device;
}

QStringList args(const ScriptedDevice& device, QStringList rest)
{
    return device.linkArguments() + rest;
}

class CliOverEachLink : public ::testing::TestWithParam<Kind>
{
};

} // namespace

TEST_P(CliOverEachLink, DetectPrintsCodeAndModel)
{
    auto device = makeDevice(GetParam());
    const CliResult r = runCli(args(*device, {QStringLiteral("detect")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("DEV=57\nMODEL=Lumio\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
}

TEST_P(CliOverEachLink, GetQueriesEachVariableInTurn)
{
    auto device = makeDevice(GetParam());
    const CliResult r = runCli(args(*device, {QStringLiteral("get"), QStringLiteral("ichm"),
                                              QStringLiteral("FAMODEM_"), QStringLiteral("UNIT")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("ICHM=3\nFAMODEM=2\nUNIT=27000000\n"));
    EXPECT_TRUE(device->received().contains("CC"));
    EXPECT_TRUE(device->received().contains("fM"));
}

TEST_P(CliOverEachLink, SetDetectsFirstThenSendsAndPrintsTheAnswer)
{
    auto device = makeDevice(GetParam());
    const CliResult r = runCli(args(*device, {QStringLiteral("set"), QStringLiteral("BRGT=128"),
                                              QStringLiteral("NETMASK=255.255.255.0")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("BRGT=128\nNETMASK=255.255.255.0\n"));
    const QByteArray sent = device->received();
    ASSERT_TRUE(sent.contains("?"));
    EXPECT_LT(sent.indexOf('?'), sent.indexOf("128B")); // nothing is set before detection
    EXPECT_TRUE(sent.contains("8nk"));
}

TEST_P(CliOverEachLink, DumpPrintsEveryReportedVariableInArrivalOrder)
{
    auto device = makeDevice(GetParam(), 58);
    const CliResult r = runCli(args(*device, {QStringLiteral("dump")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(),
              std::string("ICHM=3\nBRGT=128\nCOLOR=7\nIFRZM=1\nNETMASK=255.255.255.0\nPADIP=1\n"
                          "IP4=192\nLOCAL_IP=192.0.0.0\nIP3=168\nLOCAL_IP=192.168.0.0\n"
                          "IP2=0\nLOCAL_IP=192.168.0.0\nIP1=10\nLOCAL_IP=192.168.0.10\n"
                          "PORT=10500\nLOCAL_PORT=10500\nDIESE=0\n"));
}

INSTANTIATE_TEST_SUITE_P(Links, CliOverEachLink, ::testing::Values(Kind::Serial, Kind::Tcp, Kind::Udp),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             switch (info.param) {
                             case Kind::Serial:
                                 return "Serial";
                             case Kind::Tcp:
                                 return "Tcp";
                             case Kind::Udp:
                                 return "Udp";
                             }
                             return "Unknown";
                         });

TEST(CliEndToEnd, DetectReportsSnipaAndIgnoresUnacceptedCodes)
{
    auto snipa = makeDevice(Kind::Tcp, 58);
    CliResult r = runCli(args(*snipa, {QStringLiteral("detect")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("DEV=58\nMODEL=Snipa\n"));

    auto stranger = makeDevice(Kind::Tcp, 12);
    r = runCli(args(*stranger, {QStringLiteral("--timeout"), QStringLiteral("1"), QStringLiteral("detect")}));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no device")) << r.err.constData();
}

TEST(CliEndToEnd, ComNamesReachTheDeviceNamedByTheEnvironment)
{
    ScriptedDevice device(Kind::Serial);
    device.on(QByteArrayLiteral("?"), QByteArrayLiteral("DEV57\r\n"));
    const QString path = device.linkArguments().at(1);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSO_COM7"), path);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--serial"), QStringLiteral("\\\\.\\COM7"), QStringLiteral("detect")});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), std::string("DEV=57\nMODEL=Lumio\n"));

    // Without the variable the name means /dev/ttyS6, and the error says so.
    environment.remove(QStringLiteral("TESSO_COM7"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--serial"), QStringLiteral("COM7"), QStringLiteral("--timeout"),
                   QStringLiteral("1"), QStringLiteral("detect")});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    const QByteArray err = process.readAllStandardError();
    if (process.exitCode() == 4) // a machine may really have /dev/ttyS6
        EXPECT_TRUE(err.contains("TCOMPORT : cannot open COM7") && err.contains("/dev/ttyS6"))
            << err.constData();
    else
        EXPECT_EQ(process.exitCode(), 3) << err.constData();
}

TEST(CliEndToEnd, SilentDeviceTimesOutWithStatus3)
{
    ScriptedDevice silent(Kind::Serial);
    CliResult r = runCli(args(silent, {QStringLiteral("--timeout"), QStringLiteral("0.5"),
                                       QStringLiteral("get"), QStringLiteral("ICHM")}));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("ICHM")) << r.err.constData();
    EXPECT_TRUE(silent.received().contains("CC")); // the query did go out

    r = runCli(args(silent, {QStringLiteral("--timeout"), QStringLiteral("0.5"), QStringLiteral("set"),
                             QStringLiteral("BRGT=1")}));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_FALSE(silent.received().contains("1B")); // not connected: nothing was set
}

TEST(CliEndToEnd, ForceConnSetsWithoutDetection)
{
    ScriptedDevice device(Kind::Tcp);
    device.on(QByteArrayLiteral("1Z"), QByteArrayLiteral("FRZ1\r\n")); // answers no "?"
    const CliResult r = runCli(
        args(device, {QStringLiteral("--force-conn"), QStringLiteral("set"), QStringLiteral("ifrzm=1")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_FALSE(device.received().contains('?'));
}

TEST(CliEndToEnd, MonitorPrintsUnsolicitedRepliesUntilTheTimeout)
{
    ScriptedDevice device(Kind::Tcp);
    QProcess process;
    process.start(
        QStringLiteral(TESSO_CLI_PATH),
        args(device, {QStringLiteral("--timeout"), QStringLiteral("2"), QStringLiteral("monitor")}));
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return device.hasClient(); }));
    QByteArray out;
    // A negative value is a range error: it is reported on standard error and ends that parse;
    // the line after it waits for the next arrival.
    device.push(QByteArrayLiteral("CH5\r\nnoise\r\nHP-1\r\nHP9\r\n"));
    ASSERT_TRUE(waitFor([&] { return (out += process.readAllStandardOutput()).contains("ICHM=5\n"); }));
    device.push(QByteArrayLiteral("CH6\r\n"));
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(out.toStdString(), std::string("ICHM=5\nHPOS=9\nICHM=6\n"));
    EXPECT_TRUE(process.readAllStandardError().contains("Range"));
}

TEST(CliEndToEnd, RawSendsEscapedTextAndPrintsTheFirstReply)
{
    auto device = makeDevice(Kind::Serial);
    CliResult r = runCli(args(*device, {QStringLiteral("raw"), QStringLiteral("\\x31Z")}));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_TRUE(device->received().contains("1Z"));

    auto tcp = makeDevice(Kind::Tcp);
    r = runCli(args(*tcp, {QStringLiteral("raw"), QStringLiteral("12345678901")})); // 11 characters
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(tcp->received().contains("12345678901"));

    r = runCli(args(*tcp, {QStringLiteral("raw"), QStringLiteral("bad\\q")}));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("\\q")) << r.err.constData();
}

TEST(CliEndToEnd, UsageErrorsComeBeforeAnyLink)
{
    // Nothing listens there: a usage error must win over the link failure.
    const QStringList link{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(freeTcpPort())};
    CliResult r = runCli(link + QStringList{QStringLiteral("get"), QStringLiteral("ICHMM")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("ICHM")) << r.err.constData();
    EXPECT_TRUE(r.out.isEmpty());

    r = runCli(link + QStringList{QStringLiteral("set"), QStringLiteral("UNIT=3")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("read-only")) << r.err.constData();

    r = runCli(link + QStringList{QStringLiteral("set"), QStringLiteral("BRGT=4294967296")});
    EXPECT_EQ(r.exitCode, 2);

    r = runCli({QStringLiteral("detect")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());

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

    QUdpSocket occupant;
    ASSERT_TRUE(occupant.bind(QHostAddress(QHostAddress::LocalHost), 0, QAbstractSocket::DontShareAddress));
    r = runCli({QStringLiteral("--udp"), QStringLiteral("127.0.0.1"), QStringLiteral("--local-port"),
                QString::number(occupant.localPort()), QStringLiteral("detect")});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("cannot bind")) << r.err.constData();
}
