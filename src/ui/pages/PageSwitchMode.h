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

namespace tesso
{

class BindingTable;
class RadioGroup;
class CompactCombo;

class PageSwitchMode : public QWidget
{
    Q_OBJECT

  public:
    explicit PageSwitchMode(QWidget* parent = nullptr);
    ~PageSwitchMode() override;

    // Ties the page's controls to the device.
    void BindTo(EventRouter& router);

    RadioGroup* RadioGroup_SWITCHMODE = nullptr;
    QGroupBox* GroupBox_Seamless = nullptr;
    // "Computer 1" .. "Computer 3" (inputs 5, 6, 7) and "Last computer".
    CompactCombo* SmallCombo_ICHREF = nullptr;
    QMenu* PopupMenu_ICHREF = nullptr;
    // Red notice while the requested reference has no signal.
    QLabel* RefreqM_Label_no_signal_Main_refreq = nullptr;

    // The reference chosen: the last computer input used, or a fixed one.
    void sendReferenceInput(int position);
    void showReferenceInput();

  protected:
    // The warning red follows the desktop's palette, light or dark.
    void changeEvent(QEvent* event) override;

  private:
    EventRouter* m_router = nullptr;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
