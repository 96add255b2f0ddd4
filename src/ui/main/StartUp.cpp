#include "StartUp.h"

#include <QApplication>

#include "AboutDialog.h"
#include "CheckableButtonAccessible.h"
#include "DebugConsole.h"
#include "FrameDebugWindow.h"
#include "FrameFormatWindow.h"
#include "FrameTransferWindow.h"
#include "GradientWindow.h"
#include "IpConfigDialog.h"
#include "MainMenus.h"
#include "MainWindow.h"
#include "ProjectorMessageWindow.h"
#include "Rs232LanDialog.h"
#include "SecondaryWindows.h"
#include "SplashWindow.h"
#include "StandbyWindow.h"
#include "SyncTimeWindow.h"
#include "Texts.h"
#include "WheelGuard.h"

namespace tesso
{

std::unique_ptr<MainWindow> StartUp::Run(DriverLinks links, UserPrompts& prompts, const Options& options)
{
    // The splash has no owner and goes away when this function returns, whatever happens.
    auto splash = std::make_unique<SplashWindow>();
    if (options.ShowSplash) {
        splash->show();
        splash->repaint();
    }
    auto step = [&] {
        splash->Step();
        if (options.OnStep)
            options.OnStep(*splash);
    };

    // The application title (not Qt's display name, which the window system would append to
    // every caption); message boxes take their caption from it.
    qApp->setProperty("ApplicationTitle", QString(Texts::ApplicationTitle));
    WheelGuard::installOnApplication();
    CheckableButtonAccessible::installFactory();
    step();

    auto main = std::make_unique<MainWindow>(std::move(links), options.SettingsDirectory, prompts);
    main->setProfileName(options.ProfileName);
    main->Menus->SerialPorts->setSources(options.SerialByIdDirectory, options.SystemSerialPorts);
    step();
    MainWindow* owner = main.get();
    DeviceDriver* driver = &main->Driver();

    SecondaryWindows w;
    w.MessageProjector = new ProjectorMessageWindow(owner);
    step();
    w.IPConfigDlg = new IpConfigDialog(driver, owner);
    step();
    w.Rs232LanDlg = new Rs232LanDialog(driver, owner);
    step();
    w.TransferFrame = new FrameTransferWindow(main->Router(), prompts, owner);
    step();
    w.About = new AboutDialog(owner);
    step();
    w.Standby = new StandbyWindow(owner);
    step();
    w.SyncTime = new SyncTimeWindow(owner);
    step();
    w.FrameDebug = new FrameDebugWindow(owner);
    step();
    w.FrameFormat = new FrameFormatWindow(owner);
    step();
    w.Gradient = new GradientWindow(owner);
    w.TransferFrame->SetWindows(w.FrameFormat, w.FrameDebug, w.Gradient);
    step();
    w.Debug = new DebugConsole(owner, options.SettingsDirectory);
    step();

    main->Initialise(w);
    step();
    return main;
}

} // namespace tesso
