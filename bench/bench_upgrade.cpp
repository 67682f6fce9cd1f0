// What the application adds to a firmware upgrade: a 1 MiB system image goes to virtual units
// in other processes, once by a bare client that holds the image in memory and sends the next
// block the moment an acknowledgement arrives (the unit's own round trip), and once through
// the model and the firmware upgrade, which dispatch each acknowledgement through the report
// router and read each block from the file. The difference per 512-byte block is the
// application's share. The model's periodic refresh is stopped while it is measured, so that
// both runs load the unit alike.
//
//   bench_upgrade [--virtual-unit PATH] [google benchmark options]
#include "benchsupport.h"
#include "datamodel.h"
#include "firmwareimage.h"
#include "firmwareupgrade.h"
#include "reportrouter.h"
#include "wire/commands.h"
#include "wire/packetcutter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using bench::freeTcpPort;
using bench::freeUdpPort;
using bench::waitFor;

constexpr int kImageBytes = 1024 * 1024;
constexpr int kBlockBytes = wire::kTransferBlockBytes;

QString g_unitProgram = QStringLiteral(KV_VIRTUAL_UNIT);
QByteArray g_image;
QString g_imagePath;

// Each side talks to a unit of its own: a unit keeps one connection.
class Unit
{
public:
    bool start()
    {
        m_port = freeTcpPort();
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(g_unitProgram,
                        {"--listen", "127.0.0.1", "--port", QString::number(m_port),
                         "--discovery-port", QString::number(freeUdpPort()), "--run-for", "900"});
        if (!m_process.waitForStarted(5000))
            return false;
        waitFor([] { return false; }, 300);
        return true;
    }
    ~Unit()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

// The unit's round trip alone: blocks from memory, each sent when the one before is taken.
class BareClient
{
public:
    bool connect(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        if (!m_socket.waitForConnected(3000))
            return false;
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { read(); });
        return true;
    }

    // Seconds from the first block to the last acknowledgement; 0 on failure.
    double upgrade()
    {
        m_next = -1;
        m_done = false;
        m_blocks = FirmwareUpgrade::blocksFor(g_image.size());
        m_socket.write(wire::cmd::upgradeRequest().packet());
        waitFor([this] { return m_done; }, 60000);
        return m_done ? double(m_timer.nsecsElapsed()) / 1e9 : 0.0;
    }

private:
    void send(int block)
    {
        m_next = block;
        m_socket.write(wire::cmd::upgradeBlock(wire::UpgradeKind::System, quint16(block),
                                               g_image.mid(block * kBlockBytes, kBlockBytes))
                           .packet());
    }

    void read()
    {
        m_cutter.append(m_socket.readAll());
        m_cutter.cut([this](const wire::PacketHeader& h, const char* p) {
            if (h.code() != wire::code::UpgradeSystem || h.length < 4)
                return;
            const quint16 word = wire::readU16(p);
            if (word == 0 && h.length == 6 && m_next < 0) {
                m_timer.start();
                send(0);
            } else if (word == 0x0100 && wire::readU16(p + 2) == m_next) {
                if (m_next + 1 < m_blocks)
                    send(m_next + 1);
                else
                    m_done = true;
            }
        });
    }

    QTcpSocket m_socket;
    wire::PacketCutter m_cutter;
    QElapsedTimer m_timer;
    int m_blocks = 0;
    int m_next = -1;
    bool m_done = false;
};

// Per-block figures of one side, medians of the rounds: wall time (the unit's round trip
// included) and this process's CPU time.
struct Figures
{
    std::vector<double> wall;
    std::vector<double> cpu;
    double wallUs = 0;
    double cpuUs = 0;
};
Figures g_bare;
Figures g_app;

// Times one upgrade's CPU alongside the wall time the caller measures.
class CpuClock
{
public:
    CpuClock() : m_start(std::clock()) {}
    double seconds() const { return double(std::clock() - m_start) / CLOCKS_PER_SEC; }

private:
    std::clock_t m_start;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void account(benchmark::State& state, double wall, double cpu, Figures& f)
{
    state.SetIterationTime(wall);
    const double blocks = FirmwareUpgrade::blocksFor(g_image.size());
    f.wall.push_back(wall * 1e6 / blocks);
    f.cpu.push_back(cpu * 1e6 / blocks);
}

void finish(benchmark::State& state, Figures& f)
{
    f.wallUs = median(f.wall);
    f.cpuUs = median(f.cpu);
    state.counters["wall_us_per_block"] = f.wallUs;
    state.counters["cpu_us_per_block"] = f.cpuUs;
}

void unitRoundTrip(benchmark::State& state)
{
    Unit unit;
    BareClient client;
    if (!unit.start() || !client.connect(unit.port())) {
        state.SkipWithError("no virtual unit");
        return;
    }
    waitFor([] { return false; }, 300);
    for (auto _ : state) {
        const CpuClock cpu;
        const double s = client.upgrade();
        if (s <= 0) {
            state.SkipWithError("the upgrade did not finish");
            return;
        }
        account(state, s, cpu.seconds(), g_bare);
    }
    finish(state, g_bare);
}
BENCHMARK(unitRoundTrip)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void applicationUpgrade(benchmark::State& state)
{
    Unit unit;
    if (!unit.start()) {
        state.SkipWithError("no virtual unit");
        return;
    }
    LinkSettings link;
    link.controlPort = unit.port();
    link.broadcastPort = freeUdpPort();
    DataModel model(link);
    model.addDeviceByAddress(0x7F000001);
    model.selectDevice(0, false);
    if (!waitFor([&] { return model.isLoggedIn(); }, 5000)) {
        state.SkipWithError("no login");
        return;
    }
    waitFor([] { return false; }, 500);
    model.setTickTimerRunning(false);

    ReportRouter router(model);
    FirmwareUpgrade upgrade(model);
    router.subscribe(&upgrade, wire::code::UpgradeSystem, [&](const ReportRouter::Event& e) {
        upgrade.handleReply(FirmwareUpgrade::Kind::System, e.any.toByteArray());
    });
    QElapsedTimer timer;
    bool done = false;
    bool failed = false;
    QObject::connect(&upgrade, &FirmwareUpgrade::started, [&] { timer.start(); });
    QObject::connect(&upgrade, &FirmwareUpgrade::finished, [&] { done = true; });
    QObject::connect(&upgrade, &FirmwareUpgrade::failed, [&] { failed = true; });
    for (auto _ : state) {
        done = false;
        const CpuClock cpu;
        upgrade.requestSystemUpgrade(g_imagePath);
        waitFor([&] { return done || failed; }, 60000);
        if (!done) {
            state.SkipWithError("the upgrade did not finish");
            return;
        }
        account(state, double(timer.nsecsElapsed()) / 1e9, cpu.seconds(), g_app);
    }
    finish(state, g_app);
}
BENCHMARK(applicationUpgrade)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    // Our own option first; the rest belongs to Google Benchmark.
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--virtual-unit") == 0) {
            g_unitProgram = QString::fromLocal8Bit(argv[i + 1]);
            for (int j = i; j + 2 < argc + 1; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    g_image = FirmwareImage::build(FirmwareImage::Target::Controller, {9, 9, 9, 0}, kImageBytes);
    g_imagePath = dir.filePath(QStringLiteral("bench.img"));
    QFile file(g_imagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(g_image) != g_image.size())
        return 1;
    file.close();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_bare.wallUs > 0 && g_app.wallUs > 0) {
        std::printf("upgrade of a %d-byte image: %d blocks of 512 bytes (medians of the rounds)\n",
                    kImageBytes, FirmwareUpgrade::blocksFor(kImageBytes));
        std::printf("                                  wall us/block   CPU us/block (this side)\n");
        std::printf("  unit round trip (bare client):  %8.1f        %8.1f\n", g_bare.wallUs,
                    g_bare.cpuUs);
        std::printf("  through the model and the file: %8.1f        %8.1f\n", g_app.wallUs,
                    g_app.cpuUs);
        std::printf("  application's share:            %8.1f        %8.1f\n",
                    g_app.wallUs - g_bare.wallUs, g_app.cpuUs - g_bare.cpuUs);
    }
    return 0;
}
