#include "StartUp.h"

#include <QApplication>

#include "Constante.h"
#include "FormFrameDebug.h"
#include "FormFrameFormat.h"
#include "FormGradient.h"
#include "FormTransferFrame.h"
#include "SecondaryWindows.h"
#include "Unit_About.h"
#include "Unit_Debug2007.h"
#include "Unit_Main.h"
#include "Unit_MessageProjector.h"
#include "Unit_PageAccueil.h"
#include "Unit_Standby.h"
#include "Unit_Sync_Time.h"
#include "WheelGuard.h"
#include "ipconfig.h"
#include "rs232lansetup.h"

std::unique_ptr<TForm_MAIN> TStartUp::Run(DriverLinks links, UserPrompts& prompts, const Options& options)
{
    // The splash has no owner and goes away when this function returns, whatever happens.
    auto splash = std::make_unique<TForm_PageAccueil>();
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
    qApp->setProperty("ApplicationTitle", QString(Constante::ApplicationTitle));
    WheelGuard::installOnApplication();
    step();

    auto main = std::make_unique<TForm_MAIN>(std::move(links), options.SettingsDirectory, prompts);
    step();
    TForm_MAIN* owner = main.get();
    TMirex_d* driver = &main->Driver();

    SecondaryWindows w;
    w.MessageProjector = new TForm_MessageProjector(owner);
    step();
    w.IPConfigDlg = new TIPConfigDlg(driver, owner);
    step();
    w.Rs232LanDlg = new TRs232LanDlg(driver, owner);
    step();
    w.TransferFrame = new TFormTransferFrame(main->Router(), prompts, owner);
    step();
    w.About = new TAbout_Tesso(owner);
    step();
    w.Standby = new TForm_Standby(owner);
    step();
    w.SyncTime = new TForm_Sync_Time(owner);
    step();
    w.FrameDebug = new TFormFrameDebug(owner);
    step();
    w.FrameFormat = new TFormFrameFormat(owner);
    step();
    w.Gradient = new TFormGradient(owner);
    w.TransferFrame->SetWindows(w.FrameFormat, w.FrameDebug, w.Gradient);
    step();
    w.Debug = new TForm_Debug2007(owner, options.SettingsDirectory);
    step();

    main->Initialise(w);
    step();
    return main;
}
