#include "HiddenMnemonics.h"

#include <algorithm>

#include "VariableEntries.h"

namespace tesso
{

HiddenMnemonics::HiddenMnemonics(int slotCount) : m_slots(static_cast<std::size_t>(std::max(slotCount, 0))) {}

void HiddenMnemonics::Rebuild(const QStringList& entries, const std::vector<bool>& checked)
{
    const std::size_t count = std::min(static_cast<std::size_t>(entries.size()), checked.size());
    for (std::size_t i = 0; i < count; ++i) {
        const QString word = VariableEntries::SecondWord(entries[static_cast<qsizetype>(i)]);
        const auto holding = std::find(m_slots.begin(), m_slots.end(), word);
        if (checked[i]) {
            if (holding != m_slots.end())
                holding->clear();
        } else if (holding == m_slots.end()) {
            const auto empty =
                std::find_if(m_slots.begin(), m_slots.end(), [](const QString& s) { return s.isEmpty(); });
            if (empty != m_slots.end())
                *empty = word;
        }
    }
    m_lookup.clear();
    for (const QString& slot : m_slots)
        if (!slot.isEmpty())
            m_lookup.insert(slot.toLatin1());
}

} // namespace tesso
