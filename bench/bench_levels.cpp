// Level strips and meters under a live unit: the application's main window with every strip
// shown and the meter window open, connected over loopback to a `virtual-unit` process whose
// meters move like live audio (reported every 100 ms).
//
// Prints:
//   - the process CPU time over the measured seconds, as a share of one core, with the windows
//     shown and, for comparison, hidden;
//   - the cost of one full meter refresh (all strips and the four rows of the meter window)
//     from the model into the widgets, and the same with the repaint of what changed.
//
// Run it on a display, e.g. under Xvfb with bench/bench_levels.sh.
//
//   bench_levels [--seconds S] [--rounds N] [--profile N] [--dark] [--chinese]
//                [--virtual-unit PATH] [--screenshot PREFIX]
//
// --screenshot sets up a console in use (labels, groups, a mute, a polarity flip, a pulled
// fader), grabs the main window, the meter window and the whole input row to PREFIX-main.png,
// PREFIX-meter.png and PREFIX-inputs.png, and exits without measuring.
#include "datamodel.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainwindow.h"
#include "meterdialog.h"
#include "startup.h"
#include "systemsettings.h"
#include "wire/commands.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFrame>
#include <QLineEdit>
#include <QMap>
#include <QPaintEvent>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

qint64 processCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    return probe.bind(QHostAddress::LocalHost, 0) ? probe.localPort() : 0;
}

// Waits for the virtual unit's "unit <id> listening on <address>:<port>" line.
quint16 unitPort(QProcess& process)
{
    QByteArray out;
    const QRegularExpression line(QStringLiteral("listening on [0-9.]+:(\\d+)"));
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        if (!process.waitForReadyRead(200) && process.state() != QProcess::Running)
            return 0;
        out += process.readAllStandardOutput();
        const QRegularExpressionMatch m = line.match(QString::fromLatin1(out));
        if (m.hasMatch())
            return quint16(m.captured(1).toUInt());
    }
    return 0;
}

// Paint events and painted area per widget class, to see what a live second repaints.
class PaintTally : public QObject
{
public:
    struct Entry
    {
        int events = 0;
        qint64 pixels = 0;
    };
    QMap<QString, Entry> byClass;
    bool counting = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (counting && event->type() == QEvent::Paint && watched->isWidgetType()) {
            Entry& e = byClass[QString::fromLatin1(watched->metaObject()->className())];
            ++e.events;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                e.pixels += qint64(r.width()) * r.height();
        }
        return false;
    }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

} // namespace

int main(int argc, char* argv[])
{
    // The per-user store (window geometry) of this run stays in its own directory.
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));

    QApplication app(argc, argv);
    startup::configureApplication(app);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption secondsOption("seconds", "Seconds measured (default 30).", "S", "30");
    const QCommandLineOption profileOption(
        "profile", "Channel configuration of the unit (default 0: 16 x 16).", "N", "0");
    const QCommandLineOption darkOption("dark", "The dark appearance.");
    const QCommandLineOption chineseOption("chinese", "The Chinese interface.");
    const QCommandLineOption binaryOption("virtual-unit", "The virtual-unit executable.", "path",
                                          QStringLiteral(KV_VIRTUAL_UNIT));
    const QCommandLineOption roundsOption("rounds", "Full meter refreshes timed (default 500).",
                                          "N", "500");
    const QCommandLineOption shotOption("screenshot", "Grab the windows and exit.", "prefix");
    parser.addOptions({secondsOption, profileOption, darkOption, chineseOption, binaryOption,
                       roundsOption, shotOption});
    parser.process(app);
    const int seconds = qBound(1, parser.value(secondsOption).toInt(), 600);
    const int rounds = qBound(1, parser.value(roundsOption).toInt(), 100000);
    const QString shot = parser.value(shotOption);
    const QString shotPrefix = shot.isEmpty() ? QString() : QFileInfo(shot).absoluteFilePath();

    if (!QDir::setCurrent(dir.path()))
        return 1;
    const quint16 sinkPort = freeUdpPort();
    QProcess unit;
    unit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    unit.start(parser.value(binaryOption),
               {"--port", "0", "--discovery-port", QString::number(sinkPort), "--command-port", "0",
                "--profile", parser.value(profileOption), "--run-for",
                QString::number(seconds + 120)});
    const quint16 controlPort = unitPort(unit);
    if (!controlPort) {
        std::fprintf(stderr, "bench_levels: cannot start %s\n",
                     qPrintable(parser.value(binaryOption)));
        return 1;
    }
    QObject::connect(&unit, &QProcess::readyReadStandardOutput,
                     [&unit] { unit.readAllStandardOutput(); });
    {
        QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Language/Support"), 3);
        ini.setValue(QStringLiteral("Language/Current"), parser.isSet(chineseOption) ? 0 : 1);
        ini.setValue(QStringLiteral("Appearance/Support"), 3);
        ini.setValue(QStringLiteral("Appearance/Config"), parser.isSet(darkOption) ? 1 : 0);
        ini.setValue(QStringLiteral("DeviceVersionSelection/ShowAtStartup"), false);
        ini.setValue(QStringLiteral("DeviceVersionSelection/Current"), 1);
        ini.setValue(QStringLiteral("Control/Port"), controlPort);
        ini.setValue(QStringLiteral("Broadcast/Port"), freeUdpPort());
    }

    SystemSettings settings;
    DataModel model(settings.linkSettings());
    MainWindow window(model, settings);
    window.applyDeviceVersion(settings.deviceProfile());
    // Wide enough for all 33 strips side by side, the meter window below it.
    window.setGeometry(0, 0, shot.isEmpty() ? 3300 : 1500, 860);
    window.show();
    MeterDialog* meters = window.meterDialog();
    LevelContainerWidget* strips = window.levelContainer();
    meters->setGeometry(0, 900, shot.isEmpty() ? 1100 : 760, 640);
    meters->bringForward();

    int meterReports = 0;
    QObject::connect(&model, &DataModel::tcpSyncToUI, [&](uchar type, uchar subType, uchar funcId) {
        if (type == 3 && subType == 1 && funcId == 1)
            ++meterReports;
    });
    model.addDeviceByAddress(0x7F000001);
    model.selectDevice(model.deviceCount() - 1, false);
    QElapsedTimer wait;
    wait.start();
    while (!model.isLoggedIn() && wait.elapsed() < 10000)
        runFor(50);
    if (!model.isLoggedIn()) {
        std::fprintf(stderr, "bench_levels: no login at the virtual unit on port %u\n",
                     unsigned(controlPort));
        return 1;
    }
    runFor(3000); // the first reads fill the mirror; the profile follows the unit

    if (!shotPrefix.isEmpty()) {
        // A console in use: labels, a group of three with one muted, a polarity flip, a pulled
        // fader, all sent to the unit the way the strips send them.
        const QStringList labels = {QStringLiteral("Lectern"), QStringLiteral("Handheld 1"),
                                    QStringLiteral("Handheld 2"), QStringLiteral("Choir L"),
                                    QStringLiteral("Choir R")};
        for (int i = 0; i < labels.size(); ++i)
            wire::deliver(model, wire::cmd::inputLabel(quint8(i), labels[i]));
        wire::deliver(model, wire::cmd::outputLabel(0, QStringLiteral("Main L")));
        wire::deliver(model, wire::cmd::outputLabel(1, QStringLiteral("Main R")));
        runFor(1600);
        for (uchar ch : {2, 3, 4})
            strips->preLevelWidgetGroupChanged(ch, 2);
        for (uchar ch : {0, 1})
            strips->outLevelWidgetGroupChanged(ch, 1);
        for (int ch : {2, 3, 4})
            strips->inputLevelWidget()->setGroup(ch, 2);
        for (int ch : {0, 1})
            strips->outputLevelWidget()->setGroup(ch, 1);
        runFor(1600);
        strips->inputLevelWidget()->muteButton(2)->click();
        runFor(1600);
        strips->inputLevelWidget()->invertButton(4)->click();
        runFor(1600);
        strips->inputLevelWidget()->gainEdit(1)->setText(QStringLiteral("-12.5"));
        emit strips->inputLevelWidget()->gainEdit(1)->editingFinished();
        runFor(2000);
        window.grab().save(shotPrefix + QStringLiteral("-main.png"));
        meters->grab().save(shotPrefix + QStringLiteral("-meter.png"));
        strips->inputLevelWidget()->grab().save(shotPrefix + QStringLiteral("-inputs.png"));
        std::printf("saved %s-main.png, -meter.png and -inputs.png\n", qPrintable(shotPrefix));
        model.selectDevice(-1, false);
        unit.kill();
        unit.waitForFinished(3000);
        return 0;
    }

    int shownStrips = 0;
    for (LevelWidget* row : {strips->inputLevelWidget(), strips->outputLevelWidget()})
        for (int i = 0; i < row->stripCount(); ++i)
            shownStrips += row->isStripShown(i) && !row->strip(i)->visibleRegion().isEmpty();

    // 1. The live application: CPU time over the measured seconds.
    PaintTally tally;
    app.installEventFilter(&tally);
    tally.counting = true;
    meterReports = 0;
    QElapsedTimer wall;
    wall.start();
    const qint64 cpuStart = processCpuNs();
    runFor(seconds * 1000);
    const qint64 cpuNs = processCpuNs() - cpuStart;
    const qint64 wallNs = wall.nsecsElapsed();
    tally.counting = false;
    std::printf("strips on screen: %d, meter window %s\n", shownStrips,
                meters->isVisible() ? "open" : "closed");
    std::printf("live: %.1f s, %d input meter reports (%.1f/s), CPU %.3f s = %.2f%% of one "
                "core\n",
                double(wallNs) / 1e9, meterReports, meterReports / (double(wallNs) / 1e9),
                double(cpuNs) / 1e9, 100.0 * double(cpuNs) / double(wallNs));

    std::printf("repainted per second (widget class: paint events, pixels):\n");
    for (auto it = tally.byClass.cbegin(); it != tally.byClass.cend(); ++it) {
        const double perSecond = double(wallNs) / 1e9;
        std::printf("  %-22s %8.1f %10.0f\n", qPrintable(it.key()), it->events / perSecond,
                    double(it->pixels) / perSecond);
    }

    // The same link with both windows hidden: what the connection, the model and the widgets'
    // values cost without any painting.
    window.hide();
    meters->hide();
    runFor(500);
    const qint64 hiddenCpuStart = processCpuNs();
    wall.restart();
    runFor(seconds * 1000);
    const qint64 hiddenCpuNs = processCpuNs() - hiddenCpuStart;
    const qint64 hiddenWallNs = wall.nsecsElapsed();
    std::printf("same link, windows hidden: CPU %.3f s = %.2f%% of one core\n",
                double(hiddenCpuNs) / 1e9, 100.0 * double(hiddenCpuNs) / double(hiddenWallNs));
    window.show();
    meters->show();
    runFor(500);

    // 2. One full meter refresh, without the link: new levels in the model every time, as a
    // report brings them.
    model.selectDevice(-1, false);
    runFor(300);
    auto* rng = QRandomGenerator::global();
    const auto newLevels = [&] {
        for (int i = 0; i < DataModel::kInputCount; ++i) {
            model.input(i).preFaderMeter = qint8(rng->bounded(-60, 20));
            model.input(i).postFaderMeter = qint8(rng->bounded(-60, 20));
        }
        for (int i = 0; i < DataModel::kOutputCount; ++i) {
            model.output(i).preFaderMeter = qint8(rng->bounded(-60, 20));
            model.output(i).postFaderMeter = qint8(rng->bounded(-60, 20));
        }
    };
    const auto refresh = [&] {
        strips->refreshInputMeters();
        strips->refreshOutputMeters();
        meters->refreshInputPreFader();
        meters->refreshInputPostFader();
        meters->refreshOutputPreFader();
        meters->refreshOutputPostFader();
    };
    std::vector<double> update;
    std::vector<double> painted;
    std::vector<double> repeated;
    for (int round = 0; round < rounds; ++round) {
        newLevels();
        QElapsedTimer t;
        t.start();
        refresh();
        update.push_back(double(t.nsecsElapsed()) / 1e3);
        QCoreApplication::processEvents(); // paints what changed
        painted.push_back(double(t.nsecsElapsed()) / 1e3);
        // The same levels again, as most reports of a quiet channel are: no repaint.
        t.restart();
        refresh();
        QCoreApplication::processEvents();
        repeated.push_back(double(t.nsecsElapsed()) / 1e3);
    }
    std::printf("one full meter refresh (%d strips + 66 meter columns), %d rounds, median / "
                "90th percentile:\n",
                shownStrips, rounds);
    std::printf("  model to widgets:                 %8.1f / %8.1f us\n", percentile(update, 0.5),
                percentile(update, 0.9));
    std::printf("  with the repaint of every meter:  %8.1f / %8.1f us\n", percentile(painted, 0.5),
                percentile(painted, 0.9));
    std::printf("  unchanged levels (no repaint):    %8.1f / %8.1f us\n", percentile(repeated, 0.5),
                percentile(repeated, 0.9));

    unit.kill();
    unit.waitForFinished(3000);
    return 0;
}
