#include "ProfileInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace tesso
{

namespace
{
constexpr char RaiseRequest[] = "raise\n";
constexpr char RaiseAnswer[] = "raised\n";
constexpr int AnswerWaitMs = 2000;

QString lockPath(const QString& folder)
{
    return folder + QStringLiteral("/tesso.lock");
}
} // namespace

ProfileInstance::ProfileInstance(QString folder, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_lock(lockPath(m_folder))
{
    // Stale only when its process is gone, never by age: a window may run for weeks.
    m_lock.setStaleLockTime(0);
}

ProfileInstance::~ProfileInstance()
{
    if (m_server)
        m_server->close();
}

// The socket's name comes from the folder, so that two profiles never meet, and stays short
// enough for the system's limit on socket paths.
QString ProfileInstance::serverName() const
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir(m_folder).absolutePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("tesso-profile-") + QString::fromLatin1(hash);
}

ProfileInstance::Claim ProfileInstance::claim()
{
    QDir().mkpath(m_folder);
    if (m_lock.tryLock(0)) {
        listen();
        return Claim::Owned;
    }
    QString host, application;
    m_lock.getLockInfo(&m_holder, &host, &application);
    return askHolderToRaise() ? Claim::RaisedOther : Claim::HeldElsewhere;
}

bool ProfileInstance::isHeld(const QString& folder)
{
    QLockFile probe(lockPath(folder));
    probe.setStaleLockTime(0);
    if (!QDir(folder).exists())
        return false;
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    return true;
}

bool ProfileInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    // A socket file left by a crashed holder would refuse the name.
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName()))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == RaiseRequest) {
                    emit raiseRequested();
                    peer->write(RaiseAnswer);
                    peer->flush();
                }
                peer->disconnectFromServer();
            });
        }
    });
    return true;
}

bool ProfileInstance::askHolderToRaise() const
{
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(AnswerWaitMs))
        return false;
    socket.write(RaiseRequest);
    if (!socket.waitForBytesWritten(AnswerWaitMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(AnswerWaitMs))
            return false;
    }
    return socket.readLine() == RaiseAnswer;
}

} // namespace tesso
