#pragma once
// The driver's link timer at a fixed multiple of its speed: the state machine keeps its order and
// its proportions while a test takes a fraction of the time.

#include <algorithm>

#include <QTimer>

#include "LinkTimer.h"

namespace tesso::sim::test
{

// A QTimer whose intervals are those the driver asks for, divided by `divisor`.
class ScaledLinkTimer : public LinkTimer
{
  public:
    explicit ScaledLinkTimer(int divisor) : m_divisor(divisor)
    {
        m_timer.setSingleShot(false);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (onTimeout)
                onTimeout();
        });
    }
    void restart(int milliseconds) override
    {
        m_interval = milliseconds;
        m_timer.start(std::max(1, milliseconds / m_divisor));
    }
    int interval() const override { return m_interval; }

  private:
    QTimer m_timer;
    int m_divisor;
    int m_interval = 0;
};

} // namespace tesso::sim::test
