#pragma once
// How the device passes from one input to the next, as the main window shows it: the Cut, Fade
// and Title buttons (the effect chosen and whether one may be chosen), TAKE and AutoTake, the
// switch mode's consequences for the pages, and the three blinking looks of the main timer: the
// preselected input, a pending TAKE and the selected effect.

#include <functional>
#include <memory>
#include <vector>

#include <QPixmap>

#include "EventRouter.h"
#include "MainRoutines.h"

class QTabWidget;
class QToolButton;
class QWidget;

namespace tesso
{

class BindingTable;
class InputButtonRow;
class MainMenus;
class PageEffect;
class PageOutput;
class PageSwitchMode;
class StatusGridArea;

class Transitions
{
  public:
    struct Parts {
        InputButtonRow* Inputs = nullptr;
        StatusGridArea* StatusArea = nullptr;
        MainMenus* Menus = nullptr;
        QTabWidget* PageControl = nullptr;
        PageOutput* OutputPage = nullptr;
        PageSwitchMode* SwitchModePage = nullptr;
        PageEffect* EffectPage = nullptr;
        // The window's client area: its text colour is a blinking button's plain look.
        const QWidget* Client = nullptr;
        // The window's glyphs (0 idle, 1 lit), whose places change on every tick.
        const std::vector<QPixmap>* Glyphs = nullptr;
        // The Cut, Fade and Title buttons for the model and the switch mode.
        std::function<void()> EffectButtonVisibility;
    };

    // routines: the status grid and the pages the input on air allows, after a change of mode.
    Transitions(Parts parts, const MainRoutines& routines, EventRouter& router);
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

    Parts m_parts;
    MainRoutines m_routines;
    EventRouter& m_router;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
    bool m_effectToggle = false;
    bool m_inputToggle = false;
    int m_blinkingInput = 0; // the input whose button blinks now, 0 for none
};

} // namespace tesso
