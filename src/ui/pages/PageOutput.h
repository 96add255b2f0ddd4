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

namespace tesso
{

class BindingTable;
class RadioGroup;

class PageOutput : public QWidget
{
    Q_OBJECT

  public:
    explicit PageOutput(QWidget* parent = nullptr);
    ~PageOutput() override;

    // Ties the page's controls to the device.
    void BindTo(EventRouter& router, const MainRoutines& routines);
    // Replaces the output sync items, keeping the device's choice shown.
    void SetSyncItems(const QStringList& items);

    QGroupBox* GrpOutput = nullptr;
    QGroupBox* GrpOutputFormat = nullptr;
    QComboBox* CboOutputFormat = nullptr;
    QGroupBox* GrpOutputRate = nullptr;
    QComboBox* CboOutputRate = nullptr;
    RadioGroup* RdoOutputSync = nullptr;
    RadioGroup* RdoOutputType = nullptr;
    RadioGroup* RdoTestPattern = nullptr;
    QLabel* LblOutputNotAvailableComputerInput = nullptr;
    QLabel* StaticText_NotOnOutSeamlessMode = nullptr;

    // The user's choices of format and rate.
    void sendOutputFormat(int position);
    void sendOutputRate(int position);
    // The device's format: its entry, the rates it allows, then the rate.
    void showOutputFormat();
    // The device's rate, or "Follow Input" while it follows the input.
    void ShowOutputRate();

  private:
    EventRouter* m_router = nullptr;
    MainRoutines m_routines;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
