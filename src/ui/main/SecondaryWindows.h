#pragma once
// The eleven windows that start-up creates after the main window, in that order. All are owned by
// the main window (Qt parent) and live until it is destroyed.

#include <vector>

class QWidget;
class TAbout_Tesso;
class TFormFrameDebug;
class TFormFrameFormat;
class TFormGradient;
class TFormTransferFrame;
class TForm_Debug2007;
class TForm_MessageProjector;
class TForm_Standby;
class TForm_Sync_Time;
class TIPConfigDlg;
class TRs232LanDlg;

struct SecondaryWindows {
    TForm_MessageProjector* MessageProjector = nullptr;
    TIPConfigDlg* IPConfigDlg = nullptr;
    TRs232LanDlg* Rs232LanDlg = nullptr;
    TFormTransferFrame* TransferFrame = nullptr;
    TAbout_Tesso* About = nullptr;
    TForm_Standby* Standby = nullptr;
    TForm_Sync_Time* SyncTime = nullptr;
    TFormFrameDebug* FrameDebug = nullptr;
    TFormFrameFormat* FrameFormat = nullptr;
    TFormGradient* Gradient = nullptr;
    TForm_Debug2007* Debug = nullptr;

    // All of them, the last created first (the order they are destroyed in).
    std::vector<QWidget*> All() const;
};
