// The debug console under a flood: 10,000 reply lines arriving in one burst, parsed by the driver,
// logged by the console and painted, with the log empty and with the log at its row limit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include "DebugConsole.h"
#include "ReceivedLogModel.h"
#include "TestLinks.h"

using namespace tesso;

namespace
{

constexpr int BurstLines = 10000;

QByteArray burst()
{
    QByteArray lines;
    for (int i = 0; i < BurstLines; ++i)
        lines += "HP" + QByteArray::number(i % 4096) + "\r\n";
    return lines;
}

void ReplyBurstLoggedAndShown(benchmark::State& state)
{
    const bool atLimit = state.range(0) != 0;
    QTemporaryDir folder;
    tesso::test::ScriptedDriver driver;
    DebugConsole console(nullptr, folder.path());
    console.setDriver(driver.driver.get());
    driver.connectSerial();
    console.show();
    const QByteArray lines = burst();
    const auto fill = [&] {
        console.ReceivedLog->Clear();
        if (atLimit) {
            for (int i = 0; i < ReceivedLogModel::RowLimit; ++i)
                console.ReceivedLog->Append("VP1", 0);
            console.ReceivedLog->Flush();
        }
        QApplication::processEvents();
    };
    fill();
    int shown = 0;
    for (auto _ : state) {
        driver.feed(lines);
        console.ReceivedLog->Flush();
        console.StringGrid_Received->viewport()->repaint();
        state.PauseTiming();
        shown = console.ReceivedLog->LoggedRows();
        if (!atLimit)
            fill();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * BurstLines);
    state.counters["rows"] = shown; // in the log after a burst
}
BENCHMARK(ReplyBurstLoggedAndShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
