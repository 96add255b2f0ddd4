#pragma once
// Variable names on the command line: the tVAR name without its underscore ("ICHM", "UNIT",
// "FAMODEM") or the property name ("UNITy", "FAMODEM_", "Queryall"), in any case.

#include <optional>

#include <QString>

#include "Catalogue.h"

namespace tesso
{

class VariableNames
{
  public:
    static std::optional<tVAR> find(const QString& name);
    // The known name nearest to a misspelt one (fewest single-character edits).
    static QString closest(const QString& name);
    static QString nameOf(tVAR index);
    static bool isWritable(tVAR index);
};

} // namespace tesso
