#pragma once
// The main window's routines that its pages run after showing a change of the device (one status
// grid, one reference status, one rule for the pages the input on air allows), and what they need
// to know of the model.

#include <functional>

struct TMainRoutines {
    std::function<void()> UpdateStatusGrid;
    std::function<void()> UpdateReferenceStatus;
    std::function<void()> UpdatePagesForInput;
    // The ICHM change handler: the input on air as the buttons, grid and pages show it.
    std::function<void()> InputOnAir;
    // The number of inputs of the model the device reports, 0 while none is known.
    std::function<int()> InputCount;
    // Input k's button takes selections only while the input is in use.
    std::function<void(int input, bool used)> InputUsed;
};
