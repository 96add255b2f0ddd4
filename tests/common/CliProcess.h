#pragma once
// tesso-cli run as a process while this test's event loop keeps running (a simulated device, a
// window or a hub in this process answers it meanwhile).

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include "WaitFor.h"

namespace tesso::test
{

struct CliResult {
    int exitCode = -1; // -1: did not start, crashed or had to be killed
    QByteArray out, err;
};

inline CliResult runCliProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    CliResult result;
    if (!process.waitForStarted(10000))
        return result;
    if (!waitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace tesso::test
