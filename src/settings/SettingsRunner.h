#pragma once
// SettingsRunner: talks a settings job through with the device one exchange at a time: each step
// sends, then waits for the device's reply of one variable (its echo, or the answer to a query)
// before the next goes out. A step may add steps when its answer comes (a message is read back
// cell by cell until its end). A step that is not answered within its time ends the job.
//
// The owner of the driver's events hands it every applied reply (Replied).

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>
#include <QTimer>

#include "Catalogue.h"

namespace tesso
{

class DeviceDriver;

class SettingsRunner : public QObject
{
    Q_OBJECT

  public:
    struct Step {
        QString what; // named in the error when the device does not answer
        std::function<void(DeviceDriver&)> send;
        tVAR awaited = _DIESE;
        // On the awaited reply; an empty result goes on, a text ends the job with that error.
        std::function<QString(const DeviceDriver&)> answered{};
        // The step is a query-all: every variable must have been reported before the "#" line.
        bool wholeDump = false;
    };

    explicit SettingsRunner(DeviceDriver& driver, int stepTimeoutMs = 3000, QObject* parent = nullptr);

    void Add(Step step);
    // Adds a step to run right after the current one.
    void AddNext(Step step);
    void Start();
    void Cancel();
    void Replied(tVAR index);

    bool Running() const { return m_running; }
    int Done() const { return m_done; }
    // Steps done and still to do (a read-back adds steps as it goes).
    int Total() const { return m_done + static_cast<int>(m_steps.size()) + (m_current ? 1 : 0); }

  signals:
    void progress(int done, int total);
    void finished(bool ok, const QString& error);

  private:
    void next();
    void end(bool ok, const QString& error);

    DeviceDriver& m_driver;
    QTimer m_timeout;
    std::deque<Step> m_steps;
    std::optional<Step> m_current;
    std::vector<bool> m_seen;
    bool m_running = false;
    int m_done = 0;
};

} // namespace tesso
