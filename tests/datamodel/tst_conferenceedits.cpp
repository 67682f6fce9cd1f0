// The editing rules of the input setup and conference blocks, without windows: the linked pair
// changes mode and mute as one; the gain stays inside its mode's range; every block edit sends
// exactly its command, in the unit's format, and nothing when the mirror already holds it.
#include "clock.h"
#include "conferenceedits.h"
#include "datamodel.h"
#include "inputsetupedits.h"
#include "linkpeer.h"
#include "testenvironment.h"

#include <QtTest>

using namespace wire;

class TestConferenceEdits : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 3'000'000;

    // Commands only; the refresh's reads are not what these tests look at.
    QStringList sent() { return m_peer.take().filter(QStringLiteral("w:")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.listen());
        m_link.controlPort = m_peer.port();
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase() { Clock::resetSource(); }

    // Inputs 1 and 2 enter and leave the linked pair together, each made safe in its own
    // sequence; other changes leave the partner alone.
    void linkedPairModes_data()
    {
        QTest::addColumn<QVector<quint32>>("modes"); // inputs 0..2
        QTest::addColumn<bool>("partnerPhantom");    // input 1
        QTest::addColumn<float>("partnerGain");      // input 1
        QTest::addColumn<int>("channel");
        QTest::addColumn<quint32>("to");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QVector<quint32>>("after");
        using M = QVector<quint32>;
        QTest::newRow("first input takes the second into the pair")
            << M{1, 1, 1} << false << 0.0f << 0 << 2u
            << QStringList{"w:3,1,4[0002]", "w:3,1,4[0102]"} << M{2, 2, 1};
        QTest::newRow("second input leaves the pair with the first")
            << M{2, 2, 1} << false << 0.0f << 1 << 1u
            << QStringList{"w:3,1,4[0101]", "w:3,1,4[0001]"} << M{1, 1, 1};
        QTest::newRow("a partner with 48 V and gain is made safe first")
            << M{1, 0, 1} << true << 20.0f << 0 << 2u
            << QStringList{"w:3,1,4[0002]", "w:3,1,5[0100]", "w:3,1,8[0100000000]", "w:3,1,4[0102]"}
            << M{2, 2, 1};
        QTest::newRow("mic to line outside the pair mode leaves the partner")
            << M{0, 0, 1} << true << 20.0f << 0 << 1u << QStringList{"w:3,1,4[0001]"} << M{1, 0, 1};
        QTest::newRow("the third input has no partner")
            << M{1, 1, 1} << false << 0.0f << 2 << 2u << QStringList{"w:3,1,4[0202]"} << M{1, 1, 2};
        QTest::newRow("a partner already linked is not sent again")
            << M{1, 2, 1} << false << 0.0f << 0 << 2u << QStringList{"w:3,1,4[0002]"} << M{2, 2, 1};
    }

    void linkedPairModes()
    {
        QFETCH(QVector<quint32>, modes);
        QFETCH(bool, partnerPhantom);
        QFETCH(float, partnerGain);
        QFETCH(int, channel);
        QFETCH(quint32, to);
        QFETCH(QStringList, expected);
        QFETCH(QVector<quint32>, after);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        for (int i = 0; i < modes.size(); ++i)
            model.input(i).inputMode = modes[i];
        model.input(1).phantom = partnerPhantom;
        model.input(1).inputGain = partnerGain;

        const QVector<int> changed = InputSetupEdits(model).setMode(channel, to);
        QCOMPARE(sent(), expected);
        for (int i = 0; i < after.size(); ++i)
            QCOMPARE(model.input(i).inputMode, after[i]);
        QCOMPARE(changed.isEmpty(), expected.isEmpty());
        if (!changed.isEmpty())
            QCOMPARE(changed.first(), channel);
        model.selectDevice(-1, false);
    }

    // While either input of the pair is linked, a mute reaches both.
    void linkedPairMute_data()
    {
        QTest::addColumn<QVector<quint32>>("modes");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QStringList>("expected");
        using M = QVector<quint32>;
        QTest::newRow("linked: both")
            << M{2, 2, 0} << 1 << QStringList{"w:3,1,2[0101]", "w:3,1,2[0001]"};
        QTest::newRow("one half linked is enough")
            << M{0, 2, 0} << 0 << QStringList{"w:3,1,2[0001]", "w:3,1,2[0101]"};
        QTest::newRow("not linked: one") << M{1, 1, 0} << 0 << QStringList{"w:3,1,2[0001]"};
        QTest::newRow("the third input alone") << M{2, 2, 0} << 2 << QStringList{"w:3,1,2[0201]"};
    }

    void linkedPairMute()
    {
        QFETCH(QVector<quint32>, modes);
        QFETCH(int, channel);
        QFETCH(QStringList, expected);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        for (int i = 0; i < modes.size(); ++i)
            model.input(i).inputMode = modes[i];
        InputSetupEdits(model).setMute(channel, true);
        QCOMPARE(sent(), expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(model.input(i).inputMute, expected.size() > 1 ? i < 2 : i == channel);
        model.selectDevice(-1, false);
    }

    // The gain a mode allows: a line source or the linked pair stop at 12 dB.
    void gainFollowsMode_data()
    {
        QTest::addColumn<quint32>("mode");
        QTest::addColumn<float>("typed");
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mic up to 50") << 0u << 60.0f << 50.0f << "w:3,1,8[0300004842]";
        QTest::newRow("line up to 12") << 1u << 30.0f << 12.0f << "w:3,1,8[0300004041]";
        QTest::newRow("linked pair up to 12") << 2u << 5.0f << 5.0f << "w:3,1,8[030000a040]";
        QTest::newRow("never below 0") << 0u << -3.0f << 0.0f << "w:3,1,8[0300000000]";
    }

    void gainFollowsMode()
    {
        QFETCH(quint32, mode);
        QFETCH(float, typed);
        QFETCH(float, stored);
        QFETCH(QString, expected);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        model.input(3).inputMode = mode;
        InputSetupEdits(model).setGain(3, typed);
        QCOMPARE(sent(), QStringList{expected});
        QCOMPARE(model.input(3).inputGain, stored);
        model.selectDevice(-1, false);
    }

    // Each edit sends exactly its command, clamped into the unit's range and in the length of
    // the unit's format; an edit the mirror already holds, or one the unit cannot take, sends
    // nothing.
    void blockEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("generation");
        QTest::addColumn<QStringList>("expected");
        const QString none = QString(32, QLatin1Char('0'));
        QTest::newRow("feedback on") << "feedback 3 1" << 4 << QStringList{"w:3,3,1[0301]"};
        QTest::newRow("feedback as it is") << "feedback 3 0" << 4 << QStringList{};
        QTest::newRow("feedback of input 17") << "feedback 16 1" << 4 << QStringList{};
        QTest::newRow("echo cancellation on") << "echo 1" << 4 << QStringList{"w:3,15,1[01]"};
        QTest::newRow("echo level, narrow format: 17 bytes")
            << "echoLevel 2" << 4 << QStringList{"w:3,15,2[02" + none + "]"};
        QTest::newRow("microphone 16, wide format: 19 bytes")
            << "echoMic 15 1" << 6
            << QStringList{"w:3,15,2[00" + QString(30, QLatin1Char('0')) + "010000]"};
        QTest::newRow("echo level 4") << "echoLevel 4" << 4 << QStringList{};
        QTest::newRow("weight beyond the range")
            << "weight 2 20" << 4 << QStringList{"w:3,18,1[0200004041]"};
        QTest::newRow("group 2") << "group 5 2" << 4 << QStringList{"w:3,18,2[0502]"};
        QTest::newRow("group 3") << "group 5 3" << 4 << QStringList{};
        QTest::newRow("second group on") << "amEnable 1 1" << 4 << QStringList{"w:3,18,3[0101]"};
        QTest::newRow("third group") << "amEnable 2 1" << 4 << QStringList{};
        QTest::newRow("auto mixer reset") << "amReset" << 4 << QStringList{"w:3,18,4"};
        QTest::newRow("generator on") << "genOn 1" << 4 << QStringList{"w:3,9,5[01]"};
        QTest::newRow("white noise") << "genType 2" << 4 << QStringList{"w:3,9,3[02]"};
        QTest::newRow("type 3") << "genType 3" << 4 << QStringList{};
        QTest::newRow("frequency beyond 24 kHz")
            << "genFreq 30000" << 4 << QStringList{"w:3,9,2[0080bb46]"};
        QTest::newRow("gain below -70") << "genGain -90" << 4 << QStringList{"w:3,9,4[00008cc2]"};
        QTest::newRow("generator to output 16")
            << "genRoute 15 1" << 4 << QStringList{"w:3,9,1[0f01]"};
        QTest::newRow("noise reduction") << "anc 4 3" << 4 << QStringList{"w:3,17,1[0403]"};
        QTest::newRow("noise reduction as it is") << "anc 0 0" << 4 << QStringList{};
        QTest::newRow("noise reduction level 4") << "anc 4 4" << 4 << QStringList{};
    }

    void blockEdits()
    {
        QFETCH(QString, edit);
        QFETCH(int, generation);
        QFETCH(QStringList, expected);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        model.system().formatGeneration = quint16(generation);
        ConferenceEdits edits(model);
        const QStringList w = edit.split(QLatin1Char(' '));
        const auto arg = [&w](int i) { return w.value(i).toInt(); };
        const QString& op = w[0];
        bool changed = true;
        if (op == QLatin1String("feedback"))
            changed = edits.setFeedback(arg(1), arg(2));
        else if (op == QLatin1String("echo"))
            changed = edits.setEchoCancellation(arg(1));
        else if (op == QLatin1String("echoLevel"))
            changed = edits.setEchoLevel(arg(1));
        else if (op == QLatin1String("echoMic"))
            changed = edits.setEchoMicrophone(arg(1), arg(2));
        else if (op == QLatin1String("weight"))
            changed = edits.setAutoMixerWeight(arg(1), float(arg(2)), Path::Now);
        else if (op == QLatin1String("group"))
            changed = edits.setAutoMixerGroup(arg(1), arg(2));
        else if (op == QLatin1String("amEnable"))
            changed = edits.setAutoMixerEnabled(arg(1), arg(2));
        else if (op == QLatin1String("amReset"))
            edits.resetAutoMixer();
        else if (op == QLatin1String("genOn"))
            changed = edits.setGeneratorOn(arg(1));
        else if (op == QLatin1String("genType"))
            changed = edits.setGeneratorType(arg(1));
        else if (op == QLatin1String("genFreq"))
            changed = edits.setGeneratorFrequency(float(arg(1)), Path::Now);
        else if (op == QLatin1String("genGain"))
            changed = edits.setGeneratorGain(float(arg(1)), Path::Now);
        else if (op == QLatin1String("genRoute"))
            changed = edits.setGeneratorRouting(arg(1), arg(2));
        else if (op == QLatin1String("anc"))
            changed = edits.setNoiseReduction(arg(1), arg(2));
        else
            QFAIL("unknown edit");
        QCOMPARE(sent(), expected);
        QCOMPARE(changed, !expected.isEmpty());
        model.selectDevice(-1, false);
    }

    // Drags of the weight, the generator's frequency and gain reach the unit once per queue
    // period with their last value; the reset clears the mirror as the unit clears itself.
    void dragsAndReset()
    {
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        ConferenceEdits edits(model);
        for (float w : {1.0f, 2.5f, 3.5f})
            QVERIFY(edits.setAutoMixerWeight(1, w, Path::Queued));
        for (float hz : {500.0f, 750.0f})
            QVERIFY(edits.setGeneratorFrequency(hz, Path::Queued));
        QVERIFY(edits.setGeneratorGain(-6.0f, Path::Queued));
        QVERIFY(edits.setAutoMixerGroup(1, 1));
        QVERIFY(edits.setAutoMixerEnabled(0, true));
        m_peer.take();
        m_now += 200;
        model.timeout();
        QStringList queued = sent();
        queued.sort();
        QCOMPARE(queued,
                 (QStringList{"w:3,18,1[0100006040]", "w:3,9,2[00803b44]", "w:3,9,4[0000c0c0]"}));

        edits.resetAutoMixer();
        QCOMPARE(sent(), QStringList{"w:3,18,4"});
        QCOMPARE(model.autoMixer().weight[1], 0.0f);
        QCOMPARE(model.autoMixer().group[1], quint8(0));
        QVERIFY(!model.autoMixer().enabled[0]);
        model.selectDevice(-1, false);
    }
};

KV_TEST_GUILESS_MAIN(TestConferenceEdits)
#include "tst_conferenceedits.moc"
