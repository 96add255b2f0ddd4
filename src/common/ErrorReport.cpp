#include "ErrorReport.h"

#include <cstdio>

#include "Errors.h"

namespace tesso
{

namespace
{
ErrorReporter& reporter()
{
    static ErrorReporter current;
    return current;
}
} // namespace

ErrorReporter setErrorReporter(ErrorReporter next)
{
    ErrorReporter previous = std::move(reporter());
    reporter() = std::move(next);
    return previous;
}

void reportError(const QString& message)
{
    if (reporter()) {
        reporter()(message);
        return;
    }
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

bool guarded(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const TessoError& e) {
        reportError(e.text());
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace tesso
