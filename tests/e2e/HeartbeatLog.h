#pragma once
// The heartbeat file a program writes with TESSO_HEARTBEAT set: one line per 100 ms tick of a
// timer on its event loop, holding CLOCK_MONOTONIC in milliseconds. The clock is the same for
// every process, so the test compares the ticks with its own time.

#include <QList>
#include <QString>

namespace tesso::e2e
{

class HeartbeatLog
{
  public:
    explicit HeartbeatLog(QString path) : m_path(std::move(path)) {}

    QString path() const { return m_path; }
    // Every tick written so far, oldest first.
    QList<qint64> ticks() const;
    // The longest time without a tick between `fromMs` and `toMs`, counting from `fromMs` to the
    // first tick after it and from the last tick to `toMs`: a frozen loop shows up even when it
    // never ticks again.
    qint64 longestGapMs(qint64 fromMs, qint64 toMs) const;
    // The test's clock, the one the ticks are written in.
    static qint64 nowMs();

  private:
    QString m_path;
};

} // namespace tesso::e2e
