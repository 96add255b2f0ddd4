#include "ConnectionSettings.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "IniFile.h"
#include "IpText.h"
#include "LanDefaults.h"
#include "SettingsFileKeys.h"

namespace tesso
{

namespace
{

QString withSeparator(QString directory)
{
    if (!directory.isEmpty() && !directory.endsWith(u'/'))
        directory += u'/';
    return directory;
}

QString inputKey(int k)
{
    return QStringLiteral("Input%1").arg(k);
}

QString audioKey(int k)
{
    return QStringLiteral("Audio%1").arg(k);
}

int portOrDefault(int port, int fallback = tesso::lan::DefaultPort)
{
    return port >= 1 && port <= 65535 ? port : fallback;
}

const QString hubKeys[] = {QString(SettingsFileKeys::KeyHubEnabled), QString(SettingsFileKeys::KeyHubAddress),
                           QString(SettingsFileKeys::KeyHubPort), QString(SettingsFileKeys::KeyHubAllowed)};

} // namespace

ConnectionSettings::ConnectionSettings(QString directory, QString applicationTitle)
    : m_directory(withSeparator(std::move(directory))), m_title(std::move(applicationTitle))
{
}

QString ConnectionSettings::DefaultDirectory()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo info(programDir);
    if (!programDir.isEmpty() && info.isDir() && info.isWritable())
        return programDir;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}

QString ConnectionSettings::ConnectionFileName() const
{
    return m_directory + m_title + QStringLiteral(".ini");
}

QString ConnectionSettings::LabelFileName(const QString& modelName) const
{
    return m_directory + modelName + QStringLiteral(".ini");
}

ConnectionValues ConnectionSettings::ReadConnection() const
{
    IniFile ini;
    if (ini.load(ConnectionFileName()) == IniFile::LoadResult::TooLarge)
        m_readInPart.insert(ConnectionFileName());
    const QString section(SettingsFileKeys::SectionConnexion);
    ConnectionValues v;
    v.Port = ini.readInteger(section, QString(SettingsFileKeys::KeyPort), -1);
    v.RemoteIp =
        tesso::canonicalIpText(ini.readString(section, QString(SettingsFileKeys::KeyRemoteIp), QString()))
            .value_or(QString(QLatin1String(tesso::lan::DefaultAddress)));
    v.RemotePort = portOrDefault(
        ini.readInteger(section, QString(SettingsFileKeys::KeyRemotePort), tesso::lan::DefaultPort));
    v.LocalPort = portOrDefault(
        ini.readInteger(section, QString(SettingsFileKeys::KeyLocalPort), tesso::lan::DefaultPort));
    v.IpEnable = ini.readInteger(section, QString(SettingsFileKeys::KeyIpEnable), 0);
    v.LastModel = ini.readString(section, QString(SettingsFileKeys::KeyLastModel), QString());
    v.SerialDevice = ini.readString(section, QString(SettingsFileKeys::KeySerialDevice), QString()).trimmed();
    return v;
}

bool ConnectionSettings::WriteConnection(const ConnectionValues& v) const
{
    if (!mayWrite(ConnectionFileName()))
        return false;
    IniFile ini;
    const QString section(SettingsFileKeys::SectionConnexion);
    ini.setInteger(section, QString(SettingsFileKeys::KeyPort), v.Port);
    ini.setValue(section, QString(SettingsFileKeys::KeyRemoteIp), v.RemoteIp);
    ini.setInteger(section, QString(SettingsFileKeys::KeyRemotePort), v.RemotePort);
    ini.setInteger(section, QString(SettingsFileKeys::KeyLocalPort), v.LocalPort);
    ini.setInteger(section, QString(SettingsFileKeys::KeyIpEnable), v.IpEnable);
    if (!v.LastModel.isEmpty())
        ini.setValue(section, QString(SettingsFileKeys::KeyLastModel), v.LastModel);
    if (!v.SerialDevice.isEmpty())
        ini.setValue(section, QString(SettingsFileKeys::KeySerialDevice), v.SerialDevice);
    IniFile old;
    old.load(ConnectionFileName());
    const QString hub(SettingsFileKeys::SectionHub);
    for (const QString& key : hubKeys)
        if (const auto value = old.value(hub, key))
            ini.setValue(hub, key, *value);
    const QString keyboard(SettingsFileKeys::SectionKeyboard);
    const QString showShortcuts(SettingsFileKeys::KeyShowShortcuts);
    if (const auto value = old.value(keyboard, showShortcuts))
        ini.setValue(keyboard, showShortcuts, *value);
    return ini.save(ConnectionFileName());
}

HubValues ConnectionSettings::ReadHub() const
{
    IniFile ini;
    if (ini.load(ConnectionFileName()) == IniFile::LoadResult::TooLarge)
        m_readInPart.insert(ConnectionFileName());
    const QString section(SettingsFileKeys::SectionHub);
    HubValues v;
    v.Enabled = ini.readInteger(section, QString(SettingsFileKeys::KeyHubEnabled), 0) != 0;
    v.Address = ini.readString(section, QString(SettingsFileKeys::KeyHubAddress), v.Address);
    v.Port = portOrDefault(ini.readInteger(section, QString(SettingsFileKeys::KeyHubPort), v.Port), v.Port);
    v.Allowed = ini.readString(section, QString(SettingsFileKeys::KeyHubAllowed), v.Allowed);
    return v;
}

bool ConnectionSettings::WriteHub(const HubValues& v) const
{
    IniFile ini;
    const IniFile::LoadResult read = ini.load(ConnectionFileName());
    if (read == IniFile::LoadResult::Unreadable || read == IniFile::LoadResult::TooLarge ||
        !mayWrite(ConnectionFileName()))
        return false;
    const QString section(SettingsFileKeys::SectionHub);
    ini.setInteger(section, QString(SettingsFileKeys::KeyHubEnabled), v.Enabled ? 1 : 0);
    ini.setValue(section, QString(SettingsFileKeys::KeyHubAddress), v.Address);
    ini.setInteger(section, QString(SettingsFileKeys::KeyHubPort), v.Port);
    ini.setValue(section, QString(SettingsFileKeys::KeyHubAllowed), v.Allowed);
    return ini.save(ConnectionFileName());
}

bool ConnectionSettings::ReadShowShortcuts() const
{
    IniFile ini;
    ini.load(ConnectionFileName());
    return ini.readInteger(QString(SettingsFileKeys::SectionKeyboard),
                           QString(SettingsFileKeys::KeyShowShortcuts), 0) != 0;
}

bool ConnectionSettings::WriteShowShortcuts(bool on) const
{
    IniFile ini;
    const IniFile::LoadResult read = ini.load(ConnectionFileName());
    if (read == IniFile::LoadResult::Unreadable || read == IniFile::LoadResult::TooLarge ||
        !mayWrite(ConnectionFileName()))
        return false;
    ini.setInteger(QString(SettingsFileKeys::SectionKeyboard), QString(SettingsFileKeys::KeyShowShortcuts),
                   on ? 1 : 0);
    return ini.save(ConnectionFileName());
}

bool ConnectionSettings::ReadLabels(const QString& modelName, const InputLabels& defaults,
                                    InputLabels& labels) const
{
    IniFile ini;
    const QString fileName = LabelFileName(modelName);
    switch (ini.load(fileName)) {
    case IniFile::LoadResult::Unreadable:
        return false;
    case IniFile::LoadResult::TooLarge:
        m_readInPart.insert(fileName);
        break;
    case IniFile::LoadResult::Read:
    case IniFile::LoadResult::Missing:
        break;
    }
    labels.Black = ini.readString(modelName, QString(SettingsFileKeys::KeyBlack), defaults.Black);
    labels.Inputs.clear();
    labels.Audios.clear();
    for (int k = 1; k <= defaults.Inputs.size(); ++k)
        labels.Inputs << ini.readString(modelName, inputKey(k), defaults.Inputs.at(k - 1));
    for (int k = 1; k <= defaults.Audios.size(); ++k)
        labels.Audios << ini.readString(modelName, audioKey(k), defaults.Audios.at(k - 1));
    return true;
}

bool ConnectionSettings::WriteLabels(const QString& modelName, const InputLabels& labels) const
{
    if (!mayWrite(LabelFileName(modelName)))
        return false;
    IniFile ini;
    ini.setValue(modelName, QString(SettingsFileKeys::KeyBlack), labels.Black);
    const auto n = std::max(labels.Inputs.size(), labels.Audios.size());
    for (qsizetype k = 1; k <= n; ++k) {
        if (k <= labels.Inputs.size())
            ini.setValue(modelName, inputKey(static_cast<int>(k)), labels.Inputs.at(k - 1));
        if (k <= labels.Audios.size())
            ini.setValue(modelName, audioKey(static_cast<int>(k)), labels.Audios.at(k - 1));
    }
    return ini.save(LabelFileName(modelName));
}

} // namespace tesso
