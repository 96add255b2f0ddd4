#include "TrackingScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace tesso
{

TrackingScrollBar::TrackingScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
    connect(this, &QAbstractSlider::actionTriggered, this, [this] { m_actionSeen = true; });
}

QRect TrackingScrollBar::controlRect(QStyle::SubControl control) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
}

void TrackingScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    // The left button scrolls by arrow, page or thumb, the middle one jumps the thumb.
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        emit scrollEnded();
}

void TrackingScrollBar::wheelEvent(QWheelEvent* event)
{
    m_actionSeen = false;
    QScrollBar::wheelEvent(event);
    if (m_actionSeen)
        emit scrollEnded();
}

void TrackingScrollBar::keyPressEvent(QKeyEvent* event)
{
    m_actionSeen = false;
    QScrollBar::keyPressEvent(event);
    if (m_actionSeen)
        m_keyScrolling = true;
}

void TrackingScrollBar::keyReleaseEvent(QKeyEvent* event)
{
    QScrollBar::keyReleaseEvent(event);
    if (!event->isAutoRepeat() && m_keyScrolling) {
        m_keyScrolling = false;
        emit scrollEnded();
    }
}

void TrackingScrollBar::contextMenuEvent(QContextMenuEvent* event)
{
    QScrollBar::contextMenuEvent(event); // runs the menu to its end
    emit scrollEnded();
}

} // namespace tesso
