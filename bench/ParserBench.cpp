// Reply parsing throughput: a whole query-all dump fed to the driver in small chunks, as a serial
// line delivers it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "FullDump.h"
#include "TestLinks.h"

using namespace tesso;

namespace
{

using tesso::test::ScriptedDriver;

void ParseQueryAllDump(benchmark::State& state)
{
    const int chunk = static_cast<int>(state.range(0));
    int lines = 0;
    const QByteArray dump = tesso::test::fullQueryAllDump(&lines);
    ScriptedDriver d;
    d.connectSerial();
    for (auto _ : state) {
        for (qsizetype at = 0; at < dump.size(); at += chunk)
            d.feed(dump.mid(at, chunk));
    }
    benchmark::DoNotOptimize(d->ICHM());
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * dump.size());
    state.counters["lines_per_dump"] = lines;
}
BENCHMARK(ParseQueryAllDump)->Arg(1)->Arg(8)->Arg(64)->Arg(8192);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
