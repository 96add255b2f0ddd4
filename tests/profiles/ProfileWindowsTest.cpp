// Profiles in the window: two windows on two simulated devices, each on its own profile, never
// write into each other's folder nor into the default one; the File menu's profile items.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "AboutDialog.h"

#include "DebugConsole.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "OpenDeviceDialog.h"
#include "ProfileInstance.h"
#include "ProfileMenu.h"
#include "ProfileStore.h"
#include "QuickSendButtons.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;
using namespace tesso::test::mainwindow;

namespace
{

// The default settings folder's own files (it may be the test's build folder), with their bytes.
QMap<QString, QByteArray> defaultFiles()
{
    QMap<QString, QByteArray> files;
    const QDir folder(ConnectionSettings::DefaultDirectory());
    for (const char* name : {"Tesso remote control.ini", "Lumio.ini", "Snipa.ini", "Debug2007.ini"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly))
            files.insert(QString::fromLatin1(name), file.readAll());
    }
    return files;
}

// Every file under a folder with its bytes, by path relative to it.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(path), file.readAll());
    }
    return files;
}

// A window on a profile of its own, on COM<com> which is a simulated device's pseudo-terminal.
struct ProfileWindow {
    tesso::sim::SimServer sim;
    QString name;
    QString folder;
    RecordingPrompts prompts;
    std::unique_ptr<MainWindow> main;

    ProfileWindow(tesso::sim::Model model, QString profile) : sim(model), name(std::move(profile)) {}

    void start(const ProfileStore& store, int com)
    {
        QString error;
        ASSERT_TRUE(sim.openPty(&error)) << error.toStdString();
        qputenv(QStringLiteral("TESSO_COM%1").arg(com).toLatin1().constData(), sim.ptyPath().toLocal8Bit());
        ASSERT_FALSE(store.create(name).has_value());
        folder = store.folder(name);
        ConnectionValues values;
        values.Port = com - 1;
        values.RemoteIp = QStringLiteral("127.0.0.1");
        ASSERT_TRUE(
            ConnectionSettings(folder, QStringLiteral("Tesso remote control")).WriteConnection(values));
        StartUp::Options options;
        options.SettingsDirectory = folder;
        options.ProfileName = name;
        options.ShowSplash = false;
        main = StartUp::Run(makeDefaultLinks(), prompts, options);
    }
    bool connected() const { return main->StatusArea->Cell(1, 1) == QStringLiteral("C.Video 1"); }

    // What a user changes: the network address, the first input's label, a console button.
    void change(const QString& address, const QString& label)
    {
        main->Driver().setIpRemoteAddress(address);
        prompts.answers = {label};
        main->Menus->MenuInput[0]->trigger();
        QStringList typed{label, QStringLiteral("DEV")};
        QuickSendButtons* buttons = main->Windows().Debug->Panel_Description;
        buttons->AskText = [&typed](const QString&, const QString&, const QString&) {
            return std::optional<QString>(typed.takeFirst());
        };
        buttons->pressButton(0, Qt::RightButton);
    }
};

struct ConfigFolder {
    QTemporaryDir home;
    QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    ConfigFolder() { qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit()); }
    ~ConfigFolder() { qputenv("XDG_CONFIG_HOME", saved); }
};

} // namespace

// Each profile's folder holds its own link, labels, console buttons and model; the default
// folder is not touched, whichever window closes first.
TEST(ProfileWindows, TwoWindowsOnTwoDevicesKeepToTheirOwnFiles)
{
    for (const bool lumioFirst : {true, false}) {
        SCOPED_TRACE(lumioFirst ? "Lumio closes first" : "Snipa closes first");
        ConfigFolder config;
        const ProfileStore store;
        const QMap<QString, QByteArray> before = defaultFiles();

        ProfileWindow left(tesso::sim::Model::Lumio, QStringLiteral("Stage left"));
        ProfileWindow right(tesso::sim::Model::Snipa, QStringLiteral("Stage right"));
        ASSERT_NO_FATAL_FAILURE(left.start(store, 1));
        ASSERT_NO_FATAL_FAILURE(right.start(store, 2));
        EXPECT_EQ(left.main->windowTitle(), QStringLiteral("Tesso remote control - Stage left"));
        ASSERT_TRUE(tesso::test::waitFor([&] { return left.connected() && right.connected(); }, 30000));
        EXPECT_EQ(left.main->windowTitle(), QStringLiteral("Lumio remote control - Stage left"));
        EXPECT_EQ(right.main->windowTitle(), QStringLiteral("Snipa remote control - Stage right"));
        EXPECT_TRUE(
            left.main->Windows().About->Panel_Notice->text().endsWith(QStringLiteral("Profile: Stage left")));

        left.change(QStringLiteral("127.0.0.11"), QStringLiteral("Left cam"));
        right.change(QStringLiteral("127.0.0.12"), QStringLiteral("Right cam"));
        (lumioFirst ? left : right).main->close();
        (lumioFirst ? right : left).main->close();

        for (ProfileWindow* w : {&left, &right}) {
            const bool isLeft = w == &left;
            const QMap<QString, QByteArray> files = filesUnder(w->folder);
            EXPECT_EQ(files.keys(),
                      (QStringList{QStringLiteral("Debug2007.ini"),
                                   isLeft ? QStringLiteral("Lumio.ini") : QStringLiteral("Snipa.ini"),
                                   QStringLiteral("Tesso remote control.ini")}));
            const QByteArray connection = files.value(QStringLiteral("Tesso remote control.ini"));
            EXPECT_TRUE(connection.contains(isLeft ? "127.0.0.11" : "127.0.0.12")) << connection.constData();
            EXPECT_TRUE(connection.contains(isLeft ? "Port=0" : "Port=1")) << connection.constData();
            EXPECT_TRUE(connection.contains(isLeft ? "Lumio" : "Snipa")) << connection.constData();
            const QByteArray labels =
                files.value(isLeft ? QStringLiteral("Lumio.ini") : QStringLiteral("Snipa.ini"));
            EXPECT_TRUE(labels.contains(isLeft ? "Left cam" : "Right cam"));
            EXPECT_FALSE(labels.contains(isLeft ? "Right cam" : "Left cam"));
            const QByteArray console = files.value(QStringLiteral("Debug2007.ini"));
            EXPECT_TRUE(console.startsWith(isLeft ? "0=Left cam;DEV" : "0=Right cam;DEV"))
                << console.constData();
        }
        EXPECT_EQ(defaultFiles(), before);
        EXPECT_EQ(filesUnder(config.home.path()).size(), 6) << "nothing beside the two profiles";
        left.main.reset();
        right.main.reset();
    }
    qunsetenv("TESSO_COM1");
    qunsetenv("TESSO_COM2");
}

// "Open another device...": the profiles with their links; a bad new name keeps the dialog open;
// the chosen or new profile is started as a program of its own.
TEST(ProfileWindows, OpenAnotherDeviceListsTheLinksAndStartsTheChosenProfile)
{
    ConfigFolder config;
    const ProfileStore store;
    const auto write = [&](const char* name, int port, int ipEnable) {
        ASSERT_FALSE(store.create(QString::fromLatin1(name)).has_value());
        ConnectionValues v;
        v.Port = port;
        v.RemoteIp = QStringLiteral("192.168.0.10");
        v.IpEnable = ipEnable;
        ConnectionSettings(store.folder(QString::fromLatin1(name)), QStringLiteral("Tesso remote control"))
            .WriteConnection(v);
    };
    write("Booth", 2, 0);
    write("FOH", 0, 2);
    write("Truck", 15, 1);
    ASSERT_FALSE(store.create(QStringLiteral("New one")).has_value());

    Harness h;
    h.startWith();
    ProfileMenu& menu = h.main->Profiles();
    QList<QStringList> started;
    menu.setLauncher([&](const QString&, const QStringList& arguments) {
        started << arguments;
        return true;
    });
    OpenDeviceDialog* dialog = menu.Dialog();
    QTimer::singleShot(0, dialog, [&] {
        QStringList rows;
        for (int i = 0; i < dialog->ListProfiles->topLevelItemCount(); ++i)
            rows << dialog->ListProfiles->topLevelItem(i)->text(0) + QLatin1Char('|') +
                        dialog->ListProfiles->topLevelItem(i)->text(1);
        EXPECT_EQ(rows,
                  (QStringList{QStringLiteral("Booth|COM3"), QStringLiteral("FOH|TCP 192.168.0.10:10500"),
                               QStringLiteral("New one|no link yet"),
                               QStringLiteral("Truck|UDP 192.168.0.10:10500")}));
        dialog->BOk->click();
        EXPECT_TRUE(dialog->isVisible()) << "nothing chosen";
        dialog->EditNewName->setText(QStringLiteral("../etc"));
        dialog->BOk->click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->LblProblem->text(), *ProfileStore::nameProblem(QStringLiteral("../etc")));
        dialog->EditNewName->setText(QStringLiteral("Balcony"));
        dialog->BOk->click();
    });
    h.main->Menus->MenuFileOpenDevice->trigger();
    EXPECT_EQ(started, (QList<QStringList>{{QStringLiteral("--profile"), QStringLiteral("Balcony")}}));
    EXPECT_FALSE(store.exists(QStringLiteral("Balcony"))) << "the started program makes it";

    menu.setLauncher([](const QString&, const QStringList&) { return false; });
    EXPECT_FALSE(menu.startProfile(QStringLiteral("Booth")));
    ASSERT_FALSE(h.prompts.informations.isEmpty());
    EXPECT_EQ(h.prompts.informations.last().text,
              QStringLiteral("Tesso could not be started for the profile \"Booth\"."));
}

// Rename and delete ask first, leave this window's profile out and refuse one a window holds.
TEST(ProfileWindows, RenameAndDeleteAskFirstAndSpareHeldProfiles)
{
    ConfigFolder config;
    const ProfileStore store;
    for (const char* name : {"Mine", "Booth", "FOH"})
        ASSERT_FALSE(store.create(QString::fromLatin1(name)).has_value());
    Harness h;
    h.startWith();
    ProfileMenu& menu = h.main->Profiles();
    menu.setCurrent(QStringLiteral("Mine"));
    QAction* rename = h.main->Menus->MenuFileRenameProfile;
    QAction* remove = h.main->Menus->MenuFileDeleteProfile;

    h.prompts.answers = {QStringLiteral("Mine")}; // not offered: this window holds it
    rename->trigger();
    EXPECT_TRUE(store.exists(QStringLiteral("Mine")));
    EXPECT_EQ(h.prompts.questions.last().at(2), QStringLiteral("Booth")) << "the first other profile";

    h.prompts.answers = {QStringLiteral("Booth"), QStringLiteral("a/b")};
    rename->trigger();
    EXPECT_EQ(h.prompts.informations.last().text, *ProfileStore::nameProblem(QStringLiteral("a/b")));
    h.prompts.confirmAnswer = false;
    h.prompts.answers = {QStringLiteral("Booth"), QStringLiteral("Balcony")};
    rename->trigger();
    EXPECT_EQ(h.prompts.confirmations.last().text,
              QStringLiteral("Rename the profile \"Booth\" to \"Balcony\"?"));
    EXPECT_TRUE(store.exists(QStringLiteral("Booth")));
    h.prompts.confirmAnswer = true;
    h.prompts.answers = {QStringLiteral("Booth"), QStringLiteral("Balcony")};
    rename->trigger();
    EXPECT_EQ(store.names(),
              (QStringList{QStringLiteral("Balcony"), QStringLiteral("FOH"), QStringLiteral("Mine")}));

    {
        ProfileInstance other(store.folder(QStringLiteral("FOH")));
        ASSERT_EQ(other.claim(), ProfileInstance::Claim::Owned);
        const int asked = h.prompts.confirmations.size();
        h.prompts.answers = {QStringLiteral("FOH")};
        remove->trigger();
        EXPECT_EQ(h.prompts.informations.last().text,
                  QStringLiteral("The profile \"FOH\" is open in another window: close that window first."));
        EXPECT_EQ(h.prompts.confirmations.size(), asked) << "not even asked";
        EXPECT_TRUE(store.exists(QStringLiteral("FOH")));
    }
    h.prompts.answers = {QStringLiteral("FOH")};
    remove->trigger();
    EXPECT_EQ(h.prompts.confirmations.last().text,
              QStringLiteral(
                  "Delete the profile \"FOH\" with its connection settings, labels and console settings?"));
    h.prompts.answers = {QStringLiteral("Balcony")};
    remove->trigger();
    EXPECT_EQ(store.names(), (QStringList{QStringLiteral("Mine")}));
    remove->trigger();
    EXPECT_EQ(h.prompts.informations.last().text, QStringLiteral("There is no other profile."));
}
