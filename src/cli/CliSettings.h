#pragma once
// tesso-cli save, diff and restore: a device's setup kept in a settings file, compared with the
// device, and written back to it. Each waits on the device one answer at a time (3 s each), not on
// --timeout, since a whole setup takes longer than a command.

#include <cstdio>

#include <QString>

#include "SettingsJob.h"

namespace tesso
{

class DeviceDriver;

class CliSettings
{
  public:
    // ExitPartialFile: done with the settings the file holds, but it lacked some or named some
    // that are not settings of this release (listed on standard error); differences come first.
    enum ExitStatus {
        ExitSame = 0,
        ExitDifferent = 1,
        ExitBadFile = 2,
        ExitNoAnswer = 3,
        ExitPartialFile = 6
    };

    CliSettings(DeviceDriver& driver, std::FILE* out, std::FILE* err);

    // The session's hand-over of every applied reply.
    void Replied(tVAR index) { m_job.Replied(index); }

    int Save(const QString& path, const bool& linkBroken);
    int Diff(const QString& path, const bool& linkBroken);
    int Restore(const QString& path, bool dryRun, const bool& linkBroken);

  private:
    // Runs the job to its end; false with the reason printed when it failed.
    bool run(const std::function<void()>& start, const bool& linkBroken);
    void printDifferences(const std::vector<DeviceSettings::Difference>& differences);
    int fail(int status, const QString& message);
    // Lists what the file lacks and what it names that is not a setting, before anything is done.
    void printGaps(const DeviceSettings& file);
    static int done(int status, const DeviceSettings& file);

    DeviceDriver& m_driver;
    std::FILE* m_out;
    std::FILE* m_err;
    SettingsJob m_job;
    QString m_error;
};

} // namespace tesso
