#pragma once
// The lookups between the position shown in a list control and the device value it stands for,
// over constant value tables, and the filling of a list from a value list.

#include <cstdint>
#include <optional>
#include <vector>

#include <QComboBox>

#include "DeviceLists.h"

// The first position whose entry equals the value, or -1 (a list shown at -1 shows no choice).
int IndexOfValue(std::uint32_t value, const std::vector<std::uint32_t>& table);

// The entry at a position, or nothing for a position outside the table: a list that has no
// choice, or one whose entries outnumber its table, sends nothing rather than a value nobody chose.
std::optional<std::uint32_t> ValueAtIndex(int position, const std::vector<std::uint32_t>& table);

// Empties a drop-down list, then appends the entries of a value list in order.
template <std::size_t N> void FillList(QComboBox* list, const tesso::TextList<N>& entries)
{
    list->clear();
    for (const char* entry : entries)
        list->addItem(QString::fromLatin1(entry));
}
