#pragma once
// The device's network link. As it leaves the factory: the address and port a new connection
// starts from, in the driver, the window, the client and the settings files alike. And its
// addresses and ports, each made of several variables (four octets, or the port, of the entry
// PADIP selects): the names the client, the settings files and the driver's properties give them.

#include <array>

namespace tesso::lan
{

inline constexpr int DefaultPort = 10500;
inline constexpr const char* DefaultAddress = "192.168.0.10";

struct CompositeAddress {
    const char* name;
    int entry; // PADIP: 1 local, 2 remote, 3 gateway
    bool port; // the entry's port rather than its address
};
inline constexpr std::array<CompositeAddress, 5> CompositeAddresses{{{"LOCAL_IP", 1, false},
                                                                     {"REMOTE_IP", 2, false},
                                                                     {"GATEWAY_IP", 3, false},
                                                                     {"LOCAL_PORT", 1, true},
                                                                     {"REMOTE_PORT", 2, true}}};

} // namespace tesso::lan
