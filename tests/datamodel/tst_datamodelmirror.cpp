// The parameter mirror: factory state, channel configuration and the blanking of live values.
#include "datamodel.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestDataModelMirror : public QObject
{
    Q_OBJECT
private slots:
    void freshModelHoldsTheFactoryState()
    {
        DataModel model;
        QCOMPARE(DataModel::instance(), &model);
        QCOMPARE(model.input(0).defaultName, QStringLiteral("IN 1"));
        QCOMPARE(model.input(17).defaultName, QStringLiteral("IN 18"));
        QCOMPARE(model.output(15).defaultName, QStringLiteral("OUT 16"));
        QCOMPARE(model.currentDevice(), -1);

        const float bandFreqs[8] = {100, 300, 500, 800, 1000, 3000, 5000, 8000};
        for (int ch = 0; ch < DataModel::kInputCount; ++ch) {
            const DataModel::InputChannel& in = model.input(ch);
            QCOMPARE(int(in.preFaderMeter), -100);
            QCOMPARE(int(in.postFaderMeter), -100);
            QCOMPARE(in.hpf.freq, 20.0f);
            QCOMPARE(in.lpf.freq, 20000.0f);
            QCOMPARE(in.limiter.ratio, 2.0f);
            QCOMPARE(in.limiter.decay, 5.0f);
            QCOMPARE(int(in.gate.enabled), 1);
            QCOMPARE(in.gate.threshold, -65.0f);
            QCOMPARE(in.agc.target, -20.0f);
            QCOMPARE(in.faderMax, 12.0f);
            for (int b = 0; b < 8; ++b) {
                QCOMPARE(model.inputPeq(ch, b)->freq, bandFreqs[b]);
                QCOMPARE(int(model.inputPeq(ch, b)->q), 43);
                QCOMPARE(int(model.inputPeq(ch, b)->enabled), 1);
            }
        }
        for (int ch = 0; ch < DataModel::kOutputCount; ++ch) {
            QCOMPARE(int(model.output(ch).postFaderMeter), -100);
            QCOMPARE(model.outputPeq(ch, 7)->freq, 8000.0f);
            QCOMPARE(model.outputLimiter(ch)->ratio, 2.0f);
        }
        QCOMPARE(model.signalGenerator().frequency, 1000.0f);
        QCOMPARE(int(model.signalGenerator().type), 1);
        QCOMPARE(model.system().rs232Baud, 115200u);
        QCOMPARE(model.formatGeneration(), quint16(4));

        // Pointers handed to editors address the mirror itself.
        model.inputPeq(4, 2)->gain = 6.0f;
        QCOMPARE(model.input(4).peq[2].gain, 6.0f);
    }

    void channelConfigurationNamesTheUsbChannels()
    {
        DataModel model;
        model.applyChannelConfiguration(16, 8, 1);
        QCOMPARE(model.input(16).defaultName, QStringLiteral("USB PLAY"));
        QCOMPARE(model.input(16).faderMax, 0.0f);
        QCOMPARE(model.output(8).defaultName, QStringLiteral("USB REC"));
        QCOMPARE(model.formatGeneration(), quint16(6));

        // Another configuration gives the channels their plain names and ranges back.
        model.applyChannelConfiguration(8, 8, 2);
        QCOMPARE(model.input(16).defaultName, QStringLiteral("IN 17"));
        QCOMPARE(model.input(16).faderMax, 12.0f);
        QCOMPARE(model.input(8).defaultName, QStringLiteral("USB PLAY"));
        QCOMPARE(model.formatGeneration(), quint16(4));

        model.applyChannelConfiguration(-1, -1, 0);
        QCOMPARE(model.input(8).defaultName, QStringLiteral("IN 9"));
        QCOMPARE(model.output(8).defaultName, QStringLiteral("OUT 9"));
    }

    void droppingTheLinkBlanksLiveValues()
    {
        DataModel model;
        model.input(3).postFaderMeter = -12;
        model.output(2).preFaderMeter = -3;
        model.system().temperature = 41.5f;
        model.system().fanState = 1;
        model.system().systemMute = true;
        model.system().serialNumber = QStringLiteral("SN1");
        model.input(3).levelGain = 6.0f; // a setting, not a live value

        QSignalSpy spy(&model, &DataModel::tcpSyncToUI);
        model.resetLiveValues();
        QCOMPARE(int(model.input(3).postFaderMeter), -100);
        QCOMPARE(int(model.output(2).preFaderMeter), -100);
        QCOMPARE(model.system().temperature, 0.0f);
        QCOMPARE(int(model.system().fanState), 2);
        QVERIFY(!model.system().systemMute);
        QVERIFY(model.system().serialNumber.isEmpty());
        QCOMPARE(model.input(3).levelGain, 6.0f);

        QStringList codes;
        for (const QList<QVariant>& args : qAsConst(spy)) {
            codes << QStringLiteral("%1,%2,%3")
                         .arg(args[0].toUInt())
                         .arg(args[1].toUInt())
                         .arg(args[2].toUInt());
            QCOMPARE(args[3].toUInt(), 255u);
        }
        QCOMPARE(codes,
                 QStringList({"3,1,1", "3,7,7", "3,11,8", "3,11,1", "3,18,5", "2,2,2", "2,2,3",
                              "2,2,34", "2,2,19", "2,2,4", "2,2,16", "2,2,14", "2,2,9", "2,2,37"}));
    }

    void tickTimerRunsFromConstruction()
    {
        DataModel model;
        QTRY_VERIFY(model.tickCount() >= 3);
    }
};

KV_TEST_GUILESS_MAIN(TestDataModelMirror)
#include "tst_datamodelmirror.moc"
