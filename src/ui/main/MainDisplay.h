#pragma once
// The main window's routines that several pages run: the status grid (UpdateStatusGrid), the
// reference status with the Switch mode page's notice (UpdateReferenceStatus), which parts of the
// Output and Image pages the input on air allows (UpdatePagesForInput), and the input on air
// itself (the ICHM change handler).

#include <functional>
#include <vector>

#include <QPointer>
#include <QStringList>

#include "EventRouter.h"
#include "MainRoutines.h"

class QTimer;

namespace tesso
{

class FrameTransferWindow;
class InputButtonRow;
class PageImage;
class PageOutput;
class PageSwitchMode;
class StatusGridArea;

class MainDisplay
{
  public:
    struct Parts {
        InputButtonRow* Inputs = nullptr;
        StatusGridArea* StatusArea = nullptr;
        PageSwitchMode* SwitchModePage = nullptr;
        PageOutput* OutputPage = nullptr;
        PageImage* ImagePage = nullptr;
        // Hides the Frame Alert page's notice when it runs out.
        QTimer* StatusTimer = nullptr;
        // The input label table (index k the label of input k).
        std::function<QStringList()> InputLabels;
        // The main window shown or hidden, as around the modal transfer window.
        std::function<void(bool visible)> SetWindowVisible;
    };

    MainDisplay(Parts parts, EventRouter& router);

    // The transfer window exists only once start-up has made it.
    void setTransferWindow(FrameTransferWindow* transfer);

    void UpdateStatusGrid();
    void UpdateReferenceStatus();
    void UpdatePagesForInput();
    void showCurrentInput();

    // The number of inputs of the model the device reports, 0 while none is known.
    int InputCount() const;

    // These routines as the pages run them.
    MainRoutines Routines();

  private:
    Parts m_parts;
    EventRouter& m_router;
    QPointer<FrameTransferWindow> m_transfer;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
