#include "SecondaryWindows.h"

#include "FormFrameDebug.h"
#include "FormFrameFormat.h"
#include "FormGradient.h"
#include "FormTransferFrame.h"
#include "Unit_About.h"
#include "Unit_Debug2007.h"
#include "Unit_MessageProjector.h"
#include "Unit_Standby.h"
#include "Unit_Sync_Time.h"
#include "ipconfig.h"
#include "rs232lansetup.h"

std::vector<QWidget*> SecondaryWindows::All() const
{
    return {Debug, Gradient,      FrameFormat, FrameDebug,  SyncTime,        Standby,
            About, TransferFrame, Rs232LanDlg, IPConfigDlg, MessageProjector};
}
