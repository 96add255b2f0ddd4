#pragma once
// SIGINT and SIGTERM end the Qt event loop (QCoreApplication::quit) instead of the process, so
// that the program's destructors run: temporary folders are removed, links closed.

class QCoreApplication;

namespace tesso
{

// False when the signals could not be caught (the program then dies as it would without this).
bool quitOnSignals(QCoreApplication& app);

} // namespace tesso
