// The real program against the simulated device in this process, through the device's fault
// options: a silence in the middle of the query-all answer and TCP connections that drop or find
// nobody. The device side tells what the program does (Scenario.h). A first run ended by a signal
// while its question is open. And the client's restore of a value the device refuses.

#include <csignal>
#include <memory>

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "FileEdit.h"
#include "ProgramRun.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

struct Device {
    std::unique_ptr<tesso::sim::SimServer> server = std::make_unique<tesso::sim::SimServer>();

    tesso::sim::SimDevice& sim() { return server->device(); }
    int queries() { return sim().commandCount(_DEV); }
    int queryAlls() { return sim().commandCount(_DIESE); }
};

} // namespace

TEST(ProgramFaults, SilenceInTheMiddleOfTheQueryAllAnswerIsALostDeviceThatComesBack)
{
    Device device;
    ASSERT_TRUE(device.server->openPty());
    device.sim().setSilenceAfter(40); // the answer to "#" stops after a few dozen lines
    ProgramRun run;
    run.program.setEnvironment(QStringLiteral("TESSO_COM1"), device.server->ptyPath());
    ASSERT_TRUE(run.start(serialLink(0)));

    ASSERT_TRUE(waitFor([&] { return device.queryAlls() == 1 && device.sim().silent(); }, Deadline));
    // The missing keep-alive answer loses the device; detection asks again every link step.
    const int asked = device.queries();
    ASSERT_TRUE(waitFor([&] { return device.queries() >= asked + 3; }, Deadline));
    EXPECT_EQ(device.queryAlls(), 1) << "nothing is reloaded while nobody answers";

    device.sim().setSilenceAfter(-1);
    ASSERT_TRUE(waitForKeepAlive(device, 2)) << "found again and reloaded";
    EXPECT_TRUE(staysConnected(device));
    run.finish();
}

TEST(ProgramFaults, TcpConnectionsThatDropOrFindNobodyAreMadeAgain)
{
    Device device;
    ASSERT_TRUE(device.server->listenTcp(QHostAddress(QHostAddress::LocalHost), 0));
    const quint16 port = device.server->tcpPort();
    device.sim().setDisconnectAfter(40); // in the middle of the first answer to "#"
    ProgramRun run;
    ASSERT_TRUE(run.start(tcpLink(port)));

    // Dropped once: connected again at once, detected and reloaded.
    ASSERT_TRUE(waitForKeepAlive(device, 2));
    EXPECT_TRUE(staysConnected(device));

    // The device goes away with its port for a few link steps (what that costs is IdleTest's).
    device.server.reset();
    runEventsFor(4000);

    // Back on the same port: connected, detected and reloaded without anybody's help.
    device.server = std::make_unique<tesso::sim::SimServer>();
    ASSERT_TRUE(device.server->listenTcp(QHostAddress(QHostAddress::LocalHost), port));
    ASSERT_TRUE(waitForKeepAlive(device));
    EXPECT_TRUE(staysConnected(device));
    run.finish();
}

TEST(ProgramFaults, SignalsEndAFirstRunWhoseQuestionIsOpenAndNothingIsWritten)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal == SIGINT ? "SIGINT" : "SIGTERM");
        TessoProcess program; // no connection file: the first run asks "Select port"
        ASSERT_TRUE(program.ready() && program.start());
        ASSERT_TRUE(waitFor([&] { return program.heartbeat().ticks().size() >= 2; }, Deadline))
            << "the question's loop runs";
        ::kill(static_cast<pid_t>(program.pid()), signal);
        ASSERT_TRUE(waitFor([&] { return !program.running(); }, Deadline)) << program.output().toStdString();
        EXPECT_EQ(program.terminate(), 0);
        EXPECT_TRUE(program.settingsFiles().isEmpty()) << "an unanswered first run writes nothing";
    }
}

// The device answers the write but keeps its own value: the check after the restore finds it, and
// the client says what still differs and ends with the status of a difference.
TEST(ProgramFaults, ARestoreTheDeviceDoesNotTakeEndsAsADifference)
{
    Device device;
    ASSERT_TRUE(device.server->openPty());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("setup.json"));
    const auto cli = [&](const char* command) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(TESSO_CLI_PATH),
                       {QStringLiteral("--serial"), device.server->ptyPath(), QLatin1String(command), file});
        EXPECT_TRUE(waitFor([&] { return process->state() == QProcess::NotRunning; }, 60000));
        return process;
    };
    ASSERT_EQ(cli("save")->exitCode(), 0);
    ASSERT_TRUE(tesso::test::replaceInFile(file, "\"OFMTM\": 1,", "\"OFMTM\": 99,")); // outside 0..12
    const auto restore = cli("restore");
    EXPECT_EQ(restore->exitCode(), 1);
    EXPECT_EQ(restore->readAllStandardOutput(), QByteArray("OFMTM: file 99, device 1\n"
                                                           "still different after the restore:\n"
                                                           "OFMTM: file 99, device 1\n"));
    EXPECT_EQ(restore->readAllStandardError(),
              QByteArray("tesso-cli: after the restore 1 settings still differ from the file\n"));
    EXPECT_EQ(device.sim().commandCount(_OFMTM), 1) << "written once";
}
