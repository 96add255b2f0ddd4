#pragma once
// What the system counts for a running process, read from /proc: processor time and peak
// resident memory. The process must still run (a reaped one has no /proc entry left).

#include <optional>

#include <QtGlobal>

namespace tesso::e2e
{

class ProcessStats
{
  public:
    // User plus system time in seconds (clock ticks, so 10 ms steps).
    static std::optional<double> cpuSeconds(qint64 pid);
    // VmHWM: the most resident memory the process has had, in kB.
    static std::optional<qint64> peakResidentKb(qint64 pid);
};

} // namespace tesso::e2e
