#pragma once
// The device's network link as it leaves the factory: the address and port a new connection
// starts from, in the driver, the window, the client and the settings files alike.

namespace tesso::lan
{

inline constexpr int DefaultPort = 10500;
inline constexpr const char* DefaultAddress = "192.168.0.10";

} // namespace tesso::lan
