#pragma once
// The application's one error report. The GUI installs a message box, the command-line tools
// print to standard error. Receive handlers, timers and widget handlers catch what they raise
// and pass it here, so that no exception crosses the Qt event loop.

#include <exception>
#include <functional>

#include <QString>

namespace tesso
{

using ErrorReporter = std::function<void(const QString& message)>;

// Replaces the report function; returns the previous one. An empty function restores the default
// (standard error).
ErrorReporter setErrorReporter(ErrorReporter reporter);

void reportError(const QString& message);

// Runs fn and reports anything it throws. Returns false when something was reported.
bool guarded(const std::function<void()>& fn);

} // namespace tesso
