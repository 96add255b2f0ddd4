#pragma once
// The parts a driver talks through: its three links and its link timer. The program uses the
// real ones; tests hand in scripted links and a manual timer.

#include <memory>

#include "DeviceLink.h"
#include "LinkTimer.h"

namespace tesso
{

// The numbers are what the connection settings file and the client's options store.
enum class LinkType { Serial = 0, Udp = 1, Tcp = 2 };

struct DriverLinks {
    std::unique_ptr<DeviceLink> serial;
    std::unique_ptr<DeviceLink> udp;
    std::unique_ptr<DeviceLink> tcp;
    std::unique_ptr<LinkTimer> timer;
};

// The real links: the serial port, the UDP endpoint and the TCP client, and a QTimer.
DriverLinks makeDefaultLinks();

} // namespace tesso
