#pragma once
// One run of the real program in a scenario: its settings written first, the program started on
// them, and at the end the checks every scenario makes. Its heartbeat must never have stopped for
// longer than the bound, it must end cleanly on SIGTERM, and the settings and label files must
// hold exactly the bytes they held before.

#include <gtest/gtest.h>

#include "ProcessStats.h"
#include "Scenario.h"
#include "TessoProcess.h"

using namespace tesso;

namespace tesso::e2e
{

struct ProgramRun {
    TessoProcess program;
    QMap<QString, QByteArray> before;

    ::testing::AssertionResult start(const ConnectionValues& link)
    {
        if (!program.ready() || !program.writeConnection(link) || !writeLumioLabels(program.folder()))
            return ::testing::AssertionFailure() << "cannot prepare " << program.folder().toStdString();
        before = program.settingsFiles();
        if (!program.start())
            return ::testing::AssertionFailure() << "cannot start the program";
        return ::testing::AssertionSuccess();
    }

    // The longest time between two heartbeats from the first one up to now.
    qint64 longestGapMs() const
    {
        const QList<qint64> ticks = program.heartbeat().ticks();
        if (ticks.isEmpty())
            return HeartbeatLog::nowMs() - program.startedAtMs();
        return program.heartbeat().longestGapMs(ticks.first(), HeartbeatLog::nowMs());
    }

    std::optional<double> cpuSeconds() const { return ProcessStats::cpuSeconds(program.pid()); }

    void finish()
    {
        EXPECT_LE(longestGapMs(), LatenessBoundMs) << "the event loop stalled";
        EXPECT_EQ(program.terminate(), 0) << program.output().toStdString();
        EXPECT_EQ(changedFiles(before, program.settingsFiles()).toStdString(), std::string());
    }
};

} // namespace tesso::e2e
