#pragma once
// Collects the messages given to the application's error report while it lives, and puts the
// previous reporter back afterwards.
#include <QString>
#include <QStringList>

#include "ErrorReport.h"

using namespace tesso;

namespace tesso::test
{

struct ReportCapture {
    QStringList messages;
    tesso::ErrorReporter previous;

    ReportCapture()
    {
        previous = tesso::setErrorReporter([this](const QString& m) { messages << m; });
    }
    ~ReportCapture() { tesso::setErrorReporter(previous); }
    ReportCapture(const ReportCapture&) = delete;
    ReportCapture& operator=(const ReportCapture&) = delete;
};

} // namespace tesso::test
