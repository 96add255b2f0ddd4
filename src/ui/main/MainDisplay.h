#pragma once
// The main window's routines that several pages run: the status grid (UpdateStatusGrid), the
// reference status with the Switch mode page's notice (UpdateReferenceStatus), which parts of the
// Output and Image pages the input on air allows (UpdatePagesForInput), and the input on air
// itself (the ICHM change handler).

#include <vector>

#include "EventRouter.h"
#include "MainRoutines.h"

class TForm_MAIN;

class TMainDisplay
{
  public:
    TMainDisplay(TForm_MAIN& window, TEventRouter& router);

    void UpdateStatusGrid();
    void UpdateReferenceStatus();
    void UpdatePagesForInput();
    void DriverICHMChange();

    // The number of inputs of the model the device reports, 0 while none is known.
    int InputCount() const;

    // These routines as the pages run them.
    TMainRoutines Routines();

  private:
    TForm_MAIN& m_window;
    TEventRouter& m_router;
    std::vector<TSubscription> m_subscriptions;
};
