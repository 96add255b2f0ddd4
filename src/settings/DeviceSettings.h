#pragma once
// DeviceSettings: a device's setup as a list of named values, taken from the driver's mirror or
// read from a settings file. Only the catalogue's settings are in it: the device-wide ones by their
// names ("HPOS"), the per-input ones as one value per input ("PENA" with inputs 1..n), the network
// addresses and ports as the driver builds them ("LOCAL_IP", "LOCAL_PORT", "NETMASK"), and the two
// projector messages as their character codes ("PROJECTOR_ON", "PROJECTOR_OFF").
//
// The file is JSON: a format name and version, the device (code, model, firmware versions), the
// time it was saved and the values. Reading refuses, with the reason, anything that is not such a
// file for this program: another format or version, a truncated or malformed file, a value of the
// wrong type or out of range. A file that lacks settings (saved by an earlier release, or edited)
// holds the others; names that are not settings of this release (a later release's, an action) are
// skipped. Both are listed, so that what was left out can be told.

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "Catalogue.h"

namespace tesso
{

class DeviceDriver;

class DeviceSettings
{
  public:
    static constexpr int FormatVersion = 1;
    static constexpr int MaxMessageLength = 255;

    enum class Kind { Plain, PerInput, Address, Port, Netmask, Message };

    struct Entry {
        QString name;
        Kind kind = Kind::Plain;
        tVAR variable = _DIESE; // the variable behind it (Plain, PerInput); the selector otherwise
        int which = 0;          // PerInput: the input 1..n; Address/Port: the address; Message: 0 on, 1 off
        std::uint32_t number = 0;
        QString text;     // Address, Netmask
        QByteArray codes; // Message
        bool network = false;

        // The name as a difference shows it: "PENA[3]" for input 3.
        QString label() const;
        QString valueText() const;
        bool sameValue(const Entry& other) const;
    };

    struct Difference {
        Entry inFile;
        Entry onDevice;
    };

    std::uint32_t DeviceCode = 0;
    QString Model;
    std::vector<std::pair<QString, std::uint32_t>> Firmware;
    QDateTime Saved;
    std::vector<Entry> Entries;
    // Read from a file: the settings it lacks ("PENA" for all inputs) in the order a restore writes
    // them, and the names it holds that are not settings of this release, skipped.
    QStringList Lacking;
    QStringList Unknown;

    // The setup as the driver mirrors it, with the messages read back from the device.
    static DeviceSettings FromDriver(const DeviceDriver& driver, const QByteArray& messageOn,
                                     const QByteArray& messageOff);

    QByteArray ToJson() const;
    static std::optional<DeviceSettings> FromJson(const QByteArray& json, QString* error);

    // Writes the file whole or not at all.
    bool Save(const QString& path, QString* error) const;
    static std::optional<DeviceSettings> Load(const QString& path, QString* error);

    // Every setting whose value differs, in the order of this setup (the file's).
    std::vector<Difference> DifferencesFrom(const DeviceSettings& device) const;
    // Why a file cannot be written to this device, or "" when it can.
    QString RefusalFor(std::uint32_t deviceCode) const;
};

} // namespace tesso
