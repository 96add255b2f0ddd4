// libFuzzer target of the device settings file. What must hold: any bytes are either refused with
// a reason or read into settings that write back to a file which reads the same again (lacking the
// same settings), and a setup read from a file differs from nothing in itself.

#include <cstddef>
#include <cstdint>

#include "DeviceSettings.h"
#include "FuzzCheck.h"

using namespace tesso;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const std::optional<DeviceSettings> read = DeviceSettings::FromJson(bytes, &error);
    if (!read) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(read->DifferencesFrom(*read).empty());
    (void)read->RefusalFor(57);

    QString againError;
    const std::optional<DeviceSettings> again = DeviceSettings::FromJson(read->ToJson(), &againError);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->Entries.size() == read->Entries.size() && again->Lacking == read->Lacking);
    FUZZ_CHECK(read->DifferencesFrom(*again).empty());
    FUZZ_CHECK(again->DeviceCode == read->DeviceCode && again->Model == read->Model);
    return 0;
}
