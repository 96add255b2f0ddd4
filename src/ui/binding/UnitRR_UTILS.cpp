#include "UnitRR_UTILS.h"

int IndexOfValue(std::uint32_t value, const std::vector<std::uint32_t>& table)
{
    for (std::size_t p = 0; p < table.size(); ++p)
        if (table[p] == value)
            return static_cast<int>(p);
    return -1;
}

std::optional<std::uint32_t> ValueAtIndex(int position, const std::vector<std::uint32_t>& table)
{
    if (position < 0 || static_cast<std::size_t>(position) >= table.size())
        return std::nullopt;
    return table[static_cast<std::size_t>(position)];
}
