#pragma once
// A diagnostic for the fault tests: with TESSO_HEARTBEAT naming a file, a timer on the event
// loop's thread appends the monotonic clock (CLOCK_MONOTONIC, in milliseconds) to it every
// 100 ms, one line per tick, and once as soon as the event loop first runs. A test outside the process reads
// the file and sees at once whether the event loop kept its timers on time or froze, and when the start-up
// ended. Without the variable nothing runs.

class QCoreApplication;

namespace tesso
{

// False when the variable is unset or the file cannot be opened.
bool startHeartbeat(QCoreApplication& app);

} // namespace tesso
