#include "HeartbeatLog.h"

#include <time.h>

#include <algorithm>

#include <QFile>

using namespace tesso;

namespace tesso::e2e
{

QList<qint64> HeartbeatLog::ticks() const
{
    QList<qint64> ticks;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return ticks;
    for (const QByteArray& line : file.readAll().split('\n')) {
        bool ok = false;
        const qint64 ms = line.toLongLong(&ok);
        if (ok)
            ticks << ms;
    }
    return ticks;
}

qint64 HeartbeatLog::longestGapMs(qint64 fromMs, qint64 toMs) const
{
    qint64 previous = fromMs;
    qint64 longest = 0;
    for (const qint64 tick : ticks()) {
        if (tick <= fromMs)
            continue;
        if (tick > toMs)
            break;
        longest = std::max(longest, tick - previous);
        previous = tick;
    }
    return std::max(longest, toMs - previous);
}

qint64 HeartbeatLog::nowMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace tesso::e2e
