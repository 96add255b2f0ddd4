// The hub's costs, in process on 127.0.0.1 with a scripted device link:
// - SetReachesDevice: a client's set, from its write to the driver's write on the device link,
//   while the link is idle (the loopback hop to the hub is included);
// - RepliesToSixteenClients: one reply line from the device to 16 reading clients (CPU time per
//   line; multiply by the device's line rate for the share of a core);
// - ReplyWithAStalledClient: a reply's way to a reading client while another client has stopped
//   reading and is cut off by its output bound.
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

void RepliesToSixteenClients(benchmark::State& state)
{
    BenchHub h(16);
    const QByteArray line = "BRG128\r\n";
    qint64 wanted = 0, got = 0;
    for (auto _ : state) {
        h.device.feed(line);
        wanted += line.size() * 16;
        while (got < wanted) {
            QCoreApplication::processEvents();
            for (auto& c : h.clients)
                got += c->readAll().size();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RepliesToSixteenClients)->Unit(benchmark::kMicrosecond);

void ReplyWithAStalledClient(benchmark::State& state)
{
    BenchHub h(2);
    QTcpSocket& reader = *h.clients[0];
    h.clients[1]->setReadBufferSize(1); // never read
    const QByteArray line = "BRG128\r\n";
    qint64 slowestNs = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        h.device.feed(line);
        qint64 got = 0;
        while (got < line.size()) {
            QCoreApplication::processEvents();
            got += reader.readAll().size();
        }
        slowestNs = std::max(slowestNs, clock.nsecsElapsed());
    }
    state.counters["slowest_ms"] = double(slowestNs) / 1e6;
    state.counters["stalled_client_cut_off"] = h.hub.clientCount() == 1 ? 1 : 0;
}
BENCHMARK(ReplyWithAStalledClient)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(300000);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
