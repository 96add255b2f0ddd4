// The hub's costs, in process on 127.0.0.1 with a scripted device link:
// - SetReachesDevice: a client's set, from its write to the driver's write on the device link,
//   while the link is idle (the loopback hop to the hub is included);
// - ReplyWithAStalledClient/1: while the device reports on and on, a reply's way to a reading
//   client when another client has stopped reading (and is cut off at its output bound); /0 the
//   same without it, for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

#include "DeviceHub.h"
#include "HubClient.h"
#include "TestLinks.h"

using namespace tesso;

namespace
{

using tesso::test::ScriptedDriver;

struct BenchHub {
    ScriptedDriver device;
    DeviceHub hub{*device};
    std::vector<std::unique_ptr<QTcpSocket>> clients;

    explicit BenchHub(int clientCount)
    {
        device.connectSerial();
        device.feed("DEV57\r\n");
        HubOptions options;
        options.port = 0;
        if (hub.start(options))
            std::abort();
        for (int i = 0; i < clientCount; ++i) {
            auto socket = std::make_unique<QTcpSocket>();
            socket->connectToHost(QStringLiteral("127.0.0.1"), hub.port());
            socket->waitForConnected(5000);
            clients.push_back(std::move(socket));
        }
        while (hub.clientCount() < clientCount)
            QCoreApplication::processEvents();
    }
};

void SetReachesDevice(benchmark::State& state)
{
    BenchHub h(1);
    QTcpSocket& client = *h.clients.front();
    for (auto _ : state) {
        h.device.serial->written.clear();
        client.write("128B");
        client.flush();
        while (h.device.serial->written.isEmpty())
            QCoreApplication::processEvents();
    }
}
BENCHMARK(SetReachesDevice)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The device reports 64 KB every 2 ms; each line's way to a reading client, with and without
// another client that has stopped reading (and is cut off at its output bound on the way).
void ReplyWithAStalledClient(benchmark::State& state)
{
    const bool stalled = state.range(0) != 0;
    BenchHub h(2);
    QTcpSocket& reader = *h.clients[0];
    if (stalled)
        h.clients[1]->setReadBufferSize(1);                          // never reads
    const QByteArray line = QByteArray("BRG128\r\n").repeated(8192); // 64 KB at a time
    std::vector<qint64> latencies;
    QElapsedTimer clock, since;
    for (auto _ : state) {
        since.start();
        while (since.nsecsElapsed() < 2'000'000)
            QCoreApplication::processEvents();
        if (!stalled)
            h.clients[1]->readAll();
        clock.start();
        h.device.feed(line);
        qint64 got = 0;
        while (got < line.size()) {
            QCoreApplication::processEvents();
            got += reader.readAll().size();
        }
        latencies.push_back(clock.nsecsElapsed());
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = double(latencies[latencies.size() / 2]) / 1e6;
    state.counters["slowest_ms"] = double(latencies.back()) / 1e6;
    state.counters["stalled_client_cut_off"] = stalled && h.hub.clientCount() == 1 ? 1 : 0;
}
BENCHMARK(ReplyWithAStalledClient)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(500);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
