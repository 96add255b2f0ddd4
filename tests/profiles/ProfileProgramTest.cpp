// The program's profile options: the command line, and a second start of a profile that a running
// program holds.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include "CommandLine.h"
#include "ConnectionSettings.h"
#include "ProfileStore.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

// Each file of a folder with its size and modification time: what a write would change.
QStringList snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

struct Program {
    QProcess process;
    explicit Program(const QString& config, const QByteArray& com1 = QByteArray())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("TESSO_PROFILE"));
        if (!com1.isEmpty())
            environment.insert(QStringLiteral("TESSO_COM1"), QString::fromLocal8Bit(com1));
        process.setProcessEnvironment(environment);
    }
    // Runs to its end while this process's event loop keeps the simulated device answering.
    int run(const QStringList& arguments)
    {
        process.start(QStringLiteral(TESSO_APP_PATH), arguments);
        if (!process.waitForStarted(10000) ||
            !tesso::test::waitFor([&] { return process.state() == QProcess::NotRunning; }, 30000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

} // namespace

TEST(ProfileCommandLine, TheOptionWinsAndBadNamesAreRefused)
{
    const QString env = QStringLiteral("From env");
    EXPECT_EQ(CommandLine::Parse({}, env).profile, env);
    EXPECT_EQ(CommandLine::Parse({}, QString()).profile, QString());
    EXPECT_EQ(CommandLine::Parse({QStringLiteral("--profile"), QStringLiteral("Stage left")}, env).profile,
              QStringLiteral("Stage left"));
    EXPECT_EQ(CommandLine::Parse({QStringLiteral("--profile=cam_2-B")}, env).profile,
              QStringLiteral("cam_2-B"));
    const CommandLine chooser = CommandLine::Parse({QStringLiteral("--choose-profile")});
    EXPECT_EQ(chooser.action, CommandLine::Action::Run);
    EXPECT_TRUE(chooser.chooseProfile);

    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--profile"), QStringLiteral("../up")},
          QStringList{QStringLiteral("--profile=a/b")}, QStringList{QStringLiteral("--profile=")}}) {
        const CommandLine line = CommandLine::Parse(arguments, env);
        EXPECT_EQ(line.action, CommandLine::Action::Error) << arguments.join(u' ').toStdString();
        const QString name = arguments.last().section(u'=', 1);
        EXPECT_EQ(line.error, *ProfileStore::nameProblem(arguments.size() == 2 ? arguments.last() : name));
    }
    const CommandLine fromEnvironment = CommandLine::Parse({}, QStringLiteral("x.ini"));
    EXPECT_EQ(fromEnvironment.action, CommandLine::Action::Error);
    EXPECT_EQ(fromEnvironment.error, *ProfileStore::nameProblem(QStringLiteral("x.ini")));
    const CommandLine missing =
        CommandLine::Parse({QStringLiteral("--profile"), QStringLiteral("--simulate")});
    EXPECT_EQ(missing.action, CommandLine::Action::Error);
    EXPECT_EQ(missing.error, QStringLiteral("--profile needs a name"));

    // The program says so on standard error and ends with status 2, before any window.
    QTemporaryDir config;
    Program program(config.path());
    EXPECT_EQ(program.run({QStringLiteral("--profile"), QStringLiteral("../up")}), 2);
    EXPECT_TRUE(program.process.readAllStandardError().startsWith(
        "tesso: \"../up\" cannot be a profile name: use letters, digits, spaces, dashes and underscores "
        "only."));
    EXPECT_TRUE(QDir(config.path()).isEmpty()) << "nothing made";
}

// A second start of a running profile brings the first window forward and writes nothing; when
// the holder cannot be reached it says who holds the profile and fails.
TEST(ProfileProgram, ASecondStartOfTheSameProfileWritesNothing)
{
    tesso::sim::SimServer sim(tesso::sim::Model::Lumio);
    QString error;
    ASSERT_TRUE(sim.openPty(&error)) << error.toStdString();
    QTemporaryDir config;
    const ProfileStore store(config.path() + QStringLiteral("/tesso/profiles"));
    ASSERT_FALSE(store.create(QStringLiteral("Stage left")).has_value());
    const QString folder = store.folder(QStringLiteral("Stage left"));
    ConnectionValues values;
    values.Port = 0;
    values.RemoteIp = QStringLiteral("127.0.0.1");
    ASSERT_TRUE(ConnectionSettings(folder, QStringLiteral("Tesso remote control")).WriteConnection(values));

    Program first(config.path(), sim.ptyPath().toLocal8Bit());
    first.process.start(QStringLiteral(TESSO_APP_PATH),
                        {QStringLiteral("--profile"), QStringLiteral("Stage left")});
    ASSERT_TRUE(first.process.waitForStarted(10000));
    ASSERT_TRUE(
        tesso::test::waitFor([&] { return QFile::exists(folder + QStringLiteral("/tesso.lock")); }, 20000));
    // The model is known once the window reads the whole device.
    ASSERT_TRUE(tesso::test::waitFor([&] { return sim.device().repliesSent() > 20; }, 30000));
    const QStringList before = snapshot(config.path());

    Program second(config.path());
    second.process.setProcessEnvironment([&] {
        QProcessEnvironment e = second.process.processEnvironment();
        e.insert(QStringLiteral("TESSO_PROFILE"), QStringLiteral("Stage left"));
        return e;
    }());
    EXPECT_EQ(second.run({}), 0);
    EXPECT_EQ(
        second.process.readAllStandardOutput(),
        "tesso: the profile \"Stage left\" is open in another window, which was brought to the front\n");
    QByteArray said;
    EXPECT_TRUE(tesso::test::waitFor(
        [&] {
            said += first.process.readAllStandardOutput();
            return said.contains("\"Stage left\" was started again: its window comes to the front");
        },
        10000));
    EXPECT_EQ(snapshot(config.path()), before);
    first.process.terminate();
    ASSERT_TRUE(tesso::test::waitFor([&] { return first.process.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(first.process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/tesso.lock")));
    EXPECT_EQ(ConnectionSettings(folder, QStringLiteral("Tesso remote control")).ReadConnection().LastModel,
              QStringLiteral("Lumio"));

    // A holder that does not answer: this test process holds the lock without listening.
    QLockFile held(folder + QStringLiteral("/tesso.lock"));
    ASSERT_TRUE(held.tryLock(0));
    const QStringList locked = snapshot(config.path());
    Program third(config.path());
    EXPECT_EQ(third.run({QStringLiteral("--profile"), QStringLiteral("Stage left")}), 1);
    EXPECT_TRUE(third.process.readAllStandardError().contains(
        QStringLiteral("tesso: the profile \"Stage left\" is already open (by process %1)\n")
            .arg(QCoreApplication::applicationPid())
            .toLocal8Bit()));
    EXPECT_EQ(snapshot(config.path()), locked);
}
