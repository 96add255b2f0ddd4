#include "DialKnob.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "ErrorReport.h"

namespace tesso
{

namespace
{

struct Position {
    int left, top, right, bottom, intervalMs;
};

// clang-format off
constexpr std::array<Position, DialKnob::PositionCount> Positions = {{
    {31, 34, 44, 43, 1},    {44, 38, 57, 47, 500},  {52, 48, 65, 57, 1000}, {54, 59, 67, 68, 1500},
    {51, 70, 64, 80, 2000}, {43, 81, 56, 90, 2500}, {31, 84, 44, 93, 3000}, {18, 81, 31, 90, 3500},
    {9, 70, 22, 80, 4000},  {6, 59, 19, 68, 4500},  {8, 48, 21, 57, 5000},  {17, 38, 30, 47, 5500},
}};
// clang-format on

const Position& at(int position)
{
    return Positions[static_cast<std::size_t>(std::clamp(position, 1, DialKnob::PositionCount) - 1)];
}

} // namespace

DialKnob::DialKnob(QWidget* parent) : QWidget(parent), m_clean(drawClean())
{
    setObjectName(QStringLiteral("Image_Dial"));
    setFixedSize(PictureWidth, PictureHeight);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

int DialKnob::PositionAt(const QPoint& p)
{
    for (int i = 1; i <= PositionCount; ++i)
        if (PositionRect(i).contains(p))
            return i;
    return 0;
}

QRect DialKnob::PositionRect(int position)
{
    const Position& r = at(position);
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

int DialKnob::IntervalOf(int position)
{
    return at(position).intervalMs;
}

QPoint DialKnob::Centre(int position)
{
    const Position& r = at(position);
    const auto half = [](int span) { return static_cast<int>(std::lrint(span / 2.0)); };
    return {r.left + half(r.right - r.left), r.top + half(r.bottom - r.top)};
}

void DialKnob::setSelected(int position)
{
    m_selected = std::clamp(position, 1, PositionCount);
    update();
}

QImage DialKnob::Picture() const
{
    QImage picture = m_clean;
    QPainter p(&picture);
    if (m_hovered > 0) {
        p.setPen(QPen(Qt::blue, 1));
        const QRect r = PositionRect(m_hovered);
        // QRect's width and height leave out the far edge; drawRect draws it.
        p.drawRect(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top());
    }
    p.setPen(QPen(Qt::black, 1));
    const QPoint centre = Centre(m_selected);
    for (int x = 35; x <= 37; ++x)
        for (int y = 62; y <= 64; ++y)
            p.drawLine(QPoint(x, y), centre);
    return picture;
}

void DialKnob::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, Picture());
}

void DialKnob::mouseMoveEvent(QMouseEvent* event)
{
    tesso::guarded([&] {
        m_lastPointer = event->position().toPoint();
        const int position = PositionAt(m_lastPointer);
        if (position == 0)
            return;
        m_hovered = position;
        if (event->buttons() & Qt::LeftButton)
            pick(position);
        update();
    });
}

void DialKnob::mousePressEvent(QMouseEvent* event)
{
    tesso::guarded([&] {
        m_lastPointer = event->position().toPoint();
        if (const int position = PositionAt(m_lastPointer))
            pick(position);
    });
}

void DialKnob::pick(int position)
{
    m_selected = position;
    update();
    emit selected(IntervalOf(position));
}

QImage DialKnob::drawClean()
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(Qt::darkGray);
    p.drawText(QRect(0, 2, PictureWidth, 12), Qt::AlignHCenter, QStringLiteral("Interval"));
    // The knob around the needle's hub, a mark at each position.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(225, 225, 225));
    p.drawEllipse(QPointF(36.5, 63.5), 19.0, 19.0);
    p.setBrush(QColor(70, 70, 70));
    for (int i = 1; i <= PositionCount; ++i)
        p.drawEllipse(QPointF(Centre(i)), 1.6, 1.6);
    p.setPen(Qt::darkGray);
    p.drawText(QRect(0, 92, PictureWidth, 10), Qt::AlignHCenter, QStringLiteral("ms"));
    return image;
}

} // namespace tesso
