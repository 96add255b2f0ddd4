#pragma once
// DialKnob: the interval dial's picture, a knob of twelve positions from 1 ms to 5500 ms. The
// pointer over a position frames it in blue; a click there, or a move with the left button held,
// selects it. Every redraw starts from the clean picture, then the frame, then the needle: nine
// lines from the hub to the centre of the selected position.

#include <array>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace tesso
{

class DialKnob : public QWidget
{
    Q_OBJECT

  public:
    static constexpr int PictureWidth = 73;
    static constexpr int PictureHeight = 102;
    static constexpr int PositionCount = 12;

    explicit DialKnob(QWidget* parent = nullptr);

    // Position 1..12 under the point (bounds inclusive, the first hit counts), or 0.
    static int PositionAt(const QPoint& p);
    // Inclusive bounds of a position.
    static QRect PositionRect(int position);
    static int IntervalOf(int position);
    // The rectangle's centre, each half rounded to the nearest integer, halves to even.
    static QPoint Centre(int position);

    int Selected() const { return m_selected; }
    int Hovered() const { return m_hovered; }
    // The position, as the user would pick it (no interval is reported).
    void setSelected(int position);

    const QImage& CleanPicture() const { return m_clean; }
    QImage Picture() const;

  signals:
    // The user picked a position; its interval in milliseconds.
    void selected(int intervalMs);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void pick(int position);
    static QImage drawClean();

    QImage m_clean;
    int m_selected = PositionCount;
    int m_hovered = 0;
    QPoint m_lastPointer;
};

} // namespace tesso
