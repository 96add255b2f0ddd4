// libFuzzer target of the reply parser on its own: any bytes, cut into chunks of sizes the input
// chooses, appended and parsed as the driver does (after an error it parses on, as its queued
// continuation does). What must hold: a parse that ends without an error leaves at most one
// partial line of PartialLineLimit characters; no exception but the range and overflow errors
// leaves the parser; every line it returns is a whole reply line that match() reads alike.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "Catalogue.h"
#include "Errors.h"
#include "FuzzCheck.h"
#include "ReplyParser.h"

using namespace tesso;

namespace
{

void checkReply(const ReplyLine& reply)
{
    const int index = static_cast<int>(reply.index);
    FUZZ_CHECK(index >= 0 && index < tesso::VariableCount);
    FUZZ_CHECK(!reply.text.contains("\r\n"));
    const char* mnemonic = ReplyMnemonics[static_cast<std::size_t>(index)];
    FUZZ_CHECK(reply.text.startsWith(mnemonic));
    const std::optional<ReplyLine> again = ReplyParser::match(reply.text);
    FUZZ_CHECK(again && again->index == reply.index && again->value == reply.value);
}

// Takes lines until the buffer holds no complete one; the range and overflow errors drop their
// line and parsing goes on, any other exception is a finding.
void parseAll(ReplyParser& parser)
{
    for (;;) {
        try {
            while (const std::optional<ReplyLine> reply = parser.next())
                checkReply(*reply);
            return;
        } catch (const ERangeError&) {
        } catch (const EIntOverflow&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    ReplyParser parser;
    while (input.remaining_bytes() > 0) {
        // Chunk sizes from the input's tail: single bytes up to whole reads of a link.
        const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 4096);
        const std::vector<char> chunk = input.ConsumeBytes<char>(length);
        parser.append(QByteArray(chunk.data(), static_cast<qsizetype>(chunk.size())));
        parseAll(parser);
        FUZZ_CHECK(parser.buffer().size() <= ReplyParser::PartialLineLimit);
        FUZZ_CHECK(!parser.buffer().contains("\r\n"));
    }
    return 0;
}
