// The remote-control API of kvctl serve, end to end: a virtual unit on loopback, the served
// unit, and real HTTP, WebSocket and OSC clients.
#include "accessrule.h"
#include "controlserver.h"
#include "datamodel.h"
#include "httpfront.h"
#include "httproutes.h"
#include "keypattern.h"
#include "oscfront.h"
#include "remoteservice.h"
#include "servedunit.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitstate.h"
#include "virtualunit.h"
#include "websocketfront.h"
#include "wire/codes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QUdpSocket>
#include <QWebSocket>
#include <QtTest>

#include <memory>

namespace {

quint16 freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0);
    return s.localPort();
}

struct Answer
{
    int status = 0;
    QJsonValue body;
};

// One WebSocket client that keeps every message it receives.
struct Listener
{
    QWebSocket socket;
    QVector<QJsonObject> messages;

    Listener()
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) {
            messages.append(QJsonDocument::fromJson(text.toUtf8()).object());
        });
    }
    bool open(const QString& url)
    {
        QSignalSpy connected(&socket, &QWebSocket::connected);
        socket.open(QUrl(url));
        return connected.wait(3000);
    }
    void send(const QJsonObject& o)
    {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(o).toJson()));
    }
    // The first message of this type received at `from` or later that holds `key`.
    QJsonObject find(const QString& type, const QString& key, int from = 0) const
    {
        for (int i = from; i < messages.size(); ++i) {
            const QJsonObject m = messages[i];
            if (m[QLatin1String("type")].toString() == type &&
                (key.isEmpty() || m[QLatin1String("values")].toObject().contains(key)))
                return m;
        }
        return {};
    }
};

// One OSC client on a socket of its own.
struct OscClient
{
    QUdpSocket socket;
    quint16 server = 0;

    explicit OscClient(quint16 serverPort) : server(serverPort)
    {
        socket.bind(QHostAddress::LocalHost, 0);
    }
    void send(const QString& path, const QVariantList& arguments = {})
    {
        socket.writeDatagram(OscFront::message(path, arguments), QHostAddress::LocalHost, server);
    }
    // The next message with this path (path, then the arguments), within `ms`.
    QVariantList next(const QString& path, int ms = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            while (socket.hasPendingDatagrams()) {
                QString from;
                bool understood = false;
                const QVariantList arguments =
                    OscFront::decode(socket.receiveDatagram().data(), &from, &understood);
                const QVariantList out = QVariantList{from} + arguments;
                if (out[0].toString() == path)
                    return out;
            }
            socket.waitForReadyRead(50);
            QCoreApplication::processEvents();
        }
        return {};
    }
};

} // namespace

class TestRemote : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keyPatterns_data();
    void keyPatterns();
    void httpReadsAndErrors();
    void httpWritesReachTheUnit();
    void writesAreCoalescedPerKey();
    void presetsAndMute();
    void openApiDescribesEveryRoute();
    void subscriptionsSeeEveryChange();
    void metersComeAtTheChosenRate();
    void oscSetGetAndPush();
    void tokenRule();
    void lostLinkComesBackResynced();

private:
    Answer http(const QByteArray& method, const QString& path, const QByteArray& body = {},
                const QByteArray& token = {}, quint16 port = 0);
    QString wsUrl(const QString& query = {}) const
    {
        return QStringLiteral("ws://127.0.0.1:%1/%2").arg(m_webSocket->port()).arg(query);
    }
    UnitState& unitState() { return m_unit->state(); }
    bool waitForSync(int ms);

    std::unique_ptr<VirtualUnit> m_unit;
    std::unique_ptr<RemoteService> m_service;
    std::unique_ptr<HttpRoutes> m_routes;
    std::unique_ptr<HttpFront> m_http;
    std::unique_ptr<WebSocketFront> m_webSocket;
    std::unique_ptr<OscFront> m_osc;
    ServedUnit* m_served = nullptr;
    QNetworkAccessManager m_network;
    struct Command
    {
        wire::Code code;
        qint64 at;
    };
    QVector<Command> m_commands;
    QElapsedTimer m_clock;
};

void TestRemote::initTestCase()
{
    UnitConfig config;
    config.controlPort = 0;
    config.discoveryPort = freeUdpPort();
    config.announceIntervalMs = 200;
    config.deviceId = 20001;
    m_unit = std::make_unique<VirtualUnit>(config);
    QString error;
    QVERIFY2(m_unit->start(&error), qPrintable(error));
    m_clock.start();
    connect(&m_unit->server(), &ControlServer::packetReceived, this,
            [this](const wire::PacketHeader& h, const QByteArray&) {
                if (h.access == wire::AccessWrite)
                    m_commands.append({h.code(), m_clock.elapsed()});
            });

    LinkSettings settings;
    settings.controlPort = m_unit->controlPort();
    settings.broadcastPort = config.discoveryPort;
    m_service = std::make_unique<RemoteService>(settings);
    m_served =
        m_service->addUnit(QStringLiteral("127.0.0.1:%1").arg(m_unit->controlPort()), QString());
    // A unit that never answers: its port is closed.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    m_service->addUnit(QStringLiteral("127.0.0.1:%1").arg(closed.serverPort()), QString());
    closed.close();

    m_routes = std::make_unique<HttpRoutes>(*m_service);
    m_http = std::make_unique<HttpFront>(*m_routes, m_service.get(), AccessRule());
    QVERIFY(m_http->listen(QHostAddress::LocalHost, 0, &error));
    m_webSocket = std::make_unique<WebSocketFront>(*m_service, AccessRule());
    QVERIFY(m_webSocket->listen(QHostAddress::LocalHost, 0, &error));
    m_osc = std::make_unique<OscFront>(*m_service, AccessRule());
    QVERIFY(m_osc->listen(QHostAddress::LocalHost, 0, &error));
    QVERIFY(waitForSync(10000));
}

void TestRemote::cleanupTestCase()
{
    m_http->stop();
}

bool TestRemote::waitForSync(int ms)
{
    return QTest::qWaitFor([this] { return m_served->isSynced(); }, ms);
}

Answer TestRemote::http(const QByteArray& method, const QString& path, const QByteArray& body,
                        const QByteArray& token, quint16 port)
{
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port ? port : m_http->port()).arg(path)));
    if (!token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + token);
    if (!body.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    QNetworkReply* reply = m_network.sendCustomRequest(request, method, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(20000);
    Answer a;
    a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QJsonDocument doc = QJsonDocument::fromJson(reply->readAll());
    a.body = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
    reply->deleteLater();
    return a;
}

void TestRemote::keyPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("matches");
    QTest::newRow("exact") << "input.3.gain"
                           << "input.3.gain" << true << true;
    QTest::newRow("exact, other channel") << "input.3.gain"
                                          << "input.13.gain" << true << false;
    QTest::newRow("one segment") << "input.*.gain"
                                 << "input.12.gain" << true << true;
    QTest::newRow("several segments") << "input.*.gain"
                                      << "input.2.peq.4.gain" << true << true;
    QTest::newRow("not the tail") << "input.*.gain"
                                  << "input.2.gain.x" << true << false;
    QTest::newRow("leading") << "*.meter"
                             << "output.3.prefader.meter" << true << true;
    QTest::newRow("trailing") << "output.3.*"
                              << "output.3.mute" << true << true;
    QTest::newRow("star is not empty") << "output.3.*"
                                       << "output.3" << true << false;
    QTest::newRow("other channel") << "output.3.*"
                                   << "output.13.mute" << true << false;
    QTest::newRow("two stars") << "*.peq.*"
                               << "input.1.peq.2.q" << true << true;
    QTest::newRow("part of a segment") << "in*.gain"
                                       << "input.1.gain" << false << false;
    QTest::newRow("empty segment") << "input..gain"
                                   << "input.1.gain" << false << false;
    QTest::newRow("other characters") << "input/1/gain"
                                      << "input.1.gain" << false << false;
}

void TestRemote::keyPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, key);
    QFETCH(bool, valid);
    QFETCH(bool, matches);
    const KeyPattern p(pattern);
    QCOMPARE(p.isValid(), valid);
    QCOMPARE(p.matches(key), matches);
}

void TestRemote::httpReadsAndErrors()
{
    Answer a = http("GET", QStringLiteral("/api/units"));
    QCOMPARE(a.status, 200);
    const QJsonArray units = a.body.toArray();
    QCOMPARE(units.size(), 2);
    QCOMPARE(units[0][QLatin1String("id")].toInt(), 20001);
    QCOMPARE(units[0][QLatin1String("link")].toString(), QStringLiteral("logged in"));
    QVERIFY(units[1][QLatin1String("link")].toString() != QLatin1String("logged in"));

    // The whole state, with the keys a dump has, by any of the unit's names.
    // The serial number comes with the unit's status datagrams.
    QTRY_VERIFY2(m_service->find(QStringLiteral("VU00020001")) == m_served,
                 QJsonDocument(m_served->describe()).toJson().constData());
    a = http("GET", QStringLiteral("/api/units/VU00020001/state"));
    QCOMPARE(a.status, 200);
    const QJsonObject state = a.body.toObject();
    QCOMPARE(state.size(), m_served->availableKeys().size());
    QVERIFY(state.contains(QStringLiteral("matrix.in3.out2")));
    QVERIFY(state[QLatin1String("input.1.mute")].isBool());
    QVERIFY(state[QLatin1String("input.1.gain")].isDouble());

    a = http("GET", QStringLiteral("/api/units/20001/keys/output.2.peq.3.freq"));
    QCOMPARE(a.status, 200);
    QCOMPARE(a.body[QLatin1String("value")].toDouble(),
             double(unitState().dsp.outputs[1].peq[2].freq));

    struct Case
    {
        const char* method;
        QString path;
        QByteArray body;
        int status;
        const char* says;
    };
    const QString key = QStringLiteral("/api/units/20001/keys/input.3.gain");
    const QString offline =
        QStringLiteral("/api/units/%1/state").arg(m_service->units()[1]->name());
    const Case cases[] = {
        {"GET", QStringLiteral("/api/units/nosuchunit"), {}, 404, "nosuchunit"},
        {"GET", QStringLiteral("/api/units/20001/keys/input.99.gain"), {}, 404, "unknown key"},
        {"GET", QStringLiteral("/api/elsewhere"), {}, 404, "no such route"},
        {"PUT", key, R"({"value": 30})", 422, "-56..12 dB"},
        {"PUT", key, R"({"value": "loud"})", 400, "is not a number"},
        {"PUT", key, R"({"value": true})", 400, "input.3.gain"},
        {"PUT", key, R"({"gain": 1})", 400, "no \"value\""},
        {"PUT", key, "{not json", 400, "not a JSON object"},
        {"PUT", QStringLiteral("/api/units/20001/keys/input.3.mute"), R"({"value": 2})", 400,
         "on|off"},
        {"POST", key + QStringLiteral("/step"), R"({"by": "up"})", 400, "number"},
        {"DELETE", key, {}, 405, "GET, PUT"},
        {"GET", offline, {}, 503, "offline"},
        {"POST", QStringLiteral("/api/units/20001/presets/33/recall"), {}, 404, "1..32"},
    };
    for (const Case& c : cases) {
        a = http(c.method, c.path, c.body);
        QVERIFY2(a.status == c.status,
                 qPrintable(c.path + QStringLiteral(" gave ") + QString::number(a.status)));
        QVERIFY2(a.body[QLatin1String("error")].toString().contains(QLatin1String(c.says)),
                 qPrintable(a.body[QLatin1String("error")].toString()));
    }
}

void TestRemote::httpWritesReachTheUnit()
{
    Answer a =
        http("PUT", QStringLiteral("/api/units/20001/keys/input.3.gain"), R"({"value": -7.5})");
    QCOMPARE(a.status, 200);
    QCOMPARE(a.body[QLatin1String("value")].toDouble(), -7.5);
    QTRY_COMPARE(unitState().dsp.inputs[2].levelGain, -7.5f);

    a = http("PUT", QStringLiteral("/api/units/20001/keys/matrix.in2.out4"), R"({"value": true})");
    QCOMPARE(a.status, 200);
    QTRY_COMPARE(int(unitState().dsp.inputs[1].mixEnabled[3]), 1);

    // A panel's "up" button stops at the top of the range.
    http("PUT", QStringLiteral("/api/units/20001/keys/output.5.gain"), R"({"value": 10})");
    a = http("POST", QStringLiteral("/api/units/20001/keys/output.5.gain/step"), R"({"by": 6})");
    QCOMPARE(a.status, 200);
    QCOMPARE(a.body[QLatin1String("value")].toDouble(), 12.0);
    a = http("POST", QStringLiteral("/api/units/20001/keys/output.5.gain/step"), R"({"by": -4.5})");
    QCOMPARE(a.body[QLatin1String("value")].toDouble(), 7.5);
    QTRY_COMPARE(unitState().dsp.outputs[4].levelGain, 7.5f);
}

void TestRemote::writesAreCoalescedPerKey()
{
    QVERIFY(QTest::qWaitFor([this] { return m_served->model().pendingCommandCount() == 0; }, 2000));
    const int from = m_commands.size();
    // A panel knob turned fast: twelve values, one every 20 ms or so.
    const qint64 start = m_clock.elapsed();
    for (int i = 0; i < 12; ++i) {
        http("PUT", QStringLiteral("/api/units/20001/keys/output.2.gain"),
             QByteArray(R"({"value": )") + QByteArray::number(-20 + i) + "}");
        QTest::qWait(20);
    }
    const qint64 turned = m_clock.elapsed() - start;
    // The last value arrives; packets of the key come at least the coalescing delay apart.
    QTRY_COMPARE(unitState().dsp.outputs[1].levelGain, -9.0f);
    QTest::qWait(400);
    QVector<qint64> times;
    for (int i = from; i < m_commands.size(); ++i) {
        if (m_commands[i].code == wire::code::OutputLevelGain)
            times.append(m_commands[i].at);
    }
    QVERIFY(!times.isEmpty());
    QVERIFY2(times.size() <= turned / 170 + 2,
             qPrintable(QStringLiteral("%1 packets in %2 ms").arg(times.size()).arg(turned)));
    for (int i = 1; i < times.size(); ++i)
        QVERIFY2(times[i] - times[i - 1] >= 170,
                 qPrintable(QString::number(times[i] - times[i - 1])));
}

void TestRemote::presetsAndMute()
{
    Answer a = http("PUT", QStringLiteral("/api/units/20001/mute"), R"({"mute": true})");
    QCOMPARE(a.status, 200);
    QCOMPARE(a.body[QLatin1String("mute")].toBool(), true);
    QTRY_VERIFY(unitState().system.systemMute != 0);
    a = http("PUT", QStringLiteral("/api/units/20001/mute"), R"({"mute": "yes"})");
    QCOMPARE(a.status, 400);
    http("PUT", QStringLiteral("/api/units/20001/mute"), R"({"mute": false})");
    QTRY_VERIFY(unitState().system.systemMute == 0);

    // Preset 5 holds input 1 at -20 dB; the unit then moves on, and the recall brings it back.
    // The preset list is read with the blocks, so the new preset shows within a sweep.
    http("PUT", QStringLiteral("/api/units/20001/keys/input.1.gain"), R"({"value": -20})");
    QTRY_COMPARE(unitState().dsp.inputs[0].levelGain, -20.0f);
    m_unit->core().presets().save(4, unitState().dsp);
    http("PUT", QStringLiteral("/api/units/20001/keys/input.1.gain"), R"({"value": 3})");
    QTRY_COMPARE(unitState().dsp.inputs[0].levelGain, 3.0f);
    QTRY_VERIFY_WITH_TIMEOUT(http("GET", QStringLiteral("/api/units/20001/presets"))
                                 .body.toArray()
                                 .at(4)[QLatin1String("used")]
                                 .toBool(),
                             ServedUnit::kSweepMs * 3);
    a = http("POST", QStringLiteral("/api/units/20001/presets/6/recall"));
    QCOMPARE(a.status, 422);
    a = http("POST", QStringLiteral("/api/units/20001/presets/5/recall"));
    QCOMPARE(a.status, 200);
    QTRY_COMPARE(http("GET", QStringLiteral("/api/units/20001/keys/input.1.gain"))
                     .body[QLatin1String("value")]
                     .toDouble(),
                 -20.0);
}

void TestRemote::openApiDescribesEveryRoute()
{
    QNetworkReply* reply = m_network.get(QNetworkRequest(
        QUrl(QStringLiteral("http://127.0.0.1:%1/openapi.json").arg(m_http->port()))));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    const QJsonObject doc = QJsonDocument::fromJson(reply->readAll()).object();
    reply->deleteLater();
    QCOMPARE(doc[QLatin1String("openapi")].toString(), QStringLiteral("3.0.3"));
    const QJsonObject paths = doc[QLatin1String("paths")].toObject();
    const QStringList routes{
        "get /api/units",
        "get /api/units/{unit}",
        "get /api/units/{unit}/state",
        "get /api/units/{unit}/meters",
        "get /api/units/{unit}/keys/{key}",
        "put /api/units/{unit}/keys/{key}",
        "post /api/units/{unit}/keys/{key}/step",
        "get /api/units/{unit}/presets",
        "post /api/units/{unit}/presets/{number}/recall",
        "get /api/units/{unit}/mute",
        "put /api/units/{unit}/mute",
    };
    for (const QString& route : routes) {
        const QString method = route.section(QLatin1Char(' '), 0, 0);
        const QString path = route.section(QLatin1Char(' '), 1);
        QVERIFY2(paths[path].toObject().contains(method), qPrintable(route));
    }
    // Every route the document names answers (none 404s as unknown).
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        QString path = it.key();
        path.replace(QLatin1String("{unit}"), QLatin1String("20001"))
            .replace(QLatin1String("{key}"), QLatin1String("input.1.gain"))
            .replace(QLatin1String("{number}"), QLatin1String("31"));
        for (const QString& method : it.value().toObject().keys()) {
            if (method == QLatin1String("parameters") || method != QLatin1String("get"))
                continue;
            QVERIFY2(http("GET", path).status == 200, qPrintable(path));
        }
    }
}

void TestRemote::subscriptionsSeeEveryChange()
{
    Listener a;
    Listener b;
    QVERIFY(a.open(wsUrl()));
    QVERIFY(b.open(wsUrl()));
    a.send({{"subscribe", QJsonArray{"input.*.gain", "output.3.*"}}, {"unit", "20001"}});
    QTRY_VERIFY(!a.find(QStringLiteral("snapshot"), QStringLiteral("input.16.gain")).isEmpty());
    const QJsonObject snapshot = a.find(QStringLiteral("snapshot"), QString());
    QVERIFY(snapshot[QLatin1String("values")].toObject().contains(QStringLiteral("output.3.mute")));
    QVERIFY(
        !snapshot[QLatin1String("values")].toObject().contains(QStringLiteral("output.4.mute")));

    // Another client's change.
    int from = a.messages.size();
    b.send({{"set", QJsonObject{{"key", "input.4.gain"}, {"value", -11}}}, {"unit", "20001"}});
    QTRY_VERIFY(!a.find(QStringLiteral("changes"), QStringLiteral("input.4.gain"), from).isEmpty());
    const QJsonObject change =
        a.find(QStringLiteral("changes"), QStringLiteral("input.4.gain"), from);
    QCOMPARE(change[QLatin1String("values")].toObject()[QLatin1String("input.4.gain")].toDouble(),
             -11.0);
    QTRY_VERIFY(!b.find(QStringLiteral("set"), QString()).isEmpty());
    b.send({{"set", QJsonObject{{"key", "input.4.gain"}, {"value", 40}}}, {"unit", "20001"}});
    QTRY_VERIFY(!b.find(QStringLiteral("error"), QString()).isEmpty());
    QCOMPARE(b.find(QStringLiteral("error"), QString())[QLatin1String("status")].toInt(), 422);

    // An HTTP client's change.
    from = a.messages.size();
    http("PUT", QStringLiteral("/api/units/20001/keys/output.3.mute"), R"({"value": true})");
    QTRY_VERIFY(
        !a.find(QStringLiteral("changes"), QStringLiteral("output.3.mute"), from).isEmpty());

    // A change made on the unit itself reaches the subscriber through the periodic reads.
    from = a.messages.size();
    unitState().dsp.outputs[2].peq[1].gain = 4.5f;
    QTRY_VERIFY_WITH_TIMEOUT(
        !a.find(QStringLiteral("changes"), QStringLiteral("output.3.peq.2.gain"), from).isEmpty(),
        ServedUnit::kSweepMs * 3);
    // Nothing that was not asked for.
    for (int i = from; i < a.messages.size(); ++i) {
        for (const QString& key : a.messages[i][QLatin1String("values")].toObject().keys())
            QVERIFY2(key.startsWith(QLatin1String("output.3.")) ||
                         key.endsWith(QLatin1String(".gain")),
                     qPrintable(key));
    }
    const int errorsFrom = b.messages.size();
    b.send({{"subscribe", QJsonArray{"input..gain"}}});
    QTRY_VERIFY(b.find(QStringLiteral("error"), QString(), errorsFrom)[QLatin1String("message")]
                    .toString()
                    .contains(QLatin1String("input..gain")));
}

void TestRemote::metersComeAtTheChosenRate()
{
    Listener slow;
    Listener fast;
    QVERIFY(slow.open(wsUrl()));
    QVERIFY(fast.open(wsUrl()));
    slow.send({{"subscribe", "*.meter"}, {"meterRate", 2}});
    fast.send({{"subscribe", "input.1.meter"}});
    QTest::qWait(2000);
    const auto count = [](const Listener& l) {
        int n = 0;
        for (const QJsonObject& m : l.messages)
            n += m[QLatin1String("type")].toString() == QLatin1String("meters") ? 1 : 0;
        return n;
    };
    // Two a second for one, the unit's ten for the other (give or take scheduling).
    QVERIFY2(count(slow) >= 3 && count(slow) <= 6, qPrintable(QString::number(count(slow))));
    QVERIFY2(count(fast) >= 12, qPrintable(QString::number(count(fast))));
    const QJsonObject all = slow.find(QStringLiteral("meters"), QStringLiteral("output.16.meter"));
    QCOMPARE(all[QLatin1String("values")].toObject().size(), m_served->availableMeters().size());
    const QJsonObject one = fast.find(QStringLiteral("meters"), QStringLiteral("input.1.meter"));
    QCOMPARE(one[QLatin1String("values")].toObject().size(), 1);
    QVERIFY(one[QLatin1String("values")][QLatin1String("input.1.meter")].toInt() > -100);
    fast.send({{"meterRate", 11}});
    QTRY_VERIFY(!fast.find(QStringLiteral("error"), QString()).isEmpty());
}

void TestRemote::oscSetGetAndPush()
{
    OscClient osc(m_osc->port());
    osc.send(QStringLiteral("/kv/20001/input/6/gain"), {-12.5f});
    QCOMPARE(osc.next(QStringLiteral("/kv/20001/input/6/gain")),
             (QVariantList{QStringLiteral("/kv/20001/input/6/gain"), -12.5}));
    QTRY_COMPARE(unitState().dsp.inputs[5].levelGain, -12.5f);
    osc.send(QStringLiteral("/kv/20001/input/6/mute"), {1});
    QCOMPARE(osc.next(QStringLiteral("/kv/20001/input/6/mute")).value(1).toInt(), 1);
    osc.send(QStringLiteral("/kv/20001/input/6/gain"));
    QCOMPARE(osc.next(QStringLiteral("/kv/20001/input/6/gain")).value(1).toDouble(), -12.5);

    osc.send(QStringLiteral("/kv/20001/input/6/gain"), {99.0f});
    QVERIFY(osc.next(QStringLiteral("/kv/error"))
                .value(2)
                .toString()
                .contains(QLatin1String("-56..12")));
    osc.send(QStringLiteral("/kv/20001/input/66/gain"));
    QVERIFY(osc.next(QStringLiteral("/kv/error"))
                .value(2)
                .toString()
                .contains(QLatin1String("unknown key")));
    // Garbage is dropped unanswered; the next message still works.
    osc.socket.writeDatagram(QByteArray("/kv/\0\0\0,f\0\0\x01", 13), QHostAddress::LocalHost,
                             m_osc->port());
    osc.send(QStringLiteral("/kv/20001/output/1/mute"));
    QVERIFY(!osc.next(QStringLiteral("/kv/20001/output/1/mute")).isEmpty());

    osc.send(QStringLiteral("/kv/20001/subscribe"), {QStringLiteral("output.7.gain")});
    QVERIFY(!osc.next(QStringLiteral("/kv/20001/output/7/gain")).isEmpty()); // the snapshot
    http("PUT", QStringLiteral("/api/units/20001/keys/output.7.gain"), R"({"value": -3})");
    QCOMPARE(osc.next(QStringLiteral("/kv/20001/output/7/gain")).value(1).toDouble(), -3.0);
}

void TestRemote::tokenRule()
{
    // The rule of a daemon listening beyond loopback, tried on loopback.
    const AccessRule rule(QHostAddress::AnyIPv4, QStringLiteral("s3cret"));
    QVERIFY(rule.tokenRequired());
    QVERIFY(!AccessRule(QHostAddress::AnyIPv4, QString()).isUsable());
    HttpFront http(*m_routes, m_service.get(), rule);
    QString error;
    QVERIFY(http.listen(QHostAddress::LocalHost, 0, &error));
    QCOMPARE(this->http("GET", QStringLiteral("/api/units"), {}, {}, http.port()).status, 401);
    QCOMPARE(this->http("GET", QStringLiteral("/api/units"), {}, "wrong", http.port()).status, 401);
    QCOMPARE(this->http("PUT", QStringLiteral("/api/units/20001/keys/input.1.gain"),
                        R"({"value": 1})", {}, http.port())
                 .status,
             401);
    const Answer ok = this->http("GET", QStringLiteral("/api/units"), {}, "s3cret", http.port());
    QVERIFY2(ok.status == 200,
             qPrintable(QString::number(ok.status) + QJsonDocument(ok.body.toObject()).toJson()));
    // Passwords never leave the daemon.
    QVERIFY(!QJsonDocument(ok.body.toArray()).toJson().contains("password"));
    http.stop();

    WebSocketFront ws(*m_service, rule);
    QVERIFY(ws.listen(QHostAddress::LocalHost, 0, &error));
    Listener refused;
    QSignalSpy closed(&refused.socket, &QWebSocket::disconnected);
    refused.socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(ws.port())));
    QVERIFY(closed.wait(3000));
    QCOMPARE(ws.clientCount(), 0);
    Listener admitted;
    QVERIFY(admitted.open(QStringLiteral("ws://127.0.0.1:%1/?token=s3cret").arg(ws.port())));
    QTRY_COMPARE(ws.clientCount(), 1);

    OscFront osc(*m_service, rule);
    QVERIFY(osc.listen(QHostAddress::LocalHost, 0, &error));
    OscClient client(osc.port());
    client.send(QStringLiteral("/kv/20001/input/1/gain"));
    QVERIFY(client.next(QStringLiteral("/kv/error"))
                .value(2)
                .toString()
                .contains(QLatin1String("token")));
    client.send(QStringLiteral("/kv/auth"), {QStringLiteral("nope")});
    QVERIFY(!client.next(QStringLiteral("/kv/error")).isEmpty());
    client.send(QStringLiteral("/kv/auth"), {QStringLiteral("s3cret")});
    QCOMPARE(client.next(QStringLiteral("/kv/auth")).value(1).toInt(), 1);
    client.send(QStringLiteral("/kv/20001/input/1/gain"));
    QVERIFY(!client.next(QStringLiteral("/kv/20001/input/1/gain")).isEmpty());
}

void TestRemote::lostLinkComesBackResynced()
{
    Listener watcher;
    QVERIFY(watcher.open(wsUrl()));
    watcher.send({{"subscribe", "input.9.mute"}, {"unit", "20001"}});
    QTRY_VERIFY(
        !watcher.find(QStringLiteral("snapshot"), QStringLiteral("input.9.mute")).isEmpty());
    const int from = watcher.messages.size();

    // The unit falls silent; meanwhile its input 9 is muted at the unit.
    m_unit->setSilent(true);
    QTRY_VERIFY_WITH_TIMEOUT(!m_served->isSynced(), 8000);
    QCOMPARE(http("GET", QStringLiteral("/api/units/20001/state")).status, 503);
    unitState().dsp.inputs[8].levelMute = 1;
    m_unit->setSilent(false);
    QVERIFY(waitForSync(15000));
    QCOMPARE(http("GET", QStringLiteral("/api/units/20001/keys/input.9.mute"))
                 .body[QLatin1String("value")]
                 .toBool(),
             true);
    QTRY_VERIFY(
        !watcher.find(QStringLiteral("changes"), QStringLiteral("input.9.mute"), from).isEmpty());
    // Subscribers heard the link go and come back.
    QStringList links;
    for (int i = from; i < watcher.messages.size(); ++i) {
        if (watcher.messages[i][QLatin1String("type")].toString() == QLatin1String("link"))
            links.append(watcher.messages[i][QLatin1String("link")].toString());
    }
    QVERIFY2(links.contains(QStringLiteral("logged in")) && links.size() >= 2,
             qPrintable(links.join(QLatin1Char(','))));
}

KV_TEST_GUILESS_MAIN(TestRemote)
#include "tst_remote.moc"
