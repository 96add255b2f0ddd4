#pragma once
// The Controls menu's "Stand by" items and the windows they open: standby on and off, the
// projector line's speed (the baud items carry the STBRATE codes as tags), the standby delay
// window, the projector messages (read back from the device on choosing them, stored on "Ok"),
// and the black delay window behind the hidden "0..30" item. Their check marks are the device's.

#include <memory>

#include <QPointer>

#include "EventRouter.h"

class QWidget;

namespace tesso
{

class BindingTable;
class ProjectorMessageWindow;
class StandbyWindow;
class SyncTimeWindow;
class MainMenus;
class ProjectorMessageReadBack;

class StandbyMenu
{
  public:
    struct Windows {
        StandbyWindow* Standby = nullptr;
        SyncTimeWindow* SyncTime = nullptr;
        ProjectorMessageWindow* MessageProjector = nullptr;
    };

    // client: the main window's client area, where the black delay window opens.
    StandbyMenu(MainMenus& menus, EventRouter& router, const Windows& windows, QWidget* client);
    ~StandbyMenu();

    void openStandbyTimer();
    // 0 "Message On", 1 "Message Off".
    void setMessageShown(int onOff);
    // Opens the black delay window at the mouse pointer.
    void chooseBlackDelay();

  private:
    EventRouter& m_router;
    QPointer<StandbyWindow> m_standby;
    QPointer<SyncTimeWindow> m_syncTime;
    QPointer<ProjectorMessageWindow> m_message;
    QPointer<QWidget> m_client;
    std::unique_ptr<BindingTable> m_bindings;
    std::unique_ptr<ProjectorMessageReadBack> m_readBack;
};

} // namespace tesso
