#pragma once
// The left column of the main window: the TAKE and effect buttons, the bold "Machine status:"
// label and the status grid GrdStatus (2 columns, 18 rows) with its four header panels.

#include <array>
#include <vector>

#include <QWidget>

#include "StatusGridRules.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tesso
{

class StatusGridArea : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int Rows = 18;
    static constexpr int HeaderRows[4] = {0, 7, 10, 14};

    explicit StatusGridArea(QWidget* parent = nullptr);

    QPushButton* Button_Take = nullptr;
    QToolButton* SpeedButton_Cut = nullptr;
    QToolButton* SpeedButton_Fade = nullptr;
    QToolButton* SpeedButton_Title = nullptr;
    QLabel* LblStatus = nullptr;
    QTableWidget* GrdStatus = nullptr;
    std::array<QLabel*, 4>
        HeaderPanels{}; // PnlStatusInput, PnlStatusReference, PnlStatusOutput, PnlStatusFrame

    // One mark per row: 0 normal, -1 a fault row shown in red bold.
    std::vector<int> StatusRowMarks;

    // Column widths, the labels of column 0, ResetStatusGrid, the row marks and the header panels.
    void SetUpStatusGrid();
    // Column 1 of every row "...", row 17 empty; no row marked.
    void ResetStatusGrid();
    // The texts and marks the rules gave; a row they left alone keeps what it shows. A marked
    // row's value is drawn in red bold.
    void ApplyCells(const StatusGridCells& cells);
    QString Cell(int column, int row) const;
};

} // namespace tesso
