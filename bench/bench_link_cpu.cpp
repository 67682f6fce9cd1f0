// CPU share of the application side of one live link: a DataModel connected and logged in to
// a virtual unit in another process, doing nothing but its periodic refresh (meters every
// 100 ms, state every 200 ms, the fan every 500 ms), over a measured interval.
//
//   bench_link_cpu [--seconds S] [--virtual-unit PATH]
#include "benchsupport.h"
#include "datamodel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

using bench::freeTcpPort;
using bench::freeUdpPort;
using bench::waitFor;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption secondsOption("seconds", "Measured interval.", "s", "20");
    QCommandLineOption unitOption("virtual-unit", "virtual-unit executable.", "path",
                                  QStringLiteral(KV_VIRTUAL_UNIT));
    parser.addOptions({secondsOption, unitOption});
    parser.addHelpOption();
    parser.process(app);
    const int seconds = parser.value(secondsOption).toInt();

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const quint16 controlPort = freeTcpPort();
    const quint16 discoveryPort = freeUdpPort();
    LinkSettings link;
    link.controlPort = controlPort;
    link.broadcastPort = discoveryPort;

    QProcess unit;
    unit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    unit.start(parser.value(unitOption),
               {"--listen", "127.0.0.1", "--port", QString::number(controlPort), "--discovery-port",
                QString::number(discoveryPort), "--run-for", QString::number(seconds + 30)});
    if (!unit.waitForStarted(5000)) {
        std::fprintf(stderr, "virtual-unit did not start\n");
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
    waitFor([] { return false; }, 1000); // settle

    int reports = 0;
    QObject::connect(&model, &DataModel::tcpSyncToUI, [&reports] { ++reports; });
    const double cpuStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = cpuSeconds() - cpuStart;
    const double elapsed = double(wall.elapsed()) / 1000.0;
    std::printf("link CPU over %.1f s: %.3f s = %.2f%% of one core; %d mirror changes announced, "
                "still logged in: %s\n",
                elapsed, cpu, 100.0 * cpu / elapsed, reports, model.isLoggedIn() ? "yes" : "no");
    unit.terminate();
    unit.waitForFinished(3000);
    return 0;
}
