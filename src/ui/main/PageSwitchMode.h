#pragma once
// The "Switch mode" page of the main window's page control. Its controls come with the switching
// behaviour; the start-up code sizes GroupBox_Seamless.

#include <memory>

#include <QWidget>

class QGroupBox;
class QLabel;
class TBindingTable;
class TEventRouter;
class TRadioGroup;

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
    // Red notice while the requested reference has no signal.
    QLabel* RefreqM_Label_no_signal_Main_refreq = nullptr;

  private:
    std::unique_ptr<TBindingTable> m_bindings;
};
