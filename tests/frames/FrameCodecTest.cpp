// The bytes of the raw transfer in both directions.

#include <gtest/gtest.h>

#include "FrameCodec.h"

using namespace tesso;

using namespace tesso::frames;

TEST(FrameCodec, PixelsGoRedGreenBlueWithEscapeDoubled)
{
    QByteArray out;
    appendPixel(out, qRgb(0x1B, 0x02, 0x03));
    appendPixel(out, qRgb(0x10, 0x1B, 0x1B));
    EXPECT_EQ(out, QByteArray("\x1b\x1b\x02\x03\x10\x1b\x1b\x1b\x1b", 9));
    EXPECT_EQ(controlCode(Etb), QByteArray("\x1b\x17", 2));
}

TEST(FrameCodec, ALineIsTenBlocksOfSeventyAndOneOfTwenty)
{
    QImage picture(PictureWidth, PictureHeight, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    picture.setPixel(0, 5, qRgb(9, 8, 7));
    std::vector<int> blocks;
    for (int column = 0; column < PictureWidth;) {
        QByteArray out;
        const int pixels = encodeBlock(out, picture, column, 5);
        EXPECT_EQ(out.size(), pixels * 3);
        blocks.push_back(pixels);
        column += pixels;
    }
    EXPECT_EQ(blocks, (std::vector<int>{70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 20}));
    QByteArray first;
    encodeBlock(first, picture, 0, 5);
    EXPECT_EQ(first.left(6), QByteArray("\x09\x08\x07\x01\x02\x03", 6));
    QByteArray none;
    EXPECT_EQ(encodeBlock(none, picture, 720, 5), 0);
    EXPECT_EQ(encodeBlock(none, picture, 0, 288), 0);
    EXPECT_TRUE(none.isEmpty());
}

TEST(FrameCodec, OnlyEscapedCodesMeanSomething)
{
    DeviceCodeDecoder decoder;
    const std::pair<QByteArray, std::optional<DeviceSignal>> cases[] = {
        {QByteArray("\x1b\x11", 2), DeviceSignal::Ready},
        {QByteArray("\x1b\x13", 2), DeviceSignal::Wait},
        {QByteArray("\x1b\x06", 2), DeviceSignal::Ack},
        {QByteArray("\x1b\x04", 2), DeviceSignal::End},
        {QByteArray("\x1b\x18", 2), DeviceSignal::Abort},
        {QByteArray("\x1b\x41", 2), DeviceSignal::Abort},
        {QByteArray("\x1b\x00", 2), DeviceSignal::Nothing},
        {QByteArray("\x1b\x1b", 2), DeviceSignal::Nothing},
        {QByteArray("\x06", 1), std::nullopt},
        {QByteArray("A", 1), std::nullopt}};
    for (const auto& [bytes, expected] : cases) {
        std::optional<DeviceSignal> last;
        for (const char byte : bytes)
            last = decoder.push(byte);
        EXPECT_EQ(last, expected) << bytes.toHex().constData();
        EXPECT_FALSE(decoder.escaped());
    }
}
