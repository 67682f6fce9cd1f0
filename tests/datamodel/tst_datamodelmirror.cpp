// The parameter mirror: channel names, channel configuration and the blanking of live values.
#include "datamodel.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QtTest>

class TestDataModelMirror : public QObject
{
    Q_OBJECT
private slots:
    void freshModelNamesItsChannelsAndHandsOutTheMirror()
    {
        // The field defaults are plain initialisers; only the computed names are checked.
        DataModel model;
        QCOMPARE(model.input(0).defaultName, QStringLiteral("IN 1"));
        QCOMPARE(model.input(17).defaultName, QStringLiteral("IN 18"));
        QCOMPARE(model.output(15).defaultName, QStringLiteral("OUT 16"));

        // Pointers handed to editors address the mirror itself.
        model.inputPeq(4, 2)->gain = 6.0f;
        QCOMPARE(float(model.input(4).peq[2].gain), 6.0f); // a copy: the record is packed
        model.outputLimiter(3)->ratio = 4.0f;
        QCOMPARE(float(model.output(3).limiter.ratio), 4.0f);
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
        QCOMPARE(float(model.input(3).levelGain), 6.0f);

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
