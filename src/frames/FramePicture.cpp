#include "FramePicture.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
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

namespace
{

quint64 le(const uchar* at, int bytes)
{
    quint64 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

// a * b + c, or the largest value when that does not fit (no file is that long).
quint64 saturated(quint64 a, quint64 b, quint64 c)
{
    quint64 product = 0;
    quint64 sum = 0;
    if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum))
        return std::numeric_limits<quint64>::max();
    return sum;
}

// The length a bitmap file must have by its headers: the pixel data's offset plus the rows the
// size and depth need (the last row without its padding), or the header's own count when the
// rows are compressed. Nothing when the file is no bitmap or its header is too short to tell.
std::optional<quint64> bitmapLengthPromised(const QByteArray& head)
{
    if (head.size() < 26 || !head.startsWith("BM"))
        return std::nullopt;
    const auto* b = reinterpret_cast<const uchar*>(head.constData());
    const quint64 offset = le(b + 10, 4);
    quint64 width = 0;
    quint64 height = 0;
    quint64 depth = 0;
    quint64 compression = 0;
    quint64 imageSize = 0;
    const quint64 headerSize = le(b + 14, 4);
    if (headerSize == 12) { // the old core header: 16-bit sizes
        width = le(b + 18, 2);
        height = le(b + 20, 2);
        depth = le(b + 24, 2);
    } else if (headerSize >= 40 && head.size() >= 54) {
        width = static_cast<quint64>(std::llabs(static_cast<std::int32_t>(le(b + 18, 4))));
        height = static_cast<quint64>(std::llabs(static_cast<std::int32_t>(le(b + 22, 4))));
        depth = le(b + 28, 2);
        compression = le(b + 30, 4);
        imageSize = le(b + 34, 4);
    } else {
        return offset;
    }
    constexpr quint64 Rgb = 0, Bitfields = 3, AlphaBitfields = 6;
    if (compression != Rgb && compression != Bitfields && compression != AlphaBitfields)
        return saturated(1, imageSize, offset);
    if (width == 0 || height == 0)
        return offset;
    const quint64 rowBits = saturated(width, depth, 0);
    const quint64 stride = rowBits / 32 * 4 + (rowBits % 32 ? 4 : 0);
    return saturated(stride, height - 1, saturated(1, rowBits / 8 + (rowBits % 8 ? 1 : 0), offset));
}

// A JPEG file ends its last scan with the end marker; a cut one lacks it.
bool jpegCutShort(const QByteArray& all)
{
    if (!all.startsWith("\xff\xd8\xff"))
        return false;
    const qsizetype scan = all.lastIndexOf("\xff\xda");
    return scan < 0 || all.indexOf("\xff\xd9", scan) < 0;
}

QString fileKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a named pipe");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("something else");
}

} // namespace

std::optional<QImage> loadBitmap(const QString& path, QString* error)
{
    const QString name = QFileInfo(path).fileName();
    auto refuse = [&](const QString& reason) -> std::optional<QImage> {
        if (error)
            *error = QStringLiteral("%1 is not a readable picture: %2").arg(name, reason);
        return std::nullopt;
    };
    // Opened without waiting and looked at before anything is read: a named pipe nobody writes to
    // or a device would otherwise hold the caller for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {
    };
    if (::fstat(fd, &status) != 0) {
        const int cause = errno;
        ::close(fd);
        return refuse(QString::fromLocal8Bit(std::strerror(cause)));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return refuse(QStringLiteral("it is %1, not a regular file").arg(fileKind(status.st_mode)));
    }
    QFile file(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(file.errorString());
    }
    // Qt's readers take a bitmap or JPEG file that was cut short and fill the rest with black or
    // grey: the length is checked against what the file itself promises.
    const auto length = static_cast<quint64>(status.st_size);
    if (const std::optional<quint64> promised = bitmapLengthPromised(file.peek(54));
        promised && *promised > length)
        return refuse(QStringLiteral("the file is cut short (%1 of the %2 bytes its header promises)")
                          .arg(length)
                          .arg(*promised));
    if (file.peek(3) == QByteArray("\xff\xd8\xff") && jpegCutShort(file.peek(status.st_size)))
        return refuse(QStringLiteral("the file is cut short (its end marker is missing)"));

    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    QImage image = reader.read();
    if (image.isNull())
        return refuse(reader.errorString());
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
