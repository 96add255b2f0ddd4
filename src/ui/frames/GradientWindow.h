#pragma once
// GradientWindow ("Gradient"): a start and an end colour (each a coloured panel that opens a colour
// dialog when clicked) and a direction. The choices last while the program runs.

#include <QColor>
#include <QDialog>

class QComboBox;
class QPushButton;

namespace tesso
{

class GradientWindow : public QDialog
{
    Q_OBJECT

  public:
    explicit GradientWindow(QWidget* parent = nullptr);

    QColor StartColour() const { return m_start; }
    QColor EndColour() const { return m_end; }
    void SetColours(const QColor& start, const QColor& end);
    bool Horizontal() const;

    QPushButton* PnlStart = nullptr;
    QPushButton* PnlEnd = nullptr;
    QComboBox* CboDirection = nullptr;

  private:
    void pick(QColor& colour, QPushButton* panel);
    static void paint(QPushButton* panel, const QColor& colour);

    QColor m_start{0, 0, 0};
    QColor m_end{200, 128, 200};
};

} // namespace tesso
