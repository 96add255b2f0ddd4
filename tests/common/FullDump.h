#pragma once
// A whole query-all answer as a device sends it: one reply line per variable in catalogue order,
// the per-input values after each PCHAN that addresses them and the addresses after each PADIP,
// the "#" line last. The values are plausible but not the defaults of any control.
#include <QByteArray>

#include "Catalogue.h"

using namespace tesso;

namespace tesso::test
{

inline QByteArray replyLine(tVAR index, std::uint32_t value)
{
    return QByteArray(ReplyMnemonics[static_cast<std::size_t>(index)]) + QByteArray::number(value) + "\r\n";
}

inline QByteArray fullQueryAllDump(int* lineCount = nullptr)
{
    QByteArray dump;
    int lines = 0;
    auto add = [&](tVAR index, std::uint32_t value) {
        dump += replyLine(index, value);
        ++lines;
    };
    for (const tesso::VariableInfo& v : tesso::Catalogue) {
        if (v.scope != tesso::Scope::DEVICE)
            continue; // reported below, after their selector
        switch (v.index) {
        case _DEV:
            add(_DEV, 57);
            break;
        case _PCHAN:
            for (std::uint32_t input = 1; input <= 8; ++input) {
                add(_PCHAN, input);
                for (tVAR p : tesso::PerInputVariables)
                    add(p, (input + static_cast<std::uint32_t>(p)) % 3);
            }
            break;
        case _PADIP:
            for (std::uint32_t address = 1; address <= 3; ++address) {
                add(_PADIP, address);
                for (tVAR a : tesso::AddressVariables)
                    add(a, a == _PORT ? 10500 : address * 10);
            }
            break;
        case _NETMASK:
            add(_NETMASK, 8);
            break;
        default:
            add(v.index, tesso::isBoolean(v.index) ? 1 : 2 + static_cast<std::uint32_t>(v.index) % 5);
            break;
        }
    }
    if (lineCount)
        *lineCount = lines;
    return dump;
}

} // namespace tesso::test
