// Reports dispatched per second: a realistic mix of what one refresh cycle brings back
// (meters, strips, system values, a filter page, the preset table), cut from a byte stream
// and applied to the mirror, alternating values so that every other pass changes the mirror.
#include "datamodel.h"
#include "reportrouter.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Feeds whole packets to the model's dispatcher as the connection would.
class FeedingModel : public DataModel
{
public:
    void feed(const QByteArray& stream)
    {
        m_cutter.append(stream);
        m_cutter.cut([this](const wire::PacketHeader& h, const char* p) { dispatchPacket(h, p); });
    }

private:
    wire::PacketCutter m_cutter;
};

QByteArray report(wire::Code code, const QByteArray& payload)
{
    return wire::packet(code, wire::AccessReport, payload);
}

QByteArray floats(int n, float v)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        wire::appendF32(b, v + float(i) * 0.5f);
    return b;
}

QByteArray cycle(int variant)
{
    const char level = char(-40 + variant * 7);
    QByteArray s;
    s += report(wire::code::InputPostFaderMeters, QByteArray(17, level));
    s += report(wire::code::InputPreFaderMeters, QByteArray(17, level));
    s += report(wire::code::OutputPreFaderMeters, QByteArray(16, level));
    s += report(wire::code::OutputPostFaderMeters, QByteArray(16, level));
    s += report(wire::code::AutoMixerGainMeters, QByteArray(32, level));
    s += report(wire::code::InputLevelMute, QByteArray(17, char(variant)));
    s += report(wire::code::InputLevelGain, floats(17, -6.0f + variant));
    s += report(wire::code::InputFaderRange, floats(34, 6.0f));
    s += report(wire::code::OutputLevelGain, floats(16, -3.0f + variant));
    s += report(wire::code::Temperature, floats(1, 36.5f + variant));
    s += report(wire::code::Fan, QByteArray(1, char(variant)));
    for (int band = 0; band < 8; ++band) {
        QByteArray peq;
        peq.append(char(2));
        peq.append(char(band));
        peq.append(char(1));
        peq.append(char(0));
        wire::appendF32(peq, 100.0f * float(band + 1));
        wire::appendF32(peq, float(variant));
        peq.append(char(43));
        s += report(wire::code::InputPeq, peq);
    }
    QByteArray presets(545, '\0');
    presets[0] = char(variant);
    s += report(wire::code::PresetTable, presets);
    return s;
}

void BM_DispatchRealisticMix(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    FeedingModel model;
    model.setTickTimerRunning(false);
    const QByteArray a = cycle(0);
    const QByteArray b = cycle(1);
    const int reportsPerCycle = 5 + 6 + 8 + 1;
    qint64 reports = 0;
    bool flip = false;
    for (auto _ : state) {
        model.feed(flip ? a : b);
        flip = !flip;
        reports += reportsPerCycle;
    }
    state.counters["reports/s"] = benchmark::Counter(double(reports), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DispatchRealisticMix);

// The same with the windows' subscriptions of the main window: every change also reaches its
// handlers through the report router.
void BM_DispatchThroughTheRouter(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    FeedingModel model;
    model.setTickTimerRunning(false);
    ReportRouter router(model);
    QObject strips;
    QObject meters;
    QObject statusBar;
    int delivered = 0;
    const auto count = [&delivered](const ReportRouter::Event&) { ++delivered; };
    using namespace wire;
    for (Code c : {code::InputPostFaderMeters, code::OutputPostFaderMeters, code::InputLevelMute,
                   code::InputLevelGain, code::InputFaderRange, code::OutputLevelGain,
                   code::InputLabels, code::OutputLabels})
        router.subscribe(&strips, c, count);
    for (Code c : {code::InputPreFaderMeters, code::InputPostFaderMeters,
                   code::OutputPreFaderMeters, code::OutputPostFaderMeters})
        router.subscribe(&meters, c, count);
    for (Code c : {code::Temperature, code::Fan, code::SystemMute, code::ArmVersion})
        router.subscribe(&statusBar, c, count);
    router.subscribe(&strips, group::InputFilter, count);
    const QByteArray a = cycle(0);
    const QByteArray b = cycle(1);
    const int reportsPerCycle = 5 + 6 + 8 + 1;
    qint64 reports = 0;
    bool flip = false;
    for (auto _ : state) {
        model.feed(flip ? a : b);
        flip = !flip;
        reports += reportsPerCycle;
    }
    benchmark::DoNotOptimize(delivered);
    state.counters["reports/s"] = benchmark::Counter(double(reports), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DispatchThroughTheRouter);

void BM_DispatchToOneSlot(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    FeedingModel model;
    model.setTickTimerRunning(false);
    int delivered = 0;
    QObject receiver;
    QObject::connect(&model, &DataModel::tcpSyncToUI, &receiver,
                     [&delivered](uchar, uchar, uchar, uchar, uchar, QVariant) { ++delivered; });
    const QByteArray a = cycle(0);
    const QByteArray b = cycle(1);
    qint64 reports = 0;
    bool flip = false;
    for (auto _ : state) {
        model.feed(flip ? a : b);
        flip = !flip;
        reports += 20;
    }
    state.counters["syncs/cycle"] = double(delivered) / double(state.iterations());
    state.counters["reports/s"] = benchmark::Counter(double(reports), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DispatchToOneSlot);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
