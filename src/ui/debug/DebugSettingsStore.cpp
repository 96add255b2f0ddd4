#include "DebugSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTimer>

#include "ErrorReport.h"

namespace tesso
{

DebugSettingsStore::DebugSettingsStore(const QString& folder, QObject* parent)
    : QObject(parent), m_fileName(QDir(folder).filePath(QStringLiteral("Debug2007.ini"))),
      m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMs);
    connect(m_settle, &QTimer::timeout, this, [this] { tesso::guarded([this] { Settle(); }); });
}

bool DebugSettingsStore::Load(Debug2007Ini::Content& content)
{
    m_loaded = true;
    QFile file(m_fileName);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly)) {
        // Unreadable now is not damaged: it is not overwritten on a guess.
        m_keepDamaged = true;
        return false;
    }
    const QByteArray bytes = file.read(Debug2007Ini::ReadLimit);
    const bool tooLarge = !file.atEnd();
    m_onDisk = bytes;
    const Debug2007Ini::ReadResult result = Debug2007Ini::Parse(bytes, content);
    m_keepDamaged = tooLarge || !result.complete;
    return true;
}

void DebugSettingsStore::SaveNow()
{
    m_settle->stop();
    if (m_loaded && Collect)
        write(Debug2007Ini::Serialize(Collect()));
}

void DebugSettingsStore::SaveWhenSettled()
{
    if (m_loaded)
        m_settle->start();
}

bool DebugSettingsStore::SavePending() const
{
    return m_settle->isActive();
}

void DebugSettingsStore::Settle()
{
    SaveNow();
}

void DebugSettingsStore::write(const QByteArray& bytes)
{
    if (bytes == m_onDisk && !m_keepDamaged)
        return;
    if (m_keepDamaged && QFile::exists(m_fileName)) {
        QFile::remove(BackupName());
        if (!QFile::copy(m_fileName, BackupName())) {
            fail(QStringLiteral("Cannot keep a copy of %1: the settings are not saved").arg(m_fileName));
            return;
        }
    }
    m_keepDamaged = false;
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(file.errorString());
        return;
    }
    m_lastError.clear();
    m_onDisk = bytes;
    ++m_writes;
}

void DebugSettingsStore::fail(const QString& message)
{
    // Every resize would repeat the same box.
    if (message != m_lastError)
        tesso::reportError(message);
    m_lastError = message;
}

} // namespace tesso
