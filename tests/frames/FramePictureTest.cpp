// Fitting a picture into the device's frame, the half-height picture that is sent, the gradient
// and reading bitmap files.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "FramePicture.h"

using namespace tesso;

using namespace tesso::frames;

TEST(FramePicture, TheSizeDecidesTheQuestion)
{
    EXPECT_EQ(fitQuestionFor(720, 576), FitQuestion::None);
    EXPECT_EQ(fitQuestionFor(720, 577), FitQuestion::TooLarge);
    EXPECT_EQ(fitQuestionFor(721, 100), FitQuestion::TooLarge);
    EXPECT_EQ(fitQuestionFor(719, 577), FitQuestion::TooLarge);
    EXPECT_EQ(fitQuestionFor(720, 575), FitQuestion::TooSmall);
    EXPECT_TRUE(fitModeApplies(Crop, 800, 600));
    EXPECT_FALSE(fitModeApplies(Center, 800, 600));
    EXPECT_TRUE(fitModeApplies(Zoom, 640, 480));
}

TEST(FramePicture, CropCenterAndTheHalfHeightPicture)
{
    QImage large(721, 100, QImage::Format_RGB32);
    large.fill(Qt::white);
    large.setPixel(719, 99, qRgb(10, 20, 30));
    const PreparedPicture crop = preparePicture(large, Crop);
    EXPECT_EQ(crop.work.pixel(719, 99), qRgb(10, 20, 30));
    EXPECT_EQ(crop.work.pixel(0, 100), qRgb(0, 0, 0)) << "below the source stays black";

    QImage small(640, 480, QImage::Format_RGB32);
    small.fill(Qt::white);
    const PreparedPicture center = preparePicture(small, Center);
    EXPECT_EQ(center.work.pixel(39, 48), qRgb(0, 0, 0));
    EXPECT_EQ(center.work.pixel(40, 48), qRgb(255, 255, 255));
    EXPECT_EQ(center.work.pixel(679, 527), qRgb(255, 255, 255));
    EXPECT_EQ(center.work.pixel(680, 527), qRgb(0, 0, 0));

    // The sent picture holds every other line in order; the display shows each twice.
    QImage lines(720, 576, QImage::Format_RGB32);
    for (int y = 0; y < 576; ++y)
        lines.scanLine(y)[0] = static_cast<uchar>(y / 2);
    const PreparedPicture exact = preparePicture(lines, Exact);
    ASSERT_EQ(exact.send.size(), QSize(720, 288));
    for (int y : {0, 1, 143, 287})
        EXPECT_EQ(qBlue(exact.send.pixel(0, y)), y % 256) << y;
    EXPECT_EQ(exact.display.pixel(0, 575), exact.send.pixel(0, 287));
}

TEST(FramePicture, GradientRoundsHalvesToEven)
{
    const QImage across = gradientPicture(QColor(0, 0, 0), QColor(200, 128, 200), true);
    EXPECT_EQ(across.pixel(360, 0), qRgb(100, 64, 100));
    EXPECT_EQ(across.pixel(0, 575), qRgb(0, 0, 0));
    // 1 over 576 lines: row 288 is exactly one half and rounds to the even 0; row 289 to 1.
    const QImage down = gradientPicture(QColor(0, 0, 0), QColor(1, 3, 0), false);
    EXPECT_EQ(qRed(down.pixel(5, 288)), 0);
    EXPECT_EQ(qRed(down.pixel(5, 289)), 1);
    EXPECT_EQ(qGreen(down.pixel(5, 96)), 0) << "3 x 96 / 576 = 0.5, even is 0";
    EXPECT_EQ(qGreen(down.pixel(5, 288)), 2) << "1.5 rounds to 2";
}

TEST(FramePicture, FilesThatAreNoPictureAndUnusedAlpha)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("notes.bmp"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a bitmap");
    file.close();
    QString error;
    EXPECT_FALSE(loadBitmap(text, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("notes.bmp is not a readable picture")))
        << error.toStdString();

    // A file shorter than its header promises: Qt's readers would fill the rest in.
    QImage full(720, 576, QImage::Format_RGB32);
    full.fill(Qt::white);
    for (const char* format : {"BMP", "JPG"}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("cut.") + QString::fromLatin1(format).toLower());
        ASSERT_TRUE(full.save(path, format));
        QFile picture(path);
        ASSERT_TRUE(picture.open(QIODevice::ReadWrite));
        const qint64 whole = picture.size();
        EXPECT_TRUE(loadBitmap(path, &error)) << "the whole file: " << error.toStdString();
        ASSERT_TRUE(picture.resize(whole - 1));
        picture.close();
        EXPECT_FALSE(loadBitmap(path, &error)) << "one byte short";
        EXPECT_TRUE(error.contains(QStringLiteral("is not a readable picture: the file is cut short")))
            << error.toStdString();
    }

    QImage clear(4, 4, QImage::Format_ARGB32);
    clear.fill(qRgba(10, 20, 30, 0));
    const QString bmp = dir.filePath(QStringLiteral("clear.bmp"));
    ASSERT_TRUE(clear.save(bmp, "BMP"));
    const std::optional<QImage> read = loadBitmap(bmp, &error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->pixel(1, 1), qRgb(10, 20, 30));
}
