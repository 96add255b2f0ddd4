// The driver's real links: the serial port component, the UDP endpoint, the TCP client and a
// QTimer-based link timer.
#include "DriverLinks.h"
#include "SerialLink.h"
#include "TcpLink.h"
#include "UdpLink.h"

namespace tesso
{

DriverLinks makeDefaultLinks()
{
    DriverLinks links;
    links.serial = std::make_unique<SerialLink>();
    links.udp = std::make_unique<UdpLink>();
    links.tcp = std::make_unique<TcpLink>();
    links.timer = std::make_unique<QtLinkTimer>();
    return links;
}

} // namespace tesso
