// What the device's escaped codes mean to the raw transfer; the bytes towards the device are
// checked on the wire in ThreadFrameTest.

#include <gtest/gtest.h>

#include "FrameCodec.h"

using namespace tesso;

using namespace tesso::frames;

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
