// The settings file: what it holds, what it refuses and why; and the catalogue's settings, each
// written to the simulated device with its own value, change nothing but themselves.

#include <gtest/gtest.h>

#include <map>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>

#include "Capture.h"
#include "DeviceDriver.h"
#include "DeviceSettings.h"
#include "SimDevice.h"
#include "TestLinks.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

// A driver that has mirrored a whole dump of the simulated Lumio.
DeviceSettings lumioSettings()
{
    tesso::sim::SimDevice device(tesso::sim::Model::Lumio);
    device.setStoreTiming(-1, 0);
    tesso::sim::test::Capture out(device);
    device.receive("#\r\n");
    tesso::test::ScriptedDriver d;
    d.feed(out.bytes);
    return DeviceSettings::FromDriver(*d, QByteArray("PWR1\r", 5), QByteArray());
}

QByteArray edited(const QByteArray& json, const std::function<void(QJsonObject&)>& edit)
{
    QJsonObject root = QJsonDocument::fromJson(json).object();
    QJsonObject settings = root.value(QStringLiteral("settings")).toObject();
    edit(settings);
    root.insert(QStringLiteral("settings"), settings);
    return QJsonDocument(root).toJson();
}

} // namespace

TEST(DeviceSettings, TheFileRoundTripsEverySettingAndNoAction)
{
    const DeviceSettings saved = lumioSettings();
    EXPECT_EQ(saved.DeviceCode, 57u);
    QStringList names;
    for (const auto& e : saved.Entries)
        names << e.label();
    for (const char* action :
         {"FRESET", "TAKE", "ERAPOS", "FAEXEC", "OBLACK", "STANDBY", "LANSTORE", "PCHAN"})
        EXPECT_FALSE(names.contains(QLatin1String(action))) << action;
    for (const char* setting :
         {"BRGT", "PENA[7]", "REFASP[1]", "LOCAL_IP", "REMOTE_PORT", "NETMASK", "PROJECTOR_ON"})
        EXPECT_TRUE(names.contains(QLatin1String(setting))) << setting;
    EXPECT_FALSE(names.contains(QStringLiteral("PENA[8]"))) << "the model's inputs only";
    EXPECT_EQ(names.indexOf(QStringLiteral("LANENABLE")), names.size() - 3) << "the network comes last";

    QString error;
    const std::optional<DeviceSettings> read = DeviceSettings::FromJson(saved.ToJson(), &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_TRUE(read->DifferencesFrom(saved).empty());
    EXPECT_EQ(read->Entries.size(), saved.Entries.size());
}

TEST(DeviceSettings, FilesThatCannotBeUsedAreRefusedWithTheReason)
{
    const QByteArray json = lumioSettings().ToJson();
    const std::pair<QByteArray, QString> cases[] = {
        {json.left(json.size() / 2), QStringLiteral("not a settings file: ")},
        {QByteArray(json).replace("\"version\": 1", "\"version\": 2"),
         QStringLiteral("settings file version 2")},
        {QByteArray(json).replace("\"settings\"", "\"setting\""),
         QStringLiteral("the file holds no settings")},
        {edited(json, [](QJsonObject& s) { s.insert(QStringLiteral("HPOS"), -1); }),
         QStringLiteral("HPOS is not a whole number from 0 to 4294967295")},
        {edited(json, [](QJsonObject& s) { s.insert(QStringLiteral("OVER"), 2); }),
         QStringLiteral("OVER is not a whole number from 0 to 1")},
        {edited(json,
                [](QJsonObject& s) {
                    s.insert(QStringLiteral("PENA"), QJsonArray{1, 1});
                }),
         QStringLiteral("PENA must hold one value per input (7)")},
        {edited(json, [](QJsonObject& s) { s.insert(QStringLiteral("LOCAL_IP"), QStringLiteral("10.0.0")); }),
         QStringLiteral("LOCAL_IP is not a dotted address")},
        {edited(json,
                [](QJsonObject& s) {
                    s.insert(QStringLiteral("PROJECTOR_ON"), QJsonArray{65, 0});
                }),
         QStringLiteral("PROJECTOR_ON holds a character code outside 1..255")},
        {QByteArray(json).replace("\"VERK\": ", "\"VERK\": -"), QStringLiteral("VERK is not a whole number")},
    };
    for (const auto& [bytes, reason] : cases) {
        QString error;
        EXPECT_FALSE(DeviceSettings::FromJson(bytes, &error));
        EXPECT_TRUE(error.startsWith(reason)) << error.toStdString() << " / " << reason.toStdString();
    }
    const DeviceSettings lumio = lumioSettings();
    EXPECT_EQ(lumio.RefusalFor(58),
              QStringLiteral("the file is for a Lumio (code 57), the device is a Snipa (code 58)"));
    EXPECT_TRUE(lumio.RefusalFor(57).isEmpty());

    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(lumio.Save(dir.filePath(QStringLiteral("a.json")), &error)) << error.toStdString();
    EXPECT_TRUE(DeviceSettings::Load(dir.filePath(QStringLiteral("a.json")), &error));
    EXPECT_FALSE(lumio.Save(dir.filePath(QStringLiteral("missing/a.json")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("cannot write"))) << error.toStdString();
}

// A file of an earlier release lacks settings, a later release's names settings this one does not
// know: the rest is read and compared, and what was left out is listed.
TEST(DeviceSettings, AFileLackingSettingsOrNamingUnknownOnesIsReadForTheRest)
{
    const DeviceSettings saved = lumioSettings();
    const QByteArray json = edited(saved.ToJson(), [](QJsonObject& s) {
        for (const char* name : {"HPOS", "PENA", "NETMASK"})
            s.remove(QLatin1String(name));
        s.insert(QStringLiteral("FRESET"), 1);
        s.insert(QStringLiteral("LATER"), QJsonArray{1, 2});
    });
    QString error;
    const std::optional<DeviceSettings> read = DeviceSettings::FromJson(json, &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(read->Lacking, (QStringList{"HPOS", "PENA", "NETMASK"}));
    EXPECT_EQ(read->Unknown, (QStringList{"FRESET", "LATER"}));
    EXPECT_EQ(read->Entries.size(), saved.Entries.size() - 9); // PENA: one per input of the 7

    DeviceSettings device = saved;
    for (DeviceSettings::Entry& e : device.Entries)
        if (e.name == QStringLiteral("HPOS") || e.name == QStringLiteral("BRGT"))
            ++e.number;
    const auto differences = read->DifferencesFrom(device);
    ASSERT_EQ(differences.size(), 1u) << "only what the file holds is compared";
    EXPECT_EQ(differences[0].inFile.name, QStringLiteral("BRGT"));
    EXPECT_EQ(DeviceSettings::FromJson(read->ToJson(), &error)->Lacking, read->Lacking);
}

// A file saved by release 1.0 (a Lumio with BRGT 40, input 3 off, REMOTE_PORT 12000 and the "off"
// message "Z"): every later release must read it.
TEST(DeviceSettings, AFileSavedByRelease10IsStillRead)
{
    QString error;
    const std::optional<DeviceSettings> file =
        DeviceSettings::Load(QStringLiteral(TESSO_SETTINGS_DATA "/lumio-1.0.json"), &error);
    ASSERT_TRUE(file) << error.toStdString();
    EXPECT_EQ(file->DeviceCode, 57u);
    QMap<QString, QString> values;
    for (const DeviceSettings::Entry& e : file->Entries)
        values.insert(e.label(), e.valueText());
    EXPECT_EQ(values.value(QStringLiteral("BRGT")), QStringLiteral("40"));
    EXPECT_EQ(values.value(QStringLiteral("PENA[3]")), QStringLiteral("0"));
    EXPECT_EQ(values.value(QStringLiteral("PENA[2]")), QStringLiteral("1"));
    EXPECT_EQ(values.value(QStringLiteral("REMOTE_PORT")), QStringLiteral("12000"));
    EXPECT_EQ(values.value(QStringLiteral("PROJECTOR_OFF")), QStringLiteral("[90]"));
}

// Which writes make the device change its settings: those are actions, never settings. Each
// variable is written once, on a device whose settings are away from their defaults, and the
// settings of a whole dump are compared before and after.
TEST(DeviceSettings, NoVariableThatChangesOtherSettingsIsASetting)
{
    using tesso::sim::test::splitReply;
    auto settingsOf = [](tesso::sim::SimDevice& device, tesso::sim::test::Capture& out) {
        const qsizetype before = out.lines().size();
        device.receive("#\r\n");
        std::map<QByteArray, long long> values;
        QByteArray input;
        for (const QByteArray& line : out.lines().mid(before)) {
            const auto [mnemonic, value] = splitReply(line);
            if (mnemonic == "PCH")
                input = QByteArray::number(value);
            for (const tesso::VariableInfo& v : tesso::Catalogue)
                if (mnemonic == v.reply && tesso::isSetting(v.index))
                    values[mnemonic + (v.scope == tesso::Scope::INPUT ? input : QByteArray())] = value;
        }
        return values;
    };
    QStringList triggering;
    for (const tesso::VariableInfo& v : tesso::Catalogue) {
        if (v.access != tesso::Access::RW || v.scope != tesso::Scope::DEVICE)
            continue;
        tesso::sim::SimDevice device(tesso::sim::Model::Lumio);
        device.setStoreTiming(-1, 0);
        device.setTakeDuration(1);
        tesso::sim::test::Capture out(device);
        device.receive("10H\r\n20B\r\n3eT\r\n50FD\r\n3PC\r\n0PE\r\n");
        const auto before = settingsOf(device, out);
        device.receive(QByteArray("1") + v.command + "\r\n");
        tesso::test::waitFor([] { return false; }, 20); // reports that follow later come too
        const auto after = settingsOf(device, out);
        for (const auto& [name, value] : after)
            if (!name.startsWith(v.reply) && before.at(name) != value) {
                triggering << QString::fromLatin1(v.name);
                EXPECT_FALSE(tesso::isSetting(v.index)) << v.name << " changed " << name.constData();
                break;
            }
    }
    EXPECT_TRUE(triggering.contains(QStringLiteral("FRESET"))) << triggering.join(u' ').toStdString();
}
