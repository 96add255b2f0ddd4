#pragma once
// The "Switch mode" page of the main window's page control. Its controls come with the switching
// behaviour; the start-up code sizes GroupBox_Seamless.

#include <memory>
#include <vector>

#include <QWidget>

#include "EventRouter.h"

class QGroupBox;
class QLabel;
class QMenu;
class TBindingTable;
class TRadioGroup;
class TSmallCombo;

class TPageSwitchMode : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageSwitchMode(QWidget* parent = nullptr);
    ~TPageSwitchMode() override;

    // Ties the page's controls to the device.
    void BindTo(TEventRouter& router);

    TRadioGroup* RadioGroup_SWITCHMODE = nullptr;
    QGroupBox* GroupBox_Seamless = nullptr;
    // "Computer 1" .. "Computer 3" (inputs 5, 6, 7) and "Last computer".
    TSmallCombo* SmallCombo_ICHREF = nullptr;
    QMenu* PopupMenu_ICHREF = nullptr;
    // Red notice while the requested reference has no signal.
    QLabel* RefreqM_Label_no_signal_Main_refreq = nullptr;

    // The reference chosen: the last computer input used, or a fixed one.
    void SmallComboICHREFChange(int position);
    void DriverICHREFChange();

  private:
    TEventRouter* m_router = nullptr;
    std::unique_ptr<TBindingTable> m_bindings;
    std::vector<TSubscription> m_subscriptions;
};
