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

int baudOf(speed_t speed)
{
    static constexpr struct {
        speed_t code;
        int baud;
    } Speeds[] = {
        {B50, 50},           {B75, 75},           {B110, 110},         {B134, 134},
        {B150, 150},         {B200, 200},         {B300, 300},         {B600, 600},
        {B1200, 1200},       {B1800, 1800},       {B2400, 2400},       {B4800, 4800},
        {B9600, 9600},       {B19200, 19200},     {B38400, 38400},     {B57600, 57600},
        {B115200, 115200},   {B230400, 230400},   {B460800, 460800},   {B500000, 500000},
        {B576000, 576000},   {B921600, 921600},   {B1000000, 1000000}, {B1152000, 1152000},
        {B1500000, 1500000}, {B2000000, 2000000}, {B2500000, 2500000}, {B3000000, 3000000},
        {B3500000, 3500000}, {B4000000, 4000000},
    };
    for (const auto& s : Speeds)
        if (s.code == speed)
            return s.baud;
    return 0;
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
    if (m_incoming)
        m_incoming->clear();
    if (m_outgoing)
        m_outgoing->clear();
}

void SimPtyLink::setLineRate(bool on)
{
    m_lineRate = on;
    if (!on || m_incoming)
        return;
    m_incoming = std::make_unique<LinePacer>();
    m_outgoing = std::make_unique<LinePacer>();
    connect(m_incoming.get(), &LinePacer::released, this, [this](const QByteArray& bytes, qint64 dueNs) {
        // What the device answers at once starts on the line when these bytes were in: the time
        // this process took to wake up is no time on the wire.
        m_answering = dueNs;
        emit received(bytes);
        m_answering.reset();
    });
    connect(m_outgoing.get(), &LinePacer::released, this,
            [this](const QByteArray& bytes) { queueForMaster(bytes); });
}

int SimPtyLink::baudRate() const
{
    // The settings belong to the terminal, not to a descriptor: our own slave descriptor sees
    // what the controller set on its own, read afresh each time because it may change any time.
    termios t{};
    if (m_slave < 0 || ::tcgetattr(m_slave, &t) != 0)
        return 0;
    return baudOf(::cfgetospeed(&t));
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
    if (data.isEmpty())
        return;
    if (m_lineRate)
        m_incoming->push(data, baudRate());
    else
        emit received(data);
}

void SimPtyLink::write(const QByteArray& bytes)
{
    if (!isOpen())
        return;
    if (m_lineRate && m_answering)
        m_outgoing->pushAnswer(bytes, baudRate(), *m_answering);
    else if (m_lineRate)
        m_outgoing->push(bytes, baudRate());
    else
        queueForMaster(bytes);
}

void SimPtyLink::queueForMaster(const QByteArray& bytes)
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
