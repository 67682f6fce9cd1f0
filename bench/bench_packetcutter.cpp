// Throughput of the packet cutter on a realistic report stream, and the cost of garbage.
#include "wire/packetcutter.h"

#include <QLoggingCategory>
#include <benchmark/benchmark.h>

namespace {

// One refresh cycle's worth of reports: meters, level strips, a filter page, the preset table.
QByteArray realisticStream()
{
    QByteArray s;
    auto add = [&s](wire::Code code, int n) {
        s += wire::packet(code, wire::AccessReport, QByteArray(n, '\x11'));
    };
    add(wire::code::InputPostFaderMeters, 17);
    add(wire::code::InputPreFaderMeters, 17);
    add(wire::code::OutputPreFaderMeters, 16);
    add(wire::code::OutputPostFaderMeters, 16);
    add(wire::code::AutoMixerGainMeters, 32);
    add(wire::code::InputLevelMute, 17);
    add(wire::code::InputLevelGain, 68);
    add(wire::code::InputFaderRange, 136);
    add(wire::code::OutputLevelGain, 64);
    for (int band = 0; band < 8; ++band)
        add(wire::code::InputPeq, 13);
    add(wire::code::InputHpf, 8);
    add(wire::code::InputLpf, 8);
    add(wire::code::PresetTable, 545);
    return s;
}

void BM_CutRealisticStream(benchmark::State& state)
{
    const QByteArray chunk = realisticStream();
    QByteArray stream;
    while (stream.size() < 256 * 1024)
        stream += chunk;
    // Deliver in TCP-sized reads that split packets at arbitrary points.
    const int read = 1448;
    qint64 packets = 0;
    for (auto _ : state) {
        wire::PacketCutter cutter;
        for (int off = 0; off < stream.size(); off += read) {
            cutter.append(stream.mid(off, read));
            cutter.cut([&](const wire::PacketHeader&, const char* p) {
                benchmark::DoNotOptimize(p);
                ++packets;
            });
        }
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["packets/s"] = benchmark::Counter(double(packets), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CutRealisticStream)->Unit(benchmark::kMillisecond);

// Garbage before one valid packet: each garbage byte costs one step, so 1 MiB should cost
// about 16 times 64 KiB.
void BM_GarbageBeforePacket(benchmark::State& state)
{
    QByteArray stream(int(state.range(0)), '\x5A');
    stream +=
        wire::packet(wire::code::InputPostFaderMeters, wire::AccessReport, QByteArray(17, '\x01'));
    for (auto _ : state) {
        wire::PacketCutter cutter;
        cutter.append(stream);
        int found = 0;
        cutter.cut([&](const wire::PacketHeader&, const char*) { ++found; });
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_GarbageBeforePacket)->Arg(64 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMillisecond);

// The same with the debug log on (its output discarded): the byte-wise path, one line a byte.
void BM_GarbageBeforePacketLogged(benchmark::State& state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=true"));
    QtMessageHandler old =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    BM_GarbageBeforePacket(state);
    qInstallMessageHandler(old);
    QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=false"));
}
BENCHMARK(BM_GarbageBeforePacketLogged)
    ->Arg(64 * 1024)
    ->Arg(1024 * 1024)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The per-byte resynchronisation lines would measure the log, not the cutter.
    QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
