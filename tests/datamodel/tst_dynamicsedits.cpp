// The gate and AGC edits of the core, without windows: every value lands inside the unit's
// range, on the edited channel only, and is sent only when it changed (a gate at once, an AGC
// through the queue); typed AGC levels stay on their side of each other; an AGC copy writes the
// mirror exactly as far as the unit's mask format reaches; a reset brings the factory values.
#include "clock.h"
#include "datamodel.h"
#include "dynamicsedits.h"
#include "linkpeer.h"
#include "testenvironment.h"

#include <QtTest>
#include <cstring>

using namespace wire;

namespace {

template <typename Record> QString command(const char* code, int channel, const Record& r)
{
    QByteArray p(1, char(channel));
    p.append(reinterpret_cast<const char*>(&r), sizeof r);
    return QStringLiteral("w:%1[%2]").arg(QLatin1String(code), QString::fromLatin1(p.toHex()));
}

template <typename Record> bool sameBytes(const Record& a, const Record& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class TestDynamicsEdits : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 3'000'000;

    void settleQueue(DataModel& model)
    {
        m_now += 200;
        model.timeout();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.listen());
        m_link.controlPort = m_peer.port();
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase() { Clock::resetSource(); }

    // A gate edit of channel 5 is held in the unit's range and sent at once as the whole record
    // of channel 5 alone; the same value again, or a channel past the strips, sends nothing.
    void gateEdits()
    {
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        DynamicsEdits edits(model);
        const Gate neighbour = model.input(4).gate;
        QVERIFY(edits.setGateThreshold(5, -200.0f));
        QVERIFY(edits.setGateDecay(5, 0.0f));
        const Gate expected{1, -120.0f, 1.0f, 1.0f};
        QVERIFY(sameBytes(model.input(5).gate, expected));
        QVERIFY(sameBytes(model.input(4).gate, neighbour));
        Gate first = expected;
        first.decay = 20.0f;
        QCOMPARE(m_peer.take(),
                 (QStringList{command("3,2,2", 5, first), command("3,2,2", 5, expected)}));

        QVERIFY(!edits.setGateThreshold(5, float(qQNaN()))); // the bottom, as it is already
        QVERIFY(!edits.setGateDecay(5, -3.0f));
        QVERIFY(!edits.setGateThreshold(17, -10.0f));
        QVERIFY(!edits.setGateEnabled(-1, false));
        settleQueue(model);
        QCOMPARE(m_peer.take(), QStringList{});
        model.selectDevice(-1, false);
    }

    // AGC edits of channel 2 (threshold -30, target -20 to begin with): typed levels are held
    // on their side of each other, knob turns only within the range; times and ratio within
    // theirs. A drag reaches the unit once, with its latest record.
    void agcEdits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<float>("threshold");
        QTest::addColumn<float>("target");
        QTest::addColumn<float>("ratio");
        QTest::addColumn<float>("attack");
        QTest::addColumn<float>("decay");
        QTest::newRow("typed threshold above the target")
            << "threshold" << -5.0f << true << -20.0f << -20.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("turned threshold passes the target")
            << "threshold" << -5.0f << false << -5.0f << -20.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("typed target above 0 dB")
            << "target" << 12.0f << true << -30.0f << 0.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("typed target below the threshold")
            << "target" << -50.0f << true << -30.0f << -30.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("turned target below the threshold")
            << "target" << -50.0f << false << -30.0f << -50.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("threshold below the axis")
            << "threshold" << -300.0f << true << -120.0f << -20.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("ratio below 1")
            << "ratio" << 0.5f << true << -30.0f << -20.0f << 1.0f << 20.0f << 20.0f;
        QTest::newRow("ratio above 100")
            << "ratio" << 250.0f << true << -30.0f << -20.0f << 100.0f << 20.0f << 20.0f;
        QTest::newRow("attack 5 ms")
            << "attack" << 5.0f << true << -30.0f << -20.0f << 2.0f << 20.0f << 20.0f;
        QTest::newRow("decay 2 s")
            << "decay" << 2000.0f << true << -30.0f << -20.0f << 2.0f << 20.0f << 1000.0f;
    }

    void agcEdits()
    {
        QFETCH(QString, field);
        QFETCH(float, value);
        QFETCH(bool, typed);
        QFETCH(float, threshold);
        QFETCH(float, target);
        QFETCH(float, ratio);
        QFETCH(float, attack);
        QFETCH(float, decay);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        DynamicsEdits edits(model);
        const auto cross = typed ? DynamicsEdits::Cross::Held : DynamicsEdits::Cross::Free;
        // A step on the way that the queue replaces.
        edits.setAgcEnabled(2, true);
        if (field == QLatin1String("threshold"))
            edits.setAgcThreshold(2, value, cross);
        else if (field == QLatin1String("target"))
            edits.setAgcTarget(2, value, cross);
        else if (field == QLatin1String("ratio"))
            edits.setAgcRatio(2, value);
        else if (field == QLatin1String("attack"))
            edits.setAgcAttack(2, value);
        else
            edits.setAgcDecay(2, value);
        const AGC expected{1, threshold, target, ratio, attack, decay};
        QVERIFY(sameBytes(model.input(2).agc, expected));
        QVERIFY(sameBytes(model.input(3).agc, DynamicsEdits::factoryAgc()));
        QCOMPARE(m_peer.take(), QStringList{});
        settleQueue(model);
        QCOMPARE(m_peer.take(), QStringList{command("3,16,1", 2, expected)});
        QVERIFY(!edits.setAgcEnabled(2, true));
        model.selectDevice(-1, false);
    }

    // A copy reaches the inputs its mask names as far as the format can name them: the narrow
    // 16-bit mask leaves out the 17th strip, in the mirror too; nothing left, nothing sent.
    void agcCopyMasks_data()
    {
        QTest::addColumn<int>("configuration"); // 1: the wide format
        QTest::addColumn<quint32>("mask");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QVector<int>>("written");
        using V = QVector<int>;
        QTest::newRow("narrow") << 0 << 0x10006u << "w:3,16,2[030600]" << V{1, 2};
        QTest::newRow("wide") << 1 << 0x10006u << "w:3,16,2[0306000100]" << V{1, 2, 16};
        QTest::newRow("wide, bits past the strips")
            << 1 << 0xFFFF0001u << "w:3,16,2[0301000100]" << V{0, 16};
        QTest::newRow("narrow, only the 17th strip") << 0 << 0x10000u << "" << V{};
    }

    void agcCopyMasks()
    {
        QFETCH(int, configuration);
        QFETCH(quint32, mask);
        QFETCH(QString, sent);
        QFETCH(QVector<int>, written);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        model.applyChannelConfiguration(configuration == 1 ? 16 : -1, -1, configuration);
        m_peer.take();
        DynamicsEdits edits(model);
        const AGC source{1, -44.5f, -12.0f, 7.5f, 300.0f, 600.0f};
        model.input(3).agc = source;

        QCOMPARE(edits.copyAgc(3, mask), written);
        QCOMPARE(m_peer.take(), sent.isEmpty() ? QStringList{} : QStringList{sent});
        for (int ch = 0; ch < kInputStrips; ++ch) {
            const bool reached = ch == 3 || written.contains(ch);
            QVERIFY2(sameBytes(model.input(ch).agc, reached ? source : DynamicsEdits::factoryAgc()),
                     qPrintable(QString::number(ch)));
        }

        // The reset brings the factory AGC back to one channel, at once.
        edits.resetAgc(3);
        QCOMPARE(m_peer.take(), QStringList{"w:3,16,3[03]"});
        QVERIFY(sameBytes(model.input(3).agc, DynamicsEdits::factoryAgc()));
        model.selectDevice(-1, false);
    }
};

KV_TEST_GUILESS_MAIN(TestDynamicsEdits)
#include "tst_dynamicsedits.moc"
