#pragma once
// One direction of a serial line in real time: bytes pushed in come out of released() no faster
// than the baud rate they were pushed with allows (LineSchedule), each slice at the moment its
// last byte would have crossed the line. It waits on a timer descriptor of the system, because
// the round trips of a stop-and-wait transfer need their due times kept to well under a
// millisecond, which QTimer cannot express; it never spins.

#include <memory>

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

#include "LineSchedule.h"

namespace tesso::sim
{

class LinePacer : public QObject
{
    Q_OBJECT
  public:
    explicit LinePacer(QObject* parent = nullptr);
    ~LinePacer() override;

    // baud <= 0 (unknown speed): no pacing, the bytes follow those before them at once.
    void push(const QByteArray& bytes, int baud);
    // Bytes that answer bytes another pacer released at once: they start on the line when those
    // were through (answeredDueNs, from released()), not when this process got round to them,
    // as a device that answers instantly would send them.
    void pushAnswer(const QByteArray& bytes, int baud, qint64 answeredDueNs);
    void clear();
    bool idle() const { return m_schedule.empty(); }

  signals:
    // dueNs: when the last of these bytes was through the line (monotonic clock).
    void released(const QByteArray& bytes, qint64 dueNs);

  private:
    void release();
    void arm();

    LineSchedule m_schedule;
    int m_timer = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace tesso::sim
