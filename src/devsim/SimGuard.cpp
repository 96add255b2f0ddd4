#include "SimGuard.h"

#include <exception>
#include <utility>

#include <QtGlobal>

namespace tesso::sim
{

namespace
{

ErrorSink& sink()
{
    static ErrorSink s;
    return s;
}

void report(const QString& message)
{
    if (sink())
        sink()(message);
    else
        qWarning("tesso-devsim: %s", qPrintable(message));
}

} // namespace

ErrorSink setErrorSink(ErrorSink s)
{
    return std::exchange(sink(), std::move(s));
}

bool guarded(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("unknown error in the simulated device"));
    }
    return false;
}

} // namespace tesso::sim
