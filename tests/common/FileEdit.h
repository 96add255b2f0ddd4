#pragma once
// Edits a file the program wrote, as a user would by hand.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tesso::test
{

// Replaces every `from` with `to` in the file; false when it cannot be read or written.
inline bool replaceInFile(const QString& path, const QByteArray& from, const QByteArray& to)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray text = file.readAll().replace(from, to);
    return file.resize(0) && file.write(text) == text.size();
}

} // namespace tesso::test
