// The editing rules of the core, without windows: level edits spread through the level group
// and the linked input pair and stop at each channel's travel; an input's mode changes only
// after its phantom power and gain are safe; block edits send only what changed, copies and
// resets reach the mirror as they reach the unit; the report router brings each change to the
// windows that asked for it.
#include "blockedits.h"
#include "clock.h"
#include "datamodel.h"
#include "inputsetupedits.h"
#include "labeledits.h"
#include "leveledits.h"
#include "linkpeer.h"
#include "reportrouter.h"
#include "testenvironment.h"

#include <QTextCodec>
#include <QtTest>

using namespace wire;

class TestEdits : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 2'000'000;

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

    // Which channels move with an edit, and what is sent: always the edited channel's
    // command only (the unit spreads it itself).
    void levelEditsSpread_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QVector<int>>("groups"); // level group of inputs 0..4
        QTest::addColumn<quint32>("input0Mode");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QVector<int>>("followers");
        using V = QVector<int>;
        QTest::newRow("group members") << "mute" << V{0, 3, 3, 0, 3} << 0u << 1 << V{2, 4};
        QTest::newRow("no group, no followers") << "mute" << V{0, 0, 0, 0, 0} << 0u << 3 << V{};
        QTest::newRow("linked pair") << "invert" << V{0, 0, 0, 0, 0} << 2u << 0 << V{1};
        QTest::newRow("pair and group") << "gain" << V{5, 0, 5, 0, 0} << 2u << 0 << V{2, 1};
        QTest::newRow("line mode links nothing") << "gain" << V{0, 0, 0, 0, 0} << 1u << 0 << V{};
        QTest::newRow("a group change takes the partner")
            << "group" << V{0, 4, 4, 0, 0} << 2u << 0 << V{1};
    }

    void levelEditsSpread()
    {
        QFETCH(QString, edit);
        QFETCH(QVector<int>, groups);
        QFETCH(quint32, input0Mode);
        QFETCH(int, channel);
        QFETCH(QVector<int>, followers);
        DataModel model(m_link);
        model.setTickTimerRunning(false);
        for (int i = 0; i < groups.size(); ++i)
            model.input(i).levelGroup = quint8(groups[i]);
        model.input(0).inputMode = input0Mode;
        LevelEdits edits(model);

        QVector<int> moved;
        if (edit == QLatin1String("mute"))
            moved = edits.setInputMute(channel, true);
        else if (edit == QLatin1String("invert"))
            moved = edits.setInputInvert(channel, true);
        else if (edit == QLatin1String("gain"))
            moved = edits.setInputGain(channel, -12.0f);
        else
            moved = edits.setInputGroup(channel, 6);
        QCOMPARE(moved, followers);
        for (int i = 0; i < groups.size(); ++i) {
            const bool moves = i == channel || followers.contains(i);
            const auto& in = model.input(i);
            if (edit == QLatin1String("mute"))
                QCOMPARE(in.levelMute, moves);
            else if (edit == QLatin1String("invert"))
                QCOMPARE(in.levelInvert, moves);
            else if (edit == QLatin1String("gain"))
                QCOMPARE(in.levelGain, moves ? -12.0f : 0.0f);
            else
                QCOMPARE(int(in.levelGroup), moves ? 6 : groups[i]);
        }
        const Code sent = edit == QLatin1String("mute")     ? code::InputLevelMute
                          : edit == QLatin1String("invert") ? code::InputLevelInvert
                          : edit == QLatin1String("gain")   ? code::InputLevelGain
                                                            : code::InputLevelGroup;
        QVERIFY(model.recentCommand().holds(sent));
    }

    // Each channel stays inside its own travel: the unit's configured range, within -56..+12
    // (0 dB on the USB play strip); an edit that changes nothing sends nothing.
    void levelTravel()
    {
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        LevelEdits edits(model);
        DeviceProfile profile;
        profile.usbPlayInput = 16;
        edits.setProfile(profile);
        model.input(3).faderMin = -30.0f;
        model.input(3).faderMax = 6.0f;
        model.input(4).faderMin = 12.0f; // configured the other way round
        model.input(4).faderMax = -20.0f;
        model.input(16).faderMax = 12.0f; // the unit allows more than the strip
        model.output(2).faderMax = 3.0f;
        QCOMPARE(edits.inputTravel(3).min, -30.0f);
        QCOMPARE(edits.inputTravel(4).min, -20.0f);
        QCOMPARE(edits.inputTravel(4).max, 12.0f);
        QCOMPARE(edits.inputTravel(16).max, 0.0f);
        QCOMPARE(edits.outputTravel(2).max, 3.0f);

        // A group of 3 and 16: each member stops at its own top.
        model.input(3).levelGroup = model.input(16).levelGroup = 2;
        model.input(16).levelGain = -10.0f;
        QCOMPARE(edits.setInputGain(3, 10.0f), QVector<int>{16});
        QCOMPARE(float(model.input(3).levelGain), 6.0f);
        QCOMPARE(float(model.input(16).levelGain), 0.0f);
        QCOMPARE(edits.setOutputGain(2, 11.0f), QVector<int>{});
        QCOMPARE(float(model.output(2).levelGain), 3.0f);
        settleQueue(model);
        QStringList sent = m_peer.take();
        QCOMPARE(sent.size(), 2);
        QVERIFY(sent.contains("w:3,7,2[" + QByteArray("03" + bytesF32(6).toHex()) + "]"));

        // Again at the top: nothing new for the unit.
        edits.setInputGain(3, 9.0f);
        edits.setOutputGain(2, 3.0f);
        settleQueue(model);
        QVERIFY(m_peer.take().filter(QStringLiteral("w:")).isEmpty());
        model.selectDevice(-1, false);
    }

    // A new mode follows 48 V off and the gain at 0 dB, in that order; the factory 48 V switch
    // goes the same way.
    void modeChangeSequence_data()
    {
        QTest::addColumn<quint32>("from");
        QTest::addColumn<bool>("phantom");
        QTest::addColumn<float>("gain");
        QTest::addColumn<quint32>("to");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("mic with 48 V and gain to line")
            << 0u << true << 30.0f << 1u
            << QStringList{"w:3,1,5[0500]", "w:3,1,8[0500000000]", "w:3,1,4[0501]"};
        QTest::newRow("line to mic with gain")
            << 1u << false << 6.0f << 0u << QStringList{"w:3,1,8[0500000000]", "w:3,1,4[0500]"};
        QTest::newRow("line to the third mode at 0 dB")
            << 1u << false << 0.0f << 2u << QStringList{"w:3,1,4[0502]"};
        QTest::newRow("the same mode") << 1u << false << 6.0f << 1u << QStringList{};
    }

    void modeChangeSequence()
    {
        QFETCH(quint32, from);
        QFETCH(bool, phantom);
        QFETCH(float, gain);
        QFETCH(quint32, to);
        QFETCH(QStringList, sent);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        model.input(5).inputMode = from;
        model.input(5).phantom = phantom;
        model.input(5).inputGain = gain;
        InputSetupEdits(model).setMode(5, to);
        QCOMPARE(m_peer.take(), sent);
        QCOMPARE(model.input(5).inputMode, to);
        QCOMPARE(model.input(5).phantom, phantom && to == 0);
        QCOMPARE(model.input(5).inputGain, from == to ? gain : 0.0f);
        model.selectDevice(-1, false);
    }

    // An edit that changes nothing sends nothing; a drag sends its latest value once per
    // queue period; all-enable sends exactly the bands that differ.
    void blockEditsSendOnlyChanges()
    {
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        BlockEdits edits(model);
        using Side = BlockEdits::Side;

        QVERIFY(!edits.setHpf(Side::Input, 3, model.input(3).hpf));
        QVERIFY(!edits.setPeq(Side::Output, 0, 7, model.output(0).peq[7]));
        QVERIFY(!edits.setLimiter(Side::Input, 1, model.input(1).limiter));
        QVERIFY(!edits.setDelay(Side::Output, 2, 0.0f));
        settleQueue(model);
        QCOMPARE(m_peer.take(), QStringList{});

        // A drag through three values: the unit hears the last.
        for (float f : {200.0f, 250.0f, 300.5f})
            QVERIFY(edits.setPeq(Side::Input, 3, 2, PEQ{1, 0, f, -3.5f, 20}));
        QVERIFY(edits.setHpf(Side::Output, 15, HLPF{1, 2, 5, 80.0f}));
        QVERIFY(edits.setDelay(Side::Output, 2, 500.0f)); // beyond the output's 300 ms
        settleQueue(model);
        QStringList sent = m_peer.take();
        sent.sort();
        QCOMPARE(sent, (QStringList{"w:3,12,1[0f0102050000a042]", "w:3,14,1[0200009643]",
                                    "w:3,4,3[0302010000409643000060c014]"}));
        QCOMPARE(float(model.input(3).peq[2].freq), 300.5f);
        QCOMPARE(float(model.output(2).delay), 300.0f);
        QVERIFY(!edits.setDelay(Side::Output, 2, 300.0f));

        // Bands 1, 4 and 6 are off; all on sends exactly those three.
        for (int band : {1, 4, 6})
            model.output(5).peq[std::size_t(band)].enabled = 0;
        QVERIFY(!edits.allPeqEnabled(Side::Output, 5));
        QCOMPARE(edits.setAllPeqEnabled(Side::Output, 5, true), (QVector<int>{1, 4, 6}));
        QVERIFY(edits.allPeqEnabled(Side::Output, 5));
        QCOMPARE(edits.setAllPeqEnabled(Side::Output, 5, true), QVector<int>{});
        settleQueue(model);
        sent = m_peer.take();
        QCOMPARE(sent.size(), 3);
        for (const char* band : {"0501", "0504", "0506"})
            QCOMPARE(sent.filter(QStringLiteral("w:3,12,3[%1").arg(band) + "01").size(), 1);
        model.selectDevice(-1, false);
    }

    // A reset and a copy write the mirror as the unit will hold it and go at once; the copy's
    // masks take the unit's format, and the wide format copies a filter within its side only.
    void blockResetAndCopy_data()
    {
        QTest::addColumn<int>("configuration"); // 1: the wide format
        QTest::addColumn<bool>("outputSource");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QVector<int>>("inputs");
        QTest::addColumn<QVector<int>>("outputs");
        using V = QVector<int>;
        QTest::newRow("narrow, from an input")
            << 0 << false << "w:3,4,4[0222000800]" << V{1, 5} << V{3};
        QTest::newRow("narrow, from an output")
            << 0 << true << "w:3,12,4[0222000800]" << V{1, 5} << V{3};
        QTest::newRow("wide, from an input")
            << 1 << false << "w:3,4,4[0222000000]" << V{1, 5} << V{};
        QTest::newRow("wide, from an output") << 1 << true << "w:3,12,4[020800]" << V{} << V{3};
    }

    void blockResetAndCopy()
    {
        QFETCH(int, configuration);
        QFETCH(bool, outputSource);
        QFETCH(QString, sent);
        QFETCH(QVector<int>, inputs);
        QFETCH(QVector<int>, outputs);
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        model.applyChannelConfiguration(-1, -1, configuration);
        m_peer.take();
        BlockEdits edits(model);
        using Side = BlockEdits::Side;
        const Side side = outputSource ? Side::Output : Side::Input;
        const HLPF hpf{1, 1, 3, 120.0f};
        const PEQ band{0, 2, 4000.0f, 6.0f, 10};
        edits.setHpf(side, 2, hpf);
        edits.setPeq(side, 2, 7, band);
        settleQueue(model);
        m_peer.take();

        // Bit 17 names no input and bit 16 no output: neither is sent nor written.
        const auto t = edits.copyFilter(side, 2, 0x00020022u, 0x00010008u);
        QCOMPARE(m_peer.take(), QStringList{sent});
        QCOMPARE(t.inputs, inputs);
        QCOMPARE(t.outputs, outputs);
        for (int ch = 0; ch < kInputStrips; ++ch) {
            const bool reached = inputs.contains(ch) || (!outputSource && ch == 2);
            const PEQ p = model.input(ch).peq[7];
            QCOMPARE(float(model.input(ch).hpf.freq), reached ? 120.0f : 20.0f);
            QCOMPARE(float(p.freq), reached ? 4000.0f : 8000.0f);
        }
        for (int ch = 0; ch < kOutputCount; ++ch) {
            const bool reached = outputs.contains(ch) || (outputSource && ch == 2);
            QCOMPARE(float(model.output(ch).hpf.freq), reached ? 120.0f : 20.0f);
        }

        // The reset brings the factory block back to the source alone.
        edits.resetFilter(side, 2);
        QCOMPARE(m_peer.take(), QStringList{outputSource ? "w:3,12,5[02]" : "w:3,4,5[02]"});
        const HLPF h = outputSource ? model.output(2).hpf : model.input(2).hpf;
        const PEQ p = outputSource ? model.output(2).peq[7] : model.input(2).peq[7];
        QCOMPARE(int(h.enabled), 0);
        QCOMPARE(float(h.freq), 20.0f);
        QCOMPARE(int(p.enabled), 1);
        QCOMPARE(int(p.q), 43);
        QCOMPARE(float(p.freq), 8000.0f);

        // Limiters copy to both sides in either format, with a 32-bit input mask when wide.
        model.input(2).limiter = Limiter{1, -6.0f, 4.0f, 2.0f, 50.0f};
        edits.copyLimiter(Side::Input, 2, 0x3u, 0x1u);
        QCOMPARE(m_peer.take(), QStringList{configuration == 1 ? "w:3,5,2[02030000000100]"
                                                               : "w:3,5,2[0203000100]"});
        QCOMPARE(float(model.output(0).limiter.threshold), -6.0f);
        QCOMPARE(float(model.input(1).limiter.ratio), 4.0f);
        edits.resetLimiter(Side::Output, 0);
        QCOMPARE(m_peer.take(), QStringList{"w:3,13,3[00]"});
        QCOMPARE(float(model.output(0).limiter.ratio), 2.0f);
        model.selectDevice(-1, false);
    }

    // Labels count bytes of the local encoding, lose their surrounding blanks, and a refused
    // one changes nothing; the views hear of a stored label as of a reported one.
    void labelEditsCountBytes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sent");               // empty: refused
        const QString eight = QString(8, QChar(0x4E2D)); // two bytes each in GB2312
        QTest::newRow("16 ASCII") << int(LabelEdits::Kind::Input) << "ABCDEFGHIJKLMNOP"
                                  << "w:2,3,1[044142434445464748494a4b4c4d4e4f50]";
        QTest::newRow("8 two-byte characters") << int(LabelEdits::Kind::Output) << eight
                                               << "w:2,3,2[04" + QString("d6d0").repeated(8) + "]";
        QTest::newRow("9 two-byte characters refused")
            << int(LabelEdits::Kind::Input) << eight + QChar(0x4E2D) << QString();
        QTest::newRow("blanks trimmed") << int(LabelEdits::Kind::TouchScreen) << "  Lectern "
                                        << "w:2,3,3[044c65637465726e]";
        QTest::newRow("11 bytes on the touch screen refused")
            << int(LabelEdits::Kind::TouchScreen) << "Wireless 12" << QString();
        QTest::newRow("cleared") << int(LabelEdits::Kind::Input) << "   "
                                 << "w:2,3,1[04]";
    }

    void labelEditsCountBytes()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, sent);
        QTextCodec* before = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        m_peer.take();
        ReportRouter router(model);
        int announced = 0;
        router.subscribe(this, group::Labels, [&](const ReportRouter::Event& e) {
            QCOMPARE(int(e.channel), 4);
            ++announced;
        });
        LabelEdits edits(model);
        const auto k = LabelEdits::Kind(kind);
        edits.set(k, 4, QStringLiteral("old"));
        m_peer.take();
        announced = 0;

        QCOMPARE(edits.set(k, 4, text), !sent.isEmpty());
        QCOMPARE(edits.text(k, 4), sent.isEmpty() ? QStringLiteral("old") : text.trimmed());
        QCOMPARE(m_peer.take(), sent.isEmpty() ? QStringList{} : QStringList{sent});
        QCOMPARE(announced, sent.isEmpty() ? 0 : 1);
        router.unsubscribe(this);
        model.selectDevice(-1, false);
        QTextCodec::setCodecForLocale(before);
    }

    // Each change reaches those who subscribed to its code or its group, and no one after
    // they are gone, also when they go while the change is being delivered.
    void routerDelivers()
    {
        DataModel model(m_link);
        ReportRouter router(model);
        QStringList seen;
        auto* strips = new QObject;
        auto* meters = new QObject;
        auto* windowOfTheGroup = new QObject;
        router.subscribe(strips, code::InputLevelGain, [&](const ReportRouter::Event& e) {
            seen << QStringLiteral("strips %1").arg(e.channel);
            delete meters; // gone in the middle of a delivery
            meters = nullptr;
        });
        router.subscribe(meters, code::InputLevelGain,
                         [&](const ReportRouter::Event&) { seen << QStringLiteral("meters"); });
        router.subscribe(windowOfTheGroup, group::InputLevel, [&](const ReportRouter::Event& e) {
            seen << QStringLiteral("group %1").arg(e.code.funcId);
        });

        model.sync(code::InputLevelGain, 4);
        model.sync(code::InputLevelMute, 2);
        model.sync(code::OutputLevelGain, 1);
        QCOMPARE(seen, (QStringList{"strips 4", "group 2", "group 1"}));

        seen.clear();
        delete strips;
        delete windowOfTheGroup;
        model.sync(code::InputLevelGain, 4);
        QVERIFY(seen.isEmpty());
    }
};

KV_TEST_GUILESS_MAIN(TestEdits)
#include "tst_edits.moc"
