#pragma once
// Reading and assigning device variables for the command-line client: values are checked before
// anything is sent, assigned through the driver's own properties (the catalogue's variables and
// the composite address, port and mask properties), and printed as NAME=VALUE.

#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Catalogue.h"

namespace tesso
{

class DeviceDriver;

class VariableAccess
{
  public:
    // The driver's composite properties: an address or port of the device's network settings,
    // sent as PADIP followed by the octets or the port.
    enum class Composite { None, LocalIp, RemoteIp, GatewayIp, LocalPort, RemotePort };

    struct Assignment {
        tVAR index = _ADDRDBG; // a catalogue variable, or the reply that ends a composite's answer
        Composite composite = Composite::None;
        std::int64_t number = 0; // U32, BOOL and COLOR variables, ports
        QString text;            // NETMASK and addresses, in plain decimal form
    };

    // "NAME=VALUE" checked against the catalogue and the composite names: the name exists, the
    // variable is writable and the value fits. On failure returns false with the reason.
    static bool parseAssignment(const QString& argument, Assignment& assignment, QString& error);
    // Through the driver's property; may throw what the driver throws (a command too long for TCP).
    static void assign(DeviceDriver& driver, const Assignment& assignment);
    // The name of what an assignment sets ("BRGT", "LOCAL_IP").
    static QString assignedName(const Assignment& assignment);
    // The NAME=VALUE line of an assignment once the device has answered it.
    static QString answerLine(const DeviceDriver& driver, const Assignment& assignment);

    // The mirror's value as printed: booleans 0/1, COLOR signed, NETMASK dotted.
    static QString valueText(const DeviceDriver& driver, tVAR index);
    // NAME=VALUE lines for one applied reply line. Address octets and ports are not mirrored as
    // such, so their value comes from the line, followed by the rebuilt addresses they changed.
    static QStringList replyLines(const DeviceDriver& driver, tVAR index, const QByteArray& line);
    // The value a reply line carries (what follows the variable's reply mnemonic).
    static std::int64_t lineValue(tVAR index, const QByteArray& line);
    // The five composite properties as NAME=VALUE, from what the driver rebuilt.
    static QStringList addressLines(const DeviceDriver& driver);
};

} // namespace tesso
