#pragma once
// The program's start-up: the splash window with its 14 steps, the application title, the main
// window and then the eleven secondary windows in their fixed order, the main window's
// initialisation (which may ask "Select port" while the splash is still up), and the splash's
// removal, also when a step fails.

#include <functional>
#include <memory>

#include <QString>

#include "DeviceDriver.h"
#include "SerialPortScanner.h"

namespace tesso
{

class MainWindow;
class SplashWindow;
class UserPrompts;

class StartUp
{
  public:
    struct Options {
        QString SettingsDirectory;
        // The profile whose folder SettingsDirectory is (empty: the default settings).
        QString ProfileName;
        bool ShowSplash = true;
        // Where the serial-port menu finds the ports present: the stable names' folder and
        // whether the computer's own list is read (tests use a folder of their own only).
        QString SerialByIdDirectory = SerialPortScanner::systemByIdDirectory();
        bool SystemSerialPorts = true;
        // Called after each step with the splash (for tests that watch the progress).
        std::function<void(const SplashWindow& splash)> OnStep;
    };

    // Returns the initialised main window, not yet shown. Exceptions of a failing step propagate
    // after the splash is gone.
    static std::unique_ptr<MainWindow> Run(DriverLinks links, UserPrompts& prompts, const Options& options);
};

} // namespace tesso
