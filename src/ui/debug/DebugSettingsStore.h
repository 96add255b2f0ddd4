#pragma once
// Where "Debug2007.ini" is read and written. The file is replaced atomically (a failed write keeps
// the old one); a file that could not be read to its end is copied to "Debug2007.ini.bak" before
// it is first overwritten; a layout change writes at most once, when it has settled, and only
// what differs from the file.

#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "Debug2007Ini.h"

class QTimer;

namespace tesso
{

class DebugSettingsStore : public QObject
{
    Q_OBJECT

  public:
    static constexpr int SettleMs = 500;

    DebugSettingsStore(const QString& folder, QObject* parent = nullptr);

    QString FileName() const { return m_fileName; }
    QString BackupName() const { return m_fileName + QStringLiteral(".bak"); }

    // Reads the file into content. False when there is none. A read that stopped early is
    // remembered, so that the first save keeps a copy of the damaged file.
    bool Load(Debug2007Ini::Content& content);
    bool Loaded() const { return m_loaded; }

    // The content to write, asked for when a save is due.
    std::function<Debug2007Ini::Content()> Collect;

    // Writes now (after a check-box toggle or a button edit); a pending settled save is dropped.
    void SaveNow();
    // Writes once the layout has stopped changing for SettleMs.
    void SaveWhenSettled();
    bool SavePending() const;
    // The settled save, also run when the wait ends.
    void Settle();

    int WriteCount() const { return m_writes; }

  private:
    void write(const QByteArray& bytes);
    void fail(const QString& message);

    QString m_fileName;
    QTimer* m_settle = nullptr;
    bool m_loaded = false;      // saving waits for the file to have been read (or found missing)
    bool m_keepDamaged = false; // the file read was incomplete and has not been copied yet
    QByteArray m_onDisk;        // what the file holds, as far as this store knows
    QString m_lastError;
    int m_writes = 0;
};

} // namespace tesso
