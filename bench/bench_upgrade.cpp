// What the application adds to a firmware upgrade: a 1 MiB system image goes to virtual units
// in other processes, once by a bare client that holds the image in memory and sends the next
// block the moment an acknowledgement arrives (the unit's own round trip), and once through
// the model and the firmware upgrade, which dispatch each acknowledgement through the report
// router and read each block from the file. The two alternate round by round; the median
// difference per 512-byte block is the application's share. The model's periodic refresh is
// stopped, so that both load their unit alike.
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

// Times one upgrade's CPU alongside the wall time the caller measures.
class CpuClock
{
public:
    CpuClock() : m_start(std::clock()) {}
    double seconds() const { return double(std::clock() - m_start) / CLOCKS_PER_SEC; }

private:
    std::clock_t m_start;
};

// One upgrade's cost per block.
struct Cost
{
    double wallUs = 0;
    double cpuUs = 0;
};
Cost g_bare;
Cost g_app;
Cost g_share;

Cost perBlock(double wallSeconds, double cpuSeconds)
{
    const double blocks = FirmwareUpgrade::blocksFor(g_image.size());
    return {wallSeconds * 1e6 / blocks, cpuSeconds * 1e6 / blocks};
}

// The application's side: the model logged in to its unit, the report router and the upgrade.
class ModelSide
{
public:
    bool start(quint16 port)
    {
        LinkSettings link;
        link.controlPort = port;
        link.broadcastPort = freeUdpPort();
        m_model = std::make_unique<DataModel>(link);
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(0, false);
        if (!waitFor([&] { return m_model->isLoggedIn(); }, 5000))
            return false;
        waitFor([] { return false; }, 500);
        // The refresh would load the unit beyond what the bare client asks of it.
        m_model->setTickTimerRunning(false);
        m_router = std::make_unique<ReportRouter>(*m_model);
        m_upgrade = std::make_unique<FirmwareUpgrade>(*m_model);
        FirmwareUpgrade* upgrade = m_upgrade.get();
        m_router->subscribe(
            upgrade, wire::code::UpgradeSystem, [upgrade](const ReportRouter::Event& e) {
                upgrade->handleReply(FirmwareUpgrade::Kind::System, e.any.toByteArray());
            });
        QObject::connect(upgrade, &FirmwareUpgrade::started, [this] { m_timer.start(); });
        QObject::connect(upgrade, &FirmwareUpgrade::finished, [this] { m_done = true; });
        QObject::connect(upgrade, &FirmwareUpgrade::failed, [this] { m_failed = true; });
        return true;
    }

    // Seconds from the first block to the last acknowledgement; 0 on failure.
    double upgrade()
    {
        m_done = false;
        m_failed = false;
        m_upgrade->requestSystemUpgrade(g_imagePath);
        waitFor([this] { return m_done || m_failed; }, 60000);
        return m_done ? double(m_timer.nsecsElapsed()) / 1e9 : 0.0;
    }

private:
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<ReportRouter> m_router;
    std::unique_ptr<FirmwareUpgrade> m_upgrade;
    QElapsedTimer m_timer;
    bool m_done = false;
    bool m_failed = false;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Each round upgrades the bare client's unit and then the model's, so that both see the same
// load on the machine; the share is the median of the rounds' differences. The iteration time
// is the application's upgrade.
void upgradeOneMiB(benchmark::State& state)
{
    Unit bareUnit;
    Unit modelUnit;
    BareClient client;
    ModelSide side;
    if (!bareUnit.start() || !modelUnit.start() || !client.connect(bareUnit.port()) ||
        !side.start(modelUnit.port())) {
        state.SkipWithError("no virtual unit");
        return;
    }
    std::vector<double> bareWall, bareCpu, appWall, appCpu, shareWall, shareCpu;
    for (auto _ : state) {
        const CpuClock bareClock;
        const double bareSeconds = client.upgrade();
        const Cost bare = perBlock(bareSeconds, bareClock.seconds());
        const CpuClock appClock;
        const double appSeconds = side.upgrade();
        const Cost app = perBlock(appSeconds, appClock.seconds());
        if (bareSeconds <= 0 || appSeconds <= 0) {
            state.SkipWithError("an upgrade did not finish");
            return;
        }
        state.SetIterationTime(appSeconds);
        bareWall.push_back(bare.wallUs);
        bareCpu.push_back(bare.cpuUs);
        appWall.push_back(app.wallUs);
        appCpu.push_back(app.cpuUs);
        shareWall.push_back(app.wallUs - bare.wallUs);
        shareCpu.push_back(app.cpuUs - bare.cpuUs);
    }
    g_bare = {median(bareWall), median(bareCpu)};
    g_app = {median(appWall), median(appCpu)};
    g_share = {median(shareWall), median(shareCpu)};
    state.counters["unit_us_per_block"] = g_bare.wallUs;
    state.counters["app_us_per_block"] = g_app.wallUs;
    state.counters["share_us_per_block"] = g_share.wallUs;
    state.counters["share_cpu_us_per_block"] = g_share.cpuUs;
}
BENCHMARK(upgradeOneMiB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);

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
        std::printf("  application's share:            %8.1f        %8.1f\n", g_share.wallUs,
                    g_share.cpuUs);
    }
    return 0;
}
