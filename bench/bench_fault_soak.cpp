// A long run of one DataModel against virtual units that misbehave, to show that the link
// always comes back and that memory stays flat. Four units run side by side on loopback, each
// with one fault: it drops every connection after a while, falls silent after a while, sends
// bursts of bytes that frame nothing, or answers everything late. The model is moved from one
// to the next in phases, round and round, until the time is up.
//
// Counted: refresh cycles (input meter reports), reports dispatched, connection time-outs,
// reconnects, logins, garbage bursts skipped; for every loss of the link, the time until it was
// up and logged in again. The resident size is sampled every few seconds and printed as a curve.
// The exit status is 1 when a loss is not recovered within the deadline, when the link is lost
// where no fault should take it down, when a packet is cut wrongly, or when the resident size
// keeps growing (see RssTrend); 2 when the run cannot start.
//
//   bench_fault_soak [--minutes M] [--phase-seconds S] [--deadline-seconds D]
//                    [--max-slope-kb-per-min K] [--max-rise-kb K] [--leak-kb-per-min K]
//                    [--virtual-unit PATH]
#include "benchsupport.h"
#include "datamodel.h"
#include "linkwatch.h"
#include "rsstrend.h"
#include "wire/codes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using bench::freeTcpPort;
using bench::freeUdpPort;
using bench::waitFor;

constexpr int kKinds = 4;
constexpr int kDropAfterMs = 5000;
constexpr int kSilentAfterMs = 5000;
constexpr int kGarbageEveryMs = 100;
constexpr int kAnswerDelayMs = 1000;
constexpr quint32 kFirstDeviceId = 20001;
constexpr quint32 kFirstAddress = 0x7F000001; // 127.0.0.1, then .2, .3, .4

struct Kind
{
    const char* name;
    LinkWatch::Cause cause; // what a loss of the link is put down to
    QStringList faultArguments;
};

const std::array<Kind, kKinds>& kinds()
{
    static const std::array<Kind, kKinds> all{{
        {"drop", LinkWatch::Cause::Drop, {"--drop-after", QString::number(kDropAfterMs)}},
        {"silence", LinkWatch::Cause::Silence, {"--silent-after", QString::number(kSilentAfterMs)}},
        {"garbage",
         LinkWatch::Cause::Unexpected,
         {"--garbage-every", QString::number(kGarbageEveryMs)}},
        {"delay",
         LinkWatch::Cause::Unexpected,
         {"--answer-delay", QString::number(kAnswerDelayMs)}},
    }};
    return all;
}

// What the model received. The skipped bytes are seen through the framing's debug log: a run
// of header errors between two good packets is one burst.
struct Counts
{
    quint64 reports = 0;
    quint64 meterCycles = 0;
    int timeouts = 0;
    int roundsTried = 0; // time-outs after every local address had been tried
    int logins = 0;
    int garbageBursts = 0;
    quint64 garbageBytes = 0;
    int tailErrors = 0;
    bool inGarbage = false;
};

Counts g_counts;
QtMessageHandler g_previousHandler = nullptr;

void countFramingLog(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (context.category && qstrcmp(context.category, "kv.wire") == 0) {
        if (message.startsWith(QLatin1String("PacketHeader Error"))) {
            ++g_counts.garbageBytes;
            if (!g_counts.inGarbage)
                ++g_counts.garbageBursts;
            g_counts.inGarbage = true;
            return;
        }
        if (message.startsWith(QLatin1String("PacketTailer Error"))) {
            ++g_counts.tailErrors;
            return;
        }
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

// The model as the application builds it, counting every packet on its way in.
class SoakModel : public DataModel
{
public:
    SoakModel(const LinkSettings& settings, const QElapsedTimer& clock)
        : DataModel(settings), m_clock(clock)
    {}
    qint64 lastDataMs() const { return m_lastDataMs; }

protected:
    void dispatchPacket(const wire::PacketHeader& header, const char* payload) override
    {
        m_lastDataMs = m_clock.elapsed();
        g_counts.inGarbage = false;
        ++g_counts.reports;
        if (header.code() == wire::code::InputPostFaderMeters)
            ++g_counts.meterCycles;
        DataModel::dispatchPacket(header, payload);
    }

private:
    const QElapsedTimer& m_clock;
    qint64 m_lastDataMs = 0;
};

double residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

struct KindTotals
{
    int phases = 0;
    qint64 ms = 0;
    quint64 reports = 0;
    quint64 meterCycles = 0;
    int timeouts = 0;
    int garbageBursts = 0;
    int losses = 0;
};

void printRecovery(const std::vector<LinkWatch::Outage>& outages, LinkWatch::Cause cause)
{
    std::vector<qint64> down;
    std::vector<qint64> sinceData;
    for (const LinkWatch::Outage& o : outages) {
        if (o.cause == cause && o.upMs >= 0) {
            down.push_back(o.downtimeMs());
            sinceData.push_back(o.sinceDataMs());
        }
    }
    if (down.empty())
        return;
    std::sort(down.begin(), down.end());
    std::sort(sinceData.begin(), sinceData.end());
    std::printf("  %-10s n=%3zu  down->up ms: min %5lld median %5lld max %5lld",
                qPrintable(LinkWatch::name(cause)), down.size(), down.front(),
                down[down.size() / 2], down.back());
    // A switch leaves a unit that was fine: its last packet says nothing.
    if (cause != LinkWatch::Cause::Switch)
        std::printf("   last packet->up ms: min %5lld median %5lld max %5lld", sinceData.front(),
                    sinceData[sinceData.size() / 2], sinceData.back());
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption minutesOption("minutes", "Length of the run (default 5).", "M", "5");
    const QCommandLineOption phaseOption(
        "phase-seconds", "Time on one faulty unit before the next (default: an eighth, 20..60).",
        "S", "0");
    const QCommandLineOption deadlineOption(
        "deadline-seconds", "A lost link must be up and logged in again within (default 15).", "D",
        "15");
    const QCommandLineOption slopeOption(
        "max-slope-kb-per-min", "Resident size growth allowed over the second half (default 64).",
        "K", "64");
    const QCommandLineOption riseOption(
        "max-rise-kb", "Last quarter's median allowed above the second quarter's (default 512).",
        "K", "512");
    const QCommandLineOption leakOption(
        "leak-kb-per-min", "Leak this much on purpose, to see the growth check fire.", "K", "0");
    const QCommandLineOption unitOption("virtual-unit", "The virtual-unit executable.", "path",
                                        QStringLiteral(KV_VIRTUAL_UNIT));
    parser.addOptions({minutesOption, phaseOption, deadlineOption, slopeOption, riseOption,
                       leakOption, unitOption});
    parser.process(app);
    const qint64 totalMs =
        qint64(qBound(0.1, parser.value(minutesOption).toDouble(), 1440.0) * 60000);
    qint64 phaseMs = qint64(parser.value(phaseOption).toDouble() * 1000);
    if (phaseMs <= 0)
        phaseMs = qBound<qint64>(20000, totalMs / 8, 60000);
    const int phaseCount = std::max(kKinds, int((totalMs + phaseMs / 2) / phaseMs));
    const qint64 deadlineMs = qint64(parser.value(deadlineOption).toDouble() * 1000);
    const double maxSlope = parser.value(slopeOption).toDouble();
    const double maxRise = parser.value(riseOption).toDouble();
    const double leakKbPerMinute = parser.value(leakOption).toDouble();

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 2;
    LinkSettings link;
    link.controlPort = freeTcpPort();
    link.broadcastPort = freeUdpPort();

    // Garbage is seen in the framing's debug log (a line per skipped byte), which the
    // application writes unless logging rules turn it off.
    QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=true"));
    g_previousHandler = qInstallMessageHandler(countFramingLog);

    // The units outlive the longest run (every phase waiting out a late reconnect), and go
    // by themselves should this program be killed.
    const qint64 runForSeconds = phaseCount * (phaseMs + deadlineMs + 5000) / 1000 + 60;
    std::vector<std::unique_ptr<QProcess>> units;
    for (int k = 0; k < kKinds; ++k) {
        auto unit = std::make_unique<QProcess>();
        unit->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcess* p = unit.get();
        QObject::connect(p, &QProcess::readyReadStandardOutput, p,
                         [p] { p->readAllStandardOutput(); });
        QStringList arguments{
            "--listen",         QHostAddress(kFirstAddress + quint32(k)).toString(),
            "--port",           QString::number(link.controlPort),
            "--discovery-port", QString::number(link.broadcastPort),
            "--command-port",   "0",
            "--device-id",      QString::number(kFirstDeviceId + quint32(k)),
            "--run-for",        QString::number(runForSeconds)};
        arguments << kinds()[std::size_t(k)].faultArguments;
        unit->start(parser.value(unitOption), arguments);
        if (!unit->waitForStarted(5000)) {
            std::fprintf(stderr, "bench_fault_soak: cannot start %s\n",
                         qPrintable(parser.value(unitOption)));
            return 2;
        }
        units.push_back(std::move(unit));
    }

    QElapsedTimer clock;
    clock.start();
    SoakModel model(link, clock);
    const auto indexOfKind = [&model](int k) {
        return model.indexOfAddress(kFirstAddress + quint32(k));
    };
    if (!waitFor(
            [&] {
                for (int k = 0; k < kKinds; ++k) {
                    if (indexOfKind(k) < 0)
                        return false;
                }
                return true;
            },
            10000)) {
        std::fprintf(stderr, "bench_fault_soak: not every unit was heard\n");
        return 2;
    }

    LinkWatch watch(deadlineMs);
    const auto observe = [&] {
        watch.observe(clock.elapsed(), model.isConnected() && model.isLoggedIn(),
                      model.lastDataMs());
    };
    QObject::connect(&model, &DataModel::deviceListNetworkChanged, observe);
    QObject::connect(&model, &DataModel::tcpLoginChanged, [&](uchar answer) {
        g_counts.logins += answer == 1 ? 1 : 0;
        observe();
    });
    QObject::connect(&model, &DataModel::tcpConnectTimeout, [&](bool allTried) {
        ++g_counts.timeouts;
        g_counts.roundsTried += allTried ? 1 : 0;
        observe();
    });
    QTimer watchTimer;
    QObject::connect(&watchTimer, &QTimer::timeout, observe);
    watchTimer.start(100);

    RssTrend rss;
    const int sampleMs = 5000;
    QTimer sampleTimer;
    QObject::connect(&sampleTimer, &QTimer::timeout,
                     [&] { rss.add(double(clock.elapsed()) / 1000, residentKb()); });

    std::vector<QByteArray> leaked;
    QTimer leakTimer;
    QObject::connect(&leakTimer, &QTimer::timeout,
                     [&] { leaked.emplace_back(int(leakKbPerMinute * 1024 / 60), char(1)); });
    if (leakKbPerMinute > 0)
        leakTimer.start(1000);

    std::printf("fault soak: %d phases of %.1f s over %d units on 127.0.0.1-%d port %u; "
                "faults: drop after %d ms, silent after %d ms, garbage every %d ms, answers "
                "%d ms late; deadline %.0f s\n",
                phaseCount, double(phaseMs) / 1000, kKinds, kKinds, unsigned(link.controlPort),
                kDropAfterMs, kSilentAfterMs, kGarbageEveryMs, kAnswerDelayMs,
                double(deadlineMs) / 1000);
    std::fflush(stdout);

    // A fault in progress is let run its course, so that each loss is measured on its own unit.
    const auto settle = [&] {
        waitFor([&] { return watch.isUp() && clock.elapsed() - model.lastDataMs() < 500; },
                deadlineMs + 5000);
    };
    std::array<KindTotals, kKinds> totals{};
    // Times are counted from here; no unit was selected before, so no packet has arrived yet.
    clock.restart();
    const qint64 soakStart = 0;
    rss.add(0, residentKb());
    sampleTimer.start(sampleMs);
    for (int phase = 0; phase < phaseCount; ++phase) {
        const int k = phase % kKinds;
        const Kind& kind = kinds()[std::size_t(k)];
        const Counts before = g_counts;
        const std::size_t outagesBefore = watch.outages().size();
        const qint64 start = clock.elapsed();
        watch.switchUnit(start, model.lastDataMs());
        watch.setCause(kind.cause);
        model.selectDevice(indexOfKind(k), false);
        waitFor([] { return false; }, soakStart + (phase + 1) * phaseMs - clock.elapsed());
        settle();
        observe();

        KindTotals& t = totals[std::size_t(k)];
        ++t.phases;
        t.ms += clock.elapsed() - start;
        t.reports += g_counts.reports - before.reports;
        t.meterCycles += g_counts.meterCycles - before.meterCycles;
        t.timeouts += g_counts.timeouts - before.timeouts;
        t.garbageBursts += g_counts.garbageBursts - before.garbageBursts;
        for (std::size_t i = outagesBefore; i < watch.outages().size(); ++i)
            t.losses += watch.outages()[i].cause != LinkWatch::Cause::Switch ? 1 : 0;
        std::printf("phase %2d %-8s %6.1f s..%6.1f s  reports %7llu  meter cycles %5llu  "
                    "time-outs %2d  garbage bursts %4d\n",
                    phase + 1, kind.name, double(start - soakStart) / 1000,
                    double(clock.elapsed() - soakStart) / 1000,
                    static_cast<unsigned long long>(g_counts.reports - before.reports),
                    static_cast<unsigned long long>(g_counts.meterCycles - before.meterCycles),
                    g_counts.timeouts - before.timeouts,
                    g_counts.garbageBursts - before.garbageBursts);
        std::fflush(stdout);
    }
    watchTimer.stop();
    sampleTimer.stop();
    if (clock.elapsed() - qint64(rss.samples().back().seconds * 1000) > 1000)
        rss.add(double(clock.elapsed()) / 1000, residentKb());
    watch.switchUnit(clock.elapsed(), model.lastDataMs());
    model.selectDevice(-1, false);
    for (auto& unit : units) {
        unit->terminate();
        unit->waitForFinished(3000);
    }

    const std::vector<LinkWatch::Outage>& outages = watch.outages();
    std::printf("\nper fault kind:\n  %-8s %6s %8s %9s %12s %9s %7s %8s\n", "kind", "phases",
                "seconds", "reports", "meter cycles", "cycles/s", "losses", "garbage");
    for (int k = 0; k < kKinds; ++k) {
        const KindTotals& t = totals[std::size_t(k)];
        const double seconds = double(t.ms) / 1000;
        std::printf("  %-8s %6d %8.1f %9llu %12llu %9.2f %7d %8d\n", kinds()[std::size_t(k)].name,
                    t.phases, seconds, static_cast<unsigned long long>(t.reports),
                    static_cast<unsigned long long>(t.meterCycles),
                    seconds > 0 ? double(t.meterCycles) / seconds : 0.0, t.losses, t.garbageBursts);
    }
    int unexpected = 0;
    for (const LinkWatch::Outage& o : outages)
        unexpected += o.cause == LinkWatch::Cause::Unexpected ? 1 : 0;

    std::printf("\ntotals: refresh cycles %llu, reports dispatched %llu, time-outs %d (%d after "
                "every address was tried), reconnects %d, logins %d, garbage bursts survived %d "
                "(%llu bytes skipped), packets cut wrongly %d, losses without a fault %d\n",
                static_cast<unsigned long long>(g_counts.meterCycles),
                static_cast<unsigned long long>(g_counts.reports), g_counts.timeouts,
                g_counts.roundsTried, watch.reconnects(), g_counts.logins, g_counts.garbageBursts,
                static_cast<unsigned long long>(g_counts.garbageBytes), g_counts.tailErrors,
                unexpected);

    std::printf("\nrecovery, up and logged in again:\n");
    for (LinkWatch::Cause cause : {LinkWatch::Cause::Drop, LinkWatch::Cause::Silence,
                                   LinkWatch::Cause::Unexpected, LinkWatch::Cause::Switch})
        printRecovery(outages, cause);
    std::printf("\nevery loss (time in s, cause, down->up ms, last packet->up ms):\n");
    for (const LinkWatch::Outage& o : outages) {
        if (o.cause != LinkWatch::Cause::Switch)
            std::printf("  %7.1f  %-10s %6lld %6lld%s\n", double(o.downMs - soakStart) / 1000,
                        qPrintable(LinkWatch::name(o.cause)), o.downtimeMs(), o.sinceDataMs(),
                        o.failed ? "  NOT RECOVERED IN TIME" : "");
    }

    std::printf("\nresident size (s, KB):\n");
    for (const RssTrend::Sample& s : rss.samples())
        std::printf("  %7.1f %8.0f\n", s.seconds, s.kb);
    std::printf("second half slope %.1f KB/min (limit %.0f), last quarter median - second "
                "quarter median %.0f KB (limit %.0f)%s\n",
                rss.slopeKbPerMinute(), maxSlope, rss.riseKb(), maxRise,
                rss.canJudge() ? "" : "; too few samples to judge");

    QStringList failures = watch.failures();
    if (g_counts.tailErrors > 0)
        failures << QStringLiteral("%1 packets cut wrongly").arg(g_counts.tailErrors);
    if (rss.keepsGrowing(maxSlope, maxRise))
        failures << QStringLiteral("the resident size keeps growing");
    if (failures.isEmpty()) {
        std::printf("\nPASS\n");
        return 0;
    }
    std::printf("\nFAIL:\n");
    for (const QString& f : qAsConst(failures))
        std::printf("  %s\n", qPrintable(f));
    return 1;
}
