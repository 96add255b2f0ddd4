#pragma once
// The "Frame Alert" page: the still frame the device keeps in memory, shown on demand or on sync
// loss, captured from the video input, deleted, or transferred from the computer. Every refusal is
// a red notice for 2 seconds and sends nothing.

#include <memory>
#include <vector>

#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tesso
{

class BindingTable;
class RadioGroup;

class PageFrameAlert : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int RecordedRow = 15;
    static constexpr int DisplayedRow = 16;

    explicit PageFrameAlert(QWidget* parent = nullptr);
    ~PageFrameAlert() override;

    void BindTo(EventRouter& router, const MainRoutines& routines);
    // "Frame 1" .. "Frame 10", the first chosen.
    void FillFrameNumbers();

    void captureFrame();
    void deleteFrame();
    void openFrameTransfer();
    void ShowNotAvailable(const QString& reason);
    void showFrameRecorded();
    void showFrameStatus();
    void ShowRecording();
    void EnableFrameControls();

    RadioGroup* RdoFrameAuto = nullptr;
    QPushButton* BtnFrameDisplay = nullptr;
    QPushButton* BtnFrameHide = nullptr;
    QGroupBox* GrpFrameMemory = nullptr;
    QPushButton* BtnFrameCapture = nullptr;
    QPushButton* BtnTransferFrame = nullptr;
    QPushButton* BtnDeleteFrame = nullptr;
    QGroupBox* GrpFrameUsed = nullptr;
    QComboBox* CboFrameNumber = nullptr;
    QLabel* LblWaitRecordingFrame = nullptr;
    QLabel* LblFrameNotAvailable = nullptr;

  protected:
    // The warning red follows the desktop's palette, light or dark.
    void changeEvent(QEvent* event) override;

  private:
    DeviceDriver* driver() const { return m_router ? m_router->driver() : nullptr; }

    EventRouter* m_router = nullptr;
    MainRoutines m_routines;
    bool m_frameStateKnown = false; // FAREC reported since the device was connected
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
