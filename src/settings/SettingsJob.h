#pragma once
// SettingsJob: the settings jobs the client and the window run against a device. Collect reads
// the device's setup (a whole query-all answer, then both projector messages cell by cell);
// Restore collects, writes the settings that differ from a file, in the file's order (the input
// selector before each input's values, the network last), each one answered before the next, and
// then collects again to check that nothing differs any more. Actions are never written: a settings
// file holds none.

#include <vector>

#include <QByteArray>
#include <QObject>

#include "DeviceSettings.h"
#include "SettingsRunner.h"

namespace tesso
{

class DeviceDriver;

class SettingsJob : public QObject
{
    Q_OBJECT

  public:
    explicit SettingsJob(DeviceDriver& driver, QObject* parent = nullptr);

    void Collect();
    void Restore(const DeviceSettings& file);
    void Cancel() { m_runner.Cancel(); }
    void Replied(tVAR index) { m_runner.Replied(index); }

    // The device's setup as the last collect found it.
    const DeviceSettings& Device() const { return m_device; }
    // What still differs from the file after a restore (empty when it succeeded).
    const std::vector<DeviceSettings::Difference>& Remaining() const { return m_remaining; }
    int Written() const { return m_written; }

  signals:
    void progress(int done, int total);
    void finished(bool ok, const QString& error);

  private:
    enum class Phase { Idle, Collecting, Comparing, Writing, Verifying };
    void addCollectSteps();
    void addReadBack(int message);
    void addWrite(const DeviceSettings::Entry& entry, std::uint32_t& selectedInput);
    void writeDifferences();
    void runnerFinished(bool ok, const QString& error);

    DeviceDriver& m_driver;
    SettingsRunner m_runner;
    Phase m_phase = Phase::Idle;
    QByteArray m_messages[2];
    DeviceSettings m_device;
    DeviceSettings m_file;
    std::vector<DeviceSettings::Difference> m_remaining;
    int m_written = 0;
};

} // namespace tesso
