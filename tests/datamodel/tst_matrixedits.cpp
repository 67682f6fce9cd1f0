// The matrix rules of the core, without windows: a gesture's value reaches the mirror of every
// listed input and the unit as one command per output; gains keep to -56..+12 in the mirror and
// go out as off (-70) at the bottom; "All Mix" spares the USB record output, "Reset" does not,
// and both list the inputs of the unit's format.
#include "clock.h"
#include "datamodel.h"
#include "linkpeer.h"
#include "matrixedits.h"
#include "testenvironment.h"

#include <QtTest>

using namespace wire;

namespace {

// The input lists of the two formats, spelled out.
const char* const kNarrowInputs = "000102030405060708090a0b0c0d0e0f";
const char* const kWideInputs = "000102030405060708090a0b0c0d0e0f1011";

} // namespace

class TestMatrixEdits : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 3'000'000;

    // Lets the queue send what waits in it.
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

    // One gesture: what the mirror holds afterwards and the one packet the unit hears.
    void crosspointEdit_data()
    {
        QTest::addColumn<bool>("enable");
        QTest::addColumn<int>("output");
        QTest::addColumn<QByteArray>("inputs");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("sent");
        const auto hex = [](const char* h) { return QByteArray::fromHex(h); };
        QTest::newRow("inputs 1-4 on output 2")
            << true << 1 << hex("00010203") << 1 << hex("00010203") << 1 << "w:3,8,1[010001020301]";
        QTest::newRow("switched off")
            << true << 15 << hex("10") << 0 << hex("10") << 0 << "w:3,8,1[0f1000]";
        QTest::newRow("gain") << false << 3 << hex("0204") << -12 << hex("0204") << -12
                              << "w:3,8,2[030204f4]";
        QTest::newRow("bottom goes out as off")
            << false << 4 << hex("05") << -56 << hex("05") << -56 << "w:3,8,2[0405ba]";
        QTest::newRow("one above the bottom is a gain")
            << false << 4 << hex("05") << -55 << hex("05") << -55 << "w:3,8,2[0405c9]";
        QTest::newRow("below the range")
            << false << 0 << hex("00") << -90 << hex("00") << -56 << "w:3,8,2[0000ba]";
        QTest::newRow("above the range")
            << false << 0 << hex("11") << 30 << hex("11") << 12 << "w:3,8,2[00110c]";
        QTest::newRow("no such input, a repeated one")
            << true << 0 << hex("03120311") << 1 << hex("0311") << 1 << "w:3,8,1[00031101]";
        QTest::newRow("no such output")
            << true << 16 << hex("00") << 1 << QByteArray() << 0 << QString();
        QTest::newRow("no input left")
            << false << 2 << hex("1240") << 3 << QByteArray() << 0 << QString();
    }

    void crosspointEdit()
    {
        QFETCH(bool, enable);
        QFETCH(int, output);
        QFETCH(QByteArray, inputs);
        QFETCH(int, value);
        QFETCH(QByteArray, written);
        QFETCH(int, stored);
        QFETCH(QString, sent);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        // Every crosspoint starts apart from what the edit writes.
        for (int i = 0; i < kInputCount; ++i) {
            model.input(i).mixEnabled.fill(!enable || value == 0);
            model.input(i).mixGain.fill(7);
        }
        settleQueue(model);
        m_peer.take();

        MatrixEdits edits(model);
        const QByteArray reached = enable ? edits.setEnabled(output, inputs, value != 0)
                                          : edits.setGain(output, inputs, value);
        QCOMPARE(reached, written);
        settleQueue(model);
        QCOMPARE(m_peer.take(), sent.isEmpty() ? QStringList{} : QStringList{sent});
        for (int i = 0; i < kInputCount; ++i) {
            for (int o = 0; o < kOutputCount; ++o) {
                const bool hit = o == output && written.contains(char(i));
                const auto& in = model.input(i);
                if (enable)
                    QCOMPARE(in.mixEnabled[std::size_t(o)], hit ? stored != 0 : value == 0);
                else
                    QCOMPARE(int(in.mixGain[std::size_t(o)]), hit ? stored : 7);
            }
        }
    }

    // "All Mix" and "Reset" in the unit's two formats, with and without a USB record output.
    void allMixAndReset_data()
    {
        QTest::addColumn<bool>("mix");
        QTest::addColumn<int>("configuration"); // 1: the wide format with USB
        QTest::addColumn<int>("usbRecordOutput");
        QTest::addColumn<QString>("inputs");
        QTest::newRow("all mix, wide, USB record at 9") << true << 1 << 8 << kWideInputs;
        QTest::newRow("reset, wide, USB record at 9") << false << 1 << 8 << kWideInputs;
        QTest::newRow("all mix, narrow, USB record at 9") << true << 2 << 8 << kNarrowInputs;
        QTest::newRow("all mix, narrow, no USB") << true << 0 << -1 << kNarrowInputs;
        QTest::newRow("reset, narrow, no USB") << false << 0 << -1 << kNarrowInputs;
    }

    void allMixAndReset()
    {
        QFETCH(bool, mix);
        QFETCH(int, configuration);
        QFETCH(int, usbRecordOutput);
        QFETCH(QString, inputs);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        model.applyChannelConfiguration(usbRecordOutput >= 0 ? 16 : -1, usbRecordOutput,
                                        configuration);
        // Every crosspoint starts as neither plan leaves it.
        for (int i = 0; i < kInputCount; ++i) {
            model.input(i).mixEnabled.fill(!mix);
            model.input(i).mixGain.fill(-20);
        }
        settleQueue(model);
        m_peer.take();

        const QVector<Command> plan =
            MatrixEdits::allCommands(mix, usbRecordOutput, model.formatGeneration());
        MatrixEdits(model).setAll(mix, usbRecordOutput);
        settleQueue(model);
        QStringList switches;
        QStringList gains;
        for (const QString& s : m_peer.take())
            (s.startsWith(QLatin1String("w:3,8,1")) ? switches : gains) << s;

        QStringList expectedSwitches;
        QStringList expectedGains;
        for (int o = 0; o < kOutputCount; ++o) {
            if (mix && o == usbRecordOutput)
                continue;
            const QString out = QStringLiteral("%1").arg(o, 2, 16, QLatin1Char('0'));
            expectedSwitches << QStringLiteral("w:3,8,1[%1%2%3]")
                                    .arg(out, inputs,
                                         mix ? QStringLiteral("01") : QStringLiteral("00"));
            expectedGains << QStringLiteral("w:3,8,2[") + out + inputs + QStringLiteral("00]");
        }
        // Switches go at once, in order; the gains wait in the queue, one per output.
        QCOMPARE(switches, expectedSwitches);
        gains.sort();
        QCOMPARE(gains, expectedGains);
        // The plan is what went out: per output the switch, then the gain, which is queued.
        QCOMPARE(plan.size(), 2 * expectedSwitches.size());
        for (int k = 0; k < plan.size(); ++k) {
            QCOMPARE(plan[k].queued, k % 2 == 1);
            QCOMPARE(plan[k].code, k % 2 ? code::MatrixGain : code::MatrixEnable);
        }

        // Every input record, also those past the list; the spared output keeps its state.
        for (int i = 0; i < kInputCount; ++i) {
            for (int o = 0; o < kOutputCount; ++o) {
                const bool spared = mix && o == usbRecordOutput;
                const auto& in = model.input(i);
                QCOMPARE(in.mixEnabled[std::size_t(o)], spared ? !mix : mix);
                QCOMPARE(int(in.mixGain[std::size_t(o)]), spared ? -20 : 0);
            }
        }
    }
};

KV_TEST_GUILESS_MAIN(TestMatrixEdits)
#include "tst_matrixedits.moc"
