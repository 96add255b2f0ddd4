#include "QueryAllDump.h"

#include "DeviceDriver.h"
#include "VariableAccess.h"
#include "VariableNames.h"

namespace tesso
{

void QueryAllDump::add(tVAR index, const QByteArray& line)
{
    m_seen[static_cast<std::size_t>(index)] = true;
    m_lastLine[static_cast<std::size_t>(index)] = line;
}

int QueryAllDump::missingCount() const
{
    int n = 0;
    for (bool seen : m_seen)
        n += seen ? 0 : 1;
    return n;
}

QStringList QueryAllDump::missing(int limit) const
{
    QStringList names;
    for (int i = 0; i < tesso::VariableCount && names.size() < limit; ++i)
        if (!m_seen[static_cast<std::size_t>(i)])
            names << VariableNames::nameOf(static_cast<tVAR>(i));
    return names;
}

QStringList QueryAllDump::lines(const DeviceDriver& driver) const
{
    QStringList out;
    for (const tesso::VariableInfo& v : tesso::Catalogue) {
        const QString name = VariableNames::nameOf(v.index) + QLatin1Char('=');
        if (v.scope == tesso::Scope::ADDRESS)
            out << name + QString::number(VariableAccess::lineValue(v.index, m_lastLine[v.index]));
        else
            out << name + VariableAccess::valueText(driver, v.index);
    }
    return out + VariableAccess::addressLines(driver);
}

} // namespace tesso
