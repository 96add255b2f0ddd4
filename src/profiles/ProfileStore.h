#pragma once
// The device profiles: one folder per device under the user's configuration folder, holding that
// device's connection settings, input labels and console settings. Without a profile the program
// keeps its files where it always has; a profile only ever touches its own folder.

#include <optional>

#include <QString>
#include <QStringList>

namespace tesso
{

class ProfileStore
{
  public:
    static constexpr int MaxNameLength = 64;

    // root: the folder that holds one folder per profile (created when a profile is).
    explicit ProfileStore(QString root = defaultRoot());

    // "<configuration folder>/tesso/profiles", the same for the window and the client.
    static QString defaultRoot();
    // Why a name cannot be a profile's: letters, digits, space, dash and underscore only, not
    // empty, no leading or trailing space, at most MaxNameLength characters. Nothing if it can.
    static std::optional<QString> nameProblem(const QString& name);

    QString root() const { return m_root; }
    // The profiles there are, by name.
    QStringList names() const;
    bool exists(const QString& name) const;
    // The profile's folder (whether it exists or not); the name must be valid.
    QString folder(const QString& name) const;

    // Each returns why it could not be done, or nothing.
    std::optional<QString> create(const QString& name) const;
    std::optional<QString> rename(const QString& from, const QString& to) const;
    std::optional<QString> remove(const QString& name) const;

  private:
    QString m_root;
};

} // namespace tesso
