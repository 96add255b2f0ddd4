// Profile names and folders, and one program per profile.

#include <gtest/gtest.h>

#include <thread>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "ProfileInstance.h"
#include "ProfileStore.h"
#include "WaitFor.h"

using namespace tesso;

TEST(ProfileStore, NamesAreCheckedAndFoldersStayUnderTheRoot)
{
    for (const char* good : {"Stage left", "cam_2-B", "A"})
        EXPECT_FALSE(ProfileStore::nameProblem(QString::fromUtf8(good)).has_value()) << good;
    EXPECT_FALSE(ProfileStore::nameProblem(QStringLiteral("Sc\u00e8ne")).has_value());
    for (const char* bad : {"", " ", "../up", "a/b", ".", "..", "x.ini", " lead", "trail ", "tab\there", "~"})
        EXPECT_TRUE(ProfileStore::nameProblem(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_TRUE(
        ProfileStore::nameProblem(QString(ProfileStore::MaxNameLength + 1, QLatin1Char('x'))).has_value());

    QTemporaryDir root;
    const ProfileStore store(root.path() + QStringLiteral("/profiles"));
    EXPECT_TRUE(store.names().isEmpty()) << "no folder yet";
    EXPECT_FALSE(store.create(QStringLiteral("Stage left")).has_value());
    EXPECT_FALSE(store.create(QStringLiteral("Booth")).has_value());
    EXPECT_TRUE(store.create(QStringLiteral("Booth")).has_value()) << "exists already";
    EXPECT_TRUE(store.create(QStringLiteral("../escape")).has_value());
    QDir().mkpath(store.root() + QStringLiteral("/.hidden"));
    EXPECT_EQ(store.names(), (QStringList{QStringLiteral("Booth"), QStringLiteral("Stage left")}));

    QFile file(store.folder(QStringLiteral("Booth")) + QStringLiteral("/Tesso.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[CONNEXION]\r\nPort=2\r\n");
    file.close();
    EXPECT_TRUE(store.rename(QStringLiteral("Booth"), QStringLiteral("Stage left")).has_value());
    EXPECT_TRUE(store.rename(QStringLiteral("Booth"), QStringLiteral("a/b")).has_value());
    EXPECT_FALSE(store.rename(QStringLiteral("Booth"), QStringLiteral("FOH")).has_value());
    EXPECT_TRUE(QFile::exists(store.folder(QStringLiteral("FOH")) + QStringLiteral("/Tesso.ini")));
    EXPECT_FALSE(store.remove(QStringLiteral("FOH")).has_value());
    EXPECT_TRUE(store.remove(QStringLiteral("FOH")).has_value()) << "gone already";
    EXPECT_TRUE(store.remove(QStringLiteral("..")).has_value());
    EXPECT_TRUE(QDir(root.path()).exists()) << "nothing outside the profiles was touched";
}

TEST(ProfileInstance, TheSecondStartAsksTheFirstToShowItsWindow)
{
    QTemporaryDir root;
    const QString folder = root.path() + QStringLiteral("/Booth");
    ProfileInstance first(folder);
    ASSERT_EQ(first.claim(), ProfileInstance::Claim::Owned);
    EXPECT_TRUE(ProfileInstance::isHeld(folder));
    int raised = 0;
    QObject::connect(&first, &ProfileInstance::raiseRequested, [&] { ++raised; });

    // The second start waits for its answer; the first answers from its event loop.
    std::atomic<int> outcome{-1};
    qint64 holder = 0;
    std::thread second([&] {
        ProfileInstance other(folder);
        outcome = static_cast<int>(other.claim());
        holder = other.holder();
    });
    ASSERT_TRUE(tesso::test::waitFor([&] { return outcome >= 0; }, 10000));
    second.join();
    EXPECT_EQ(outcome, static_cast<int>(ProfileInstance::Claim::RaisedOther));
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(holder, QCoreApplication::applicationPid());
    EXPECT_FALSE(ProfileInstance::isHeld(root.path() + QStringLiteral("/Other")));
}

TEST(ProfileInstance, ALockLeftByAProgramThatIsGoneIsTakenOver)
{
    QTemporaryDir root;
    const QString folder = root.path() + QStringLiteral("/Booth");
    QDir().mkpath(folder);
    // A process that has ended: its number is free, as a crashed window's would be.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(5000));
    ASSERT_GT(deadPid, 0);
    {
        QLockFile crashed(folder + QStringLiteral("/tesso.lock"));
        ASSERT_TRUE(crashed.tryLock(0));
        QFile file(folder + QStringLiteral("/tesso.lock"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        lines[0] = QByteArray::number(deadPid);
        crashed.unlock();
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines.join('\n'));
    }
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/tesso.lock")));
    ProfileInstance instance(folder);
    EXPECT_EQ(instance.claim(), ProfileInstance::Claim::Owned);
}
