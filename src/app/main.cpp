// tesso: the remote-control program. Start-up (splash, windows, settings), then the event loop
// until the main window closes. --simulate runs a simulated device in this process on a
// pseudo-terminal and maps COM1 to it. --profile runs on a device profile's settings folder, one
// window per profile: a second start of the same profile brings the first one's window forward.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "CommandLine.h"
#include "ConnectionSettings.h"
#include "DeviceDriver.h"
#include "ErrorReportBox.h"
#include "Errors.h"
#include "GlyphImages.h"
#include "Heartbeat.h"
#include "MainWindow.h"
#include "MessageBoxPrompts.h"
#include "OpenDeviceDialog.h"
#include "ProfileInstance.h"
#include "ProfileMenu.h"
#include "ProfileStore.h"
#include "QuitOnSignals.h"
#include "StartUp.h"
#include "Texts.h"

#ifdef TESSO_WITH_DEVSIM
#include "SimServer.h"

using namespace tesso;

#endif

namespace
{

QStringList argumentsOf(int argc, char** argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// The demo's own settings folder: a connection file that selects COM1, so that the first-run
// question is not asked and nothing of the user's settings is read or overwritten.
bool prepareDemoSettings(const QString& folder)
{
    ConnectionSettings settings(folder, QString(Texts::ApplicationTitle));
    ConnectionValues values;
    values.Port = 0;
    values.RemoteIp = QString(Texts::DefaultRemoteIp);
    values.IpEnable = 0;
    return settings.WriteConnection(values);
}

#ifdef TESSO_WITH_DEVSIM
std::unique_ptr<tesso::sim::SimServer> startSimulatedDevice(const QString& model, QString& error)
{
    auto sim = std::make_unique<tesso::sim::SimServer>(
        model == QStringLiteral("snipa") ? tesso::sim::Model::Snipa : tesso::sim::Model::Lumio);
    if (!sim->openPty(&error))
        return nullptr;
    // COM1 opens this device from now on (the serial port honours TESSO_COM1).
    qputenv("TESSO_COM1", sim->ptyPath().toLocal8Bit());
    return sim;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line =
        CommandLine::Parse(argumentsOf(argc, argv), qEnvironmentVariable("TESSO_PROFILE"));
    switch (line.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::Usage().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("tesso %s\n", TESSO_VERSION_STRING);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "tesso: %s\n\n%s", line.error.toLocal8Bit().constData(),
                     CommandLine::Usage().toLocal8Bit().constData());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    // Ended by a signal, the program still goes through its exit: the demonstration's settings
    // folder is removed and the link closed. A question asked during start-up (the first run's
    // "Select port") waits in a loop of its own, before the event loop, which quit() would not
    // end: the signal closes it, and the program ends after start-up without saving anything.
    bool interrupted = false;
    tesso::onSignals(app, [&interrupted] {
        interrupted = true;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
                dialog->reject();
        QCoreApplication::quit();
    });
    QApplication::setApplicationName(QStringLiteral("tesso"));
    QApplication::setApplicationVersion(QStringLiteral(TESSO_VERSION_STRING));
    QApplication::setWindowIcon(QIcon(GlyphImages::Logo(QString())));
    // The main window's closing ends the program, whatever other window is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    ErrorReportBox errors(nullptr);
    errors.Install();
    MessageBoxPrompts prompts;

    QString settingsFolder = ConnectionSettings::DefaultDirectory();
    // What programs started from "Open another device..." get: not the demonstration's COM1.
    const QProcessEnvironment userEnvironment = QProcessEnvironment::systemEnvironment();
    // The demonstration keeps to its temporary folder, whatever profile is named.
    QString profile = line.simulate ? QString() : line.profile;
    if (line.chooseProfile && !line.simulate) {
        tesso::OpenDeviceDialog chooser;
        const std::optional<QString> chosen = chooser.Execute(tesso::ProfileStore());
        if (!chosen || interrupted)
            return 0;
        profile = *chosen;
    }
    std::unique_ptr<tesso::ProfileInstance> instance;
    std::unique_ptr<MainWindow> mainWindow;
    if (!profile.isEmpty()) {
        const tesso::ProfileStore store;
        if (!store.exists(profile)) {
            if (const std::optional<QString> problem = store.create(profile)) {
                std::fprintf(stderr, "tesso: %s\n", problem->toLocal8Bit().constData());
                return 1;
            }
        }
        settingsFolder = store.folder(profile);
        // Before any window: a second start of the profile leaves the first one's files alone.
        instance = std::make_unique<tesso::ProfileInstance>(settingsFolder);
        const QByteArray name = profile.toLocal8Bit();
        switch (instance->claim()) {
        case tesso::ProfileInstance::Claim::Owned:
            break;
        case tesso::ProfileInstance::Claim::RaisedOther:
            std::printf("tesso: the profile \"%s\" is open in another window, which was brought to the "
                        "front\n",
                        name.constData());
            return 0;
        case tesso::ProfileInstance::Claim::HeldElsewhere:
            std::fprintf(stderr, "tesso: the profile \"%s\" is already open (by process %lld)\n",
                         name.constData(), static_cast<long long>(instance->holder()));
            return 1;
        }
        QObject::connect(instance.get(), &tesso::ProfileInstance::raiseRequested, &app, [&mainWindow, name] {
            std::printf("tesso: the profile \"%s\" was started again: its window comes to the front\n",
                        name.constData());
            std::fflush(stdout);
            if (mainWindow)
                mainWindow->bringToFront();
        });
    }
    std::unique_ptr<QTemporaryDir> demoFolder;
#ifdef TESSO_WITH_DEVSIM
    std::unique_ptr<tesso::sim::SimServer> simulated;
#endif
    if (line.simulate) {
#ifdef TESSO_WITH_DEVSIM
        QString error;
        simulated = startSimulatedDevice(line.model, error);
        if (!simulated) {
            std::fprintf(stderr, "tesso: cannot start the simulated device: %s\n",
                         error.toLocal8Bit().constData());
            return 1;
        }
        demoFolder = std::make_unique<QTemporaryDir>();
        if (!demoFolder->isValid() || !prepareDemoSettings(demoFolder->path())) {
            std::fputs("tesso: cannot create a settings folder for the demonstration\n", stderr);
            return 1;
        }
        settingsFolder = demoFolder->path();
        std::printf("tesso: simulated %s on %s (COM1)\n", line.model.toLocal8Bit().constData(),
                    simulated->ptyPath().toLocal8Bit().constData());
        std::fflush(stdout);
#else
        std::fputs("tesso: built without the simulated device\n", stderr);
        return 1;
#endif
    }

    // The fault tests watch the event loop from here on, the start-up's questions included.
    tesso::startHeartbeat(app);

    QString failure;
    try {
        StartUp::Options options;
        options.SettingsDirectory = settingsFolder;
        options.ProfileName = profile;
        mainWindow = StartUp::Run(makeDefaultLinks(), prompts, options);
    } catch (const TessoError& e) {
        failure = e.text();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (interrupted)
        return 0; // the window goes unshown and unclosed: nothing of the start-up is saved
    if (!mainWindow) {
        // No event loop will run: this box has to wait for the user.
        QMessageBox::critical(nullptr, QString(Texts::ApplicationTitle), failure);
        return 1;
    }
    errors.setWindow(mainWindow.get());
    mainWindow->Profiles().setLaunchEnvironment(userEnvironment);
    QObject::connect(mainWindow.get(), &MainWindow::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainWindow->show();
    const int result = app.exec();
    if (!mainWindow->IsClosed())
        mainWindow->close(); // a signal ended the loop: close as the user would, saving the settings
    mainWindow.reset();      // before the simulated device and the error box go
    return result;
}
