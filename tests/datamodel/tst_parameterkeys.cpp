// The named keys: every name is unique and found again, channel numbers are 1-based, values
// are checked against the unit's ranges, and a write by name reaches the unit as the same
// packet the editors send, on the channel the name says.
#include "clock.h"
#include "datamodel.h"
#include "linkpeer.h"
#include "parameterkeys.h"
#include "testenvironment.h"

#include <QSet>
#include <QtTest>

class TestParameterKeys : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 5'000'000;

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.listen());
        m_link.controlPort = m_peer.port();
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase() { Clock::resetSource(); }

    void namesAreUniqueAndFound()
    {
        const QVector<ParameterKeys::Key>& keys = ParameterKeys::all();
        QSet<QString> names;
        for (const ParameterKeys::Key& k : keys) {
            const QString name = k.name();
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            const ParameterKeys::Key found = ParameterKeys::find(name);
            QVERIFY2(found.family == k.family && found.index1 == k.index1 &&
                         found.index2 == k.index2,
                     qPrintable(name));
        }
        // Channels count from 1 and stop at the unit's last one.
        for (const char* name : {"input.1.gain", "input.17.gain", "input.16.preamp.gain",
                                 "output.16.mute", "matrix.in17.out16", "input.17.peq.8.q"})
            QVERIFY2(ParameterKeys::find(QLatin1String(name)).isValid(), name);
        for (const char* name : {"input.0.gain", "input.18.gain", "input.17.preamp.gain",
                                 "output.17.mute", "matrix.in1.out17", "input.1.peq.9.q", ""})
            QVERIFY2(!ParameterKeys::find(QLatin1String(name)).isValid(), name);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("bottom of a range") << "input.1.gain"
                                           << "-56" << QVariant(-56.0);
        QTest::newRow("top of a range") << "output.2.gain"
                                        << "12" << QVariant(12.0);
        QTest::newRow("above") << "output.2.gain"
                               << "12.01" << QVariant();
        QTest::newRow("delay of an output") << "output.1.delay"
                                            << "300.5" << QVariant();
        QTest::newRow("delay of an input") << "input.1.delay"
                                           << "300.5" << QVariant(300.5);
        QTest::newRow("frequency") << "input.3.peq.2.freq"
                                   << "19.9" << QVariant();
        QTest::newRow("whole number") << "input.2.group"
                                      << "8" << QVariant(8);
        QTest::newRow("fraction for a whole number") << "input.2.group"
                                                     << "1.5" << QVariant();
        QTest::newRow("on") << "output.1.mute"
                            << " ON " << QVariant(true);
        QTest::newRow("zero") << "output.1.mute"
                              << "0" << QVariant(false);
        QTest::newRow("not a flag") << "output.1.mute"
                                    << "2" << QVariant();
        QTest::newRow("not a number") << "input.1.gain"
                                      << "nan" << QVariant();
        QTest::newRow("empty") << "input.1.gain"
                               << "" << QVariant();
    }

    void parse()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        QString error;
        const ParameterKeys::Key k = ParameterKeys::find(key);
        const QVariant parsed = ParameterKeys::parse(k, text, &error);
        QCOMPARE(parsed, value);
        // A refusal names the key and what it takes.
        QCOMPARE(error.isEmpty(), value.isValid());
        if (!value.isValid()) {
            QVERIFY(error.startsWith(key + QLatin1Char(':')));
            QVERIFY(error.contains(ParameterKeys::rangeText(k)));
        }
        if (value.isValid())
            QCOMPARE(ParameterKeys::parse(k, ParameterKeys::format(k, parsed), nullptr), parsed);
    }

    // A write by name: the mirror of the named channel and the packet the unit hears.
    void writeReachesTheUnit_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("sent");
        QTest::newRow("strip gain") << "input.3.gain=-10.5"
                                    << "w:3,7,2[02000028c1]";
        QTest::newRow("output mute") << "output.1.mute=on"
                                     << "w:3,11,2[0001]";
        QTest::newRow("preamp") << "input.16.preamp.gain=20"
                                << "w:3,1,8[0f0000a041]";
        QTest::newRow("band of a filter") << "input.2.peq.4.gain=-3"
                                          << "w:3,4,3[0103010000004844000040c02b]";
        QTest::newRow("crosspoint") << "matrix.in3.out2=on"
                                    << "w:3,8,1[010201]";
        QTest::newRow("system mute") << "system.mute=on"
                                     << "w:2,2,16[01]";
        QTest::newRow("noise reduction channel") << "noisereduction.channel=4"
                                                 << "w:3,17,1[0300]";
    }

    void writeReachesTheUnit()
    {
        QFETCH(QString, assignment);
        QFETCH(QString, sent);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_now += 2000;
        model.timeout();
        m_peer.take();

        const int eq = assignment.indexOf(QLatin1Char('='));
        const ParameterKeys::Key key = ParameterKeys::find(assignment.left(eq));
        const QVariant value = ParameterKeys::parse(key, assignment.mid(eq + 1), nullptr);
        QVERIFY(value.isValid());
        ParameterKeys::write(model, key, value);
        QVERIFY(ParameterKeys::same(key, value, ParameterKeys::read(model, key)));
        m_now += 200;
        model.timeout();
        QCOMPARE(m_peer.take(), QStringList{sent});
    }
};

KV_TEST_GUILESS_MAIN(TestParameterKeys)
#include "tst_parameterkeys.moc"
