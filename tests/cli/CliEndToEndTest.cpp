// tesso-cli as a process against the simulated device over a pseudo-terminal, TCP and UDP, and
// against bare peers where the device must send what the simulator never does.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "CliProcess.h"
#include "ConnectionSettings.h"
#include "FileEdit.h"
#include "LinkTestPeers.h"
#include "ProfileStore.h"
#include "SettingsFileKeys.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::test;

namespace
{

// Runs tesso-cli while the device keeps answering in this event loop.
CliResult runCli(const QStringList& arguments)
{
    return runCliProcess(QStringLiteral(TESSO_CLI_PATH), arguments);
}

enum class Link { Pty, Tcp, Udp };

// The simulated device on one loopback link, keeping the text of every command it receives.
struct Simulated {
    QByteArray received; // declared first: the server logs while it closes its links
    tesso::sim::SimServer server;
    QStringList link; // tesso-cli's options that reach it

    explicit Simulated(Link kind = Link::Tcp, const tesso::sim::FaultOptions& faults = {})
    {
        server.device().setFaults(faults);
        QObject::connect(&server, &tesso::sim::SimServer::logLine, [this](const QString& line) {
            if (line.startsWith(QLatin1String("<< ")))
                received += line.mid(3).toLatin1();
        });
        const QHostAddress loopback(QHostAddress::LocalHost);
        if (kind == Link::Pty && server.openPty())
            link = QStringList{QStringLiteral("--serial"), server.ptyPath()};
        else if (kind == Link::Tcp && server.listenTcp(loopback, 0))
            link = QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(server.tcpPort())};
        else if (kind == Link::Udp && server.bindUdp(loopback, 0))
            link = QStringList{QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(server.udpPort()),
                               QStringLiteral("--local-port"), QString::number(freeUdpPort())};
    }
    tesso::sim::SimDevice& device() { return server.device(); }
    CliResult run(const QString& line) const { return runCli(link + line.split(QLatin1Char(' '))); }
};

} // namespace

// The commands go over one link each: the driver meets the simulator on every link in
// DriverAgainstSim, and each of the client's link options is used by one test or another here.
TEST(CliEndToEnd, DetectPrintsCodeAndModel)
{
    Simulated sim(Link::Udp);
    const CliResult r = sim.run(QStringLiteral("detect"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("DEV=57\nMODEL=Lumio\n"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
}

TEST(CliEndToEnd, GetQueriesEachVariableInTurn)
{
    Simulated sim(Link::Pty);
    const CliResult r = sim.run(QStringLiteral("get ichm FAMODEM_ UNIT"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("ICHM=1\nFAMODEM=0\nUNIT=27000\n"));
    EXPECT_TRUE(sim.received.contains("fM"));
}

TEST(CliEndToEnd, SetDetectsFirstThenSendsAndPrintsWhatTheDeviceReports)
{
    Simulated sim(Link::Udp);
    const CliResult r = sim.run(QStringLiteral("set BRGT=100 LOCAL_IP=192.168.000.020 local_port=10600 "
                                               "GATEWAY_IP=10.0.0.1 NETMASK=255.255.0.0"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("BRGT=100\nLOCAL_IP=192.168.0.20\nLOCAL_PORT=10600\n"
                                               "GATEWAY_IP=10.0.0.1\nNETMASK=255.255.0.0\n"));
    ASSERT_TRUE(sim.received.contains("?"));
    EXPECT_LT(sim.received.indexOf('?'), sim.received.indexOf("100B")); // nothing is set before detection
}

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
        Simulated sim(Link::Tcp, c.faults);
        const CliResult r = sim.run(QStringLiteral("--timeout %1 dump").arg(QLatin1String(c.timeout)));
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
    }
}

TEST(CliEndToEnd, UnacceptedCodeOrSilenceTimesOutWithStatus3)
{
    Simulated stranger;
    stranger.device().setDeviceCode(12);
    CliResult r = stranger.run(QStringLiteral("--timeout 1 detect"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no device")) << r.err.constData();

    Simulated silent(Link::Pty);
    silent.device().setSilenceAfter(0);
    r = silent.run(QStringLiteral("--timeout 0.5 get ICHM"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("ICHM")) << r.err.constData();
    EXPECT_TRUE(silent.received.contains("CC")); // the query did go out
    r = silent.run(QStringLiteral("--timeout 0.5 set BRGT=1"));
    EXPECT_EQ(r.exitCode, 3);
}

TEST(CliEndToEnd, ForceConnSetsWithoutDetection)
{
    Simulated sim;
    const CliResult r = sim.run(QStringLiteral("--force-conn set ifrzm=1"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_EQ(sim.device().commandCount(_DEV), 0);
}

TEST(CliEndToEnd, MonitorPrintsUnsolicitedRepliesUntilTheTimeout)
{
    TcpPeer device;
    QProcess process;
    process.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(device.port()),
                   QStringLiteral("--timeout"), QStringLiteral("2"), QStringLiteral("monitor")});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(device.waitForClient());
    QByteArray out;
    // A negative value is a range error, reported on standard error; the line after it follows at
    // once.
    device.client()->write(QByteArrayLiteral("CH5\r\nnoise\r\nHP-1\r\nHP9\r\n"));
    ASSERT_TRUE(waitFor([&] { return (out += process.readAllStandardOutput()).contains("ICHM=5\n"); }));
    device.client()->write(QByteArrayLiteral("CH6\r\n"));
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(out.toStdString(), std::string("ICHM=5\nHPOS=9\nICHM=6\n"));
    EXPECT_TRUE(process.readAllStandardError().contains("Range"));
}

TEST(CliEndToEnd, MonitorThatLosesItsPortExitsWith4)
{
    PtyPair device;
    QProcess process;
    process.start(QStringLiteral(TESSO_CLI_PATH),
                  {QStringLiteral("--serial"), device.slavePath(), QStringLiteral("--timeout"),
                   QStringLiteral("30"), QStringLiteral("monitor")});
    ASSERT_TRUE(process.waitForStarted(10000));
    QByteArray out;
    // Once a reply comes out the port is surely open.
    ASSERT_TRUE(waitFor([&] {
        device.send(QByteArrayLiteral("CH5\r\n"));
        return (out += process.readAllStandardOutput()).contains("ICHM=5");
    }));
    device.closeMaster();
    ASSERT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(process.exitCode(), 4);
    const QByteArray err = process.readAllStandardError();
    EXPECT_TRUE(err.contains("the serial port went away")) << err.constData();
    EXPECT_TRUE(err.contains(device.slavePath().toLocal8Bit())) << "the port is named";
}

TEST(CliEndToEnd, RawSendsEscapedTextAndPrintsTheFirstReply)
{
    Simulated serial(Link::Pty);
    CliResult r = serial.run(QStringLiteral("raw \\x31Z"));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out.toStdString(), std::string("IFRZM=1\n"));
    EXPECT_TRUE(serial.received.contains("1Z"));

    Simulated tcp; // over TCP a command holds at most 10 characters
    r = tcp.run(QStringLiteral("raw 12345678901"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(tcp.received.contains("12345678901"));
    r = tcp.run(QStringLiteral("raw bad\\q"));
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

// A bitmap fitted and sent into the frame memory; the device keeps the 288 lines that went out.
TEST(CliEndToEnd, UploadPutsAPictureIntoTheFrameMemory)
{
    Simulated sim(Link::Pty);
    ASSERT_FALSE(sim.link.isEmpty());
    QTemporaryDir dir;
    QImage source(640, 480, QImage::Format_RGB32);
    source.fill(qRgb(0x1B, 0x80, 0x10));
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(source.save(path, "BMP"));

    CliResult r = sim.run(QStringLiteral("upload ") + path);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("choose --fit center or --fit zoom")) << r.err.constData();
    // Refused before anything is sent: a named pipe nobody writes to, a bitmap cut short.
    const QString pipe = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    r = sim.run(QStringLiteral("upload ") + pipe);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("pipe.bmp is not a readable picture: it is a named pipe"))
        << r.err.constData();
    QFile cut(path);
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite) && cut.resize(cut.size() - 640 * 3 * 380));
    cut.close();
    r = sim.run(QStringLiteral("upload %1 --fit center").arg(path));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("logo.bmp is not a readable picture: the file is cut short"))
        << r.err.constData();
    EXPECT_TRUE(sim.received.isEmpty()) << sim.received.constData();
    ASSERT_TRUE(source.save(path, "BMP"));

    r = sim.run(QStringLiteral("upload %1 --fit center").arg(path));
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.out, QByteArray("Command successfull.\n"));
    EXPECT_TRUE(r.err.contains("100% 207360/207360 pixels")) << r.err.constData();
    const QImage kept = sim.device().lastPicture();
    ASSERT_EQ(kept.size(), QSize(720, 288));
    EXPECT_EQ(kept.pixel(40, 24), qRgb(0x1B, 0x80, 0x10));
    EXPECT_EQ(kept.pixel(39, 24), qRgb(0, 0, 0)) << "centred on black";
}

// A setup saved, changed, compared and written back; a file that lacks a setting is written back
// for the rest.
TEST(CliEndToEnd, SaveDiffAndRestoreTheDeviceSettings)
{
    Simulated sim(Link::Pty);
    ASSERT_FALSE(sim.link.isEmpty());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("setup.json"));
    CliResult r = sim.run(QStringLiteral("save ") + file);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    ASSERT_EQ(sim.run(QStringLiteral("set BRGT=40 EFFECTTYPE=3")).exitCode, 0);

    r = sim.run(QStringLiteral("diff ") + file);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QByteArray("BRGT: file 128, device 40\nEFFECTTYPE: file 1, device 3\n"));
    sim.received.clear();
    r = sim.run(QStringLiteral("restore %1 --dry-run").arg(file));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(sim.received.contains("128B")) << "a dry run writes nothing";
    r = sim.run(QStringLiteral("restore ") + file);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_TRUE(r.out.endsWith("restored 2 settings; the device now matches the file\n"))
        << r.out.constData();
    EXPECT_EQ(sim.run(QStringLiteral("diff ") + file).exitCode, 0);

    ASSERT_TRUE(tesso::test::replaceInFile(file, "\"HPOS\"", "\"TAKE\""));
    ASSERT_EQ(sim.run(QStringLiteral("set BRGT=40")).exitCode, 0);
    r = sim.run(QStringLiteral("restore ") + file);
    EXPECT_EQ(r.exitCode, 6) << "restored what the file holds, but not all";
    EXPECT_EQ(r.err, QByteArray("tesso-cli: not in the file, left as they are on the device: HPOS\n"
                                "tesso-cli: not settings of this version, skipped: TAKE\n"));
    EXPECT_TRUE(r.out.endsWith("restored 1 setting; the device now matches the file\n")) << r.out.constData();
}

// tesso-cli hub on the device's pseudo-terminal, and clients on it as if on the device itself.
TEST(CliEndToEnd, HubSharesTheLinkWithClientsAndEndsCleanlyOnSigterm)
{
    Simulated sim(Link::Pty);
    QProcess hub;
    hub.start(QStringLiteral(TESSO_CLI_PATH),
              sim.link + QStringList{QStringLiteral("hub"), QStringLiteral("--listen"),
                                     QStringLiteral("127.0.0.1:0")});
    QByteArray log;
    ASSERT_TRUE(waitFor(
        [&] {
            log += hub.readAllStandardError();
            return log.contains("listening on");
        },
        10000))
        << log.constData();
    const QByteArray port = log.mid(log.indexOf("127.0.0.1:") + 10).split('\n').first();
    const QStringList viaHub{QStringLiteral("--tcp"),
                             QStringLiteral("127.0.0.1:") + QString::fromLatin1(port)};
    const auto run = [&](const QString& line) { return runCli(viaHub + line.split(QLatin1Char(' '))); };

    const CliResult set = run(QStringLiteral("set BRGT=77"));
    EXPECT_EQ(set.exitCode, 0) << set.err.constData();
    EXPECT_EQ(set.out, QByteArray("BRGT=77\n"));
    EXPECT_EQ(sim.device().commandCount(_BRGT), 1);
    const CliResult get = run(QStringLiteral("get BRGT ICHM"));
    EXPECT_EQ(get.out, QByteArray("BRGT=77\nICHM=1\n")) << get.err.constData();
    const CliResult dump = run(QStringLiteral("dump"));
    EXPECT_EQ(dump.exitCode, 0) << dump.err.constData();
    EXPECT_TRUE(dump.out.contains("BRGT=77\n"));
    // A monitor hears what another client sets.
    QProcess monitor;
    monitor.start(
        QStringLiteral(TESSO_CLI_PATH),
        viaHub + QStringList{QStringLiteral("--timeout"), QStringLiteral("4"), QStringLiteral("monitor")});
    ASSERT_TRUE(monitor.waitForStarted(10000));
    ASSERT_TRUE(waitFor(
        [&] {
            log += hub.readAllStandardError();
            return log.count(" connected\n") == 4;
        },
        10000));
    EXPECT_EQ(run(QStringLiteral("set BRGT=99")).exitCode, 0);
    ASSERT_TRUE(waitFor([&] { return monitor.state() == QProcess::NotRunning; }, 15000));
    EXPECT_TRUE(monitor.readAllStandardOutput().contains("BRGT=99\n"));

    hub.terminate();
    ASSERT_TRUE(waitFor([&] { return hub.state() == QProcess::NotRunning; }, 10000));
    log += hub.readAllStandardError();
    EXPECT_EQ(hub.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(hub.exitCode(), 0);
    EXPECT_TRUE(log.contains("client 127.0.0.1:") && log.contains("disconnected")) << log.constData();
    EXPECT_TRUE(log.endsWith("stopped listening\n")) << log.constData();

    // Another address without the clients allowed is refused before any link opens.
    const CliResult open = runCli(sim.link + QStringList{QStringLiteral("hub"), QStringLiteral("--listen"),
                                                         QStringLiteral("0.0.0.0:0")});
    EXPECT_EQ(open.exitCode, 2);
    EXPECT_TRUE(open.err.contains("allowed")) << open.err.constData();
}

// The profile the window saved takes the client to its device.
TEST(CliEndToEnd, AProfileNamesTheDevice)
{
    Simulated sim(Link::Tcp);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const ProfileStore store;
    ASSERT_FALSE(store.create(QStringLiteral("Stage left")).has_value());
    ConnectionValues v;
    v.IpEnable = 2;
    v.RemoteIp = QStringLiteral("127.0.0.1");
    v.RemotePort = sim.server.tcpPort();
    ConnectionSettings(store.folder(QStringLiteral("Stage left")),
                       QString(SettingsFileKeys::ConnectionFileTitle))
        .WriteConnection(v);
    const CliResult get = runCli({QStringLiteral("--profile"), QStringLiteral("Stage left"),
                                  QStringLiteral("get"), QStringLiteral("ICHM")});
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(get.exitCode, 0) << get.err.constData();
    EXPECT_EQ(get.out, QByteArray("ICHM=1\n"));
}
