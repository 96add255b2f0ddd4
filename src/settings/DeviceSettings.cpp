#include "DeviceSettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include "DeviceDriver.h"
#include "DeviceMirror.h"
#include "DeviceModels.h"
#include "IpText.h"
#include "LanDefaults.h"

namespace tesso
{

using tesso::Catalogue;
using tesso::ModelTable;

namespace
{

const QString FormatName = QStringLiteral("tesso-device-settings");

using Entry = DeviceSettings::Entry;
using Kind = DeviceSettings::Kind;

Entry make(const QString& name, Kind kind, tVAR variable, int which = 0, bool network = false)
{
    Entry e;
    e.name = name;
    e.kind = kind;
    e.variable = variable;
    e.which = which;
    e.network = network;
    return e;
}

bool plainSetting(const tesso::VariableInfo& v)
{
    return v.scope == tesso::Scope::DEVICE && tesso::isSetting(v.index) && v.index != _NETMASK &&
           v.index != _STBON && v.index != _STBOFF;
}

// Every setting of a device with that many inputs, in the order a restore writes them: the
// device-wide values, the inputs one by one, the projector messages, the network last.
std::vector<Entry> settingsTemplate(int inputs)
{
    std::vector<Entry> list;
    for (const auto& v : Catalogue)
        if (plainSetting(v) && v.role == tesso::Role::SET)
            list.push_back(make(QString::fromLatin1(v.name), Kind::Plain, v.index));
    for (int k = 1; k <= inputs; ++k)
        for (const tVAR v : tesso::PerInputVariables)
            list.push_back(make(QString::fromLatin1(Catalogue[v].name), Kind::PerInput, v, k));
    list.push_back(make(QStringLiteral("PROJECTOR_ON"), Kind::Message, _STBON, 0));
    list.push_back(make(QStringLiteral("PROJECTOR_OFF"), Kind::Message, _STBOFF, 1));
    for (const tesso::lan::CompositeAddress& a : tesso::lan::CompositeAddresses)
        list.push_back(make(QLatin1String(a.name), a.port ? Kind::Port : Kind::Address, a.port ? _PORT : _IP1,
                            a.entry, true));
    list.push_back(make(QStringLiteral("NETMASK"), Kind::Netmask, _NETMASK, 0, true));
    for (const auto& v : Catalogue)
        if (plainSetting(v) && v.role == tesso::Role::NET)
            list.push_back(make(QString::fromLatin1(v.name), Kind::Plain, v.index, 0, true));
    return list;
}

int inputsOf(std::uint32_t code)
{
    const int n = ModelTable::InputCount(ModelTable::ModelIndex(code));
    return n > 0 ? n : ModelTable::MaxInputs;
}

std::uint32_t shown(tVAR v, std::uint32_t raw)
{
    return tesso::isBoolean(v) ? ((raw & 0xFFu) != 0 ? 1u : 0u) : raw;
}

const char* const FirmwareNames[] = {"VERI", "VERK", "VERS", "VERV", "VERUPD", "OPT"};
const tVAR FirmwareVariables[] = {_VERI, _VERK, _VERS, _VERV, _VERUPD, _OPT};

// ---- Reading a file: every value checked before anything is believed ------------------------

struct Reader {
    QString error;
    bool fail(const QString& why)
    {
        if (error.isEmpty())
            error = why;
        return false;
    }
    bool number(const QJsonValue& value, const QString& name, double highest, std::uint32_t& out)
    {
        const double d = value.toDouble(-1);
        if (!value.isDouble() || d < 0 || d > highest ||
            d != static_cast<double>(static_cast<std::uint64_t>(d)))
            return fail(
                QStringLiteral("%1 is not a whole number from 0 to %2").arg(name).arg(highest, 0, 'f', 0));
        out = static_cast<std::uint32_t>(d);
        return true;
    }
    bool entry(const QJsonValue& value, Entry& e)
    {
        switch (e.kind) {
        case Kind::Plain:
        case Kind::PerInput:
            return number(value, e.label(), tesso::isBoolean(e.variable) ? 1.0 : 4294967295.0, e.number);
        case Kind::Port:
            return number(value, e.label(), 65535.0, e.number);
        case Kind::Address:
        case Kind::Netmask: {
            const std::optional<QString> text = tesso::canonicalIpText(value.toString());
            if (!value.isString() || !text)
                return fail(QStringLiteral("%1 is not a dotted address").arg(e.name));
            e.text = *text;
            return true;
        }
        case Kind::Message: {
            const QJsonArray codes = value.toArray();
            if (!value.isArray() || codes.size() > DeviceSettings::MaxMessageLength)
                return fail(QStringLiteral("%1 is not a list of at most %2 character codes")
                                .arg(e.name)
                                .arg(DeviceSettings::MaxMessageLength));
            for (const QJsonValue& code : codes) {
                std::uint32_t c = 0;
                if (!number(code, e.name, 255.0, c) || c == 0)
                    return fail(QStringLiteral("%1 holds a character code outside 1..255").arg(e.name));
                e.codes.append(static_cast<char>(c));
            }
            return true;
        }
        }
        return false;
    }
};

} // namespace

QString DeviceSettings::Entry::label() const
{
    return kind == Kind::PerInput ? QStringLiteral("%1[%2]").arg(name).arg(which) : name;
}

QString DeviceSettings::Entry::valueText() const
{
    switch (kind) {
    case Kind::Address:
    case Kind::Netmask:
        return text;
    case Kind::Message: {
        QStringList list;
        for (const char c : codes)
            list << QString::number(static_cast<unsigned char>(c));
        return QLatin1Char('[') + list.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    default:
        return QString::number(number);
    }
}

bool DeviceSettings::Entry::sameValue(const Entry& other) const
{
    return number == other.number && text == other.text && codes == other.codes;
}

DeviceSettings DeviceSettings::FromDriver(const DeviceDriver& driver, const QByteArray& messageOn,
                                          const QByteArray& messageOff)
{
    DeviceSettings s;
    s.DeviceCode = driver.DEV();
    s.Model = QString::fromLatin1(ModelTable::OfCode(s.DeviceCode).name);
    for (std::size_t i = 0; i < std::size(FirmwareVariables); ++i)
        s.Firmware.emplace_back(QString::fromLatin1(FirmwareNames[i]),
                                driver.mirrorValue(FirmwareVariables[i]));
    s.Saved = QDateTime::currentDateTimeUtc();
    s.Entries = settingsTemplate(inputsOf(s.DeviceCode));
    for (Entry& e : s.Entries) {
        switch (e.kind) {
        case Kind::Plain:
            e.number = shown(e.variable, driver.mirrorValue(e.variable));
            break;
        case Kind::PerInput:
            e.number = shown(e.variable, driver.mirrorValueOfInput(e.variable, e.which));
            break;
        case Kind::Address:
            e.text = e.which == DeviceMirror::Local    ? driver.LOCAL_IP()
                     : e.which == DeviceMirror::Remote ? driver.REMOTE_IP()
                                                       : driver.GATEWAY_IP();
            break;
        case Kind::Port:
            e.number = static_cast<std::uint32_t>(e.which == DeviceMirror::Local ? driver.LOCAL_PORT()
                                                                                 : driver.REMOTE_PORT());
            break;
        case Kind::Netmask:
            e.text = driver.NETMASK();
            break;
        case Kind::Message:
            e.codes = (e.which == 0 ? messageOn : messageOff).left(MaxMessageLength);
            break;
        }
    }
    return s;
}

QByteArray DeviceSettings::ToJson() const
{
    QJsonObject device{{QStringLiteral("code"), static_cast<double>(DeviceCode)},
                       {QStringLiteral("model"), Model},
                       {QStringLiteral("inputs"), inputsOf(DeviceCode)}};
    QJsonObject firmware;
    for (const auto& [name, value] : Firmware)
        firmware.insert(name, static_cast<double>(value));
    device.insert(QStringLiteral("firmware"), firmware);

    QJsonObject values;
    for (const Entry& e : Entries) {
        switch (e.kind) {
        case Kind::PerInput: {
            QJsonArray perInput = values.value(e.name).toArray();
            perInput.append(static_cast<double>(e.number));
            values.insert(e.name, perInput);
            break;
        }
        case Kind::Address:
        case Kind::Netmask:
            values.insert(e.name, e.text);
            break;
        case Kind::Message: {
            QJsonArray codes;
            for (const char c : e.codes)
                codes.append(static_cast<unsigned char>(c));
            values.insert(e.name, codes);
            break;
        }
        default:
            values.insert(e.name, static_cast<double>(e.number));
        }
    }
    const QJsonObject root{{QStringLiteral("format"), FormatName},
                           {QStringLiteral("version"), FormatVersion},
                           {QStringLiteral("device"), device},
                           {QStringLiteral("saved"), Saved.toString(Qt::ISODate)},
                           {QStringLiteral("settings"), values}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<DeviceSettings> DeviceSettings::FromJson(const QByteArray& json, QString* error)
{
    Reader r;
    auto refuse = [&](const QString& why) -> std::optional<DeviceSettings> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return refuse(
            QStringLiteral("not a settings file: %1 at byte %2").arg(parse.errorString()).arg(parse.offset));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != FormatName)
        return refuse(QStringLiteral("not a settings file of this program"));
    if (root.value(QStringLiteral("version")).toInt(-1) != FormatVersion)
        return refuse(QStringLiteral("settings file version %1; this program reads version %2")
                          .arg(root.value(QStringLiteral("version")).toVariant().toString())
                          .arg(FormatVersion));
    DeviceSettings s;
    const QJsonObject device = root.value(QStringLiteral("device")).toObject();
    if (!r.number(device.value(QStringLiteral("code")), QStringLiteral("the device code"), 4294967295.0,
                  s.DeviceCode))
        return refuse(r.error);
    s.Model = device.value(QStringLiteral("model")).toString();
    std::uint32_t inputs = 0;
    if (!r.number(device.value(QStringLiteral("inputs")), QStringLiteral("the input count"),
                  ModelTable::MaxInputs, inputs) ||
        static_cast<int>(inputs) != inputsOf(s.DeviceCode))
        return refuse(r.error.isEmpty() ? QStringLiteral("the input count does not match the device code")
                                        : r.error);
    const QJsonObject firmware = device.value(QStringLiteral("firmware")).toObject();
    for (const char* name : FirmwareNames) {
        std::uint32_t version = 0;
        if (!r.number(firmware.value(QLatin1String(name)), QString::fromLatin1(name), 4294967295.0, version))
            return refuse(r.error);
        s.Firmware.emplace_back(QString::fromLatin1(name), version);
    }
    s.Saved = QDateTime::fromString(root.value(QStringLiteral("saved")).toString(), Qt::ISODate);

    const QJsonValue settings = root.value(QStringLiteral("settings"));
    if (!settings.isObject())
        return refuse(QStringLiteral("the file holds no settings"));
    const QJsonObject values = settings.toObject();
    QSet<QString> known;
    for (Entry& e : settingsTemplate(static_cast<int>(inputs))) {
        known.insert(e.name);
        QJsonValue value = values.value(e.name);
        if (value.isUndefined()) {
            if (!s.Lacking.contains(e.name))
                s.Lacking << e.name;
            continue;
        }
        if (e.kind == Kind::PerInput) {
            const QJsonArray perInput = value.toArray();
            if (!value.isArray() || perInput.size() != static_cast<int>(inputs))
                return refuse(
                    QStringLiteral("%1 must hold one value per input (%2)").arg(e.name).arg(inputs));
            value = perInput.at(e.which - 1);
        }
        if (!r.entry(value, e))
            return refuse(r.error);
        s.Entries.push_back(std::move(e));
    }
    for (auto it = values.begin(); it != values.end(); ++it)
        if (!known.contains(it.key()))
            s.Unknown << it.key();
    return s;
}

bool DeviceSettings::Save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToJson()) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

std::optional<DeviceSettings> DeviceSettings::Load(const QString& path, QString* error)
{
    QFile file(path);
    // A settings file is a few kilobytes; anything far larger is not one.
    constexpr qint64 Limit = 1 << 20;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > Limit) {
        if (error)
            *error = QStringLiteral("%1 is too large to be a settings file").arg(path);
        return std::nullopt;
    }
    return FromJson(file.readAll(), error);
}

std::vector<DeviceSettings::Difference> DeviceSettings::DifferencesFrom(const DeviceSettings& device) const
{
    std::vector<Difference> list;
    for (const Entry& mine : Entries)
        for (const Entry& theirs : device.Entries)
            if (mine.name == theirs.name && mine.which == theirs.which) {
                if (!mine.sameValue(theirs))
                    list.push_back({mine, theirs});
                break;
            }
    return list;
}

QString DeviceSettings::RefusalFor(std::uint32_t deviceCode) const
{
    if (DeviceCode == deviceCode)
        return {};
    auto named = [](std::uint32_t code) {
        const char* name = ModelTable::OfCode(code).name;
        return QStringLiteral("%1 (code %2)")
            .arg(*name ? QString::fromLatin1(name) : QStringLiteral("device"))
            .arg(code);
    };
    return QStringLiteral("the file is for a %1, the device is a %2")
        .arg(named(DeviceCode), named(deviceCode));
}

} // namespace tesso
