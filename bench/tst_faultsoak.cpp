// The judgements of the fault soak: when a lost link counts as recovered, and when a resident
// size curve counts as growing.
#include "linkwatch.h"
#include "rsstrend.h"
#include "testenvironment.h"

#include <QtTest>
#include <cmath>
#include <functional>

namespace {

// One observation of the link: at t, up or down (or the selection moved), last packet at data.
struct Step
{
    qint64 t;
    char what; // 'u' up, 'd' down, 's' switch
    qint64 data;
};

using Curve = std::function<double(double minute)>;

RssTrend sampled(double minutes, const Curve& kbAt)
{
    RssTrend trend;
    for (double s = 0; s <= minutes * 60 + 1e-9; s += 5)
        trend.add(s, kbAt(s / 60));
    return trend;
}

// Page-sized wobble that repeats, as an allocator gives back and takes again.
double jitter(double minute)
{
    return 64 * std::sin(minute * 37.0);
}

} // namespace

Q_DECLARE_METATYPE(QVector<Step>)
Q_DECLARE_METATYPE(LinkWatch::Cause)
Q_DECLARE_METATYPE(Curve)

class TestFaultSoak : public QObject
{
    Q_OBJECT
private slots:
    void linkWatch_data();
    void linkWatch();
    void slopeIgnoresWarmUp_data();
    void slopeIgnoresWarmUp();
    void growth_data();
    void growth();
};

void TestFaultSoak::linkWatch_data()
{
    QTest::addColumn<LinkWatch::Cause>("cause");
    QTest::addColumn<QVector<Step>>("steps");
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("reconnects");
    QTest::addColumn<qint64>("lastDowntime");
    QTest::addColumn<qint64>("lastSinceData");
    using C = LinkWatch::Cause;

    QTest::newRow("drop, up again at once")
        << C::Drop << QVector<Step>{{0, 'u', 0}, {5000, 'd', 4990}, {5040, 'u', 5040}} << 0 << 1
        << qint64(40) << qint64(50);
    QTest::newRow("silence: silent while up, then given up and back")
        << C::Silence
        << QVector<Step>{{0, 'u', 0}, {7900, 'u', 5000}, {8010, 'd', 5000}, {8030, 'u', 8030}} << 0
        << 1 << qint64(20) << qint64(3030);
    QTest::newRow("still down exactly at the deadline is in time")
        << C::Drop
        << QVector<Step>{{0, 'u', 0}, {1000, 'd', 1000}, {16000, 'd', 1000}, {16000, 'u', 16000}}
        << 0 << 1 << qint64(15000) << qint64(15000);
    QTest::newRow("late recovery fails but counts as a reconnect")
        << C::Drop
        << QVector<Step>{{0, 'u', 0}, {1000, 'd', 1000}, {16001, 'd', 1000}, {17000, 'u', 17000}}
        << 1 << 1 << qint64(16000) << qint64(16000);
    QTest::newRow("still down at the deadline fails before it ends")
        << C::Silence << QVector<Step>{{0, 'u', 0}, {1000, 'd', 0}, {16500, 'd', 0}} << 1 << 0
        << qint64(-1) << qint64(-1);
    QTest::newRow("lost without a fault")
        << C::Unexpected << QVector<Step>{{0, 'u', 0}, {2000, 'd', 1990}, {2010, 'u', 2010}} << 1
        << 1 << qint64(10) << qint64(20);
    QTest::newRow("up but silent past the deadline fails once")
        << C::Drop << QVector<Step>{{0, 'u', 0}, {15001, 'u', 0}, {20000, 'u', 0}} << 1 << 0
        << qint64(-1) << qint64(-1);
    QTest::newRow("moving to another unit is not a loss")
        << C::Unexpected
        << QVector<Step>{{0, 'u', 0}, {3000, 's', 2990}, {3001, 'd', 2990}, {3020, 'u', 3020}} << 0
        << 0 << qint64(20) << qint64(30);
    QTest::newRow("leaving a unit that never came back") << C::Drop
                                                         << QVector<Step>{{0, 'u', 0},
                                                                          {1000, 'd', 1000},
                                                                          {16500, 'd', 1000},
                                                                          {20000, 's', 1000},
                                                                          {20010, 'u', 20010}}
                                                         << 1 << 0 << qint64(10) << qint64(19010);
    QTest::newRow("leaving a unit before it came back")
        << C::Silence
        << QVector<Step>{{0, 'u', 0}, {4000, 'd', 1000}, {5000, 's', 1000}, {5010, 'u', 5010}} << 1
        << 0 << qint64(10) << qint64(4010);
    QTest::newRow("the first connection is not a recovery")
        << C::Unexpected << QVector<Step>{{0, 'd', 0}, {30000, 'd', 0}, {30010, 'u', 30010}} << 0
        << 0 << qint64(-1) << qint64(-1);
}

void TestFaultSoak::linkWatch()
{
    QFETCH(LinkWatch::Cause, cause);
    QFETCH(QVector<Step>, steps);
    QFETCH(int, failures);
    QFETCH(int, reconnects);
    QFETCH(qint64, lastDowntime);
    QFETCH(qint64, lastSinceData);

    LinkWatch watch(15000);
    watch.setCause(cause);
    for (const Step& s : steps) {
        if (s.what == 's')
            watch.switchUnit(s.t, s.data);
        else
            watch.observe(s.t, s.what == 'u', s.data);
    }
    QCOMPARE(watch.failures().size(), failures);
    QCOMPARE(watch.reconnects(), reconnects);
    const qint64 downtime = watch.outages().empty() ? -1 : watch.outages().back().downtimeMs();
    const qint64 sinceData = watch.outages().empty() ? -1 : watch.outages().back().sinceDataMs();
    QCOMPARE(downtime, lastDowntime);
    QCOMPARE(sinceData, lastSinceData);
}

void TestFaultSoak::slopeIgnoresWarmUp_data()
{
    QTest::addColumn<double>("secondHalfSlope");
    QTest::newRow("flat") << 0.0;
    QTest::newRow("rising") << 120.0;
    QTest::newRow("falling") << -30.0;
}

void TestFaultSoak::slopeIgnoresWarmUp()
{
    QFETCH(double, secondHalfSlope);
    // Ten minutes: a steep warm-up, then a straight line from minute five.
    const RssTrend trend = sampled(
        10, [&](double m) { return m < 5 ? 20000 + 2000 * m : 30000 + secondHalfSlope * (m - 5); });
    QVERIFY(std::abs(trend.slopeKbPerMinute() - secondHalfSlope) < 1e-6);
}

void TestFaultSoak::growth_data()
{
    QTest::addColumn<double>("minutes");
    QTest::addColumn<Curve>("curve");
    QTest::addColumn<bool>("growing");

    QTest::newRow("flat") << 5.0 << Curve([](double) { return 40000.0; }) << false;
    QTest::newRow("flat with page jitter")
        << 5.0 << Curve([](double m) { return 40000 + jitter(m); }) << false;
    QTest::newRow("warm-up, then flat")
        << 5.0 << Curve([](double m) { return m < 2 ? 30000 + 4000 * m : 38000 + jitter(m); })
        << false;
    QTest::newRow("steady leak") << 5.0
                                 << Curve([](double m) { return 40000 + 300 * m + jitter(m); })
                                 << true;
    QTest::newRow("slow leak, short run: under the rise")
        << 5.0 << Curve([](double m) { return 40000 + 100 * m; }) << false;
    QTest::newRow("slow leak, long run")
        << 30.0 << Curve([](double m) { return 40000 + 100 * m; }) << true;
    QTest::newRow("leak under the slope limit, long run")
        << 60.0 << Curve([](double m) { return 40000 + 40 * m + jitter(m); }) << false;
    QTest::newRow("one late spike")
        << 5.0 << Curve([](double m) { return m > 4.95 ? 60000.0 : 40000.0; }) << false;
    QTest::newRow("one bounded step in the second half")
        << 5.0 << Curve([](double m) { return m < 3.5 ? 40000.0 : 40300.0; }) << false;
    QTest::newRow("too short to judge")
        << 0.5 << Curve([](double m) { return 40000 + 50000 * m; }) << false;
}

void TestFaultSoak::growth()
{
    QFETCH(double, minutes);
    QFETCH(Curve, curve);
    QFETCH(bool, growing);
    QCOMPARE(sampled(minutes, curve).keepsGrowing(64, 512), growing);
}

KV_TEST_GUILESS_MAIN(TestFaultSoak)
#include "tst_faultsoak.moc"
