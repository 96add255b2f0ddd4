// libFuzzer target for the simulated device's input path: the command parser must give the same
// commands however the input is split, and the whole device (text protocol and raw frame mode)
// must take any bytes without crashing. Build with clang and -DTESSO_FUZZ=ON.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QCoreApplication>

#include "CommandParser.h"
#include "SimDevice.h"

using namespace tesso;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), int(size));

    tesso::CommandParser whole;
    const auto expected = whole.feed(input);
    const int cut = size == 0 ? 0 : int(data[0] % (size + 1));
    tesso::CommandParser split;
    auto got = split.feed(input.left(cut));
    const auto rest = split.feed(input.mid(cut));
    got.insert(got.end(), rest.begin(), rest.end());
    if (got != expected || whole.discardedBytes() != split.discardedBytes())
        std::abort();

    tesso::sim::SimDevice device;
    device.setStoreTiming(-1, 0);
    device.receive(input);
    return 0;
}
