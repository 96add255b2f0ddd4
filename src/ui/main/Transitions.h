#pragma once
// How the device passes from one input to the next, as the main window shows it: the Cut, Fade
// and Title buttons (the effect chosen and whether one may be chosen), TAKE and AutoTake, the
// switch mode's consequences for the pages, and the three blinking looks of the main timer: the
// preselected input, a pending TAKE and the selected effect.

#include <memory>
#include <vector>

#include "EventRouter.h"

class QToolButton;

namespace tesso
{

class BindingTable;
class MainWindow;

class Transitions
{
  public:
    Transitions(MainWindow& window, EventRouter& router);
    ~Transitions();

    // A click on Cut (1), Fade (2) or Title (3): the effect, then the Effect page.
    void sendEffect(int effect);
    void showEffectType();
    void showEffectStatus();
    void showTake();
    void showSwitchMode();

    // The main timer's blinking, in the order the tick runs them.
    void PreselectedInputBlink();
    void TakeButtonBlink();
    void SelectedEffectBlink();

  private:
    std::vector<QToolButton*> effectButtons() const;
    const DeviceDriver* driver() const { return m_router.driver(); }

    MainWindow& m_window;
    EventRouter& m_router;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
    bool m_effectToggle = false;
    bool m_inputToggle = false;
    int m_blinkingInput = 0; // the input whose button blinks now, 0 for none
};

} // namespace tesso
