#include "FramePicture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace tesso::frames
{

FitQuestion fitQuestionFor(int width, int height)
{
    if (width > FrameWidth || height > FrameHeight)
        return FitQuestion::TooLarge;
    if (width < FrameWidth || height < FrameHeight)
        return FitQuestion::TooSmall;
    return FitQuestion::None;
}

bool fitModeApplies(FitMode mode, int width, int height)
{
    switch (fitQuestionFor(width, height)) {
    case FitQuestion::None:
        return mode == Exact;
    case FitQuestion::TooLarge:
        return mode == Shrink || mode == Crop;
    case FitQuestion::TooSmall:
        return mode == Center || mode == Zoom;
    }
    return false;
}

PreparedPicture preparePicture(const QImage& source, FitMode mode)
{
    PreparedPicture p;
    p.work = QImage(FrameWidth, FrameHeight, QImage::Format_RGB32);
    p.work.fill(Qt::black);
    const QImage opaque = source.convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&p.work);
        const QRect frame(0, 0, FrameWidth, FrameHeight);
        switch (mode) {
        case Exact:
        case Shrink:
        case Zoom:
            painter.drawImage(frame, opaque);
            break;
        case Crop:
            painter.drawImage(QPoint(0, 0), opaque, frame);
            break;
        case Center:
            painter.drawImage(QPoint((FrameWidth - opaque.width()) / 2, (FrameHeight - opaque.height()) / 2),
                              opaque);
            break;
        case Cancelled:
            break;
        }
    }
    // Every other line, in order: what the device's half-height memory can hold.
    p.send = p.work.scaled(FrameWidth, FrameHeight / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    p.display = p.send.scaled(FrameWidth, FrameHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return p;
}

namespace
{

// start + i * (end - start) / span, rounded to the nearest whole number with halves to even,
// computed on the exact fraction.
int gradientChannel(int start, int end, int i, int span)
{
    if (span < 1)
        return start;
    const long numerator = static_cast<long>(i) * (end - start);
    long quotient = numerator / span;
    long remainder = numerator % span;
    if (remainder < 0) {
        remainder += span;
        --quotient;
    }
    const long twice = 2 * remainder;
    if (twice > span || (twice == span && quotient % 2 != 0))
        ++quotient;
    return start + static_cast<int>(quotient);
}

} // namespace

QImage gradientPicture(const QColor& start, const QColor& end, bool horizontal)
{
    QImage picture(FrameWidth, FrameHeight, QImage::Format_RGB32);
    const int span = horizontal ? FrameWidth : FrameHeight;
    // The last position (span) lies just outside the picture.
    for (int i = 0; i < span; ++i) {
        const QRgb colour = qRgb(gradientChannel(start.red(), end.red(), i, span),
                                 gradientChannel(start.green(), end.green(), i, span),
                                 gradientChannel(start.blue(), end.blue(), i, span));
        if (horizontal) {
            for (int y = 0; y < FrameHeight; ++y)
                reinterpret_cast<QRgb*>(picture.scanLine(y))[i] = colour;
        } else {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(i));
            std::fill(row, row + FrameWidth, colour);
        }
    }
    return picture;
}

std::optional<QImage> loadBitmap(const QString& path, QString* error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("%1 is not a readable picture: %2")
                         .arg(QFileInfo(path).fileName(), reader.errorString());
        return std::nullopt;
    }
    if (image.hasAlphaChannel()) {
        QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        bool anyAlpha = false;
        for (int y = 0; y < argb.height() && !anyAlpha; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            anyAlpha = std::any_of(row, row + argb.width(), [](QRgb p) { return qAlpha(p) != 0; });
        }
        if (!anyAlpha)
            argb.reinterpretAsFormat(QImage::Format_RGB32);
        image = argb;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace tesso::frames
