#pragma once
// The eleven windows that start-up creates after the main window, in that order. All are owned by
// the main window (Qt parent) and live until it is destroyed.

#include <vector>

class QWidget;

namespace tesso
{

class AboutDialog;
class FrameDebugWindow;
class FrameFormatWindow;
class GradientWindow;
class FrameTransferWindow;
class DebugConsole;
class ProjectorMessageWindow;
class StandbyWindow;
class SyncTimeWindow;
class IpConfigDialog;
class Rs232LanDialog;

struct SecondaryWindows {
    ProjectorMessageWindow* MessageProjector = nullptr;
    IpConfigDialog* IPConfigDlg = nullptr;
    Rs232LanDialog* Rs232LanDlg = nullptr;
    FrameTransferWindow* TransferFrame = nullptr;
    AboutDialog* About = nullptr;
    StandbyWindow* Standby = nullptr;
    SyncTimeWindow* SyncTime = nullptr;
    FrameDebugWindow* FrameDebug = nullptr;
    FrameFormatWindow* FrameFormat = nullptr;
    GradientWindow* Gradient = nullptr;
    DebugConsole* Debug = nullptr;

    // All of them, the last created first (the order they are destroyed in).
    std::vector<QWidget*> All() const;
};

} // namespace tesso
