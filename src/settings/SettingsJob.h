#pragma once
// TSettingsJob: the settings jobs the client and the window run against a device. Collect reads
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

class TMirex_d;

class TSettingsJob : public QObject
{
    Q_OBJECT

  public:
    explicit TSettingsJob(TMirex_d& driver, QObject* parent = nullptr);

    void Collect();
    void Restore(const TDeviceSettings& file);
    void Cancel() { m_runner.Cancel(); }
    void Replied(tVAR index) { m_runner.Replied(index); }

    // The device's setup as the last collect found it.
    const TDeviceSettings& Device() const { return m_device; }
    // What still differs from the file after a restore (empty when it succeeded).
    const std::vector<TDeviceSettings::Difference>& Remaining() const { return m_remaining; }
    int Written() const { return m_written; }

  signals:
    void progress(int done, int total);
    void finished(bool ok, const QString& error);

  private:
    enum class Phase { Idle, Collecting, Comparing, Writing, Verifying };
    void addCollectSteps();
    void addReadBack(int message);
    void addWrite(const TDeviceSettings::Entry& entry, std::uint32_t& selectedInput);
    void writeDifferences();
    void runnerFinished(bool ok, const QString& error);

    TMirex_d& m_driver;
    TSettingsRunner m_runner;
    Phase m_phase = Phase::Idle;
    QByteArray m_messages[2];
    TDeviceSettings m_device;
    TDeviceSettings m_file;
    std::vector<TDeviceSettings::Difference> m_remaining;
    int m_written = 0;
};
