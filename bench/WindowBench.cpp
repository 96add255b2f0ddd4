// The main window's side: a whole query-all dump applied to the built window (reply parsing
// through to every bound control), and reading settings files of growing size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "FullDump.h"
#include "IniFile.h"
#include "MainWindow.h"
#include "StartUp.h"
#include "TestLinks.h"
#include "UserPrompts.h"

using namespace tesso;

namespace
{

struct SilentPrompts : UserPrompts {
    void Information(QWidget*, const QString&) override {}
    bool Confirm(QWidget*, const QString&) override { return false; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
};

void QueryAllDumpToWindow(benchmark::State& state)
{
    QTemporaryDir folder;
    SilentPrompts prompts;
    tesso::test::TestLinks links;
    StartUp::Options options;
    options.SettingsDirectory = folder.path();
    options.ShowSplash = false;
    auto window = StartUp::Run(links.make(), prompts, options);
    links.timer->fire();
    links.deliverSerial("DEV57\r\n");
    links.timer->fire(); // connected: the model is applied
    const QByteArray dump = tesso::test::fullQueryAllDump();
    for (auto _ : state)
        links.deliverSerial(dump);
    state.SetItemsProcessed(state.iterations()); // dumps per second
}
BENCHMARK(QueryAllDumpToWindow)->Unit(benchmark::kMillisecond);

// A settings file of N bytes of keys in one section; the parse must stay linear in N.
void IniFileParse(benchmark::State& state)
{
    QByteArray content = "[CONNEXION]\n";
    while (content.size() < state.range(0))
        content += "Key" + QByteArray::number(content.size()) + "=value\n";
    for (auto _ : state) {
        IniFile ini;
        ini.parse(content);
        benchmark::DoNotOptimize(ini.value(QStringLiteral("CONNEXION"), QStringLiteral("Key12")));
    }
    state.SetBytesProcessed(state.iterations() * content.size());
}
BENCHMARK(IniFileParse)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

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
