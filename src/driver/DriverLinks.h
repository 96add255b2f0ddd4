#pragma once
// The parts a driver talks through: its three links and its link timer. The program uses the
// real ones; tests hand in scripted links and a manual timer.

#include <memory>

#include "DeviceLink.h"
#include "LinkTimer.h"

enum tConnectionType { CON_RS232 = 0, CON_UDP = 1, CON_TCP = 2 };

struct DriverLinks {
    std::unique_ptr<DeviceLink> serial;
    std::unique_ptr<DeviceLink> udp;
    std::unique_ptr<DeviceLink> tcp;
    std::unique_ptr<LinkTimer> timer;
};

// The real links: the serial port, the UDP endpoint and the TCP client, and a QTimer.
DriverLinks makeDefaultLinks();
