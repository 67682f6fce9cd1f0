// kvctl end to end: the real executable against virtual-unit processes on loopback.
#include "testenvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

Result kvctl(const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(KVCTL_PATH), arguments);
    p.waitForFinished(timeoutMs);
    Result r;
    r.ms = clock.elapsed();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

quint16 freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::LocalHost, 0);
    return s.localPort();
}

quint16 closedTcpPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

// A virtual-unit process; its control ports are read from what it prints.
class Units
{
public:
    explicit Units(QStringList arguments, int count = 1)
    {
        // Announcements go to a port of their own, never to the one other suites listen on.
        if (!arguments.contains(QStringLiteral("--discovery-port")))
            arguments << QStringLiteral("--discovery-port") << QString::number(freeUdpPort());
        arguments << QStringLiteral("-p") << QStringLiteral("0") << QStringLiteral("--run-for")
                  << QStringLiteral("300") << QStringLiteral("--command-port")
                  << QStringLiteral("0");
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(VIRTUAL_UNIT_PATH), arguments);
        const QRegularExpression listening(QStringLiteral("listening on ([0-9.]+):(\\d+)"));
        QString seen;
        QElapsedTimer clock;
        clock.start();
        while (m_ports.size() < count && clock.elapsed() < 10000) {
            m_process.waitForReadyRead(200);
            seen += QString::fromUtf8(m_process.readAll());
            m_ports.clear();
            auto it = listening.globalMatch(seen);
            while (it.hasNext())
                m_ports.append(it.next().captured(2));
        }
    }
    ~Units()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool isUp(int count = 1) const { return m_ports.size() >= count; }
    QString port(int unit = 0) const { return m_ports.value(unit); }

private:
    QProcess m_process;
    QStringList m_ports;
};

QJsonValue json(const QString& text)
{
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

QString dumpValue(const QString& dump, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^") + QRegularExpression::escape(key) +
                                      QStringLiteral("=(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(dump).captured(1);
}

} // namespace

class KvctlTest : public QObject
{
    Q_OBJECT

private slots:
    void helpAndUsage_data();
    void helpAndUsage();
    void discoverFindsAUnitSet();
    void setAndDumpRoundTrip();
    void refusedValues_data();
    void refusedValues();
    void login_data();
    void login();
    void unreachable_data();
    void unreachable();
    void sendPrintsTheAnswer();
    void backupAndRestoreBetweenUnits();
    void serveRunsHeadless();
};

void KvctlTest::helpAndUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("general") << QStringList{QStringLiteral("--help")} << 0
                             << QStringLiteral("value refused");
    for (const char* verb : {"discover", "status", "dump", "set", "preset", "send", "serve"}) {
        QTest::newRow(verb) << QStringList{QString::fromLatin1(verb), QStringLiteral("--help")} << 0
                            << QStringLiteral("Exit codes");
    }
    QTest::newRow("unknown verb") << QStringList{QStringLiteral("reboot")} << 2
                                  << QStringLiteral("unknown verb");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("dump"), QStringLiteral("--colour")} << 2
        << QStringLiteral("colour");
    QTest::newRow("bad port") << QStringList{QStringLiteral("dump"), QStringLiteral("127.0.0.1"),
                                             QStringLiteral("--port"), QStringLiteral("70000")}
                              << 2 << QStringLiteral("--port");
    QTest::newRow("serve nothing")
        << QStringList{QStringLiteral("serve")} << 2 << QStringLiteral("no unit to serve");
    // Beyond loopback only with a token: refused before anything listens.
    QTest::newRow("serve beyond loopback")
        << QStringList{QStringLiteral("serve"), QStringLiteral("--unit"),
                       QStringLiteral("127.0.0.1"), QStringLiteral("--listen"),
                       QStringLiteral("0.0.0.0")}
        << 2 << QStringLiteral("needs an access token");
}

void KvctlTest::helpAndUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, expected);
    const Result r = kvctl(arguments);
    QCOMPARE(r.code, code);
    // Help goes to standard output, complaints to standard error.
    QVERIFY2((code == 0 ? r.out : r.err).contains(expected), qPrintable(r.out + r.err));
    QCOMPARE(code == 0 ? r.err.isEmpty() : r.out.isEmpty(), true);
}

void KvctlTest::discoverFindsAUnitSet()
{
    const QString port = QString::number(freeUdpPort());
    Units units({QStringLiteral("--count"), QStringLiteral("3"), QStringLiteral("--discovery-port"),
                 port, QStringLiteral("--announce-interval"), QStringLiteral("200")},
                3);
    QVERIFY(units.isUp(3));
    const Result r =
        kvctl({QStringLiteral("discover"), QStringLiteral("--json"), QStringLiteral("--seconds"),
               QStringLiteral("2"), QStringLiteral("--discovery-port"), port});
    QCOMPARE(r.code, 0);
    QStringList seen;
    for (const QJsonValue& v : json(r.out).toArray()) {
        const QJsonObject u = v.toObject();
        QVERIFY(u.value(QStringLiteral("online")).toBool());
        seen << QStringLiteral("%1 %2 %3")
                    .arg(u.value(QStringLiteral("id")).toInt())
                    .arg(u.value(QStringLiteral("address")).toString(),
                         u.value(QStringLiteral("serial")).toString());
    }
    seen.sort();
    QCOMPARE(seen, (QStringList{QStringLiteral("20001 127.0.0.1 VU00020001"),
                                QStringLiteral("20002 127.0.0.2 VU00020002"),
                                QStringLiteral("20003 127.0.0.3 VU00020003")}));
}

void KvctlTest::setAndDumpRoundTrip()
{
    Units unit({});
    QVERIFY(unit.isUp());
    const QStringList target{QStringLiteral("127.0.0.1"), QStringLiteral("--port"), unit.port()};
    // A few keys of every block, each away from its factory value.
    const QStringList pairs{QStringLiteral("input.3.gain=-10.5"),
                            QStringLiteral("input.17.mute=on"),
                            QStringLiteral("input.4.preamp.gain=30"),
                            QStringLiteral("input.6.phantom=on"),
                            QStringLiteral("input.2.delay=12.5"),
                            QStringLiteral("input.1.hpf.freq=120"),
                            QStringLiteral("input.2.peq.4.gain=-3.5"),
                            QStringLiteral("input.5.limiter.threshold=-6"),
                            QStringLiteral("input.3.gate.threshold=-50"),
                            QStringLiteral("input.7.agc.enabled=on"),
                            QStringLiteral("input.8.feedback=on"),
                            QStringLiteral("input.9.automixer.group=2"),
                            QStringLiteral("input.10.echo.microphone=on"),
                            QStringLiteral("output.1.mute=on"),
                            QStringLiteral("output.16.gain=-20"),
                            QStringLiteral("output.2.lpf.freq=8000"),
                            QStringLiteral("output.3.delay=7.5"),
                            QStringLiteral("output.4.generator=on"),
                            QStringLiteral("matrix.in3.out2=on"),
                            QStringLiteral("matrix.in16.out16.gain=-12"),
                            QStringLiteral("generator.frequency=440"),
                            QStringLiteral("echo.level=2"),
                            QStringLiteral("automixer.group2.enabled=on"),
                            QStringLiteral("noisereduction.channel=4"),
                            QStringLiteral("system.mute=on")};

    const Result before = kvctl(QStringList{QStringLiteral("dump")} + target);
    QCOMPARE(before.code, 0);
    for (const QString& pair : pairs) {
        const int eq = pair.indexOf(QLatin1Char('='));
        QVERIFY2(dumpValue(before.out, pair.left(eq)) != pair.mid(eq + 1), qPrintable(pair));
    }

    const Result set = kvctl(QStringList{QStringLiteral("set")} + target + pairs);
    QVERIFY2(set.code == 0, qPrintable(set.err));
    const Result after = kvctl(QStringList{QStringLiteral("dump")} + target);
    QCOMPARE(after.code, 0);
    for (const QString& pair : pairs) {
        const int eq = pair.indexOf(QLatin1Char('='));
        QCOMPARE(dumpValue(after.out, pair.left(eq)), pair.mid(eq + 1));
    }
    // Nothing else moved, and the order of the keys is the same.
    const QStringList a = before.out.split(QLatin1Char('\n'));
    const QStringList b = after.out.split(QLatin1Char('\n'));
    QCOMPARE(a.size(), b.size());
    int changed = 0;
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(a[i].section(QLatin1Char('='), 0, 0), b[i].section(QLatin1Char('='), 0, 0));
        changed += a[i] != b[i] ? 1 : 0;
    }
    QCOMPARE(changed, pairs.size());

    const Result asJson =
        kvctl(QStringList{QStringLiteral("dump")} + target + QStringList{QStringLiteral("--json")});
    const QJsonObject values = json(asJson.out).toObject();
    QCOMPARE(values.value(QStringLiteral("input.3.gain")).toDouble(), -10.5);
    QCOMPARE(values.value(QStringLiteral("output.1.mute")).toBool(), true);
}

void KvctlTest::refusedValues_data()
{
    QTest::addColumn<QStringList>("pairs");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    // Checked before any connection: the unit's port is closed and still the answer is about
    // the value.
    QTest::newRow("above range") << QStringList{QStringLiteral("input.3.gain=20")} << false << 5
                                 << QStringLiteral("input.3.gain: 20 is out of range (accepted: "
                                                   "-56..12 dB)");
    QTest::newRow("no number") << QStringList{QStringLiteral("output.1.delay=soon")} << false << 5
                               << QStringLiteral("0..300 ms");
    QTest::newRow("no such channel") << QStringList{QStringLiteral("input.18.gain=0")} << false << 2
                                     << QStringLiteral("unknown key");
    QTest::newRow("one bad of two")
        << QStringList{QStringLiteral("output.1.mute=on"), QStringLiteral("matrix.in1.out1=maybe")}
        << false << 5 << QStringLiteral("on|off");
    // The unit holds a line input's gain at 12 dB: kvctl reads back and says so.
    QTest::newRow("not on this unit")
        << QStringList{QStringLiteral("matrix.in17.out1=on")} << true << 5
        << QStringLiteral("matrix.in17.out1: this unit has no such parameter");
    QTest::newRow("not taken") << QStringList{QStringLiteral("input.5.mode=1"),
                                              QStringLiteral("input.5.preamp.gain=40")}
                               << true << 5
                               << QStringLiteral("input.5.preamp.gain: the unit holds 12, not 40");
}

void KvctlTest::refusedValues()
{
    QFETCH(QStringList, pairs);
    QFETCH(bool, reachable);
    QFETCH(int, code);
    QFETCH(QString, message);
    std::unique_ptr<Units> unit;
    QString port = QString::number(closedTcpPort());
    if (reachable) {
        unit.reset(new Units({}));
        QVERIFY(unit->isUp());
        port = unit->port();
    }
    const Result r = kvctl(QStringList{QStringLiteral("set"), QStringLiteral("127.0.0.1"),
                                       QStringLiteral("--port"), port, QStringLiteral("--timeout"),
                                       QStringLiteral("1")} +
                           pairs);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void KvctlTest::login_data()
{
    QTest::addColumn<QStringList>("password");
    QTest::addColumn<int>("code");
    QTest::newRow("none given") << QStringList{} << 4;
    QTest::newRow("wrong") << QStringList{QStringLiteral("--password"), QStringLiteral("guess")}
                           << 4;
    QTest::newRow("right") << QStringList{QStringLiteral("--password"), QStringLiteral("s3cret")}
                           << 0;
}

void KvctlTest::login()
{
    QFETCH(QStringList, password);
    QFETCH(int, code);
    Units unit({QStringLiteral("--password"), QStringLiteral("s3cret")});
    QVERIFY(unit.isUp());
    const Result r = kvctl(QStringList{QStringLiteral("status"), QStringLiteral("127.0.0.1"),
                                       QStringLiteral("--port"), unit.port()} +
                           password);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out.contains(QStringLiteral("VU00020001")), code == 0);
}

void KvctlTest::unreachable_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("closed port") << QStringList{
        QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QString::number(closedTcpPort()),
        QStringLiteral("--timeout"), QStringLiteral("2")};
    QTest::newRow("serial never heard") << QStringList{
        QStringLiteral("NO-SUCH-SERIAL"), QStringLiteral("--seconds"), QStringLiteral("1"),
        QStringLiteral("--discovery-port"), QString::number(freeUdpPort())};
}

void KvctlTest::unreachable()
{
    QFETCH(QStringList, arguments);
    const Result r = kvctl(QStringList{QStringLiteral("dump")} + arguments);
    QCOMPARE(r.code, 3);
    QVERIFY(r.ms < 5000);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
}

void KvctlTest::sendPrintsTheAnswer()
{
    Units unit({});
    QVERIFY(unit.isUp());
    const QStringList target{QStringLiteral("127.0.0.1"), QStringLiteral("--port"), unit.port()};
    // System mute on, then a read of it: the unit answers the read with its state.
    Result r = kvctl(QStringList{QStringLiteral("send")} + target +
                     QStringList{QStringLiteral("82 7D 01 00 02 02 10 01 01 00 01 7D 82")});
    QCOMPARE(r.code, 0);
    r = kvctl(QStringList{QStringLiteral("send")} + target +
              QStringList{QStringLiteral("827D0100020210000000"), QStringLiteral("7D82"),
                          QStringLiteral("--wait"), QStringLiteral("500")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.trimmed(), QStringLiteral("82 7D 01 00 02 02 10 80 01 00 01 7D 82"));
    r = kvctl(QStringList{QStringLiteral("send")} + target +
              QStringList{QStringLiteral("82 7D 01 00 02 02 10 01 01 00 01 7D")});
    QCOMPARE(r.code, 2);
}

void KvctlTest::backupAndRestoreBetweenUnits()
{
    Units units({QStringLiteral("--count"), QStringLiteral("2")}, 2);
    QVERIFY(units.isUp(2));
    const QStringList a{QStringLiteral("127.0.0.1"), QStringLiteral("--port"), units.port(0)};
    const QStringList b{QStringLiteral("127.0.0.2"), QStringLiteral("--port"), units.port(1)};
    const auto preset = [](const QStringList& unit, const QStringList& rest) {
        return kvctl(QStringList{QStringLiteral("preset")} + unit + rest);
    };
    QCOMPARE(
        preset(a, {QStringLiteral("save"), QStringLiteral("2"), QStringLiteral("Lecture")}).code,
        0);
    QCOMPARE(kvctl(QStringList{QStringLiteral("set")} + a +
                   QStringList{QStringLiteral("output.5.gain=-7")})
                 .code,
             0);
    QCOMPARE(
        preset(a, {QStringLiteral("save"), QStringLiteral("31"), QStringLiteral("Concert")}).code,
        0);

    const QString dirA = QDir::current().filePath(QStringLiteral("backup-a"));
    const QString dirB = QDir::current().filePath(QStringLiteral("backup-b"));
    QCOMPARE(preset(a, {QStringLiteral("backup"), dirA}).code, 0);
    const Result restored = preset(b, {QStringLiteral("restore"), dirA});
    QVERIFY2(restored.code == 0, qPrintable(restored.err));
    QCOMPARE(preset(b, {QStringLiteral("backup"), dirB}).code, 0);

    const Result listA = preset(a, {QStringLiteral("list"), QStringLiteral("--json")});
    const Result listB = preset(b, {QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(listB.out, listA.out);
    const QJsonArray presets = json(listB.out).toArray();
    QCOMPARE(presets.size(), 32);
    QCOMPARE(presets[1].toObject().value(QStringLiteral("name")).toString(),
             QStringLiteral("Lecture"));
    QCOMPARE(presets[30].toObject().value(QStringLiteral("name")).toString(),
             QStringLiteral("Concert"));
    for (const QString& file : {QStringLiteral("presets.pstl"), QStringLiteral("preset-02.pst"),
                                QStringLiteral("preset-31.pst")}) {
        QFile fa(dirA + QLatin1Char('/') + file);
        QFile fb(dirB + QLatin1Char('/') + file);
        QVERIFY2(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly), qPrintable(file));
        QCOMPARE(fb.readAll(), fa.readAll());
    }
    // Loading the restored preset on B brings back what A held when it was saved.
    QCOMPARE(preset(b, {QStringLiteral("recall"), QStringLiteral("31")}).code, 0);
    const Result dumpB = kvctl(QStringList{QStringLiteral("dump")} + b);
    QCOMPARE(dumpValue(dumpB.out, QStringLiteral("output.5.gain")), QStringLiteral("-7"));
    // An empty slot is refused, not recalled.
    QCOMPARE(preset(b, {QStringLiteral("recall"), QStringLiteral("9")}).code, 5);
}

void KvctlTest::serveRunsHeadless()
{
    Units unit({QStringLiteral("--password"), QStringLiteral("hunter2")});
    QVERIFY(unit.isUp());
    QTemporaryDir dir;
    QFile units(dir.filePath(QStringLiteral("units")));
    QVERIFY(units.open(QIODevice::WriteOnly));
    units.write("# the unit of the test\n127.0.0.1:" + unit.port().toLatin1() + " hunter2\n");
    units.close();

    QProcess serve;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    serve.setProcessEnvironment(env);
    serve.start(QStringLiteral(KVCTL_PATH),
                {QStringLiteral("serve"), QStringLiteral("--units"), units.fileName(),
                 QStringLiteral("--http-port"), QStringLiteral("0"), QStringLiteral("--ws-port"),
                 QStringLiteral("-1"), QStringLiteral("--osc-port"), QStringLiteral("-1")});
    QString ports;
    QTRY_VERIFY_WITH_TIMEOUT(
        (ports += QString::fromUtf8(serve.readAllStandardOutput())).contains(QLatin1Char('\n')),
        10000);
    const QString http =
        QRegularExpression(QStringLiteral("^http (\\S+)$"), QRegularExpression::MultilineOption)
            .match(ports)
            .captured(1);
    QVERIFY2(!http.isEmpty(), qPrintable(ports));

    QNetworkAccessManager network;
    const auto get = [&](const QString& path) {
        QNetworkReply* reply =
            network.get(QNetworkRequest(QUrl(QStringLiteral("http://%1%2").arg(http, path))));
        QSignalSpy finished(reply, &QNetworkReply::finished);
        finished.wait(10000);
        reply->deleteLater();
        return QByteArray::number(
                   reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()) +
               ' ' + reply->readAll();
    };
    // Logged in with the unit's own password, read whole, and answering.
    QTRY_VERIFY_WITH_TIMEOUT(
        get(QStringLiteral("/api/units/20001/keys/input.1.gain")).startsWith("200 "), 15000);
    const QByteArray list = get(QStringLiteral("/api/units"));
    QVERIFY2(list.contains("\"link\":\"logged in\""), list.constData());

    serve.terminate();
    QVERIFY(serve.waitForFinished(10000));
    QCOMPARE(serve.exitStatus(), QProcess::NormalExit);
    QCOMPARE(serve.exitCode(), 0);
    // The password is in no answer and no message.
    const QByteArray messages = serve.readAllStandardError() + serve.readAllStandardOutput();
    QVERIFY(messages.contains("logged in"));
    QVERIFY(!messages.contains("hunter2") && !list.contains("hunter2"));
}

KV_TEST_GUILESS_MAIN(KvctlTest)
#include "tst_kvctl.moc"
