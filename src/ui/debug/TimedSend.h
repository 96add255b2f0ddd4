#pragma once
// TimedSend: the paced file send, one line per tick of its own timer on the GUI thread, so the
// window stays live however long the file. The first line leaves one interval after the start;
// the tick after the last line ends the send. A line that cannot be sent ends it at once, with
// the reason, so one failure is reported once rather than on every tick.

#include <functional>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QTimer;

namespace tesso
{

class TimedSend : public QObject
{
    Q_OBJECT

  public:
    static constexpr int DefaultInterval = 5500;

    explicit TimedSend(QObject* parent = nullptr);

    // Sends one line (without its line end); returns why it could not, or an empty text.
    std::function<QString(const QByteArray& line)> Send;

    // Starts sending the lines; while a send runs, replaces what is left of it and goes on from
    // the new first line at the same pace. No lines: nothing happens.
    void Start(const QList<QByteArray>& lines);
    // Ends the send without sending more.
    void Cancel();
    void Tick();

    bool Active() const { return m_active; }
    int Interval() const;
    void SetInterval(int ms);
    int LinesLeft() const { return m_active ? static_cast<int>(m_lines.size()) - m_next : 0; }

  signals:
    void lineSent(const QByteArray& line);
    // Bytes of the file (each line with its CR LF) sent so far.
    void progressed(int position);
    // The send is over: all sent, cancelled (failure empty), or stopped by a failure.
    void finished(bool completed, const QString& failure);

  private:
    void finish(bool completed, const QString& failure);

    QTimer* m_timer = nullptr;
    QList<QByteArray> m_lines;
    int m_next = 0;
    int m_position = 0;
    bool m_active = false;
};

} // namespace tesso
