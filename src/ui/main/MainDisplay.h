#pragma once
// The main window's routines that several pages run: the status grid (UpdateStatusGrid), the
// reference status with the Switch mode page's notice (UpdateReferenceStatus), which parts of the
// Output and Image pages the input on air allows (UpdatePagesForInput), and the input on air
// itself (the ICHM change handler).

#include <vector>

#include "EventRouter.h"
#include "MainRoutines.h"

namespace tesso
{

class MainWindow;

class MainDisplay
{
  public:
    MainDisplay(MainWindow& window, EventRouter& router);

    void UpdateStatusGrid();
    void UpdateReferenceStatus();
    void UpdatePagesForInput();
    void showCurrentInput();

    // The number of inputs of the model the device reports, 0 while none is known.
    int InputCount() const;

    // These routines as the pages run them.
    MainRoutines Routines();

  private:
    MainWindow& m_window;
    EventRouter& m_router;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
