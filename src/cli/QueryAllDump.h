#pragma once
// One query-all answer as the client collects it. The device answers the query-all command with
// every one of its variables, in table order, the "#" reply (Queryall) last. The answer is
// complete when that last line has arrived and each variable of the catalogue has been reported
// since the command went out; a silence, a dropped link or a lost line leaves it incomplete, and
// then nothing of it is printed.

#include <array>

#include <QByteArray>
#include <QStringList>

#include "Catalogue.h"

namespace tesso
{

class DeviceDriver;

class QueryAllDump
{
  public:
    void add(tVAR index, const QByteArray& line);

    // The "#" reply, the device's last line, has arrived.
    bool ended() const { return m_seen[_DIESE]; }
    bool complete() const { return ended() && missingCount() == 0; }
    int missingCount() const;
    // The names of the variables not reported, at most `limit` of them.
    QStringList missing(int limit) const;

    // NAME=VALUE once per variable in catalogue order (address octets and ports with the value of
    // their last line, since the driver keeps them only as addresses), then the device's addresses
    // and ports as the driver rebuilt them.
    QStringList lines(const DeviceDriver& driver) const;

  private:
    std::array<bool, tesso::VariableCount> m_seen{};
    std::array<QByteArray, tesso::VariableCount> m_lastLine{};
};

} // namespace tesso
