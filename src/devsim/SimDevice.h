#pragma once
// The simulated device's behaviour, independent of any transport: it takes received bytes, runs
// the commands through its own parser against its DeviceState (replies, takes, resets, the STORE
// report) and emits the bytes to send (sendBytes). The way out with its faults is a SimOutput; the
// raw frame-memory mode is a SimFrameSession; captures and deletes of frames run here. All timing runs on Qt
// timers of the thread the object lives in.

#include <array>
#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include "CommandParser.h"
#include "DeviceState.h"
#include "FaultOptions.h"
#include "FrameReceiver.h"
#include "SimFrameSession.h"
#include "SimOutput.h"

namespace tesso::sim
{

class SimDevice : public QObject
{
    Q_OBJECT
  public:
    explicit SimDevice(Model model = Model::Lumio, QObject* parent = nullptr);

    DeviceState& state() { return m_state; }
    const DeviceState& state() const { return m_state; }

    // Bytes arriving from the link.
    void receive(const QByteArray& bytes);

    // ---- Fault injection -------------------------------------------------------------------
    void setFaults(const FaultOptions& faults);
    void setDeviceCode(std::uint32_t code) { m_state.setDeviceCode(code); }
    void setSilenceAfter(int replies) { m_output.setSilenceAfter(replies); }
    void setNoise(int bytes) { m_output.setNoise(bytes); }
    void setChunking(int size, int gapMs) { m_output.setChunking(size, gapMs); }
    void setReplyDelay(int ms) { m_output.setReplyDelay(ms); }
    void setPacing(int everyBlocks, int holdMs) { m_frames.setPacing(everyBlocks, holdMs); }
    void setNoReadySignal(bool on) { m_frames.setNoReadySignal(on); }
    void setAbortAfterBlocks(int blocks) { m_frames.setAbortAfterBlocks(blocks); }
    void setEndAfterBlocks(int blocks) { m_frames.setEndAfterBlocks(blocks); }
    void setDisconnectAfter(int replies) { m_output.setDisconnectAfter(replies); }
    // The projector message's index (STBI, STBi) is reported this much above the cell it addresses.
    void setMessageIndexOffset(std::uint32_t offset) { m_messageIndexOffset = offset; }

    // ---- Timing of the device's own behaviour -----------------------------------------------
    // Take duration; negative: cut 150 ms, fade FADEDURATION and title TITLEDURATION tenths.
    void setTakeDuration(int ms) { m_takeDurationMs = ms; }
    // STORE goes set delayMs after the last settings change and clear holdMs later; a negative
    // delay turns the report off.
    void setStoreTiming(int delayMs, int holdMs);
    // Raw mode: first ESC DC1 after readyDelayMs, repeated every repeatMs until data arrive.
    void setReadyTiming(int readyDelayMs, int repeatMs) { m_frames.setReadyTiming(readyDelayMs, repeatMs); }
    // Raw mode ends by itself (picture dropped) after this long without a block or line end.
    void setRawIdleTimeout(int ms) { m_frames.setIdleTimeout(ms); }
    // How long a capture (FAMODEM 1) records before FAEXEC returns to 0.
    void setCaptureTime(int ms) { m_captureMs = ms; }
    // Folder for received pictures ("" keeps them in memory only).
    void setSaveFolder(const QString& folder) { m_frames.setSaveFolder(folder); }

    // ---- What happened -------------------------------------------------------------------------
    bool rawMode() const { return m_frames.active(); }
    bool silent() const { return m_output.silent(); }
    int repliesSent() const { return m_output.repliesSent(); }
    int picturesReceived() const { return m_frames.picturesReceived(); }
    int picturesDropped() const { return m_frames.picturesDropped(); }
    QString lastSavedFile() const { return m_frames.lastSavedFile(); }
    const QImage& lastPicture() const { return m_frames.lastPicture(); }
    const FrameReceiver& frame() const { return m_frames.frame(); }
    // Blocks whose data arrived while the device had asked the sender to wait.
    int blocksWhileHeld() const { return m_frames.blocksWhileHeld(); }
    std::uint64_t discardedBytes() const { return m_parser.discardedBytes(); }
    int commandsHandled() const { return m_commands; }
    // Commands received for one variable (sets and queries).
    int commandCount(tVAR index) const { return m_commandCounts[index]; }

  signals:
    void sendBytes(const QByteArray& bytes);
    // Serial links switch to 57600 baud while raw, back to 9600 after. Emitted once the bytes
    // queued before it have been handed out.
    void rawModeChanged(bool raw);
    void disconnectRequested();
    void logLine(const QString& line);
    void pictureReceived(const QString& file);

  private:
    void handle(const DeviceCommand& command);
    void handleSet(const DeviceCommand& command);
    bool runAction(const DeviceCommand& command);
    void dumpAll();
    void startTake();
    void finishTake();
    void scheduleStore();
    void storeTimerFired();
    void startFrameOperation();
    void finishCapture();
    void endFrameOperation();

    using Snapshot = std::array<std::uint32_t, VariableCount>;
    Snapshot snapshot() const;
    void reportChanged(const Snapshot& before, bool derivedOnly, tVAR except);
    void reply(tVAR index);
    void log(const QString& line) { emit logLine(line); }

    DeviceState m_state;
    CommandParser m_parser;
    SimOutput m_output;
    SimFrameSession m_frames;
    int m_commands = 0;
    std::uint32_t m_messageIndexOffset = 0;
    std::array<int, VariableCount> m_commandCounts{};

    QTimer m_takeTimer;
    int m_takeDurationMs = -1;

    QTimer m_captureTimer;
    int m_captureMs = 300;
    std::uint32_t m_captureSlot = 0;

    QTimer m_storeTimer;
    int m_storeDelayMs = 400;
    int m_storeHoldMs = 800;
    bool m_storing = false;
    bool m_storeAgain = false;

    std::vector<DeviceCommand> m_scratch;
};

} // namespace tesso::sim
