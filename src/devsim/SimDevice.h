#pragma once
// The simulated device's behaviour, independent of any transport: it takes received bytes, runs
// the commands through its own parser against its DeviceState, and emits the bytes to send
// (sendBytes). It also runs the raw frame-memory mode and the fault injection used by tests.
// All timing runs on Qt timers of the thread the object lives in.

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QTimer>

#include "CommandParser.h"
#include "DeviceState.h"
#include "FrameReceiver.h"

namespace tesso::sim {

// Faults a test (or a trainer) can switch on. A negative count means "off".
struct FaultOptions {
    int silenceAfterReplies = -1;   // after this many reply lines the device sends nothing more
    int noiseBytes = 0;             // a line of this many garbage bytes before each reply but the first
    int chunkSize = 0;              // output written in pieces of at most this many bytes
    int chunkGapMs = 5;             // pause between two pieces
    int replyDelayMs = 0;           // every output held back this long
    int paceEveryBlocks = 0;        // during a frame transfer, ESC DC3 after every N blocks ...
    int paceHoldMs = 50;            // ... and ESC DC1 this long after it
    bool noReadySignal = false;     // raw mode never sends ESC DC1
    int abortAfterBlocks = -1;      // raw mode sends the abort code after this many blocks
    int disconnectAfterReplies = -1; // the stream link drops the client after this many replies
    std::uint32_t noiseSeed = 1;
};

class SimDevice : public QObject {
    Q_OBJECT
public:
    explicit SimDevice(Model model = Model::Lumio, QObject* parent = nullptr);

    DeviceState& state() { return m_state; }
    const DeviceState& state() const { return m_state; }

    // Bytes arriving from the link.
    void receive(const QByteArray& bytes);

    // ---- Fault injection -------------------------------------------------------------------
    void setFaults(const FaultOptions& faults);
    const FaultOptions& faults() const { return m_faults; }
    void setDeviceCode(std::uint32_t code) { m_state.setDeviceCode(code); }
    void setSilenceAfter(int replies) { m_faults.silenceAfterReplies = replies; }
    void setNoise(int bytes) { m_faults.noiseBytes = bytes; }
    void setChunking(int size, int gapMs);
    void setReplyDelay(int ms) { m_faults.replyDelayMs = ms; }
    void setPacing(int everyBlocks, int holdMs);
    void setNoReadySignal(bool on) { m_faults.noReadySignal = on; }
    void setAbortAfterBlocks(int blocks) { m_faults.abortAfterBlocks = blocks; }
    void setDisconnectAfter(int replies) { m_faults.disconnectAfterReplies = replies; }

    // ---- Timing of the device's own behaviour -----------------------------------------------
    // Take duration; negative: cut 150 ms, fade FADEDURATION and title TITLEDURATION tenths.
    void setTakeDuration(int ms) { m_takeDurationMs = ms; }
    // STORE goes set delayMs after the last settings change and clear holdMs later; a negative
    // delay turns the report off.
    void setStoreTiming(int delayMs, int holdMs);
    // Raw mode: first ESC DC1 after readyDelayMs, repeated every repeatMs until data arrive.
    void setReadyTiming(int readyDelayMs, int repeatMs);
    // Raw mode ends by itself (picture dropped) after this long without a byte.
    void setRawIdleTimeout(int ms) { m_rawIdleMs = ms; }
    // Folder for received pictures ("" keeps them in memory only).
    void setSaveFolder(const QString& folder) { m_saveFolder = folder; }

    // ---- What happened -------------------------------------------------------------------------
    bool rawMode() const { return m_raw; }
    bool silent() const { return m_silent; }
    int repliesSent() const { return m_replies; }
    int picturesReceived() const { return m_picturesReceived; }
    int picturesDropped() const { return m_picturesDropped; }
    QString lastSavedFile() const { return m_lastSaved; }
    const QImage& lastPicture() const { return m_lastPicture; }
    const FrameReceiver& frame() const { return m_frame; }
    // Blocks whose data arrived while the device had asked the sender to wait.
    int blocksWhileHeld() const { return m_blocksWhileHeld; }
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
    enum class Marker { None, Disconnect, RawOn, RawOff };
    struct Outgoing {
        QByteArray bytes;
        qint64 due = 0;
        Marker marker = Marker::None;
    };

    void handle(const Command& command);
    void handleSet(const Command& command);
    void runAction(tVAR index, void (DeviceState::*action)());
    void dumpAll();
    void startTake();
    void finishTake();
    void scheduleStore();
    void storeTimerFired();

    void enterRaw();
    void leaveRaw();
    void receiveRaw(char byte);
    void finishPicture();
    void readyTimerFired();

    using Snapshot = std::array<std::uint32_t, tesso::VariableCount>;
    Snapshot snapshot() const;
    void reportChanged(const Snapshot& before, bool derivedOnly, tVAR except);

    void reply(tVAR index);
    void sendRaw(const QByteArray& bytes);
    void output(const QByteArray& bytes, bool isReply);
    void enqueue(const QByteArray& bytes, Marker marker);
    void pump();
    void runMarker(Marker marker);
    QByteArray noiseLine();
    void log(const QString& line);

    DeviceState m_state;
    CommandParser m_parser;
    FrameReceiver m_frame;
    FaultOptions m_faults;
    QRandomGenerator m_noise;

    std::deque<Outgoing> m_queue;
    QElapsedTimer m_clock;
    QTimer m_outTimer;
    bool m_batching = false;
    bool m_pumping = false;
    int m_replies = 0;
    bool m_silent = false;
    int m_commands = 0;
    std::array<int, tesso::VariableCount> m_commandCounts{};

    QTimer m_takeTimer;
    int m_takeDurationMs = -1;

    QTimer m_storeTimer;
    int m_storeDelayMs = 400;
    int m_storeHoldMs = 800;
    bool m_storing = false;
    bool m_storeAgain = false;

    bool m_raw = false;
    bool m_rawDataSeen = false;
    bool m_held = false;
    bool m_dataWhileHeld = false;
    int m_blocksWhileHeld = 0;
    QTimer m_readyTimer;
    QTimer m_paceTimer;
    QTimer m_rawIdleTimer;
    int m_readyDelayMs = 200;
    int m_readyRepeatMs = 1000;
    int m_rawIdleMs = 10000;
    QString m_saveFolder;
    QString m_lastSaved;
    QImage m_lastPicture;
    int m_picturesReceived = 0;
    int m_picturesDropped = 0;

    std::vector<Command> m_scratch;
};

} // namespace tesso::sim
