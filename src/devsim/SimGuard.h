#pragma once
// Entry points of the simulator that Qt calls (socket, notifier and timer slots) run their work
// through guarded(), so that nothing thrown crosses the event loop. What is caught goes to one
// sink: standard error by default; the GUI, which runs the simulator in-process, points it at the
// application's error report.

#include <functional>

#include <QString>

namespace tesso::sim
{

using ErrorSink = std::function<void(const QString& message)>;

// Replaces the sink and returns the previous one; an empty function restores standard error.
ErrorSink setErrorSink(ErrorSink sink);

// Runs fn; reports anything it throws to the sink. Returns false when something was reported.
bool guarded(const std::function<void()>& fn);

} // namespace tesso::sim
