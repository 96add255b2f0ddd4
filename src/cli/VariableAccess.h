#pragma once
// Reading and assigning device variables by index for the command-line client: values are
// checked before anything is sent, assigned through the driver's own properties, and printed
// as NAME=VALUE from the mirror.

#include <cstdint>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "Catalogue.h"

class TMirex_d;

class VariableAccess
{
  public:
    struct Assignment {
        tVAR index = _ADDRDBG;
        std::int64_t number = 0; // U32, BOOL and COLOR variables
        QString text;            // NETMASK
    };

    // "NAME=VALUE" checked against the catalogue: the name exists, the variable is writable and
    // the value fits. On failure returns false with the reason.
    static bool parseAssignment(const QString& argument, Assignment& assignment, QString& error);
    // Through the driver's property; may throw what the driver throws (a command too long for TCP).
    static void assign(TMirex_d& driver, const Assignment& assignment);

    // The mirror's value as printed: booleans 0/1, COLOR signed, NETMASK dotted.
    static QString valueText(const TMirex_d& driver, tVAR index);
    // NAME=VALUE lines for one applied reply line. Address octets and ports are not mirrored as
    // such, so their value comes from the line, followed by the rebuilt addresses they changed.
    static QStringList replyLines(const TMirex_d& driver, tVAR index, const QByteArray& line);
};
