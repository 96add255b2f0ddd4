// Reply parsing throughput: a whole query-all dump (one reply line per readable variable) fed to
// the driver in small chunks, as a serial line delivers it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "TestLinks.h"

namespace {

using tesso::test::ScriptedDriver;

QByteArray queryAllDump(int& lines)
{
    QByteArray dump;
    lines = 0;
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto index = static_cast<tVAR>(i);
        const auto& v = tesso::Catalogue[i];
        if (v.access == tesso::Access::NONE)
            continue;
        std::uint32_t value = 100u + static_cast<std::uint32_t>(i);
        if (index == _NETMASK)
            value = 8;
        if (index == _PCHAN)
            value = 3;
        if (index == _DEV)
            value = 57;
        dump += ReplyMnemonics[i];
        dump += QByteArray::number(value);
        dump += "\r\n";
        ++lines;
    }
    return dump;
}

void ParseQueryAllDump(benchmark::State& state)
{
    const int chunk = static_cast<int>(state.range(0));
    int lines = 0;
    const QByteArray dump = queryAllDump(lines);
    ScriptedDriver d;
    d.connectSerial();
    for (auto _ : state) {
        for (qsizetype at = 0; at < dump.size(); at += chunk)
            d->SerialDataReceived(dump.mid(at, chunk));
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
