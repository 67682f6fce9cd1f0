// kvctl serve under load, measured from outside: the daemon runs as its own process and its
// CPU time is read from /proc.
//   idle   16 virtual units served at once, no client: CPU share of one core
//   ws     50 WebSocket clients subscribed to every meter of one unit: CPU share, and how
//          many meter messages each client received against the unit's ten a second
//   http   from an HTTP write to its packet at the unit: a continuous key (coalesced, so the
//          figure is what comes beyond the 180 ms delay) and a switch (sent at once)
//
//   bench_serve [--mode idle|ws|http|all] [--seconds S]
#include "benchsupport.h"
#include "controlserver.h"
#include "unitconfig.h"
#include "virtualunit.h"
#include "wire/codes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

using bench::freeTcpPort;
using bench::freeUdpPort;
using bench::waitFor;

// User and system time of a process, in seconds.
double processCpu(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // Fields after the command name (which may hold spaces) in parentheses.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / ticks;
}

struct Serve
{
    QProcess process;
    QString http;
    QString webSocket;

    bool start(const QStringList& arguments)
    {
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start(QStringLiteral(KV_KVCTL), QStringList{QStringLiteral("serve")} + arguments);
        QString out;
        const bool up = waitFor(
            [&] {
                out += QString::fromUtf8(process.readAllStandardOutput());
                return out.contains(QLatin1String("http ")) &&
                       out.contains(QLatin1String("websocket "));
            },
            10000);
        const auto address = [&](const char* side) {
            return QRegularExpression(QStringLiteral("^%1 (\\S+)$").arg(QLatin1String(side)),
                                      QRegularExpression::MultilineOption)
                .match(out)
                .captured(1);
        };
        http = address("http");
        webSocket = address("websocket");
        return up;
    }
    ~Serve()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
};

QJsonDocument getJson(QNetworkAccessManager& network, const QString& url)
{
    QNetworkReply* reply = network.get(QNetworkRequest(QUrl(url)));
    waitFor([reply] { return reply->isFinished(); }, 5000);
    reply->deleteLater();
    return QJsonDocument::fromJson(reply->readAll());
}

int syncedUnits(QNetworkAccessManager& network, const Serve& serve)
{
    int synced = 0;
    const QJsonArray units =
        getJson(network, QStringLiteral("http://%1/api/units").arg(serve.http)).array();
    for (const QJsonValue& u : units)
        synced += u[QLatin1String("synced")].toBool() ? 1 : 0;
    return synced;
}

// CPU share of one core used by the daemon over `seconds`.
double measureCpu(const Serve& serve, int seconds)
{
    const double before = processCpu(serve.process.processId());
    QElapsedTimer wall;
    wall.start();
    waitFor([] { return false; }, seconds * 1000);
    const double cpu = processCpu(serve.process.processId()) - before;
    return 100.0 * cpu / (double(wall.elapsed()) / 1000.0);
}

// One virtual unit in this process, served by a kvctl serve process and read whole.
struct OneUnit
{
    std::unique_ptr<VirtualUnit> unit;
    Serve serve;
    QNetworkAccessManager network;

    bool start()
    {
        UnitConfig config;
        config.controlPort = 0;
        config.discoveryPort = freeUdpPort();
        unit = std::make_unique<VirtualUnit>(config);
        if (!unit->start())
            return false;
        return serve.start({"--unit", QStringLiteral("127.0.0.1:%1").arg(unit->controlPort()),
                            "--discovery-port", QString::number(config.discoveryPort),
                            "--http-port", "0", "--ws-port", "0", "--osc-port", "-1"}) &&
               waitFor([&] { return syncedUnits(network, serve) == 1; }, 20000);
    }
};

int idle(int seconds)
{
    const quint16 port = freeTcpPort();
    const quint16 discovery = freeUdpPort();
    QProcess units;
    units.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    units.start(QStringLiteral(KV_VIRTUAL_UNIT),
                {"--count", "16", "--port", QString::number(port), "--discovery-port",
                 QString::number(discovery), "--command-port", "0", "--run-for",
                 QString::number(seconds + 90)});
    Serve serve;
    if (!serve.start({"--all", "--port", QString::number(port), "--discovery-port",
                      QString::number(discovery), "--http-port", "0", "--ws-port", "0",
                      "--osc-port", "-1"})) {
        std::fprintf(stderr, "kvctl serve did not start\n");
        return 1;
    }
    QNetworkAccessManager network;
    if (!waitFor([&] { return syncedUnits(network, serve) == 16; }, 60000)) {
        std::fprintf(stderr, "only %d of 16 units were read whole\n", syncedUnits(network, serve));
        return 1;
    }
    waitFor([] { return false; }, 2000);
    const double share = measureCpu(serve, seconds);
    std::printf("idle: 16 units served, no client: %.2f%% of one core over %d s; %d units still "
                "read whole\n",
                share, seconds, syncedUnits(network, serve));
    units.terminate();
    units.waitForFinished(3000);
    return 0;
}

int webSockets(int seconds)
{
    OneUnit one;
    if (!one.start())
        return 1;
    VirtualUnit& unit = *one.unit;
    Serve& serve = one.serve;

    // How many meter reports the unit sent meanwhile: each is one update to pass on.
    int meterReports = 0;
    QObject::connect(&unit.server(), &ControlServer::packetReceived, &unit,
                     [&](const wire::PacketHeader& h, const QByteArray&) {
                         meterReports += h.code() == wire::code::OutputPostFaderMeters ? 1 : 0;
                     });
    constexpr int kClients = 50;
    std::vector<std::unique_ptr<QWebSocket>> clients;
    std::vector<int> received(kClients, 0);
    int meterValues = 0;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<QWebSocket>());
        QWebSocket* s = clients.back().get();
        QObject::connect(s, &QWebSocket::textMessageReceived, [&, i](const QString& text) {
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            if (m[QLatin1String("type")].toString() == QLatin1String("meters")) {
                ++received[std::size_t(i)];
                meterValues = m[QLatin1String("values")].toObject().size();
            }
        });
        QObject::connect(s, &QWebSocket::connected, [s] {
            s->sendTextMessage(QStringLiteral(R"({"subscribe": ["*.meter"]})"));
        });
        s->open(QUrl(QStringLiteral("ws://%1/").arg(serve.webSocket)));
    }
    waitFor([] { return false; }, 2000);
    std::fill(received.begin(), received.end(), 0);
    meterReports = 0;
    const double share = measureCpu(serve, seconds);
    const auto [least, most] = std::minmax_element(received.begin(), received.end());
    std::printf("ws: %d clients on every meter (%d values each message): %.2f%% of one core over "
                "%d s; the unit asked for meters %d times, each client received %d..%d meter "
                "messages\n",
                kClients, meterValues, share, seconds, meterReports, *least, *most);
    return 0;
}

int httpLatency(int samples)
{
    OneUnit one;
    if (!one.start())
        return 1;
    VirtualUnit& unit = *one.unit;
    Serve& serve = one.serve;

    QElapsedTimer clock;
    clock.start();
    wire::Code awaited;
    qint64 arrivedNs = -1;
    QObject::connect(&unit.server(), &ControlServer::packetReceived, &unit,
                     [&](const wire::PacketHeader& h, const QByteArray&) {
                         if (h.access == wire::AccessWrite && h.code() == awaited && arrivedNs < 0)
                             arrivedNs = clock.nsecsElapsed();
                     });
    const auto measure = [&](const QString& key, wire::Code code, const QString& value) {
        QVector<double> ms;
        for (int i = 0; i < samples; ++i) {
            awaited = code;
            arrivedNs = -1;
            // The whole request in one write, as curl sends it: a client that sends headers and
            // body apart waits on its own Nagle delay, which is none of the daemon's time.
            QTcpSocket socket;
            socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
            const int colon = serve.http.lastIndexOf(QLatin1Char(':'));
            socket.connectToHost(serve.http.left(colon),
                                 quint16(serve.http.mid(colon + 1).toUInt()));
            if (!socket.waitForConnected(3000))
                continue;
            const QByteArray body =
                QStringLiteral(R"({"value": %1})").arg(value.arg(i % 2)).toUtf8();
            const QByteArray request = "PUT /api/units/20001/keys/" + key.toUtf8() +
                                       " HTTP/1.1\r\nHost: " + serve.http.toUtf8() +
                                       "\r\nContent-Type: application/json\r\nContent-Length: " +
                                       QByteArray::number(body.size()) + "\r\n\r\n" + body;
            const qint64 sentNs = clock.nsecsElapsed();
            socket.write(request);
            socket.flush();
            waitFor([&] { return arrivedNs >= 0 && socket.bytesAvailable() > 0; }, 3000);
            if (arrivedNs >= 0)
                ms.append(double(arrivedNs - sentNs) / 1e6);
            // Past the hold of the last edit, so every sample starts alike.
            waitFor([] { return false; }, 250);
        }
        std::sort(ms.begin(), ms.end());
        return ms;
    };
    const QVector<double> gain = measure(QStringLiteral("output.1.gain"),
                                         wire::code::OutputLevelGain, QStringLiteral("-%1"));
    const QVector<double> mute =
        measure(QStringLiteral("output.1.mute"), wire::code::OutputLevelMute, QStringLiteral("%1"));
    const auto at = [](const QVector<double>& v, double q) {
        return v.isEmpty() ? -1.0 : v[std::min(int(v.size()) - 1, int(q * v.size()))];
    };
    std::printf("http: write to packet at the unit over %d samples each\n"
                "  output.1.gain (coalesced): median %.2f ms, 95th %.2f ms, max %.2f ms "
                "= %.2f / %.2f / %.2f ms beyond the 180 ms delay\n"
                "  output.1.mute (at once):   median %.2f ms, 95th %.2f ms, max %.2f ms\n",
                samples, at(gain, 0.5), at(gain, 0.95), at(gain, 1.0), at(gain, 0.5) - 180,
                at(gain, 0.95) - 180, at(gain, 1.0) - 180, at(mute, 0.5), at(mute, 0.95),
                at(mute, 1.0));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    QCommandLineOption modeOption("mode", "idle, ws, http or all.", "mode", "all");
    QCommandLineOption secondsOption("seconds", "Measured interval.", "s", "20");
    parser.addOptions({modeOption, secondsOption});
    parser.addHelpOption();
    parser.process(app);
    const QString mode = parser.value(modeOption);
    const int seconds = parser.value(secondsOption).toInt();
    int rc = 0;
    if (mode == QLatin1String("idle") || mode == QLatin1String("all"))
        rc |= idle(seconds);
    if (mode == QLatin1String("ws") || mode == QLatin1String("all"))
        rc |= webSockets(seconds);
    if (mode == QLatin1String("http") || mode == QLatin1String("all"))
        rc |= httpLatency(50);
    return rc;
}
