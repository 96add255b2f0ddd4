#pragma once
// What the fault scenarios share: the bounds they hold the programs to, the link settings and
// labels a program is started with, the comparison of its settings files before and after, and
// what the device side sees of a connection.

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

#include "ConnectionSettings.h"
#include "WaitFor.h"

using namespace tesso;

namespace tesso::e2e
{

// A timer of 100 ms must never come more than a second late: generous for a loaded machine,
// far below what a frozen window looks like.
constexpr qint64 LatenessBoundMs = 1000;
// Processor time over 30 s of a dead link.
constexpr double IdleCpuBoundSeconds = 0.3;
constexpr qint64 PeakMemoryBoundKb = 100 * 1024;
// Several link steps of 2 s.
constexpr int Deadline = 20000;

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

// "?" is the detection query and the keep-alive, "#" the query-all a program sends each time it
// has (re)connected; `device` counts both (queries(), queryAlls()). Connected and past its
// loading: `queryAlls` of "#" asked for, then one more "?".
template <typename Device> bool waitForKeepAlive(Device& device, int queryAlls = 1)
{
    if (!tesso::test::waitFor([&] { return device.queryAlls() >= queryAlls; }, Deadline))
        return false;
    const int asked = device.queries();
    return tesso::test::waitFor([&] { return device.queries() > asked; }, Deadline);
}

// `cycles` more keep-alives and no new "#": the program stayed connected all along.
template <typename Device> bool staysConnected(Device& device, int cycles = 2)
{
    const int queryAlls = device.queryAlls();
    const int asked = device.queries();
    return tesso::test::waitFor([&] { return device.queries() >= asked + cycles; }, Deadline) &&
           device.queryAlls() == queryAlls;
}

// A Lumio label file in the settings folder, with labels a user chose.
inline bool writeLumioLabels(const QString& folder)
{
    InputLabels labels;
    labels.Black = QStringLiteral("Blank stage");
    for (int k = 1; k <= 7; ++k) {
        labels.Inputs << QStringLiteral("Camera %1").arg(k);
        labels.Audios << QStringLiteral("Mic %1").arg(k);
    }
    return ConnectionSettings(folder, QStringLiteral("Tesso remote control"))
        .WriteLabels(QStringLiteral("Lumio"), labels);
}

// Every file of the folder but `except`, by name.
inline QMap<QString, QByteArray> filesIn(const QString& folder, const QString& except = QString())
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (name == except)
            continue;
        QFile file(dir.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)"));
    }
    return files;
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
