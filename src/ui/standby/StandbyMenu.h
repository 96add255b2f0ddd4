#pragma once
// The Controls menu's "Stand by" items and the windows they open: standby on and off, the
// projector line's speed (the baud items carry the STBRATE codes as tags), the standby delay
// window, the projector messages (read back from the device on choosing them, stored on "Ok"),
// and the black delay window behind the hidden "0..30" item. Their check marks are the device's.

#include <memory>

#include <QPointer>

#include "EventRouter.h"

class QWidget;
class TBindingTable;
class TForm_MessageProjector;
class TForm_Standby;
class TForm_Sync_Time;
class TMainMenus;
class TProjectorMessageReadBack;

class TStandbyMenu
{
  public:
    struct Windows {
        TForm_Standby* Standby = nullptr;
        TForm_Sync_Time* SyncTime = nullptr;
        TForm_MessageProjector* MessageProjector = nullptr;
    };

    // client: the main window's client area, where the black delay window opens.
    TStandbyMenu(TMainMenus& menus, TEventRouter& router, const Windows& windows, QWidget* client);
    ~TStandbyMenu();

    void MenuStandByTimerClick();
    // 0 "Message On", 1 "Message Off".
    void MenuMessageClick(int onOff);
    // Opens the black delay window at the mouse pointer.
    void MenuBlackDelayRangeClick();

  private:
    TEventRouter& m_router;
    QPointer<TForm_Standby> m_standby;
    QPointer<TForm_Sync_Time> m_syncTime;
    QPointer<TForm_MessageProjector> m_message;
    QPointer<QWidget> m_client;
    std::unique_ptr<TBindingTable> m_bindings;
    std::unique_ptr<TProjectorMessageReadBack> m_readBack;
};
