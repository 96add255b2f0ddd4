#pragma once
// The driver's link timer behind an interface: the real one is a QTimer, tests step a manual
// one so that the state machine's seconds pass instantly.

#include <functional>
#include <memory>

class QTimer;

namespace tesso
{

class LinkTimer
{
  public:
    virtual ~LinkTimer() = default;
    // Stops the timer, sets the interval and starts it again.
    virtual void restart(int milliseconds) = 0;
    virtual int interval() const = 0;
    std::function<void()> onTimeout;
};

class QtLinkTimer : public LinkTimer
{
  public:
    QtLinkTimer();
    ~QtLinkTimer() override;
    void restart(int milliseconds) override;
    int interval() const override;

  private:
    std::unique_ptr<QTimer> m_timer;
};

} // namespace tesso
