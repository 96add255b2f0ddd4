#pragma once
// One simulated device behind any combination of links. Replies and unsolicited reports go to the
// link that last received bytes. This is also the small API through which the GUI's demo mode
// runs the device in-process on a pseudo-terminal:
//
//     tesso::sim::SimServer sim;              // GUI thread
//     if (sim.openPty()) driver.setSerialPort(sim.ptyPath());

#include <memory>
#include <vector>

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>

#include "SimDevice.h"

namespace tesso::sim
{

class SimLink;
class SimPtyLink;
class SimSerialLink;
class SimTcpLink;
class SimUdpLink;

class SimServer : public QObject
{
    Q_OBJECT
  public:
    explicit SimServer(Model model = Model::Lumio, QObject* parent = nullptr);
    ~SimServer() override;

    SimDevice& device() { return *m_device; }

    bool openPty(QString* error = nullptr);
    QString ptyPath() const;
    // The pseudo-terminal takes in and sends no faster than the baud rates its controller set, as
    // a serial line would (before or after openPty). Off by default.
    void setLineRate(bool on);
    bool createPtySymlink(const QString& path, QString* error = nullptr);

    // Port 0 picks a free port; tcpPort() / udpPort() tell which.
    bool listenTcp(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 tcpPort() const;
    bool bindUdp(const QHostAddress& address, quint16 port, QString* error = nullptr);
    quint16 udpPort() const;

    bool openSerial(const QString& path, QString* error = nullptr);

  signals:
    void logLine(const QString& line);

  private:
    void attach(SimLink* link);

    SimDevice* m_device; // child
    SimPtyLink* m_pty = nullptr;
    SimTcpLink* m_tcp = nullptr;
    SimUdpLink* m_udp = nullptr;
    SimSerialLink* m_serial = nullptr;
    QPointer<SimLink> m_active;
    bool m_lineRate = false;
};

} // namespace tesso::sim
