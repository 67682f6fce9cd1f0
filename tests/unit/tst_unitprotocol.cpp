#include "testenvironment.h"
#include "unitfixture.h"
#include "wire/records.h"

#include <QtTest>

namespace {

QByteArray f32(float v)
{
    QByteArray out;
    wire::appendF32(out, v);
    return out;
}

QByteArray u16(quint16 v)
{
    QByteArray out;
    wire::appendU16(out, v);
    return out;
}

QByteArray u32(quint32 v)
{
    QByteArray out;
    wire::appendU32(out, v);
    return out;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

template <typename T> QByteArray rec(const T& value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), int(sizeof value));
}

QByteArray cmd(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload = {})
{
    return wire::packet(type, subType, funcId, wire::AccessWrite, payload);
}

QByteArray padded(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), '\0');
}

const wire::HLPF kHpf{1, 1, 2, 120.0f};
const wire::PEQ kPeq{0, 2, 9000.0f, -6.0f, 12};
const wire::Limiter kLimiter{1, -10.0f, 4.0f, 20.0f, 200.0f};

} // namespace

class TestUnitProtocol : public QObject
{
    Q_OBJECT

private slots:
    void login_data();
    void login();
    void commandsWaitForLogin();
    void passwordChange();
    void readLengths_data();
    void readLengths();
    void commandShowsInReport_data();
    void commandShowsInReport();
    void meters_data();
    void meters();
};

void TestUnitProtocol::login_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<quint8>("atConnect");
    QTest::addColumn<QByteArray>("attempt");
    QTest::addColumn<int>("answer"); // -1: no answer

    QTest::newRow("open unit") << QString() << quint8(1) << QByteArray() << -2;
    QTest::newRow("open unit, any login") << QString() << quint8(1) << QByteArray("x") << 1;
    QTest::newRow("password, none sent") << "secret" << quint8(0) << QByteArray() << -2;
    QTest::newRow("right password") << "secret" << quint8(0) << QByteArray("secret") << 1;
    QTest::newRow("wrong password") << "secret" << quint8(0) << QByteArray("Secret") << 2;
    QTest::newRow("empty password") << "secret" << quint8(0) << QByteArray("") << 2;
    QTest::newRow("guest ignored") << "secret" << quint8(0) << QByteArray("%+guest+") << -1;
}

void TestUnitProtocol::login()
{
    QFETCH(QString, password);
    QFETCH(quint8, atConnect);
    QFETCH(QByteArray, attempt);
    QFETCH(int, answer);

    UnitFixture f;
    QVERIFY(f.start(0, password));
    const auto first = f.client().take(2, 1, 1);
    QCOMPARE(first.size(), 1);
    QCOMPARE(first[0].header.access, quint8(wire::AccessReport));
    QCOMPARE(first[0].payload, QByteArray(1, char(atConnect)));
    if (answer == -2)
        return;
    f.client().command(2, 1, 1, attempt);
    if (answer < 0) {
        QCOMPARE(f.client().take(2, 1, 1, 1, 300).size(), 0);
        return;
    }
    const auto reply = f.client().take(2, 1, 1);
    QCOMPARE(reply.size(), 1);
    QCOMPARE(reply[0].payload, QByteArray(1, char(answer)));
}

void TestUnitProtocol::commandsWaitForLogin()
{
    UnitFixture f;
    QVERIFY(f.start(0, "secret"));
    UnitClient& c = f.client();
    c.command(3, 7, 1, bytes({0, 1}));
    c.read(3, 7, 1);
    QCOMPARE(c.take(3, 7, 1).value(0).payload.at(0), char(0));

    c.command(2, 1, 1, "secret");
    QCOMPARE(c.take(2, 1, 1, 2).value(1).payload, bytes({1}));
    c.command(3, 7, 1, bytes({0, 1}));
    c.read(3, 7, 1);
    QCOMPARE(c.take(3, 7, 1).value(0).payload.at(0), char(1));
}

void TestUnitProtocol::passwordChange()
{
    UnitFixture f;
    QVERIFY(f.start(0, "old"));
    f.client().command(2, 1, 1, "old");
    QCOMPARE(f.client().take(2, 1, 1, 2).size(), 2);
    f.client().command(2, 2, 15, "new");
    QCOMPARE(f.client().take(2, 2, 15).size(), 1);

    for (const auto& attempt :
         {std::make_pair(QByteArray("old"), 2), std::make_pair(QByteArray("new"), 1)}) {
        QVERIFY(f.reconnect());
        QCOMPARE(f.client().take(2, 1, 1).value(0).payload, bytes({0}));
        f.client().command(2, 1, 1, attempt.first);
        QCOMPARE(f.client().take(2, 1, 1).value(0).payload, bytes({attempt.second}));
    }
}

void TestUnitProtocol::readLengths_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("subType");
    QTest::addColumn<int>("funcId");
    QTest::addColumn<QByteArray>("selector");
    QTest::addColumn<int>("minLength");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("reports");

    const auto row = [](int profile, int t, int s, int fn, const QByteArray& selector, int lo,
                        int hi, int reports = 1) {
        QTest::addRow("%d,%d,%d [%s] p%d", t, s, fn, selector.toHex().constData(), profile)
            << profile << t << s << fn << selector << lo << hi << reports;
    };
    const int anyText = 2036;
    // Meters.
    row(0, 3, 1, 1, {}, 16, 18);
    row(0, 3, 7, 7, {}, 16, 18);
    row(0, 3, 11, 8, {}, 16, 16);
    row(0, 3, 11, 1, {}, 16, 16);
    row(0, 3, 18, 5, {}, 32, anyText);
    // System values.
    for (int p : {0, 1})
        row(p, 2, 2, 40, {}, 3, 3);
    for (int p : {0, 1, 4})
        row(p, 2, 2, 5, {}, 32, anyText);
    for (int fn : {1, 4, 10, 11, 34, 38})
        row(0, 2, 2, fn, {}, 0, anyText);
    for (int fn : {2, 3})
        row(0, 2, 2, fn, {}, 3, 3);
    for (int fn : {6, 7, 8, 9, 17, 18, 24, 29})
        row(0, 2, 2, fn, {}, 4, 4);
    for (int fn : {14, 16, 23, 25, 32, 37})
        row(0, 2, 2, fn, {}, 1, 1);
    row(0, 2, 2, 12, {}, 7, 7);
    row(0, 2, 2, 13, {}, 12, 12);
    row(0, 2, 2, 19, {}, 8, 8);
    row(0, 2, 2, 33, {}, 2, 2);
    row(0, 2, 2, 39, {}, 6, 6);
    // Labels and strips.
    row(0, 2, 3, 1, {}, 256, 272);
    row(0, 2, 3, 2, {}, 256, 256);
    row(0, 2, 3, 3, {}, 160, 170);
    row(0, 2, 16, 1, {}, 5, 5);
    row(0, 2, 16, 2, {}, 1, 1);
    for (int fn : {1, 3, 4})
        row(0, 3, 7, fn, {}, 16, 17);
    row(0, 3, 7, 2, {}, 64, 68);
    row(0, 3, 7, 6, {}, 128, 136);
    for (int fn : {2, 4, 5})
        row(0, 3, 1, fn, {}, 16, anyText);
    row(0, 3, 1, 8, {}, 64, anyText);
    for (int fn : {2, 4, 5})
        row(0, 3, 11, fn, {}, 16, 16);
    row(0, 3, 11, 3, {}, 64, 64);
    row(0, 3, 11, 7, {}, 128, 128);
    row(0, 3, 11, 9, {}, 1, 1);
    // Editor pages with their channel, band and output selectors.
    row(0, 3, 3, 1, {}, 16, anyText);
    row(0, 3, 2, 1, {}, 16, 17);
    for (int ch : {0, 16, 17})
        row(0, 3, 2, 2, bytes({ch}), 14, 14);
    for (int ch : {0, 15})
        row(0, 3, 16, 1, bytes({ch}), 22, 22);
    for (int sub : {4, 12}) {
        const int last = sub == 4 ? 16 : 15;
        for (int ch : {0, last}) {
            row(0, 3, sub, 1, bytes({ch}), 8, 8);
            row(0, 3, sub, 2, bytes({ch}), 8, 8);
            for (int band : {0, 7})
                row(0, 3, sub, 3, bytes({ch, band}), 13, 13);
        }
    }
    row(0, 3, 5, 1, bytes({16}), 18, 18);
    row(0, 3, 13, 1, bytes({15}), 18, 18);
    for (int out : {0, 15}) {
        row(0, 3, 8, 1, bytes({out}), 17, 18);
        row(0, 3, 8, 2, bytes({out}), 17, 18);
    }
    row(0, 3, 9, 1, {}, 16, 16);
    for (int fn : {2, 4})
        row(0, 3, 9, fn, {}, 4, 4);
    for (int fn : {3, 5})
        row(0, 3, 9, fn, {}, 1, 1);
    row(0, 3, 15, 2, {}, 17, 17);
    row(1, 3, 15, 2, {}, 19, 19);
    row(0, 3, 18, 1, {}, 64, anyText);
    row(0, 3, 18, 2, {}, 16, anyText);
    row(0, 3, 18, 3, {}, 2, 2);
    row(0, 3, 14, 1, {}, 64, 64);
    row(0, 3, 6, 1, {}, 64, anyText);
    // Dialog refreshes.
    row(0, 3, 32, 1, {}, 545, 545);
    for (int fn : {1, 16})
        row(1, 2, 5, fn, {}, 4, 4);
    row(1, 2, 5, 3, {}, 6, 6);
    row(1, 2, 5, 18, {}, 5, 5);
    for (int fn : {5, 20})
        row(1, 2, 5, fn, {}, 0, anyText);
    row(1, 2, 5, 2, {}, 5, anyText, 5);
    row(1, 2, 5, 17, {}, 9, anyText, 2);
    row(0, 2, 4, 1, {}, 6, 6);
    row(0, 2, 6, 1, {}, 66, 66, 8);
    row(0, 4, 1, 1, {}, 81, 94);
    row(0, 4, 1, 3, {}, 2, 2);
    row(0, 4, 1, 4, {}, 65, anyText, 4);
}

void TestUnitProtocol::readLengths()
{
    QFETCH(int, profile);
    QFETCH(int, type);
    QFETCH(int, subType);
    QFETCH(int, funcId);
    QFETCH(QByteArray, selector);
    QFETCH(int, minLength);
    QFETCH(int, maxLength);
    QFETCH(int, reports);

    UnitFixture f;
    QVERIFY(f.start(profile));
    f.client().read(quint8(type), quint8(subType), quint8(funcId), selector);
    const auto answers = f.client().take(quint8(type), quint8(subType), quint8(funcId), reports);
    QCOMPARE(answers.size(), reports);
    for (const auto& answer : answers) {
        QCOMPARE(answer.header.access, quint8(wire::AccessReport));
        QVERIFY2(answer.payload.size() >= minLength && answer.payload.size() <= maxLength,
                 qPrintable(QString::number(answer.payload.size())));
        // Single-channel records name the channel (and band) they answer for.
        if (!selector.isEmpty())
            QCOMPARE(answer.payload.left(selector.size()), selector);
    }
    QCOMPARE(f.client().take(quint8(type), quint8(subType), quint8(funcId), 1, 50).size(), 0);
}

void TestUnitProtocol::commandShowsInReport_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<QByteArray>("read"); // framed read request
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("expected");

    const auto rd = [](quint8 t, quint8 s, quint8 fn, const QByteArray& p = {}) {
        return wire::packet(t, s, fn, wire::AccessRead, p);
    };
    const auto row = [](const char* name, const QByteArrayList& commands, const QByteArray& read,
                        int offset, const QByteArray& expected, int profile = 0) {
        QTest::newRow(name) << profile << commands << read << offset << expected;
    };
    const wire::HLPF defaultHpf{0, 0, 0, 20.0f};
    const wire::Gate gate{0, -40.0f, 10.0f, 100.0f};
    const wire::AGC agc{1, -50.0f, -10.0f, 3.0f, 40.0f, 400.0f};

    row("input mute", {cmd(3, 1, 2, bytes({3, 1}))}, rd(3, 1, 2), 3, bytes({1}));
    row("input mode", {cmd(3, 1, 4, bytes({2, 1}))}, rd(3, 1, 4), 2, bytes({1}));
    row("phantom", {cmd(3, 1, 5, bytes({4, 1}))}, rd(3, 1, 5), 4, bytes({1}));
    row("input gain clamped", {cmd(3, 1, 8, bytes({1}) + f32(70))}, rd(3, 1, 8), 4, f32(50));
    row("gate", {cmd(3, 2, 2, bytes({5}) + rec(gate))}, rd(3, 2, 2, bytes({5})), 1, rec(gate));
    row("feedback", {cmd(3, 3, 1, bytes({6, 1}))}, rd(3, 3, 1), 6, bytes({1}));
    row("input hpf", {cmd(3, 4, 1, bytes({2}) + rec(kHpf))}, rd(3, 4, 1, bytes({2})), 1, rec(kHpf));
    row("input peq", {cmd(3, 4, 3, bytes({3, 7}) + rec(kPeq))}, rd(3, 4, 3, bytes({3, 7})), 2,
        rec(kPeq));
    row("input peq, bad type", {cmd(3, 4, 3, bytes({3, 7, 0, 3}) + f32(900) + f32(1) + bytes({1}))},
        rd(3, 4, 3, bytes({3, 7})), 2, rec(wire::PEQ{1, 0, 8000.0f, 0.0f, 43}));
    row("input filter copy (u16 masks)",
        {cmd(3, 4, 1, bytes({0}) + rec(kHpf)), cmd(3, 4, 4, bytes({0}) + u16(0x0006) + u16(0x1))},
        rd(3, 4, 1, bytes({2})), 1, rec(kHpf));
    row("input filter copy to outputs",
        {cmd(3, 4, 1, bytes({0}) + rec(kHpf)), cmd(3, 4, 4, bytes({0}) + u16(0x0006) + u16(0x1))},
        rd(3, 12, 1, bytes({0})), 1, rec(kHpf));
    row("input filter copy (u32 mask)",
        {cmd(3, 4, 1, bytes({0}) + rec(kHpf)), cmd(3, 4, 4, bytes({0}) + u32(0x20000))},
        rd(3, 4, 1, bytes({17})), 1, rec(kHpf), 1);
    row("input filter reset", {cmd(3, 4, 1, bytes({9}) + rec(kHpf)), cmd(3, 4, 5, bytes({9}))},
        rd(3, 4, 1, bytes({9})), 1, rec(defaultHpf));
    row("input limiter", {cmd(3, 5, 1, bytes({4}) + rec(kLimiter))}, rd(3, 5, 1, bytes({4})), 1,
        rec(kLimiter));
    row("input limiter copy",
        {cmd(3, 5, 1, bytes({4}) + rec(kLimiter)), cmd(3, 5, 2, bytes({4}) + u16(0) + u16(0x8000))},
        rd(3, 13, 1, bytes({15})), 1, rec(kLimiter));
    row("input delay", {cmd(3, 6, 1, bytes({2}) + f32(250))}, rd(3, 6, 1), 8, f32(250));
    row("level mute", {cmd(3, 7, 1, bytes({0, 1}))}, rd(3, 7, 1), 0, bytes({1}));
    row("level gain", {cmd(3, 7, 2, bytes({16}) + f32(-12.5f))}, rd(3, 7, 2), 64, f32(-12.5f));
    row("level gain off", {cmd(3, 7, 2, bytes({1}) + f32(-56))}, rd(3, 7, 2), 4, f32(-100));
    row("level invert", {cmd(3, 7, 3, bytes({3, 1}))}, rd(3, 7, 3), 3, bytes({1}));
    row("level group", {cmd(3, 7, 4, bytes({4, 8}))}, rd(3, 7, 4), 4, bytes({8}));
    row("level group 9 refused", {cmd(3, 7, 4, bytes({4, 9}))}, rd(3, 7, 4), 4, bytes({0}));
    row("level step", {cmd(3, 7, 2, bytes({0}) + f32(-10)), cmd(3, 7, 5, bytes({0}) + f32(4))},
        rd(3, 7, 2), 0, f32(-6));
    row("fader range", {cmd(3, 7, 6, bytes({2, 6, -40}))}, rd(3, 7, 6), 16, f32(6) + f32(-40));
    row("fader range holds gain",
        {cmd(3, 7, 2, bytes({2}) + f32(10)), cmd(3, 7, 6, bytes({2, 6, -40}))}, rd(3, 7, 2), 8,
        f32(6));
    row("matrix enable", {cmd(3, 8, 1, bytes({2, 0, 1, 3, 1}))}, rd(3, 8, 1, bytes({2})), 1,
        bytes({1, 1, 0, 1}));
    row("matrix gain", {cmd(3, 8, 2, bytes({2, 1, -6}))}, rd(3, 8, 2, bytes({2})), 2, bytes({-6}));
    row("matrix gain off", {cmd(3, 8, 2, bytes({2, 0, -56}))}, rd(3, 8, 2, bytes({2})), 1,
        bytes({-70}));
    row("generator routing", {cmd(3, 9, 1, bytes({5, 1}))}, rd(3, 9, 1), 5, bytes({1}));
    row("generator frequency", {cmd(3, 9, 2, f32(440))}, rd(3, 9, 2), 0, f32(440));
    row("generator type", {cmd(3, 9, 3, bytes({2}))}, rd(3, 9, 3), 0, bytes({2}));
    row("generator gain", {cmd(3, 9, 4, f32(-12))}, rd(3, 9, 4), 0, f32(-12));
    row("generator on", {cmd(3, 9, 5, bytes({1}))}, rd(3, 9, 5), 0, bytes({1}));
    row("output mute", {cmd(3, 11, 2, bytes({3, 1}))}, rd(3, 11, 2), 3, bytes({1}));
    row("output gain", {cmd(3, 11, 3, bytes({15}) + f32(6))}, rd(3, 11, 3), 60, f32(6));
    row("output invert", {cmd(3, 11, 4, bytes({1, 1}))}, rd(3, 11, 4), 1, bytes({1}));
    row("output group", {cmd(3, 11, 5, bytes({2, 3}))}, rd(3, 11, 5), 2, bytes({3}));
    row("output step at ceiling",
        {cmd(3, 11, 3, bytes({0}) + f32(10)), cmd(3, 11, 6, bytes({0}) + f32(5))}, rd(3, 11, 3), 0,
        f32(12));
    row("output fader range", {cmd(3, 11, 7, bytes({1, 0, -20}))}, rd(3, 11, 7), 8,
        f32(0) + f32(-20));
    row("output peq", {cmd(3, 12, 3, bytes({0, 0}) + rec(kPeq))}, rd(3, 12, 3, bytes({0, 0})), 2,
        rec(kPeq));
    row("output filter copy (gen 6)",
        {cmd(3, 12, 1, bytes({1}) + rec(kHpf)), cmd(3, 12, 4, bytes({1}) + u16(0x0100))},
        rd(3, 12, 1, bytes({8})), 1, rec(kHpf), 1);
    row("output filter reset", {cmd(3, 12, 1, bytes({1}) + rec(kHpf)), cmd(3, 12, 5, bytes({1}))},
        rd(3, 12, 1, bytes({1})), 1, rec(defaultHpf));
    row("output limiter reset",
        {cmd(3, 13, 1, bytes({7}) + rec(kLimiter)), cmd(3, 13, 3, bytes({7}))},
        rd(3, 13, 1, bytes({7})), 1, rec(wire::Limiter{0, 0.0f, 2.0f, 1.0f, 5.0f}));
    row("output delay clamped", {cmd(3, 14, 1, bytes({3}) + f32(500))}, rd(3, 14, 1), 12, f32(300));
    row("aec on", {cmd(3, 15, 1, bytes({1}))}, rd(3, 15, 1), 0, bytes({1}));
    row("aec block", {cmd(3, 15, 2, bytes({2, 1}) + QByteArray(15, '\1'))}, rd(3, 15, 2), 0,
        bytes({2, 1}) + QByteArray(15, '\1'));
    row("agc", {cmd(3, 16, 1, bytes({9}) + rec(agc))}, rd(3, 16, 1, bytes({9})), 1, rec(agc));
    row("agc copy",
        {cmd(3, 16, 1, bytes({9}) + rec(agc)), cmd(3, 16, 2, bytes({9}) + u32(0x8) + u16(0))},
        rd(3, 16, 1, bytes({3})), 1, rec(agc));
    row("agc reset", {cmd(3, 16, 1, bytes({9}) + rec(agc)), cmd(3, 16, 3, bytes({9}))},
        rd(3, 16, 1, bytes({9})), 1, rec(wire::AGC{0, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f}));
    row("noise reduction", {cmd(3, 17, 1, bytes({4, 2}))}, rd(3, 17, 1), 0, bytes({4, 2}));
    row("am weight clamped", {cmd(3, 18, 1, bytes({3}) + f32(20))}, rd(3, 18, 1), 12, f32(12));
    row("am group", {cmd(3, 18, 2, bytes({3, 5}))}, rd(3, 18, 2), 3, bytes({2}));
    row("am switch", {cmd(3, 18, 3, bytes({1, 1}))}, rd(3, 18, 3), 0, bytes({0, 1}));
    row("am reset", {cmd(3, 18, 3, bytes({1, 1})), cmd(3, 18, 4)}, rd(3, 18, 3), 0, bytes({0, 0}));
    row("preset save", {cmd(3, 32, 2, bytes({4}))}, rd(3, 32, 1), 0, bytes({4, 0}));
    row("preset save marks used", {cmd(3, 32, 2, bytes({4}))}, rd(3, 32, 1), 1 + 4 * 17,
        bytes({1}));
    row("preset rename", {cmd(3, 32, 5, bytes({4}) + "Stage")}, rd(3, 32, 1), 1 + 4 * 17 + 1,
        padded("Stage", 16));
    row("preset delete", {cmd(3, 32, 2, bytes({4})), cmd(3, 32, 4, bytes({4}))}, rd(3, 32, 1),
        1 + 4 * 17, bytes({0}));
    row("preset load",
        {cmd(3, 7, 1, bytes({5, 1})), cmd(3, 32, 2, bytes({1})), cmd(3, 7, 1, bytes({5, 0})),
         cmd(3, 32, 9, bytes({1}))},
        rd(3, 7, 1), 5, bytes({1}));
    row("location", {cmd(2, 2, 10, "Lobby")}, rd(2, 2, 10), 0, "Lobby");
    row("description", {cmd(2, 2, 11, "Left rack")}, rd(2, 2, 11), 0, "Left rack");
    row("date", {cmd(2, 2, 12, bytes({0, 0, 12, 24, 0, 11, 101}))}, rd(2, 2, 12), 3,
        bytes({24, 0, 11, 101}));
    row("netmask and gateway", {cmd(2, 2, 13, u32(0x7F000001) + u32(0xFFFF0000) + u32(0x7F000002))},
        rd(2, 2, 13), 0, u32(0x7F000001) + u32(0xFFFF0000) + u32(0x7F000002));
    row("system mute", {cmd(2, 2, 16, bytes({1}))}, rd(2, 2, 16), 0, bytes({1}));
    row("rs232", {cmd(2, 2, 17, u32(9600))}, rd(2, 2, 17), 0, u32(9600));
    row("rs232 odd rate refused", {cmd(2, 2, 17, u32(12345))}, rd(2, 2, 17), 0, u32(115200));
    row("factory reset", {cmd(2, 2, 16, bytes({1})), cmd(2, 2, 21)}, rd(2, 2, 16), 0, bytes({0}));
    row("gate report", {cmd(2, 2, 23, bytes({1}))}, rd(2, 2, 23), 0, bytes({1}));
    row("fan test", {cmd(2, 2, 37, bytes({1}))}, rd(2, 2, 37), 0, bytes({1}));
    row("input label", {cmd(2, 3, 1, bytes({5}) + "Pulpit")}, rd(2, 3, 1), 80,
        padded("Pulpit", 16));
    row("output label", {cmd(2, 3, 2, bytes({15}) + "Foyer")}, rd(2, 3, 2), 240,
        padded("Foyer", 16));
    row("touch label", {cmd(2, 3, 3, bytes({1}) + "Mic 2")}, rd(2, 3, 3), 10, padded("Mic 2", 10));
    row("play mode", {cmd(2, 5, 4, bytes({7, 3}))}, rd(2, 5, 3), 0, bytes({3, 0}), 1);
    row("play", {cmd(2, 5, 4, bytes({1}))}, rd(2, 5, 3), 1, bytes({1}), 1);
    row("play file", {cmd(2, 5, 4, bytes({3}) + "Closing.ape")}, rd(2, 5, 5), 0, "Closing.ape", 1);
    row("record", {cmd(2, 5, 19, bytes({0}) + "take1.wav")}, rd(2, 5, 18), 0, bytes({1}), 1);
    row("record stop", {cmd(2, 5, 19, bytes({0}) + "take1.wav"), cmd(2, 5, 19, bytes({1}))},
        rd(2, 5, 16), 0, u32(3), 1);
    row("status block", {cmd(2, 16, 1, bytes({2}) + u32(77))}, rd(2, 16, 1), 0,
        bytes({2}) + u32(77));
}

void TestUnitProtocol::commandShowsInReport()
{
    QFETCH(int, profile);
    QFETCH(QByteArrayList, commands);
    QFETCH(QByteArray, read);
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);

    UnitFixture f;
    QVERIFY(f.start(profile));
    UnitClient& c = f.client();
    for (const QByteArray& packet : commands)
        c.send(quint8(packet[4]), quint8(packet[5]), quint8(packet[6]), wire::AccessWrite,
               packet.mid(10, packet.size() - 12));
    c.send(quint8(read[4]), quint8(read[5]), quint8(read[6]), wire::AccessRead,
           read.mid(10, read.size() - 12));
    const auto answers = c.take(quint8(read[4]), quint8(read[5]), quint8(read[6]));
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers[0].payload.mid(offset, expected.size()).toHex(), expected.toHex());
}

void TestUnitProtocol::meters_data()
{
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<int>("subType");
    QTest::addColumn<int>("funcId");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("silent");

    const QByteArray route = cmd(3, 8, 1, bytes({2, 0, 1, 1}));
    QTest::newRow("live input, post") << QByteArrayList() << 1 << 1 << 4 << false;
    QTest::newRow("live input, pre") << QByteArrayList() << 7 << 7 << 4 << false;
    QTest::newRow("fader mute, post")
        << QByteArrayList{cmd(3, 7, 1, bytes({3, 1}))} << 1 << 1 << 3 << true;
    QTest::newRow("fader mute, pre")
        << QByteArrayList{cmd(3, 7, 1, bytes({3, 1}))} << 7 << 7 << 3 << false;
    QTest::newRow("fader off") << QByteArrayList{cmd(3, 7, 2, bytes({3}) + f32(-100))} << 1 << 1
                               << 3 << true;
    QTest::newRow("input mute, pre")
        << QByteArrayList{cmd(3, 1, 2, bytes({3, 1}))} << 7 << 7 << 3 << true;
    QTest::newRow("absent input") << QByteArrayList() << 1 << 1 << 16 << true;
    QTest::newRow("unrouted output") << QByteArrayList() << 11 << 1 << 2 << true;
    QTest::newRow("routed output") << QByteArrayList{route} << 11 << 1 << 2 << false;
    QTest::newRow("routed output, muted input")
        << QByteArrayList{route, cmd(3, 7, 1, bytes({0, 1})), cmd(3, 7, 1, bytes({1, 1}))} << 11
        << 8 << 2 << true;
    QTest::newRow("routed output, output mute")
        << QByteArrayList{route, cmd(3, 11, 2, bytes({2, 1}))} << 11 << 1 << 2 << true;
    QTest::newRow("routed output, output mute, pre")
        << QByteArrayList{route, cmd(3, 11, 2, bytes({2, 1}))} << 11 << 8 << 2 << false;
    QTest::newRow("system mute") << QByteArrayList{route, cmd(2, 2, 16, bytes({1}))} << 11 << 1 << 2
                                 << true;
    QTest::newRow("generator") << QByteArrayList{cmd(3, 9, 1, bytes({6, 1})),
                                                 cmd(3, 9, 5, bytes({1}))}
                               << 11 << 1 << 6 << false;
}

void TestUnitProtocol::meters()
{
    QFETCH(QByteArrayList, commands);
    QFETCH(int, subType);
    QFETCH(int, funcId);
    QFETCH(int, channel);
    QFETCH(bool, silent);

    UnitFixture f;
    QVERIFY(f.start(0));
    UnitClient& c = f.client();
    for (const QByteArray& packet : commands)
        c.send(quint8(packet[4]), quint8(packet[5]), quint8(packet[6]), wire::AccessWrite,
               packet.mid(10, packet.size() - 12));
    // Several reads apart: the signal moves, the silence must hold throughout.
    for (int i = 0; i < 3; ++i) {
        c.read(3, quint8(subType), quint8(funcId));
        const auto answer = c.take(3, quint8(subType), quint8(funcId));
        QCOMPARE(answer.size(), 1);
        const qint8 level = qint8(answer[0].payload.at(channel));
        if (silent)
            QCOMPARE(level, qint8(-100));
        else
            QVERIFY2(level > -60 && level <= 20, qPrintable(QString::number(level)));
        c.idle(120);
    }
}

KV_TEST_GUILESS_MAIN(TestUnitProtocol)
#include "tst_unitprotocol.moc"
