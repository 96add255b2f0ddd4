#pragma once
// The "Output" page of the main window's page control: output format and rate, sync, type and
// test pattern in the group GrpOutput, and two notices for when the output is not the page's to set.

#include <memory>
#include <vector>

#include <QStringList>
#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QComboBox;
class QGroupBox;
class QLabel;
class TBindingTable;
class TRadioGroup;

class TPageOutput : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageOutput(QWidget* parent = nullptr);
    ~TPageOutput() override;

    // Ties the page's controls to the device.
    void BindTo(TEventRouter& router, const TMainRoutines& routines);
    // Replaces the output sync items, keeping the device's choice shown.
    void SetSyncItems(const QStringList& items);

    QGroupBox* GrpOutput = nullptr;
    QGroupBox* GrpOutputFormat = nullptr;
    QComboBox* CboOutputFormat = nullptr;
    QGroupBox* GrpOutputRate = nullptr;
    QComboBox* CboOutputRate = nullptr;
    TRadioGroup* RdoOutputSync = nullptr;
    TRadioGroup* RdoOutputType = nullptr;
    TRadioGroup* RdoTestPattern = nullptr;
    QLabel* LblOutputNotAvailableComputerInput = nullptr;
    QLabel* StaticText_NotOnOutSeamlessMode = nullptr;

    // The user's choices of format and rate.
    void CboOutputFormatChange(int position);
    void CboOutputRateChange(int position);
    // The device's format: its entry, the rates it allows, then the rate.
    void DriverOFMTMChange();
    // The device's rate, or "Follow Input" while it follows the input.
    void ShowOutputRate();

  private:
    TEventRouter* m_router = nullptr;
    TMainRoutines m_routines;
    std::unique_ptr<TBindingTable> m_bindings;
    std::vector<TSubscription> m_subscriptions;
};
