#pragma once
// The main window's routines that its pages run after showing a change of the device (one status
// grid, one reference status, one rule for the pages the input on air allows), and what they need
// to know of the model.

#include <functional>

#include <QString>

namespace tesso
{

struct MainRoutines {
    std::function<void()> UpdateStatusGrid;
    std::function<void()> UpdateReferenceStatus;
    std::function<void()> UpdatePagesForInput;
    // The ICHM change handler: the input on air as the buttons, grid and pages show it.
    std::function<void()> InputOnAir;
    // The number of inputs of the model the device reports, 0 while none is known.
    std::function<int()> InputCount;
    // Input k's button takes selections only while the input is in use.
    std::function<void(int input, bool used)> InputUsed;
    // A value of the status grid's column 1 that a page writes itself (the frame rows).
    std::function<void(int row, const QString& text)> ShowStatusCell;
    // The 2 s timer that hides the Frame Alert page's notice.
    std::function<void()> StartStatusTimer;
    // The transfer window, modal, with the main window hidden meanwhile.
    std::function<void()> OpenTransferWindow;
};

} // namespace tesso
