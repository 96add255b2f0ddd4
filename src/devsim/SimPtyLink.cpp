#include "SimPtyLink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>

#include "SimGuard.h"

namespace tesso::sim
{

namespace
{

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

SimPtyLink::SimPtyLink(QObject* parent) : SimLink(parent) {}

SimPtyLink::~SimPtyLink()
{
    close();
}

bool SimPtyLink::open(QString* error)
{
    if (isOpen())
        return true;
    char name[256] = {};
    struct termios raw {
    };
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (::openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("openpty: ") + systemError();
        m_master = m_slave = -1;
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this,
            [this] { guarded([this] { readMaster(); }); });
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this,
            [this] { guarded([this] { writePending(); }); });
    return true;
}

bool SimPtyLink::createSymlink(const QString& path, QString* error)
{
    const QByteArray target = QFile::encodeName(m_slavePath);
    const QByteArray where = QFile::encodeName(path);
    struct stat st {
    };
    if (::lstat(where.constData(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            if (error)
                *error = path + QStringLiteral(" exists and is not a symbolic link");
            return false;
        }
        ::unlink(where.constData());
    }
    if (::symlink(target.constData(), where.constData()) != 0) {
        if (error)
            *error = QStringLiteral("symlink %1: %2").arg(path, systemError());
        return false;
    }
    m_symlink = path;
    return true;
}

void SimPtyLink::close()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    if (!m_symlink.isEmpty()) {
        ::unlink(QFile::encodeName(m_symlink).constData());
        m_symlink.clear();
    }
    m_pending.clear();
}

void SimPtyLink::readMaster()
{
    char buffer[4096];
    QByteArray data;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // EIO: no slave is open. Cannot happen while we hold our own slave; stop listening
            // rather than spin if it does.
            emit logLine(QStringLiteral("pty: read failed: ") + systemError());
            m_readNotifier->setEnabled(false);
        }
        break;
    }
    if (!data.isEmpty())
        emit received(data);
}

void SimPtyLink::write(const QByteArray& bytes)
{
    if (!isOpen())
        return;
    // Nobody reading the terminal for long: keep the newest output only, never grow without end.
    constexpr int MaxPending = 256 * 1024;
    if (m_pending.size() + bytes.size() > MaxPending) {
        emit logLine(QStringLiteral("pty: nobody reads, %1 bytes dropped").arg(m_pending.size()));
        m_pending.clear();
    }
    m_pending += bytes;
    writePending();
}

void SimPtyLink::writePending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), std::size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            emit logLine(QStringLiteral("pty: write failed: ") + systemError());
            m_pending.clear();
        }
        break;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

QString SimPtyLink::describe() const
{
    return QStringLiteral("pty %1").arg(m_slavePath);
}

} // namespace tesso::sim
