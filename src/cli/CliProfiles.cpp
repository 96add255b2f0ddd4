#include "CliProfiles.h"

#include "ConnectionSettings.h"
#include "ProfileStore.h"
#include "SettingsFileKeys.h"

namespace tesso
{

namespace
{
std::optional<QStringList> optionsOf(const ConnectionValues& v)
{
    const QString remote = QStringLiteral("%1:%2").arg(v.RemoteIp).arg(v.RemotePort);
    if (v.IpEnable == 1)
        return QStringList{QStringLiteral("--udp"), remote, QStringLiteral("--local-port"),
                           QString::number(v.LocalPort)};
    if (v.IpEnable == 2)
        return QStringList{QStringLiteral("--tcp"), remote};
    if (v.comNumber() == 0)
        return std::nullopt; // never connected: the window asks for a port on its first start
    if (!v.SerialDevice.isEmpty())
        return QStringList{QStringLiteral("--serial"), v.SerialDevice};
    return QStringList{QStringLiteral("--serial"), QStringLiteral("COM%1").arg(v.comNumber())};
}

ConnectionValues readProfile(const ProfileStore& store, const QString& profile)
{
    return ConnectionSettings(store.folder(profile), QString(SettingsFileKeys::ConnectionFileTitle))
        .ReadConnection();
}
} // namespace

std::optional<QStringList> CliProfiles::linkOptions(const QString& profile, QString& error)
{
    if (const auto problem = ProfileStore::nameProblem(profile)) {
        error = *problem;
        return std::nullopt;
    }
    const ProfileStore store;
    if (!store.exists(profile)) {
        error = QStringLiteral("there is no profile named '%1' (tesso-cli profiles lists them)").arg(profile);
        return std::nullopt;
    }
    const auto options = optionsOf(readProfile(store, profile));
    if (!options)
        error = QStringLiteral("profile '%1' has no link yet: choose one in its window first").arg(profile);
    return options;
}

QStringList CliProfiles::list()
{
    const ProfileStore store;
    QStringList lines;
    for (const QString& name : store.names()) {
        const ConnectionValues v = readProfile(store, name);
        const auto options = optionsOf(v);
        lines << QStringList{name, options ? options->join(QLatin1Char(' ')) : QStringLiteral("-"),
                             v.LastModel.isEmpty() ? QStringLiteral("-") : v.LastModel}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

} // namespace tesso
