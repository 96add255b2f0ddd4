#include "ProcessStats.h"

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QList>

using namespace tesso;

namespace tesso::e2e
{

namespace
{

QByteArray readProc(qint64 pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

std::optional<double> ProcessStats::cpuSeconds(qint64 pid)
{
    const QByteArray stat = readProc(pid, "stat");
    // The command name in parentheses may hold spaces; the fields are counted after its end.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // Field 3 of stat is the state, so utime (14) and stime (15) are at 11 and 12 from here.
    if (fields.size() < 13)
        return std::nullopt;
    bool userOk = false, systemOk = false;
    const qint64 user = fields[11].toLongLong(&userOk);
    const qint64 system = fields[12].toLongLong(&systemOk);
    if (!userOk || !systemOk)
        return std::nullopt;
    return static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<qint64> ProcessStats::peakResidentKb(qint64 pid)
{
    const QByteArray status = readProc(pid, "status");
    for (const QByteArray& line : status.split('\n')) {
        if (!line.startsWith("VmHWM:"))
            continue;
        bool ok = false;
        const qint64 kb = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
        if (ok)
            return kb;
    }
    return std::nullopt;
}

} // namespace tesso::e2e
