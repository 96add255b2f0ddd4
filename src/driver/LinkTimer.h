#pragma once
// The driver's link timer behind an interface: the real one is a QTimer, tests step a manual
// one so that the state machine's seconds pass instantly.

#include <QObject>
#include <QTimer>

namespace tesso
{

class LinkTimer : public QObject
{
    Q_OBJECT

  public:
    // Stops the timer, sets the interval and starts it again.
    virtual void restart(int milliseconds) = 0;
    virtual int interval() const = 0;

  signals:
    void timeout();
};

class QtLinkTimer : public LinkTimer
{
    Q_OBJECT

  public:
    QtLinkTimer();
    void restart(int milliseconds) override;
    int interval() const override;

  private:
    QTimer m_timer;
};

} // namespace tesso
