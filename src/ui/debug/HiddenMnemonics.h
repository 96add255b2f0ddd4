#pragma once
// The reply mnemonics the received log hides: one slot per entry of the variable list, each
// empty or holding one mnemonic, rebuilt from the list's check marks. The slots are kept between
// rebuilds, as the list's duplicate entries (two PC PCH) make the order of the walk matter.

#include <vector>

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tesso
{

class HiddenMnemonics
{
  public:
    explicit HiddenMnemonics(int slotCount);

    // For every entry in list order: unchecked, its reply mnemonic goes into the first empty slot
    // unless a slot holds it already; checked, the first slot holding it is emptied.
    void Rebuild(const QStringList& entries, const std::vector<bool>& checked);

    // Exact, case-sensitive.
    bool Contains(const QByteArray& mnemonic) const { return m_lookup.contains(mnemonic); }
    const std::vector<QString>& Slots() const { return m_slots; }

  private:
    std::vector<QString> m_slots;
    QSet<QByteArray> m_lookup; // the filled slots, for the per-reply check
};

} // namespace tesso
