#pragma once
// TrackingScrollBar: a scroll bar that reports the end of every scroll, as the value frame's
// tracking flag needs: after the mouse button is released (arrow, page or thumb), after a wheel
// event that scrolled (even one that found the thumb at its end: Qt still reports a move then),
// after the key that scrolled is released, and after its context menu closed. Without that report
// a wheel or key scroll would leave the flag set and the thumb would stop following the device.

#include <QScrollBar>
#include <QStyle>

namespace tesso
{

class TrackingScrollBar : public QScrollBar
{
    Q_OBJECT

  public:
    explicit TrackingScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Where a part (arrow, page area, thumb) is drawn, in the scroll bar's coordinates.
    QRect controlRect(QStyle::SubControl control) const;

  signals:
    void scrollEnded();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool m_actionSeen = false;
    bool m_keyScrolling = false;
};

} // namespace tesso
