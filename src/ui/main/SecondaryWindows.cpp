#include "SecondaryWindows.h"

#include "AboutDialog.h"
#include "DebugConsole.h"
#include "FrameDebugWindow.h"
#include "FrameFormatWindow.h"
#include "FrameTransferWindow.h"
#include "GradientWindow.h"
#include "IpConfigDialog.h"
#include "ProjectorMessageWindow.h"
#include "Rs232LanDialog.h"
#include "StandbyWindow.h"
#include "SyncTimeWindow.h"

namespace tesso
{

std::vector<QWidget*> SecondaryWindows::All() const
{
    return {Debug, Gradient,      FrameFormat, FrameDebug,  SyncTime,        Standby,
            About, TransferFrame, Rs232LanDlg, IPConfigDlg, MessageProjector};
}

} // namespace tesso
