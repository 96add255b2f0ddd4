#pragma once
// The "Input" page of the main window's page control: one settings row per input in PnlInputs
// (in use, VCR mode, signal type, colour standard, reference aspect ratio), each row setting its
// input's values (PCHAN first) and showing what the device reports for it.

#include <array>
#include <memory>
#include <vector>

#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QLabel;
class QMenu;
class QSpacerItem;

namespace tesso
{

class BindingTable;
class InputSettingsRow;

class PageInput : public QWidget
{
    Q_OBJECT

  public:
    explicit PageInput(QWidget* parent = nullptr);
    ~PageInput() override;

    // Ties the rows to the device.
    void BindTo(EventRouter& router, const MainRoutines& routines);

    QWidget* PnlInputs = nullptr;
    QLabel* StaticText_ReferenceAR = nullptr;
    std::array<InputSettingsRow*, 8> FrameInput{}; // FrameInput1 .. FrameInput8
    QMenu* PopupMenu_REFASP = nullptr;             // "Normal", "Wide"

    // ---- The model's layout (steps of ApplyDeviceModel) -------------------------------------------
    // Rows 1..7 after the layout table: lists filled and shown, or emptied and hidden; the VCR box
    // and the reference aspect chooser shown or hidden. Row 8 is left as it is.
    void ApplyRowLayout();
    // The reference aspect choosers of rows 1..n take their entries from PopupMenu_REFASP.
    void GiveReferenceAspectMenu(int inputCount);
    // The panel ends 7 pixels below row n: the rows after it are hidden.
    void FitPanel(int inputCount);

    // ---- Handlers ----------------------------------------------------------------------------------
    // Row k's signal type chosen at position p.
    void sendSignalType(int input, int position);
    // PRGBI, IPSIGM or IOORM reported.
    void SignalTypeDisplay();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void afterChange();
    // The rows' labels, and the room before the headings, as wide as the widest label.
    void fitLabelColumn();

    QSpacerItem* m_labelColumn = nullptr; // in the headings' row, above the labels

    EventRouter* m_router = nullptr;
    MainRoutines m_routines;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
