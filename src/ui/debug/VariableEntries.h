#pragma once
// The variable list's 115 entries: each a text of three fields, the command mnemonic in 14
// characters, the reply mnemonic in 8, then a description in French. The list is a document of
// the protocol as the console shows it (with its duplicate PC and tH entries), not the driver's
// catalogue; the console sorts it with one fixed comparison so that the settings file's
// positional check marks always mean the same entries.

#include <QString>
#include <QStringList>

namespace tesso
{

class VariableEntries
{
  public:
    static constexpr int Count = 115;

    // The entry texts in the order they are built.
    static QStringList BuildOrder();
    // The entry texts sorted with LessThan (stable, so equal texts keep their build order).
    static QStringList Sorted();

    // ASCII comparison without regard to case, ties broken by the case-sensitive comparison.
    static bool LessThan(const QString& a, const QString& b);

    // The characters before the first space (the command mnemonic).
    static QString FirstWord(const QString& entry);
    // What follows the first run of spaces up to the next space (the reply mnemonic).
    static QString SecondWord(const QString& entry);
};

} // namespace tesso
