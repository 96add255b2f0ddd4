#pragma once
// Waiting for a condition with a deadline while the Qt event loop runs; never a fixed sleep.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace tesso::test
{

template <typename Predicate> bool waitFor(Predicate condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!condition())
            QThread::msleep(1);
    }
    return true;
}

} // namespace tesso::test
