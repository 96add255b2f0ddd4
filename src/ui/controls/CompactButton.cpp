#include "CompactButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "ErrorReport.h"

namespace tesso
{

CompactButton::CompactButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void CompactButton::setDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    update();
}

void CompactButton::setBevelWidth(int width)
{
    if (width == m_bevelWidth)
        return;
    m_bevelWidth = width;
    update();
}

QSize CompactButton::sizeHint() const
{
    return {17, 17};
}

void CompactButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));

    if (!m_down) {
        // Raised frame, one ring per bevel pixel: light top and left, dark right and bottom.
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Dark);
        for (int i = 0; i < m_bevelWidth; ++i) {
            const int left = i;
            const int top = i;
            const int right = width() - 1 - i;
            const int bottom = height() - 1 - i;
            if (right < left || bottom < top)
                break;
            p.fillRect(left, top, 1, bottom - top, light);
            p.fillRect(left, top, right - left, 1, light);
            p.fillRect(right, top, 1, bottom - top + 1, dark);
            p.fillRect(left, bottom, right - left + 1, 1, dark);
        }
    }

    const int cx = width() / 2;
    const int cy = height() / 2;
    if (cx >= 4 && cy >= 3) {
        // Down-pointing triangle, rows 7, 5, 3 and 1 pixels wide.
        for (int row = 0; row < 4; ++row)
            p.fillRect(cx - 3 + row, cy - 1 + row, 7 - 2 * row, 1, Qt::black);
    }
}

void CompactButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    setDown(true);
    event->accept();
}

void CompactButton::mouseReleaseEvent(QMouseEvent* event)
{
    setDown(false);
    const bool clicked =
        event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    event->accept();
    if (clicked)
        click();
}

void CompactButton::click()
{
    setDown(false);
    tesso::guarded([this] { emit clicked(); });
}

} // namespace tesso
