#include "LogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tesso
{

namespace LogFolder
{

namespace
{
bool isInside(const QString& folder, const QString& parent)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    const QString root = QFileInfo(parent).canonicalFilePath();
    return !root.isEmpty() && (path == root || path.startsWith(root + QLatin1Char('/')));
}
} // namespace

QString choose(const QString& working, const QString& documents, const QString& temporary)
{
    const QFileInfo folder(working);
    if (folder.isDir() && folder.isWritable() && !isInside(working, temporary))
        return folder.absoluteFilePath();
    QDir().mkpath(documents);
    return documents;
}

QString forThisProcess()
{
    return choose(QDir::currentPath(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                  QDir::tempPath());
}

} // namespace LogFolder

} // namespace tesso
