// libFuzzer target of the hub's command splitting: any bytes from a client, cut into chunks of
// sizes the input chooses. What must hold: the commands do not depend on the cuts; what the hub
// forwards, read by a fresh device parser, is the same commands (a value too long to keep becomes
// the query the device answers it with) with nothing discarded; no forwarded command is longer
// than a 32-bit value and a two-letter mnemonic.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "CommandParser.h"
#include "FuzzCheck.h"

using namespace tesso;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QByteArray input = QByteArray::fromStdString(provider.ConsumeRemainingBytesAsString());

    CommandParser whole;
    const std::vector<DeviceCommand> expected = whole.feed(input);

    CommandParser cut;
    std::vector<DeviceCommand> got;
    for (qsizetype pos = 0, step = 1; pos < input.size(); pos += step, step = step % 7 + 1) {
        const auto part = cut.feed(input.mid(pos, step));
        got.insert(got.end(), part.begin(), part.end());
    }
    FUZZ_CHECK(got == expected);

    QByteArray forwarded;
    for (const DeviceCommand& c : expected) {
        const QByteArray wire = CommandParser::wireText(c);
        FUZZ_CHECK(!wire.isEmpty() && wire.size() <= 12);
        forwarded += wire;
    }
    CommandParser device;
    const std::vector<DeviceCommand> read = device.feed(forwarded);
    FUZZ_CHECK(device.discardedBytes() == 0 && device.idle());
    FUZZ_CHECK(read.size() == expected.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        DeviceCommand meant = expected[i];
        if (meant.overflow)
            meant = DeviceCommand{meant.index};
        if (meant.index == _DIESE) {
            meant.hasValue = false;
            meant.value = 0;
        }
        FUZZ_CHECK(read[i] == meant);
    }
    return 0;
}
