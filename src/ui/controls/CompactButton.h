#pragma once
// CompactButton: the small push button with a drawn down-arrow that opens a CompactCombo's list.
// It paints itself: a button-face background, a raised frame of BevelWidth pixels while up (flat
// while Down) and a black triangle 7, 5, 3 and 1 pixels wide around the centre.

#include <QWidget>

namespace tesso
{

class CompactButton : public QWidget
{
    Q_OBJECT

  public:
    explicit CompactButton(QWidget* parent = nullptr);

    // Shown pressed; false at creation. A different value repaints.
    bool Down() const { return m_down; }
    void setDown(bool down);

    // Width of the raised frame; 2 at creation. A different value repaints.
    int BevelWidth() const { return m_bevelWidth; }
    void setBevelWidth(int width);

    QSize sizeHint() const override;

  signals:
    // After a click (left button pressed and released over the button), once Down is false.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void click();

    bool m_down = false;
    int m_bevelWidth = 2;
    bool m_leftPressed = false;
};

} // namespace tesso
