// Registry cost on the GUI thread: 256 units heard for the first time, each insert committing
// on its own, then field updates as their datagrams change.
#include "datamodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

DataModel::UDPBrowsingPacket unit(quint32 id)
{
    DataModel::UDPBrowsingPacket p{};
    p.header = wire::kBrowsingHeader;
    p.tail = wire::kBrowsingTail;
    p.packetType = 4;
    p.deviceId = id;
    p.ipAddress = 0x7F000001 + id;
    std::strncpy(p.model, "KV-1616", sizeof p.model);
    std::strncpy(p.serialNumber, "SN", sizeof p.serialNumber);
    return p;
}

QByteArray bytes(const DataModel::UDPBrowsingPacket& p)
{
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

// A fresh devices.db per iteration: 256 new units, one insert each.
void BM_FirstHeard256(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        auto* model = new DataModel;
        model->setTickTimerRunning(false);
        state.ResumeTiming();
        for (quint32 id = 1; id <= 256; ++id)
            model->handleBrowsingPacket(nullptr, bytes(unit(id)));
        state.PauseTiming();
        delete model;
        state.ResumeTiming();
    }
    state.counters["units"] = 256;
}
BENCHMARK(BM_FirstHeard256)->Unit(benchmark::kMillisecond)->Iterations(10);

// Every known unit changes its location once: one prepared update each.
void BM_Update256(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    DataModel model;
    model.setTickTimerRunning(false);
    for (quint32 id = 1; id <= 256; ++id)
        model.handleBrowsingPacket(nullptr, bytes(unit(id)));
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (quint32 id = 1; id <= 256; ++id) {
            auto p = unit(id);
            std::snprintf(p.location, sizeof p.location, "Hall %d", round);
            model.handleBrowsingPacket(nullptr, bytes(p));
        }
    }
}
BENCHMARK(BM_Update256)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
