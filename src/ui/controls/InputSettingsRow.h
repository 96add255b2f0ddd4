#pragma once
// InputSettingsRow: one row of per-input settings: label, "used" and VCR check boxes, signal type
// and standard lists, and the reference aspect chooser, left to right. The owner fills the lists,
// wires the controls to the device and gives the columns of all rows one width; the row only greys
// its controls while the input is not in use. A hidden control keeps its place, so the columns of
// the rows stay in line.
//
// Every control carries the row's input number (1 to 8) as its tag, the QObject property "Tag",
// so that one set of handlers can serve all rows.

#include <array>

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
    static constexpr int ColumnCount = 6;
    // The gap between two columns, also for the headings above the rows.
    static constexpr int ColumnSpacing = 8;

    explicit InputSettingsRow(QWidget* parent = nullptr);

    QLabel* Lbl = nullptr;
    QCheckBox* ChkUsed = nullptr;
    QCheckBox* ChkVCR = nullptr;
    QComboBox* CboSignalType = nullptr;
    QComboBox* CboStandard = nullptr;
    CompactCombo* SmallCombo_REFASP = nullptr;

    // Writes the input number into the tag of the row and of each of its controls, and names the
    // controls after it for a screen reader ("Input 3 signal type").
    void setTag(int inputNumber);
    int Tag() const;

    // Enables the label, ChkVCR and both lists exactly when ChkUsed is checked; the aspect
    // chooser keeps its state. Runs whenever ChkUsed changes state, by a click or by the owner
    // showing the device's value, so the row never contradicts its box.
    void applyUsedState();

    // Lbl, ChkUsed, ChkVCR, CboSignalType, CboStandard, SmallCombo_REFASP.
    std::array<QWidget*, ColumnCount> columns() const;
};

} // namespace tesso
