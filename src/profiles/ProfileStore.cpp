#include "ProfileStore.h"

#include <algorithm>

#include <QDir>
#include <QStandardPaths>

namespace tesso
{

ProfileStore::ProfileStore(QString root) : m_root(std::move(root)) {}

QString ProfileStore::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tesso/profiles");
}

std::optional<QString> ProfileStore::nameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A profile needs a name.");
    if (name.size() > MaxNameLength)
        return QStringLiteral("A profile name has at most %1 characters.").arg(MaxNameLength);
    if (name != name.trimmed())
        return QStringLiteral("A profile name cannot start or end with a space.");
    const bool plain = std::all_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ||
               c == QLatin1Char('_');
    });
    if (!plain)
        return QStringLiteral("\"%1\" cannot be a profile name: use letters, digits, spaces, dashes and "
                              "underscores only.")
            .arg(name);
    return std::nullopt;
}

QStringList ProfileStore::names() const
{
    QStringList list;
    for (const QString& entry : QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!nameProblem(entry))
            list << entry;
    }
    return list;
}

bool ProfileStore::exists(const QString& name) const
{
    return !nameProblem(name) && QDir(folder(name)).exists();
}

QString ProfileStore::folder(const QString& name) const
{
    return m_root + QLatin1Char('/') + name;
}

std::optional<QString> ProfileStore::create(const QString& name) const
{
    if (const auto problem = nameProblem(name))
        return problem;
    if (exists(name))
        return QStringLiteral("A profile named \"%1\" exists already.").arg(name);
    if (!QDir().mkpath(folder(name)))
        return QStringLiteral("Cannot create the folder %1.").arg(folder(name));
    return std::nullopt;
}

std::optional<QString> ProfileStore::rename(const QString& from, const QString& to) const
{
    if (const auto problem = nameProblem(to))
        return problem;
    if (!exists(from))
        return QStringLiteral("There is no profile named \"%1\".").arg(from);
    // Names that differ in case only are one folder on some file systems.
    if (from.compare(to, Qt::CaseInsensitive) != 0 && exists(to))
        return QStringLiteral("A profile named \"%1\" exists already.").arg(to);
    if (!QDir().rename(folder(from), folder(to)))
        return QStringLiteral("Cannot rename the folder %1.").arg(folder(from));
    return std::nullopt;
}

std::optional<QString> ProfileStore::remove(const QString& name) const
{
    if (!exists(name))
        return QStringLiteral("There is no profile named \"%1\".").arg(name);
    if (!QDir(folder(name)).removeRecursively())
        return QStringLiteral("Cannot delete the folder %1.").arg(folder(name));
    return std::nullopt;
}

} // namespace tesso
