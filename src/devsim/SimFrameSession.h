#pragma once
// The device's raw frame-memory mode, from FAEXEC to the return to text: the ready signal (after a
// delay, repeated until data arrive), acknowledgements, pacing with ESC DC3 / ESC DC1, the abort
// code or the end code after N blocks, the idle time-out, and keeping (and saving) a complete picture. It
// answers through the device's SimOutput, so the output faults apply to raw mode too.

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include "FaultOptions.h"
#include "FrameReceiver.h"

namespace tesso::sim
{

class SimOutput;

class SimFrameSession : public QObject
{
    Q_OBJECT
  public:
    explicit SimFrameSession(SimOutput& output, QObject* parent = nullptr);

    // Takes the raw-mode faults of the set; the output ones are ignored.
    void setFaults(const FaultOptions& faults) { m_faults = faults; }
    void setPacing(int everyBlocks, int holdMs);
    void setNoReadySignal(bool on) { m_faults.noReadySignal = on; }
    void setAbortAfterBlocks(int blocks) { m_faults.abortAfterBlocks = blocks; }
    void setEndAfterBlocks(int blocks) { m_faults.endAfterBlocks = blocks; }
    // First ESC DC1 readyDelayMs after the switch, repeated every repeatMs until data arrive.
    void setReadyTiming(int readyDelayMs, int repeatMs);
    // Raw mode ends by itself (picture dropped) after this long without the end of a block or a
    // line (time held by the device's own wait signal excepted); 0 never.
    void setIdleTimeout(int ms) { m_idleMs = ms; }
    // Folder for received pictures ("" keeps them in memory only).
    void setSaveFolder(const QString& folder) { m_saveFolder = folder; }

    void enter();
    void receive(char byte);
    bool active() const { return m_active; }

    int picturesReceived() const { return m_picturesReceived; }
    int picturesDropped() const { return m_picturesDropped; }
    QString lastSavedFile() const { return m_lastSaved; }
    const QImage& lastPicture() const { return m_lastPicture; }
    const FrameReceiver& frame() const { return m_frame; }
    int blocksWhileHeld() const { return m_blocksWhileHeld; }

  signals:
    // Emitted once the bytes queued before the switch have been handed out.
    void rawModeChanged(bool raw);
    // Raw mode has ended; the device is back in the text protocol, and what it sends from here on
    // leaves after the switch back (rawModeChanged(false)).
    void finished();
    // A complete picture arrived; emitted before it is saved.
    void pictureKept();
    // After saving: the file, or "" when no folder is set.
    void pictureReceived(const QString& file);
    void logLine(const QString& line);

  private:
    void leave();
    void send(char code);
    void blockEnded();
    void finishPicture();
    void readyTimerFired();
    void restartIdleTimer();
    void log(const QString& line) { emit logLine(line); }

    SimOutput& m_output;
    FaultOptions m_faults;
    FrameReceiver m_frame;

    bool m_active = false;
    bool m_dataSeen = false;
    bool m_readySent = false;
    bool m_held = false;
    bool m_endSent = false;
    bool m_dataWhileHeld = false;
    int m_blocksWhileHeld = 0;
    QTimer m_readyTimer;
    QTimer m_paceTimer;
    QTimer m_idleTimer;
    int m_readyDelayMs = 200;
    int m_readyRepeatMs = 1000;
    int m_idleMs = 10000;

    QString m_saveFolder;
    QString m_lastSaved;
    QImage m_lastPicture;
    int m_picturesReceived = 0;
    int m_picturesDropped = 0;
};

} // namespace tesso::sim
