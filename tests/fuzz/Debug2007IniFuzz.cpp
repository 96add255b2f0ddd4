// libFuzzer target of the debug console's settings file, "Debug2007.ini". What must hold: reading
// any bytes reports what it set consistently; what was read, written and read again is the same
// content, and the written file reads completely.

#include <cstddef>
#include <cstdint>

#include "Debug2007Ini.h"
#include "FuzzCheck.h"

using namespace tesso;

namespace
{

bool sameButtons(const Debug2007Ini::Content& a, const Debug2007Ini::Content& b)
{
    for (std::size_t n = 0; n < a.buttons.size(); ++n)
        if (a.buttons[n].Descriptor != b.buttons[n].Descriptor ||
            a.buttons[n].StringToSend != b.buttons[n].StringToSend)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Debug2007Ini::Content read;
    const Debug2007Ini::ReadResult result = Debug2007Ini::Parse(bytes, read);
    FUZZ_CHECK(result.buttonsRead == Debug2007Ini::ButtonCount);
    FUZZ_CHECK(result.checksRead >= 0 && result.checksRead <= Debug2007Ini::EntryCount);
    FUZZ_CHECK(result.complete == (result.checksRead == Debug2007Ini::EntryCount && read.height.has_value()));
    const auto oneField = [](const QString& text) {
        return !text.contains(u';') && !text.contains(u'\r') && !text.contains(u'\n');
    };
    for (const Debug2007Ini::Button& b : read.buttons)
        FUZZ_CHECK(oneField(b.Descriptor) && oneField(b.StringToSend));

    Debug2007Ini::Content back;
    const Debug2007Ini::ReadResult again = Debug2007Ini::Parse(Debug2007Ini::Serialize(read), back);
    FUZZ_CHECK(again.complete);
    FUZZ_CHECK(sameButtons(read, back) && read.checked == back.checked);
    if (result.complete)
        FUZZ_CHECK(read.top == back.top && read.left == back.left && read.width == back.width &&
                   read.height == back.height);
    return 0;
}
