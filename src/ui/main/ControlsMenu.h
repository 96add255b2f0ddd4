#pragma once
// The device-wide commands of the Controls menu and the tool bar: 2:2 pull-down, black delay, key
// locking, and erasing all memories or restoring the default values after a confirmation.

#include <cstdint>
#include <memory>
#include <vector>

#include "EventRouter.h"

class QWidget;
class TBindingTable;
class TMainMenus;
class UserPrompts;

class TControlsMenu
{
  public:
    TControlsMenu(TMainMenus& menus, TEventRouter& router, UserPrompts& prompts, QWidget* window);
    ~TControlsMenu();

    // Key locking item with its tag: 3 "All", 1 "Menu" (bit 0), 2 "Input" (bit 1).
    void MenuLockClick(int tag);
    void MenuEraseAllClick();
    void MenuDefaultValuesClick();
    // The locks the device reports, on the three items.
    void DriverLOCKChange();

  private:
    TMainMenus& m_menus;
    TEventRouter& m_router;
    UserPrompts& m_prompts;
    QWidget* m_window;
    std::unique_ptr<TBindingTable> m_bindings;
    std::vector<TSubscription> m_subscriptions;
};
