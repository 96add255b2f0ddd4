#pragma once
// A 100 ms timer on the thread it is made on, measuring how late each of its ticks comes: in a
// test that runs a window in its own process, it shows whether that event loop froze.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

using namespace tesso;

namespace tesso::e2e
{

class LatenessProbe : public QObject
{
    Q_OBJECT
  public:
    static constexpr int TickMs = 100;

    LatenessProbe();
    void start();
    // The worst delay of a tick past its due time since start(), including the time since the
    // last tick (a loop that never comes back is late too).
    qint64 worstLatenessMs() const;

  private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastTickMs = 0;
    qint64 m_worstMs = 0;
};

} // namespace tesso::e2e
