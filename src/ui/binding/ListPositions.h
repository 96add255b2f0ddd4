#pragma once
// The lookups between the position shown in a list control and the device value it stands for,
// over constant value tables, and the filling of a list from a value list.

#include <cstdint>
#include <iterator>
#include <optional>

#include <QComboBox>

#include "DeviceLists.h"
#include "ErrorReport.h"

namespace tesso
{

// The first position whose entry equals the value, or -1 (a list shown at -1 shows no choice).
template <typename Table> int IndexOfValue(std::uint32_t value, const Table& table)
{
    for (std::size_t p = 0; p < std::size(table); ++p)
        if (table[p] == value)
            return static_cast<int>(p);
    return -1;
}

// The warning for a position outside its table.
inline constexpr QLatin1String ItemIndexOut{"ItemIndex out about Tab: nothing is sent"};

// The entry at a position, or nothing for a position outside the table, with a warning: a list
// that has no choice, or one whose entries outnumber its table, sends nothing rather than a value
// nobody chose.
template <typename Table> std::optional<std::uint32_t> ValueAtIndex(int position, const Table& table)
{
    if (position < 0 || static_cast<std::size_t>(position) >= std::size(table)) {
        tesso::reportError(QString(ItemIndexOut));
        return std::nullopt;
    }
    return table[static_cast<std::size_t>(position)];
}

// Empties a drop-down list, then appends the entries of a value list in order.
template <std::size_t N> void FillList(QComboBox* list, const tesso::TextList<N>& entries)
{
    list->clear();
    for (const char* entry : entries)
        list->addItem(QString::fromLatin1(entry));
}

} // namespace tesso
