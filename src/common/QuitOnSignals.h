#pragma once
// SIGINT and SIGTERM end the Qt event loop (QCoreApplication::quit) instead of the process, so
// that the program's destructors run: temporary folders are removed, links closed.

#include <functional>

class QCoreApplication;

namespace tesso
{

// False when the signals could not be caught (the program then dies as it would without this).
bool quitOnSignals(QCoreApplication& app);
// The same signals run `action` on the event loop instead (a command that must end cleanly, such
// as an upload that has to put the link back).
bool onSignals(QCoreApplication& app, std::function<void()> action);

} // namespace tesso
