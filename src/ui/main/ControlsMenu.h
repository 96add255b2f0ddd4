#pragma once
// The device-wide commands of the Controls menu and the tool bar: 2:2 pull-down, black delay, key
// locking, and erasing all memories or restoring the default values after a confirmation.

#include <cstdint>
#include <memory>
#include <vector>

#include "EventRouter.h"

class QWidget;

namespace tesso
{

class BindingTable;
class MainMenus;
class UserPrompts;

class ControlsMenu
{
  public:
    ControlsMenu(MainMenus& menus, EventRouter& router, UserPrompts& prompts, QWidget* window);
    ~ControlsMenu();

    // Key locking item with its tag: 3 "All", 1 "Menu" (bit 0), 2 "Input" (bit 1).
    void setLock(int tag);
    void eraseAll();
    void restoreDefaultValues();
    // The locks the device reports, on the three items.
    void showLock();

  private:
    MainMenus& m_menus;
    EventRouter& m_router;
    UserPrompts& m_prompts;
    QWidget* m_window;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
