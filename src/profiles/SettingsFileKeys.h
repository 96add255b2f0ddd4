#pragma once
// The sections and keys of the connection and label files: files written by every release, and
// by the program these files come from, so they never change.

#include <QLatin1String>

namespace tesso::SettingsFileKeys
{

// The connection file is named after the window's title: "<title>.ini".
inline constexpr QLatin1String ConnectionFileTitle{"Tesso remote control"};
inline constexpr QLatin1String SectionConnexion{"CONNEXION"};
inline constexpr QLatin1String KeyPort{"Port"};
inline constexpr QLatin1String KeyRemoteIp{"REMOTE_IP"};
inline constexpr QLatin1String KeyRemotePort{"REMOTE_PORT_ENTRY"};
inline constexpr QLatin1String KeyLocalPort{"LOCAL_PORT_ENTRY"};
inline constexpr QLatin1String KeyIpEnable{"IP_ENABLE"};
// The model the window last identified on this link (for the list of profiles).
inline constexpr QLatin1String KeyLastModel{"LastModel"};
// The serial device chosen by its path (a port present, not a COM item); Port still holds the COM
// item last in force, for readers that know no other key.
inline constexpr QLatin1String KeySerialDevice{"SerialDevice"};
inline constexpr QLatin1String KeyBlack{"Black"};
inline constexpr QLatin1String SectionHub{"Hub"};
inline constexpr QLatin1String KeyHubEnabled{"Enabled"};
inline constexpr QLatin1String KeyHubAddress{"Address"};
inline constexpr QLatin1String KeyHubPort{"Port"};
inline constexpr QLatin1String KeyHubAllowed{"Allowed"};
// Controls > "Keyboard show control": 1 while the show shortcuts act.
inline constexpr QLatin1String SectionKeyboard{"Keyboard"};
inline constexpr QLatin1String KeyShowShortcuts{"ShowShortcuts"};

} // namespace tesso::SettingsFileKeys
