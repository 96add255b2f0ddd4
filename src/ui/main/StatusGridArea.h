#pragma once
// The left column of the main window: the TAKE and effect buttons, the bold "Machine status:"
// label and the status grid GrdStatus (2 columns, 18 rows) with its four header panels, each a
// caption over both columns of its row. A screen reader reads each value with its row's label.

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

    // Row heights and column widths from the font, the labels of column 0, the header panels,
    // ResetStatusGrid and the row marks.
    void SetUpStatusGrid();
    // Column 1 of every row "...", row 17 empty; no row marked.
    void ResetStatusGrid();
    // The texts and marks the rules gave; a row they left alone keeps what it shows. A marked
    // row's value is drawn in red bold.
    void ApplyCells(const StatusGridCells& cells);
    QString Cell(int column, int row) const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // The grid's colours from the palette; a fault row's red chosen for the grid's background.
    void applyColours();
    void markRow(int row);
    void speakRow(int row);
};

} // namespace tesso
