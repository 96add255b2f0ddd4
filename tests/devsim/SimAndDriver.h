#pragma once
// The real driver (TMirex_d with its real serial, UDP and TCP links) against the simulated device
// on a pseudo-terminal, 127.0.0.1 TCP or 127.0.0.1 UDP. Either at the driver's own link timing
// (end-to-end tests) or with its link timer running a fixed number of times faster, so that the
// state machine keeps its order and its proportions while a test takes a fraction of a second.

#include <memory>
#include <vector>

#include <QUdpSocket>

#include "ComPort2.h"
#include "ErrorReport.h"
#include "Mirex_d.h"
#include "ReportCapture.h"
#include "ScaledLinkTimer.h"
#include "SimServer.h"
#include "TcpLink.h"
#include "UdpLink.h"

namespace tesso::sim::test
{

enum class Link { Pty, Tcp, Udp };

inline const char* linkName(Link link)
{
    return link == Link::Pty ? "Pty" : link == Link::Tcp ? "Tcp" : "Udp";
}

inline quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

struct SimAndDriver {
    SimServer sim;
    std::unique_ptr<TMirex_d> driver;
    tesso::test::ReportCapture report;

    // divisor 1: the driver exactly as the program builds it (its default links and timer).
    explicit SimAndDriver(int divisor, Model model = Model::Lumio) : sim(model)
    {
        if (divisor == 1) {
            driver = std::make_unique<TMirex_d>();
        } else {
            DriverLinks links;
            links.serial = std::make_unique<TComPort2>();
            links.udp = std::make_unique<UdpLink>();
            links.tcp = std::make_unique<TcpLink>();
            links.timer = std::make_unique<ScaledLinkTimer>(divisor);
            driver = std::make_unique<TMirex_d>(std::move(links));
        }
    }
    // The driver goes first, while its reports are still captured.
    ~SimAndDriver() { driver.reset(); }

    // Opens the simulator's side and points the driver at it; false when a side cannot open.
    bool connect(Link link)
    {
        switch (link) {
        case Link::Pty:
            if (!sim.openPty())
                return false;
            driver->setPort(sim.ptyPath());
            return driver->Port() == sim.ptyPath();
        case Link::Tcp:
            if (!sim.listenTcp(QHostAddress::LocalHost, 0))
                return false;
            driver->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
            driver->setIpRemotePort(sim.tcpPort());
            driver->setConType(CON_TCP);
            return true;
        case Link::Udp:
            if (!sim.bindUdp(QHostAddress::LocalHost, 0))
                return false;
            driver->setIpRemoteAddress(QStringLiteral("127.0.0.1"));
            driver->setIpRemotePort(sim.udpPort());
            driver->setIpLocalPort(freeUdpPort());
            driver->setConType(CON_UDP);
            return true;
        }
        return false;
    }

    SimDevice& device() { return sim.device(); }
    TMirex_d& drv() { return *driver; }
};

} // namespace tesso::sim::test
