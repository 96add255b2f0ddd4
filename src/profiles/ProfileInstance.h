#pragma once
// One running window per profile. The first program to claim a profile holds a lock file in its
// folder and listens on a local socket; a second start of the same profile asks that one to bring
// its window to the front instead of running beside it. A lock left by a program that crashed is
// recognised (its process is gone) and taken over.

#include <memory>

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace tesso
{

class ProfileInstance : public QObject
{
    Q_OBJECT

  public:
    enum class Claim {
        Owned,        // this program has the profile
        RaisedOther,  // another program has it and was asked to show its window
        HeldElsewhere // another program has it and could not be reached
    };

    explicit ProfileInstance(QString folder, QObject* parent = nullptr);
    ~ProfileInstance() override;

    Claim claim();
    // The process that holds the profile (0 when unknown), after a claim that was not Owned.
    qint64 holder() const { return m_holder; }
    // Someone else holds the folder now (a running window), without claiming it.
    static bool isHeld(const QString& folder);

  signals:
    // Another start of this profile asks for this program's window.
    void raiseRequested();

  private:
    QString serverName() const;
    bool listen();
    bool askHolderToRaise() const;

    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    qint64 m_holder = 0;
};

} // namespace tesso
