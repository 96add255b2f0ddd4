#pragma once
// InputSettingsRow: one row of per-input settings (569 x 21): label, "used" and VCR check boxes, signal
// type and standard lists, and the reference aspect chooser. The owner fills the lists and wires
// the controls to the device; the row only greys its controls while the input is not in use.
//
// Every control carries the row's input number (1 to 8) as its tag, the QObject property "Tag",
// so that one set of handlers can serve all rows.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace tesso
{

class CompactCombo;

class InputSettingsRow : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int FrameWidth = 569;
    static constexpr int FrameHeight = 21;

    explicit InputSettingsRow(QWidget* parent = nullptr);

    QLabel* Lbl = nullptr;
    QCheckBox* ChkUsed = nullptr;
    QCheckBox* ChkVCR = nullptr;
    QComboBox* CboSignalType = nullptr;
    QComboBox* CboStandard = nullptr;
    CompactCombo* SmallCombo_REFASP = nullptr;

    // Writes the input number into the tag of the row and of each of its controls.
    void setTag(int inputNumber);
    int Tag() const;

    // Enables the label, ChkVCR and both lists exactly when ChkUsed is checked; the aspect
    // chooser keeps its state. Runs whenever ChkUsed changes state, by a click or by the owner
    // showing the device's value, so the row never contradicts its box.
    void applyUsedState();

    QSize sizeHint() const override;
};

} // namespace tesso
