#include "CalcKeypad.h"

#include <QMouseEvent>
#include <QPainter>

#include "CalcEdit.h"
#include "ErrorReport.h"

namespace tesso
{

CalcKeypad::CalcKeypad(QWidget* parent) : QWidget(parent), m_clean(drawClean())
{
    setObjectName(QStringLiteral("Image2"));
    setFixedSize(PictureWidth, PictureHeight);
    setMouseTracking(true);
}

void CalcKeypad::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_clean);
    if (m_framed) {
        p.setPen(QPen(Qt::blue, 1));
        const QRect r = CalcEdit::KeyRect(m_hovered);
        p.drawRect(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top());
    }
}

void CalcKeypad::mouseMoveEvent(QMouseEvent* event)
{
    tesso::guarded([&] {
        const int key = CalcEdit::KeyAt(event->position().toPoint());
        if (key == 0)
            return;
        m_hovered = key;
        m_framed = CalcEdit::Usable(key, row());
        update();
    });
}

void CalcKeypad::mousePressEvent(QMouseEvent* event)
{
    tesso::guarded([&] {
        const int key = CalcEdit::KeyAt(event->position().toPoint());
        if (key != 0 && CalcEdit::Usable(key, row()))
            emit keyPressed(key);
    });
}

QImage CalcKeypad::drawClean()
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    // Later keys first, so that where two overlap the one tested first lies on top.
    for (int key = CalcEdit::KeyCount; key >= 1; --key) {
        const QRectF r = QRectF(CalcEdit::KeyRect(key)).adjusted(3.5, 3.5, -2.5, -2.5);
        const bool letter = key > CalcEdit::Backspace;
        const bool edit = key == CalcEdit::Clear || key == CalcEdit::Backspace;
        p.setPen(QPen(QColor(110, 110, 120), 1));
        p.setBrush(edit ? QColor(250, 214, 180) : letter ? QColor(205, 222, 245) : QColor(255, 255, 255));
        p.drawEllipse(r);
        p.setPen(QColor(40, 40, 50));
        p.drawText(r, Qt::AlignCenter, CalcEdit::KeyLabel(key));
    }
    return image;
}

} // namespace tesso
