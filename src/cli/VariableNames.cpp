#include "VariableNames.h"

#include <algorithm>
#include <vector>

namespace tesso
{

namespace
{

int editDistance(const QString& a, const QString& b)
{
    std::vector<int> previous(static_cast<std::size_t>(b.size()) + 1), current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = static_cast<int>(j);
    for (int i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

} // namespace

std::optional<tVAR> VariableNames::find(const QString& name)
{
    for (const auto& info : tesso::Catalogue) {
        if (name.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(info.property), Qt::CaseInsensitive) == 0)
            return info.index;
    }
    return std::nullopt;
}

QString VariableNames::closest(const QString& name)
{
    const QString wanted = name.toUpper();
    int best = -1;
    int bestDistance = 0;
    for (const auto& info : tesso::Catalogue) {
        for (const char* candidate : {info.name, info.property}) {
            const int distance = editDistance(wanted, QString::fromLatin1(candidate).toUpper());
            if (best < 0 || distance < bestDistance) {
                best = info.index;
                bestDistance = distance;
            }
        }
    }
    return nameOf(static_cast<tVAR>(best));
}

QString VariableNames::nameOf(tVAR index)
{
    return QString::fromLatin1(tesso::Catalogue[index].name);
}

bool VariableNames::isWritable(tVAR index)
{
    const tesso::Access access = tesso::Catalogue[index].access;
    return access == tesso::Access::RW || access == tesso::Access::MASK;
}

} // namespace tesso
