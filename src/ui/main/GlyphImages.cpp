#include "GlyphImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "Texts.h"

namespace tesso
{

QPixmap GlyphImages::Led(const QColor& colour, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(size * 0.35, size * 0.35, size * 0.7);
    gradient.setColorAt(0, colour.lighter(170));
    gradient.setColorAt(1, colour.darker(130));
    painter.setBrush(gradient);
    painter.setPen(QPen(colour.darker(200), 1));
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    return pixmap;
}

std::vector<QPixmap> GlyphImages::ButtonGlyphs()
{
    return {Led(QColor(120, 120, 120), 12), Led(QColor(30, 190, 40), 12), Led(QColor(230, 40, 30), 12),
            Led(QColor(90, 20, 20), 12)};
}

QPixmap GlyphImages::AudioFrame(int frame)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    const QPointF speaker[] = {{1, 6}, {4, 6}, {8, 2}, {8, 14}, {4, 10}, {1, 10}};
    painter.drawPolygon(speaker, 6);
    painter.setBrush(Qt::NoBrush);
    if (frame == 76) {
        painter.setPen(QPen(QColor(210, 30, 30), 2));
        painter.drawLine(QPointF(10, 5), QPointF(15, 11));
        painter.drawLine(QPointF(15, 5), QPointF(10, 11));
        return pixmap;
    }
    painter.setPen(QPen(QColor(30, 120, 200), 1.2));
    for (int wave = 1; wave <= frame - 3 && wave <= 3; ++wave)
        painter.drawArc(QRectF(8 - 2.0 * wave, 8 - 2.5 * wave, 4.0 * wave, 5.0 * wave), -60 * 16, 120 * 16);
    return pixmap;
}

QPixmap GlyphImages::Logo(const QString& modelName)
{
    QPixmap pixmap(120, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 120, 48);
    const bool fadeModel = modelName == QStringLiteral("Lumio");
    gradient.setColorAt(0, fadeModel ? QColor(20, 70, 160) : QColor(150, 40, 30));
    gradient.setColorAt(1, fadeModel ? QColor(80, 160, 230) : QColor(230, 140, 40));
    painter.setBrush(gradient);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, 120, 48), 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 120, 48), Qt::AlignCenter,
                     modelName.isEmpty() ? QString(Texts::ProgramName) : modelName);
    return pixmap;
}

QPixmap GlyphImages::SplashPicture()
{
    QPixmap pixmap(400, 521);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 521);
    gradient.setColorAt(0, QColor(18, 32, 64));
    gradient.setColorAt(1, QColor(40, 90, 160));
    painter.fillRect(pixmap.rect(), gradient);
    // A stylised screen with a picture being scaled into it.
    painter.setPen(QPen(QColor(200, 220, 255), 3));
    painter.setBrush(QColor(10, 20, 40));
    painter.drawRoundedRect(QRectF(70, 120, 260, 170), 10, 10);
    QLinearGradient screen(90, 140, 310, 270);
    screen.setColorAt(0, QColor(240, 140, 40));
    screen.setColorAt(1, QColor(60, 160, 230));
    painter.setBrush(screen);
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(90, 140, 220, 130));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(48);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 320, 400, 60), Qt::AlignCenter, QString(Texts::ProgramName));
    font.setBold(false);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QRect(0, 380, 400, 30), Qt::AlignCenter, QString(Texts::RemoteControl));
    return pixmap;
}

} // namespace tesso
