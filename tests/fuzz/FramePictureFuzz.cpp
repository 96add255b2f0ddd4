// libFuzzer target of the picture path of an upload: the fuzzed bytes are a picture file, read
// with loadBitmap and, when it is a picture, fitted into the frame with a mode its size offers
// (the input's length chooses between the two), as the transfer window and tesso-cli do. What must
// hold: a picture comes back opaque RGB32; the prepared pictures have the frame's sizes, and the
// displayed picture is each sent line twice.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "FramePicture.h"
#include "FuzzCheck.h"

using namespace tesso;

using namespace tesso::frames;

namespace
{

QString pictureFile()
{
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    static const QString name = folder.filePath(QStringLiteral("picture.bmp"));
    return name;
}

FitMode modeFor(int width, int height, std::size_t choice)
{
    switch (fitQuestionFor(width, height)) {
    case FitQuestion::None:
        return Exact;
    case FitQuestion::TooLarge:
        return choice % 2 ? Shrink : Crop;
    case FitQuestion::TooSmall:
        return choice % 2 ? Zoom : Center;
    }
    return Cancelled;
}

bool sameLine(const QImage& a, int lineA, const QImage& b, int lineB)
{
    return std::memcmp(a.constScanLine(lineA), b.constScanLine(lineB),
                       static_cast<std::size_t>(a.bytesPerLine())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The image format plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        QFile file(pictureFile());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                   qint64(size));
    }
    QString error;
    const std::optional<QImage> source = loadBitmap(pictureFile(), &error);
    if (!source) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!source->isNull() && source->format() == QImage::Format_RGB32);

    const FitMode mode = modeFor(source->width(), source->height(), size);
    FUZZ_CHECK(fitModeApplies(mode, source->width(), source->height()));
    const PreparedPicture p = preparePicture(*source, mode);
    FUZZ_CHECK(p.work.size() == QSize(FrameWidth, FrameHeight));
    FUZZ_CHECK(p.send.size() == QSize(FrameWidth, FrameHeight / 2));
    FUZZ_CHECK(p.display.size() == QSize(FrameWidth, FrameHeight));
    FUZZ_CHECK(p.send.format() == p.display.format());
    for (int y = 0; y < p.send.height(); ++y)
        FUZZ_CHECK(sameLine(p.send, y, p.display, 2 * y) && sameLine(p.send, y, p.display, 2 * y + 1));
    return 0;
}
