#pragma once
// Calculator: the panel Panel_Calc, a number calculator in decimal, binary and hexadecimal over
// the console's client area. It works locally (nothing reaches the device) and reacts only to
// the user: typing in a value cell, the keypad, the title bar's close area and drag.

#include <array>

#include <QFrame>
#include <QPoint>

#include "CalcEdit.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tesso
{

class CalcKeypad;

class Calculator : public QFrame
{
    Q_OBJECT

  public:
    static constexpr int PanelWidth = 306;

    explicit Calculator(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr; // title bar
    QLabel* Label_Title = nullptr;
    QTableWidget* StringGrid_Calc = nullptr;
    CalcKeypad* Image2 = nullptr;

    // The value cell of a row (0 decimal, 1 binary, 2 hexadecimal).
    QLineEdit* ValueCell(int row) const { return m_cells[static_cast<std::size_t>(row)]; }
    CalcEdit::Rows Values() const;
    int CurrentRow() const { return m_row; }
    void setCurrentRow(int row);

    // A value cell's text has become `text` by the user's hand.
    void editRow(int row, const QString& text);
    // The keypad's key pressed over the current row.
    void pressKey(int key);
    // The title bar: a left press in the close area hides the panel, elsewhere starts a drag.
    void pressTitleBar(const QPoint& pos, Qt::MouseButton button);
    void dragTitleBar(const QPoint& pos, Qt::MouseButtons buttons);
    // Moves the panel to `target`, or as near as keeps it whole over its parent (a console made
    // smaller than the panel's place, a larger font).
    void moveWithin(QPoint target);
    // Shows the decimal value and what it makes in the other rows.
    void LoadDecimal(const QString& decimal);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showRows(const CalcEdit::Rows& rows);

    std::array<QLineEdit*, 3> m_cells{};
    int m_row = CalcEdit::Decimal;
    bool m_dragging = false;
    QPoint m_grip; // the title bar's point under the pointer when the drag began
};

} // namespace tesso
