#pragma once
// What the fault scenarios share: the bounds they hold the programs to, the link settings a
// program is started with, and the comparison of its settings files before and after.

#include <QMap>
#include <QString>
#include <QStringList>

#include "ConnectionSettings.h"
#include "WaitFor.h"

namespace tesso::e2e
{

// A timer of 100 ms must never come more than a second late: generous for a loaded machine,
// far below what a frozen window looks like.
constexpr qint64 LatenessBoundMs = 1000;
// Processor time over 30 s of a dead link.
constexpr double IdleCpuBoundSeconds = 0.3;
constexpr qint64 PeakMemoryBoundKb = 100 * 1024;

// Sanitized builds run every scenario but measure the sanitizer's own costs in time and memory,
// so the resource bounds are checked on plain builds only, and floods are smaller there.
#ifdef TESSO_E2E_SANITIZED
constexpr bool Sanitized = true;
constexpr qint64 FloodBytes = 5 * 1024 * 1024;
#else
constexpr bool Sanitized = false;
constexpr qint64 FloodBytes = 50 * 1024 * 1024;
#endif

inline ConnectionValues serialLink(int comIndex)
{
    ConnectionValues v;
    v.Port = comIndex;
    v.RemoteIp = QStringLiteral("127.0.0.1");
    v.IpEnable = 0;
    return v;
}

inline ConnectionValues tcpLink(int remotePort)
{
    ConnectionValues v = serialLink(0);
    v.RemotePort = remotePort;
    v.IpEnable = 2;
    return v;
}

inline ConnectionValues udpLink(int remotePort, int localPort)
{
    ConnectionValues v = serialLink(0);
    v.RemotePort = remotePort;
    v.LocalPort = localPort;
    v.IpEnable = 1;
    return v;
}

// Lets time pass with this process's event loop running (the simulated device lives in it).
inline void runEventsFor(int ms)
{
    tesso::test::waitFor([] { return false; }, ms);
}

// The names of the files that appeared, vanished or changed; empty when all are as they were.
inline QString changedFiles(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after)
{
    QStringList changes;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            changes << it.key() + QStringLiteral(" removed");
        else if (after.value(it.key()) != it.value())
            changes << it.key() + QStringLiteral(" changed to:\n") + QString::fromUtf8(after.value(it.key()));
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!before.contains(it.key()))
            changes << it.key() + QStringLiteral(" added");
    return changes.join(u'\n');
}

} // namespace tesso::e2e
