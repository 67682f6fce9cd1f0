// Discovery under load: N virtual units (default 256) on consecutive loopback addresses,
// announcing once a second from a `virtual-unit --count N` process, heard by one DataModel.
// Prints the time until all are listed, the GUI-thread time spent on their datagrams (split
// into datagrams that added a unit, which carry the registry insert, and repeated ones), and
// while they keep announcing, per second: the time spent on datagrams and the longest delay
// of a 1 ms timer on the GUI thread.
//
//   bench_discovery [--units N] [--seconds S] [--virtual-unit PATH]
#include "datamodel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

// Time the GUI thread spends in one second, and the longest it was kept from a 1 ms timer.
struct Second
{
    qint64 handlingNs = 0;
    qint64 maxReadNs = 0;
    qint64 maxLagNs = 0;
    qint64 totalLagNs = 0;
    int datagrams = 0;
};

constexpr int kBaselineSeconds = 3;

struct Summary
{
    int seconds = 0;
    int datagrams = 0;
    qint64 handlingNs = 0;
    qint64 maxHandlingNs = 0;
    qint64 maxReadNs = 0;
    qint64 maxLagNs = 0;
    qint64 totalLagNs = 0;
};

Summary summarize(const std::vector<Second>& perSecond, std::size_t from, std::size_t to,
                  bool print)
{
    Summary sum;
    for (std::size_t i = from; i < to && i < perSecond.size(); ++i) {
        const Second& s = perSecond[i];
        if (print)
            std::printf("  %3d  %5d  %7.2f  %7.3f  %7.2f  %7.2f\n", sum.seconds + 1, s.datagrams,
                        ms(s.handlingNs), ms(s.maxReadNs), ms(s.maxLagNs), ms(s.totalLagNs));
        ++sum.seconds;
        sum.datagrams += s.datagrams;
        sum.handlingNs += s.handlingNs;
        sum.maxHandlingNs = std::max(sum.maxHandlingNs, s.handlingNs);
        sum.maxReadNs = std::max(sum.maxReadNs, s.maxReadNs);
        sum.maxLagNs = std::max(sum.maxLagNs, s.maxLagNs);
        sum.totalLagNs += s.totalLagNs;
    }
    return sum;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption unitsOption("units", "Number of units (default 256).", "N", "256");
    const QCommandLineOption secondsOption(
        "seconds", "Seconds measured while the units keep announcing (default 10).", "S", "10");
    const QCommandLineOption binaryOption("virtual-unit", "The virtual-unit executable.", "path",
                                          QStringLiteral(KV_VIRTUAL_UNIT));
    parser.addOptions({unitsOption, secondsOption, binaryOption});
    parser.process(app);
    const int units = qBound(1, parser.value(unitsOption).toInt(), 4096);
    const int seconds = qBound(1, parser.value(secondsOption).toInt(), 600);

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    quint16 port = 0;
    {
        QUdpSocket probe;
        if (!probe.bind(QHostAddress::LocalHost, 0))
            return 1;
        port = probe.localPort();
    }
    LinkSettings link;
    link.broadcastPort = port;
    DataModel model(link);

    // Time every read of the discovery socket: the model's own slot, called from here.
    QPointer<QUdpSocket> receiver;
    const auto sockets = model.findChildren<QUdpSocket*>();
    for (QUdpSocket* s : sockets) {
        if (s->localPort() == port)
            receiver = s;
    }
    if (!receiver) {
        std::fprintf(stderr, "bench_discovery: the model does not listen on port %u\n",
                     unsigned(port));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    std::vector<Second> perSecond(1);
    qint64 addingNs = 0;
    int addingReads = 0;
    int datagrams = 0;
    QObject::connect(&model, &DataModel::deviceListAdd, [&] { ++datagrams; });
    QObject::connect(&model, &DataModel::deviceListRunTimeChanged, [&] { ++datagrams; });
    QObject::disconnect(receiver, &QUdpSocket::readyRead, nullptr, nullptr);
    QObject::connect(receiver, &QUdpSocket::readyRead, [&] {
        const int before = model.deviceCount();
        const int datagramsBefore = datagrams;
        QElapsedTimer t;
        t.start();
        model.udpReadyRead();
        const qint64 ns = t.nsecsElapsed();
        if (model.deviceCount() > before) {
            addingNs += ns;
            ++addingReads;
        }
        perSecond.back().handlingNs += ns;
        perSecond.back().maxReadNs = std::max(perSecond.back().maxReadNs, ns);
        perSecond.back().datagrams += datagrams - datagramsBefore;
    });

    // The lag probe: a 1 ms timer; any delay beyond its period is time the GUI thread was busy.
    QTimer lagTimer;
    lagTimer.setTimerType(Qt::PreciseTimer);
    lagTimer.setInterval(1);
    qint64 lastTick = clock.nsecsElapsed();
    qint64 secondStart = lastTick;
    QObject::connect(&lagTimer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 lag = std::max<qint64>(0, now - lastTick - 1'000'000);
        lastTick = now;
        Second& s = perSecond.back();
        s.maxLagNs = std::max(s.maxLagNs, lag);
        s.totalLagNs += lag;
        if (now - secondStart >= 1'000'000'000) {
            secondStart = now;
            perSecond.emplace_back();
        }
    });
    lagTimer.start();
    const auto runFor = [](int msToRun) {
        QEventLoop loop;
        QTimer::singleShot(msToRun, &loop, &QEventLoop::quit);
        loop.exec();
    };
    // Idle baseline: what the timer shows of this machine's own scheduling noise.
    runFor(kBaselineSeconds * 1000 + 500);
    const std::size_t baselineEnd = perSecond.size() - 1;

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&process] { process.readAllStandardOutput(); });
    const qint64 startNs = clock.nsecsElapsed();
    process.start(parser.value(binaryOption),
                  {"--listen", "127.0.0.1", "--count", QString::number(units), "--port", "0",
                   "--discovery-port", QString::number(port), "--command-port", "0", "--run-for",
                   QString::number(seconds + 60)});
    if (!process.waitForStarted(5000)) {
        std::fprintf(stderr, "bench_discovery: cannot start %s\n",
                     qPrintable(parser.value(binaryOption)));
        return 1;
    }

    qint64 firstListedNs = -1;
    qint64 allListedNs = -1;
    QObject::connect(&model, &DataModel::deviceListAdd, [&] {
        const qint64 now = clock.nsecsElapsed() - startNs;
        if (firstListedNs < 0)
            firstListedNs = now;
        if (model.deviceCount() == units)
            allListedNs = now;
    });
    {
        QEventLoop loop;
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&model, &DataModel::deviceListAdd, &loop, [&] {
            if (model.deviceCount() == units)
                loop.quit();
        });
        giveUp.start(30000);
        loop.exec();
    }
    const qint64 addingTotalNs = addingNs;
    const int addingTotalReads = addingReads;
    const int listed = model.deviceCount();

    // Steady state: whole seconds after every unit is listed and has announced again.
    const std::size_t firstSteady = perSecond.size() + 1;
    runFor((seconds + 2) * 1000);
    lagTimer.stop();
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();

    std::printf("units: %d, discovery port %u\n", units, unsigned(port));
    std::printf("listed: %d of %d\n", listed, units);
    if (firstListedNs >= 0)
        std::printf("first unit listed:   %8.1f ms after the process started\n", ms(firstListedNs));
    if (allListedNs >= 0)
        std::printf("all units listed:    %8.1f ms after the process started\n", ms(allListedNs));
    std::printf("datagrams that added units: %d reads, %.1f ms in total (%.3f ms per unit, "
                "registry insert included)\n",
                addingTotalReads, ms(addingTotalNs), ms(addingTotalNs) / std::max(1, listed));

    const Summary idle = summarize(perSecond, 1, baselineEnd, false);
    if (idle.seconds > 0)
        std::printf("idle baseline over %d s: longest 1 ms timer delay %.2f ms, delays %.2f ms/s\n",
                    idle.seconds, ms(idle.maxLagNs), ms(idle.totalLagNs) / idle.seconds);
    std::printf("announcing, per second: datagrams, handling ms, longest read ms, longest 1 ms "
                "timer delay ms, delays ms\n");
    const Summary load = summarize(perSecond, firstSteady, perSecond.size() - 1, true);
    if (load.seconds > 0) {
        std::printf("announcing over %d s: %.0f datagrams/s; handling %.2f ms/s on average, %.2f "
                    "at most (%.1f us per datagram); longest read %.3f ms; longest 1 ms timer "
                    "delay %.2f ms, delays %.2f ms/s\n",
                    load.seconds, double(load.datagrams) / load.seconds,
                    ms(load.handlingNs) / load.seconds, ms(load.maxHandlingNs),
                    load.datagrams ? double(load.handlingNs) / load.datagrams / 1000.0 : 0.0,
                    ms(load.maxReadNs), ms(load.maxLagNs), ms(load.totalLagNs) / load.seconds);
    }
    return listed == units ? 0 : 1;
}
