#pragma once
// Where the console's "Save" writes its reply log: the working folder, as the console always has,
// unless it is not writable or lies in the temporary folder (a demonstration's settings live
// there and are deleted at exit); then the user's documents folder, made if missing.

#include <QString>

namespace tesso
{

namespace LogFolder
{

// working and documents are folders; temporary is the system's temporary folder.
QString choose(const QString& working, const QString& documents, const QString& temporary);
// The choice for this process: its working folder, documents and temporary folder.
QString forThisProcess();

} // namespace LogFolder

} // namespace tesso
