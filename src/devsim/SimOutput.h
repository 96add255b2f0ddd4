#pragma once
// What the simulated device sends, on its way out: reply lines and raw frame-protocol bytes go
// through one queue so that the output faults (reply delay, chunking with gaps, noise lines,
// silence or a dropped connection after N replies) act on the stream as a link would see it.
// Actions queued with then() run once the bytes queued before them have been handed out.

#include <deque>
#include <functional>

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QTimer>

#include "FaultOptions.h"

namespace tesso::sim
{

class SimOutput : public QObject
{
    Q_OBJECT
  public:
    explicit SimOutput(QObject* parent = nullptr);

    // Takes the output faults of the set (and reseeds the noise); the raw-mode ones are ignored.
    void setFaults(const FaultOptions& faults);
    // Counts the replies sent so far; a silence already begun ends here and starts again only
    // once the new count is reached (a negative count: never).
    void setSilenceAfter(int replies)
    {
        m_faults.silenceAfterReplies = replies;
        m_silent = false;
    }
    void setNoise(int bytes) { m_faults.noiseBytes = bytes; }
    void setChunking(int size, int gapMs);
    void setReplyDelay(int ms) { m_faults.replyDelayMs = ms; }
    void setDisconnectAfter(int replies) { m_faults.disconnectAfterReplies = replies; }

    // One reply line, CR LF included.
    void reply(const QByteArray& line);
    // Bytes of the raw frame protocol; they are no reply lines.
    void raw(const QByteArray& bytes);
    // Runs action once everything queued before it has been handed out.
    void then(std::function<void()> action);

    // Everything queued between the two leaves together (one write, one datagram).
    void beginBatch() { m_batching = true; }
    void endBatch();

    bool silent() const { return m_silent; }
    int repliesSent() const { return m_replies; }

    // Bytes as a log shows them: printable ASCII as it is, the rest as <hex>.
    static QString printable(const QByteArray& bytes);

  signals:
    void sendBytes(const QByteArray& bytes);
    void disconnectRequested();
    void logLine(const QString& line);

  private:
    struct Outgoing {
        QByteArray bytes;
        qint64 due = 0;
        std::function<void()> then;
    };

    void enqueue(const QByteArray& bytes, std::function<void()> then);
    void pump();
    QByteArray noiseLine();

    FaultOptions m_faults;
    QRandomGenerator m_noise;
    std::deque<Outgoing> m_queue;
    QElapsedTimer m_clock;
    QTimer m_timer;
    bool m_batching = false;
    bool m_pumping = false;
    int m_replies = 0;
    bool m_silent = false;
};

} // namespace tesso::sim
