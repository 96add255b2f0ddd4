// The windows beside the main one, as start-up makes them, at the scale and font the run is given
// (see WindowFitTest.cpp): each shown with every caption whole and every control named.
#include <gtest/gtest.h>

#include <functional>

#include "Calculator.h"
#include "DebugConsole.h"
#include "FrameDebugWindow.h"
#include "FrameFormatWindow.h"
#include "FrameTransferWindow.h"
#include "GradientWindow.h"
#include "IntervalDial.h"
#include "IpConfigDialog.h"
#include "MainWindowTestHarness.h"
#include "ProjectorMessageWindow.h"
#include "Rs232LanDialog.h"
#include "SecondaryWindows.h"
#include "StandbyWindow.h"
#include "SyncTimeWindow.h"
#include "WindowChecks.h"

using namespace tesso;
using namespace tesso::test;
using namespace tesso::test::mainwindow;

TEST(OtherWindowsFit, EachShowsItsCaptionsWholeAndNamesItsControls)
{
    if (const int points = qEnvironmentVariableIntValue("TESSO_TEST_FONT_POINTS"); points > 0) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    ConnectedWindow window;
    window.main->show();
    const SecondaryWindows& w = window.main->Windows();
    const std::pair<const char*, std::function<QWidget*()>> opens[] = {
        {"Stand by", [&]() -> QWidget* { return w.Standby; }},
        {"Black delay",
         [&]() -> QWidget* {
             w.SyncTime->OpenAt({10, 10});
             return w.SyncTime;
         }},
        {"Message projector", [&]() -> QWidget* { return w.MessageProjector; }},
        {"Debug, its calculator and a paced send's dial",
         [&]() -> QWidget* {
             w.Debug->show();
             QApplication::processEvents();
             w.Debug->showCalculator();
             EXPECT_TRUE(w.Debug->ClientArea->rect().contains(w.Debug->Panel_Calc->geometry()))
                 << "its close mark within reach";
             (new IntervalDial(w.Debug->ClientArea))->show();
             return w.Debug;
         }},
        {"Transfer frame", [&]() -> QWidget* { return w.TransferFrame; }},
        {"Frame debug", [&]() -> QWidget* { return w.FrameDebug; }},
        {"Resizing",
         [&]() -> QWidget* {
             w.FrameFormat->SetQuestion(1024, 768);
             return w.FrameFormat;
         }},
        {"Gradient", [&]() -> QWidget* { return w.Gradient; }},
        {"LAN setup", [&]() -> QWidget* { return w.IPConfigDlg; }},
        {"Serial or LAN setup", [&]() -> QWidget* { return w.Rs232LanDlg; }},
    };
    for (const auto& [name, open] : opens) {
        QWidget* shown = open();
        shown->show();
        QApplication::processEvents();
        EXPECT_EQ(clippedCaptions(shown), QStringList()) << name;
        EXPECT_EQ(unnamedControls(shown), QStringList()) << name;
        shown->hide();
    }
}
