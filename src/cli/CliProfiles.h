#pragma once
// The client's side of the device profiles: the link a profile's window last used, as the
// client's own link options, and the list of profiles for `tesso-cli profiles`.

#include <optional>

#include <QString>
#include <QStringList>

namespace tesso
{

class CliProfiles
{
  public:
    // The options that reach the profile's device ("--serial COM3", "--tcp HOST:PORT", "--udp
    // HOST:PORT --local-port N"), or the reason there are none.
    static std::optional<QStringList> linkOptions(const QString& profile, QString& error);
    // One line a profile: name, link options, the model last seen ("-" when none), tab-separated.
    static QStringList list();
};

} // namespace tesso
