#include "controlserver.h"
#include "testenvironment.h"
#include "unitfixture.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QtTest>

// Fault injection: the faults a unit can be told to show, through the test API and through
// the per-connection fault plan.
class TestUnitFaults : public QObject
{
    Q_OBJECT

private slots:
    void silence_data();
    void silence();
    void drop_data();
    void drop();
    void garbageBeforePackets();
    void lateAnswersKeepOrder();
    void newConnectionReplacesOld();
};

void TestUnitFaults::silence_data()
{
    QTest::addColumn<bool>("byPlan");
    QTest::newRow("test API") << false;
    QTest::newRow("silent-after plan") << true;
}

void TestUnitFaults::silence()
{
    QFETCH(bool, byPlan);
    FaultPlan plan;
    if (byPlan)
        plan.silentAfterMs = 300;
    UnitFixture f;
    QVERIFY(f.start(0, {}, plan));
    UnitClient& c = f.client();
    c.read(wire::code::InputPostFaderMeters);
    QCOMPARE(c.take(wire::code::InputPostFaderMeters).size(), 1);

    if (byPlan)
        c.idle(400);
    else
        f.unit().setSilent(true);
    QVERIFY(f.unit().server().isSilent());
    c.read(wire::code::InputPostFaderMeters);
    c.command(wire::code::InputLevelMute, QByteArray("\x00\x01", 2));
    QCOMPARE(c.idle(400), 0);
    QVERIFY(c.isConnected());
    QVERIFY(f.unit().server().hasConnection());

    // Talking again, the unit has neither answered nor applied what came meanwhile.
    f.unit().setSilent(false);
    c.read(wire::code::InputLevelMute);
    const auto answer = c.take(wire::code::InputLevelMute);
    QCOMPARE(answer.size(), 1);
    QCOMPARE(answer[0].payload.at(0), char(0));
}

void TestUnitFaults::drop_data()
{
    QTest::addColumn<bool>("byPlan");
    QTest::newRow("test API") << false;
    QTest::newRow("drop-after plan") << true;
}

void TestUnitFaults::drop()
{
    QFETCH(bool, byPlan);
    FaultPlan plan;
    if (byPlan)
        plan.dropAfterMs = 200;
    UnitFixture f;
    QVERIFY(f.start(0, {}, plan));
    QCOMPARE(f.client().take(wire::code::Login).size(), 1);
    if (!byPlan)
        f.unit().dropConnection();
    QVERIFY(f.client().waitForDisconnect(2000));
    QVERIFY(!f.unit().server().hasConnection());
    // The unit takes the next connection and serves it normally.
    QVERIFY(f.reconnect());
    QCOMPARE(f.client().take(wire::code::Login).size(), 1);
}

void TestUnitFaults::garbageBeforePackets()
{
    // The client's cutter logs every byte it skips.
    QLoggingCategory::setFilterRules("kv.wire.debug=false");
    UnitFixture f;
    QVERIFY(f.start());
    UnitClient& c = f.client();
    QCOMPARE(c.take(wire::code::Login).size(), 1);
    c.clear();
    f.unit().sendGarbage(40);
    c.read(wire::code::DeviceId);
    const auto answer = c.take(wire::code::DeviceId);
    QCOMPARE(answer.size(), 1);
    QCOMPARE(answer[0].payload.size(), 4);
    const QByteArray raw = c.rawBytes();
    QCOMPARE(raw.size(), 40 + 16);
    QVERIFY(!raw.left(40).contains(char(0x82)));
    QCOMPARE(raw.mid(40, 2), QByteArray("\x82\x7D", 2));
}

void TestUnitFaults::lateAnswersKeepOrder()
{
    UnitFixture f;
    QVERIFY(f.start());
    UnitClient& c = f.client();
    QCOMPARE(c.take(wire::code::Login).size(), 1);
    f.unit().setAnswerDelay(300);
    QElapsedTimer clock;
    clock.start();
    c.read(wire::code::DeviceId);
    c.read(wire::code::FormatGeneration);
    QCOMPARE(c.take(wire::code::DeviceId, 1, 200).size(), 0);
    QCOMPARE(c.take(wire::code::DeviceId, 1, 2000).size(), 1);
    QVERIFY(clock.elapsed() >= 290);
    QCOMPARE(c.take(wire::code::FormatGeneration, 1, 2000).size(), 1);
    QVERIFY(c.rawBytes().indexOf(QByteArray("\x02\x02\x1D\x80", 4)) <
            c.rawBytes().indexOf(QByteArray("\x02\x02\x28\x80", 4)));
}

void TestUnitFaults::newConnectionReplacesOld()
{
    UnitFixture f;
    QVERIFY(f.start());
    UnitClient first;
    QVERIFY(first.connectTo(QHostAddress(QHostAddress::LocalHost), f.unit().controlPort()));
    QVERIFY(f.client().waitForDisconnect(2000));
    first.read(wire::code::DeviceId);
    QCOMPARE(first.take(wire::code::DeviceId).size(), 1);
}

KV_TEST_GUILESS_MAIN(TestUnitFaults)
#include "tst_unitfaults.moc"
