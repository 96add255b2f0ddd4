#include "SimServer.h"

#include <memory>

#include "SimGuard.h"
#include "SimPtyLink.h"
#include "SimSerialLink.h"
#include "SimTcpLink.h"
#include "SimUdpLink.h"

namespace tesso::sim
{

SimServer::SimServer(Model model, QObject* parent) : QObject(parent), m_device(new SimDevice(model, this))
{
    connect(m_device, &SimDevice::sendBytes, this, [this](const QByteArray& bytes) {
        if (m_active)
            m_active->write(bytes);
    });
    connect(m_device, &SimDevice::rawModeChanged, this, [this](bool raw) {
        if (m_active)
            m_active->setRawMode(raw);
    });
    connect(m_device, &SimDevice::disconnectRequested, this, [this] {
        if (m_active)
            m_active->dropConnection();
    });
    connect(m_device, &SimDevice::logLine, this, &SimServer::logLine);
}

SimServer::~SimServer() = default;

void SimServer::attach(SimLink* link)
{
    connect(link, &SimLink::received, this, [this, link](const QByteArray& bytes) {
        guarded([&] {
            m_active = link;
            m_device->receive(bytes);
        });
    });
    connect(link, &SimLink::logLine, this, &SimServer::logLine);
    if (!m_active)
        m_active = link;
}

bool SimServer::openPty(QString* error)
{
    if (m_pty)
        return true;
    auto link = std::make_unique<SimPtyLink>();
    if (!link->open(error))
        return false;
    link->setLineRate(m_lineRate);
    link->setParent(this);
    m_pty = link.release();
    attach(m_pty);
    return true;
}

void SimServer::setLineRate(bool on)
{
    m_lineRate = on;
    if (m_pty)
        m_pty->setLineRate(on);
}

QString SimServer::ptyPath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

bool SimServer::createPtySymlink(const QString& path, QString* error)
{
    if (!m_pty) {
        if (error)
            *error = QStringLiteral("no pseudo-terminal is open");
        return false;
    }
    return m_pty->createSymlink(path, error);
}

bool SimServer::listenTcp(const QHostAddress& address, quint16 port, QString* error)
{
    auto link = std::make_unique<SimTcpLink>();
    if (!link->listen(address, port, error))
        return false;
    link->setParent(this);
    m_tcp = link.release();
    attach(m_tcp);
    return true;
}

quint16 SimServer::tcpPort() const
{
    return m_tcp ? m_tcp->port() : 0;
}

bool SimServer::bindUdp(const QHostAddress& address, quint16 port, QString* error)
{
    auto link = std::make_unique<SimUdpLink>();
    if (!link->bind(address, port, error))
        return false;
    link->setParent(this);
    m_udp = link.release();
    attach(m_udp);
    return true;
}

quint16 SimServer::udpPort() const
{
    return m_udp ? m_udp->port() : 0;
}

bool SimServer::openSerial(const QString& path, QString* error)
{
    auto link = std::make_unique<SimSerialLink>();
    if (!link->open(path, error))
        return false;
    link->setParent(this);
    m_serial = link.release();
    attach(m_serial);
    return true;
}

} // namespace tesso::sim
