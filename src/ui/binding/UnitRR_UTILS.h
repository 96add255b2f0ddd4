#pragma once
// The lookups between the position shown in a list control and the device value it stands for,
// over constant value tables.

#include <cstdint>
#include <optional>
#include <vector>

// The first position whose entry equals the value, or -1 (a list shown at -1 shows no choice).
int IndexOfValue(std::uint32_t value, const std::vector<std::uint32_t>& table);

// The entry at a position, or nothing for a position outside the table: a list that has no
// choice, or one whose entries outnumber its table, sends nothing rather than a value nobody chose.
std::optional<std::uint32_t> ValueAtIndex(int position, const std::vector<std::uint32_t>& table);
