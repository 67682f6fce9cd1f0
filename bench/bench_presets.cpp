// What the application adds to a preset export: all 32 presets are exported from virtual units
// in other processes, by a bare client that only asks for the next block when one arrives (the
// unit's own round trip), and through the model and the preset file transfer, which also
// dispatch each answer and write the file. The difference per 512-byte block is the
// application's share.
//
//   bench_presets [--rounds N] [--virtual-unit PATH]
#include "benchsupport.h"
#include "datamodel.h"
#include "presetedits.h"
#include "presetfiletransfer.h"
#include "reportrouter.h"
#include "wire/commands.h"
#include "wire/packetcutter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::freeTcpPort;
using bench::freeUdpPort;
using bench::waitFor;

// The bare client, on a unit of its own (a unit keeps one connection): it fills the unit's
// slots, then fetches every block of the bank, each request sent the moment the previous block
// has arrived.
class BareClient
{
public:
    bool connect(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        if (!m_socket.waitForConnected(3000))
            return false;
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { read(); });
        send(wire::cmd::login(QString()));
        for (int slot = 0; slot < wire::kPresetCount; ++slot)
            send(wire::cmd::presetSave(quint8(slot)));
        waitFor([] { return false; }, 500);
        return true;
    }

    // Nanoseconds per block of one export of the bank; 0 on failure.
    double exportAll()
    {
        m_blocks = -1;
        m_received = 0;
        send(wire::cmd::presetExportAllStart());
        waitFor([this] { return m_blocks > 0 && m_received == m_blocks; }, 20000);
        if (m_blocks <= 0 || m_received != m_blocks)
            return 0;
        return double(m_timer.nsecsElapsed()) / m_blocks;
    }

private:
    void send(const wire::Command& c) { m_socket.write(c.packet()); }

    void read()
    {
        m_cutter.append(m_socket.readAll());
        m_cutter.cut([this](const wire::PacketHeader& h, const char* p) {
            if (h.code() != wire::code::PresetExportAll || h.length < 4)
                return;
            const quint16 word = wire::readU16(p);
            if (word == 0 && m_blocks < 0) {
                m_blocks = wire::readU16(p + 2);
                m_timer.start();
                send(wire::cmd::presetExportBlockRequest(true, 0));
            } else if (word == 0x0100 && wire::readU16(p + 2) == m_received) {
                if (++m_received < m_blocks)
                    send(wire::cmd::presetExportBlockRequest(true, quint16(m_received)));
            }
        });
    }

    QTcpSocket m_socket;
    wire::PacketCutter m_cutter;
    QElapsedTimer m_timer;
    int m_blocks = -1;
    int m_received = 0;
};

bool startUnit(QProcess& unit, const QString& program, quint16 port, quint16 discoveryPort)
{
    unit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    unit.start(program, {"--listen", "127.0.0.1", "--port", QString::number(port),
                         "--discovery-port", QString::number(discoveryPort), "--run-for", "600"});
    return unit.waitForStarted(5000);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption roundsOption("rounds", "Exports of each kind.", "n", "10");
    QCommandLineOption unitOption("virtual-unit", "virtual-unit executable.", "path",
                                  QStringLiteral(KV_VIRTUAL_UNIT));
    parser.addOptions({roundsOption, unitOption});
    parser.addHelpOption();
    parser.process(app);
    const int rounds = std::max(1, parser.value(roundsOption).toInt());

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    LinkSettings link;
    link.controlPort = freeTcpPort();
    link.broadcastPort = freeUdpPort();
    QProcess unit;
    QProcess bareUnit;
    const quint16 barePort = freeTcpPort();
    if (!startUnit(unit, parser.value(unitOption), link.controlPort, link.broadcastPort) ||
        !startUnit(bareUnit, parser.value(unitOption), barePort, freeUdpPort())) {
        std::fprintf(stderr, "virtual-unit did not start\n");
        return 1;
    }
    waitFor([] { return false; }, 300);
    BareClient client;
    if (!client.connect(barePort)) {
        std::fprintf(stderr, "no connection to the second unit\n");
        return 1;
    }
    DataModel model(link);
    if (!waitFor([&] { return model.deviceCount() > 0; }, 5000)) {
        std::fprintf(stderr, "the unit was not heard\n");
        return 1;
    }
    model.selectDevice(0, false);
    if (!waitFor([&] { return model.isLoggedIn(); }, 5000)) {
        std::fprintf(stderr, "no login\n");
        return 1;
    }
    // Every slot holds a preset.
    PresetEdits edits(model);
    for (int slot = 0; slot < wire::kPresetCount; ++slot)
        edits.save(slot);
    waitFor([] { return false; }, 500);

    ReportRouter router(model);
    PresetFileTransfer transfer(model);
    router.subscribe(&transfer, wire::code::PresetExportAll, [&](const ReportRouter::Event& e) {
        transfer.handleAnswer(e.code, e.any.toByteArray());
    });
    int blocks = 0;
    QElapsedTimer timer;
    QObject::connect(&transfer, &PresetFileTransfer::started, [&](int n) {
        blocks = n;
        timer.start();
    });

    std::vector<double> bare, model_;
    for (int r = 0; r < rounds; ++r) {
        const double ns = client.exportAll();
        if (ns <= 0) {
            std::fprintf(stderr, "the bare export did not finish\n");
            return 1;
        }
        bare.push_back(ns / 1000.0);

        bool done = false;
        const auto finished =
            QObject::connect(&transfer, &PresetFileTransfer::finished, [&] { done = true; });
        transfer.startExport(PresetFileTransfer::Scope::AllPresets, 0,
                             dir.filePath(QStringLiteral("bank.pstl")));
        waitFor([&] { return done; }, 20000);
        QObject::disconnect(finished);
        if (!done) {
            std::fprintf(stderr, "the export did not finish\n");
            return 1;
        }
        model_.push_back(double(timer.nsecsElapsed()) / blocks / 1000.0);
    }
    std::sort(bare.begin(), bare.end());
    std::sort(model_.begin(), model_.end());
    const double bareMedian = bare[bare.size() / 2];
    const double modelMedian = model_[model_.size() / 2];
    std::printf("export of all presets: %d blocks of 512 bytes, %d rounds\n", blocks, rounds);
    std::printf("  unit round trip (bare client):   %.1f us per block (median; min %.1f)\n",
                bareMedian, bare.front());
    std::printf("  through the model and the file:  %.1f us per block (median; min %.1f)\n",
                modelMedian, model_.front());
    std::printf("  application's share:             %.1f us per block\n", modelMedian - bareMedian);
    for (QProcess* p : {&unit, &bareUnit}) {
        p->terminate();
        p->waitForFinished(3000);
    }
    return 0;
}
