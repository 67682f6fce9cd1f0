// Meters: the bar's clamping and repaints, the meter window's rows, range toggle, USB pair and
// hidden columns, and the meters following a virtual unit on loopback.
#include "appsupport.h"
#include "clock.h"
#include "datamodel.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainwindow.h"
#include "meter.h"
#include "meterdialog.h"
#include "networkinterfaces.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitstate.h"
#include "virtualunit.h"

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUdpSocket>
#include <QtTest>
#include <memory>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

quint16 freeUdpPort()
{
    QUdpSocket probe;
    return probe.bind(QHostAddress::LocalHost, 0) ? probe.localPort() : 0;
}

void doubleClick(QWidget* widget)
{
    const QPoint pos = widget->rect().center();
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestMeters : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=1\n"));
    }

    void meterKeepsItsRange_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("shown");
        QTest::newRow("no signal") << -40 << -100 << -40;
        QTest::newRow("inside") << -40 << -12 << -12;
        QTest::newRow("over the top") << -40 << 30 << 24;
        QTest::newRow("no signal, wide range") << -100 << -100 << -100;
        QTest::newRow("below a wide range") << -100 << -128 << -100;
    }

    void meterKeepsItsRange()
    {
        QFETCH(int, minimum);
        QFETCH(int, level);
        QFETCH(int, shown);
        Meter meter;
        meter.setRange(minimum, 24);
        meter.setValue(level);
        QCOMPARE(meter.value(), shown);
        // A new range takes effect with the next level.
        meter.setRange(-10, 10);
        QCOMPARE(meter.value(), shown);
        meter.setValue(level);
        QCOMPARE(meter.value(), std::clamp(level, -10, 10));
    }

    void dialogRowsAndRangeToggle()
    {
        SystemSettings settings;
        DataModel model;
        MeterDialog dialog;
        dialog.applyDeviceVersion(0, 0, 0, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QSignalSpy toggled(&dialog, &MeterDialog::ctrlN);

        model.input(2).preFaderMeter = -100;
        model.input(2).postFaderMeter = 30;
        model.output(5).preFaderMeter = -70;
        model.output(5).postFaderMeter = -3;
        dialog.refreshInputPreFader();
        dialog.refreshInputPostFader();
        dialog.refreshOutputPreFader();
        dialog.refreshOutputPostFader();
        QCOMPARE(dialog.valueText(MeterDialog::InputPreFader, 2), QStringLiteral("-40"));
        QCOMPARE(dialog.meter(MeterDialog::InputPreFader, 2)->value(), -40);
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, 2), QStringLiteral("24"));
        QCOMPARE(dialog.valueText(MeterDialog::OutputPreFader, 5), QStringLiteral("-40"));
        QCOMPARE(dialog.valueText(MeterDialog::OutputPostFader, 5), QStringLiteral("-3"));

        QTest::keyClick(&dialog, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(dialog.meterMinimum(), -100);
        QCOMPARE(dialog.valueText(MeterDialog::InputPreFader, 2), QStringLiteral("-100"));
        QCOMPARE(dialog.valueText(MeterDialog::OutputPreFader, 5), QStringLiteral("-70"));
        QCOMPARE(dialog.meter(MeterDialog::OutputPostFader, 15)->minimum(), -100);
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, 0, 1)->minimum(), -100);

        QTest::keyClick(&dialog, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(toggled.count(), 2);
        QCOMPARE(dialog.valueText(MeterDialog::InputPreFader, 2), QStringLiteral("-40"));

        // A double click on the pre-fader inputs toggles too; on the other rows it does not.
        doubleClick(dialog.groupBox(MeterDialog::InputPostFader));
        QCOMPARE(dialog.meterMinimum(), -40);
        doubleClick(dialog.meter(MeterDialog::InputPreFader, 7));
        QCOMPARE(dialog.meterMinimum(), -100);
        QCOMPARE(toggled.count(), 3);

        // The range lasts while the window is hidden; its meters go on following the model.
        dialog.hide();
        model.input(2).preFaderMeter = -90;
        dialog.refreshInputPreFader();
        dialog.show();
        QCOMPARE(dialog.valueText(MeterDialog::InputPreFader, 2), QStringLiteral("-90"));

        // A repeated level, or another one below the range, repaints neither the meter nor the
        // reading on its panel; a new one repaints both.
        Meter* meter = dialog.meter(MeterDialog::InputPreFader, 2);
        QTRY_VERIFY(meter->isVisible());
        model.input(2).preFaderMeter = -110;
        dialog.refreshInputPreFader();
        QCOMPARE(meter->value(), -100);
        PaintCounter meterPaints(meter);
        PaintCounter panelPaints(meter->parentWidget());
        QCoreApplication::processEvents();
        const int meterBefore = meterPaints.count;
        const int panelBefore = panelPaints.count;
        dialog.refreshInputPreFader();
        model.input(2).preFaderMeter = -128;
        dialog.refreshInputPreFader();
        QCoreApplication::processEvents();
        QCOMPARE(meterPaints.count, meterBefore);
        QCOMPARE(panelPaints.count, panelBefore);
        model.input(2).preFaderMeter = 0;
        dialog.refreshInputPreFader();
        QTRY_VERIFY(meterPaints.count > meterBefore);
        QVERIFY(panelPaints.count > panelBefore);
    }

    void usbPairAndHiddenColumns_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("usb");
        QTest::newRow("16 x 8 with USB") << 1 << 16;
        QTest::newRow("8 x 8 with USB") << 2 << 8;
        QTest::newRow("4 x 8") << 3 << -1;
    }

    void usbPairAndHiddenColumns()
    {
        QFETCH(int, profile);
        QFETCH(int, usb);
        SystemSettings settings;
        settings.setDeviceVersionSelection(profile);
        DataModel model;
        model.applyChannelConfiguration(settings.usbPlayInput(), settings.usbRecordOutput(),
                                        profile);
        model.input(1).label = QStringLiteral("Lectern");
        MeterDialog dialog;
        dialog.applyDeviceVersion(settings.hiddenInputMask(), settings.hiddenOutputMask(), 0, 0);

        for (MeterDialog::Row row : {MeterDialog::InputPreFader, MeterDialog::InputPostFader}) {
            for (int c = 0; c < MeterDialog::kInputColumns; ++c) {
                const bool shown = !((settings.hiddenInputMask() >> c) & 1u);
                QCOMPARE(dialog.isColumnShown(row, c), shown);
                QCOMPARE(dialog.meter(row, c, 1)->isVisibleTo(&dialog), c == usb && shown);
            }
        }
        for (MeterDialog::Row row : {MeterDialog::OutputPreFader, MeterDialog::OutputPostFader}) {
            for (int c = 0; c < MeterDialog::kOutputColumns; ++c)
                QCOMPARE(dialog.isColumnShown(row, c), !((settings.hiddenOutputMask() >> c) & 1u));
        }
        QCOMPARE(dialog.channelLabel(MeterDialog::InputPostFader, 1)->text(),
                 QStringLiteral("IN 2"));
        QCOMPARE(dialog.channelLabel(MeterDialog::InputPostFader, 1)->toolTip(),
                 QStringLiteral("Lectern"));
        if (usb < 0)
            return;
        QCOMPARE(dialog.channelLabel(MeterDialog::InputPreFader, usb)->text(),
                 QStringLiteral("USB PLAY"));

        // The USB column shows model inputs u and u + 1; the label carries both.
        model.input(usb).postFaderMeter = -6;
        model.input(usb + 1).postFaderMeter = -18;
        model.input(usb - 1).postFaderMeter = -30;
        dialog.refreshInputPostFader();
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, usb, 0)->value(), -6);
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, usb, 1)->value(), -18);
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, usb), QStringLiteral("-6/-18"));
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, usb - 1), QStringLiteral("-30"));
        // Columns after the pair are one model input further on.
        if (usb + 1 < MeterDialog::kInputColumns) {
            model.input(usb + 2).postFaderMeter = -9;
            dialog.refreshInputPostFader();
            QCOMPARE(dialog.meter(MeterDialog::InputPostFader, usb + 1)->value(), -9);
        }
    }

    void metersFollowTheUnit()
    {
        qint64 now = 1'765'000'000'000;
        UnitConfig config;
        config.controlPort = 0;
        config.discoveryPort = freeUdpPort();
        config.profile = 1;
        VirtualUnit unit(config);
        QString error;
        QVERIFY2(unit.start(&error), qPrintable(error));
        unit.core().setClock([&now] { return now - 1'765'000'000'000; });
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=2\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(unit.controlPort())
                        .arg(freeUdpPort()));
        Clock::setSource([&now] { return now; });
        NetworkInterfaces::setSource([] {
            LocalInterface li;
            li.index = 1;
            QNetworkAddressEntry e;
            e.setIp(QHostAddress(QHostAddress::LocalHost));
            e.setPrefixLength(8);
            li.entries = {e};
            return QList<LocalInterface>{li};
        });

        SystemSettings settings;
        DataModel model;
        model.setTickTimerRunning(false);
        MainWindow window;
        window.applyDeviceVersion(settings.hiddenInputMask(), settings.hiddenOutputMask(),
                                  settings.danteInputMask(), settings.danteOutputMask());
        const auto run = [&](int ms) {
            for (int t = 0; t < ms; t += 10) {
                now += 10;
                model.timeout();
                QCoreApplication::processEvents();
            }
        };
        model.addDeviceByAddress(0x7F000001);
        model.selectDevice(model.deviceCount() - 1, false);
        QTRY_VERIFY(model.isLoggedIn());
        // The unit's 16 x 8 + USB configuration replaces the 8 x 8 profile of the settings.
        run(1000);
        QTRY_COMPARE(settings.deviceVersionSelection(), 1);
        run(500);

        LevelWidget* strips = window.levelContainer()->inputLevelWidget();
        MeterDialog* meters = window.meterDialog();
        const auto shownEverywhere = [&](int channel) {
            const int post = std::clamp<int>(model.input(channel).postFaderMeter, -40, 24);
            const int pre = std::clamp<int>(model.input(channel).preFaderMeter, -40, 24);
            return strips->meter(channel)->value() == post &&
                   meters->meter(MeterDialog::InputPostFader, channel)->value() == post &&
                   meters->meter(MeterDialog::InputPreFader, channel)->value() == pre &&
                   strips->levelText(channel) == QString::number(post);
        };
        for (int ch = 0; ch < 16; ++ch) {
            QVERIFY2(model.input(ch).postFaderMeter > -40, qPrintable(QString::number(ch)));
            QVERIFY2(shownEverywhere(ch), qPrintable(QString::number(ch)));
        }
        // The levels move with the unit's signal and the meters move with them.
        const qint8 before = model.input(3).postFaderMeter;
        for (int i = 0; i < 60 && model.input(3).postFaderMeter == before; ++i)
            run(500);
        QVERIFY(model.input(3).postFaderMeter != before);
        QVERIFY(shownEverywhere(3));

        // Muted at the unit: no signal after the fader, still signal before it.
        unit.state().dsp.inputs[3].levelMute = 1;
        run(300);
        QCOMPARE(strips->meter(3)->value(), -40);
        QCOMPARE(meters->valueText(MeterDialog::InputPostFader, 3), QStringLiteral("-40"));
        QVERIFY(meters->meter(MeterDialog::InputPreFader, 3)->value() > -40);
        QVERIFY(strips->muteButton(3)->isChecked());

        // The USB play pair is silent until the unit plays.
        QCOMPARE(strips->levelText(16), QStringLiteral("-40/-40"));
        QCOMPARE(meters->valueText(MeterDialog::InputPostFader, 16), QStringLiteral("-40/-40"));

        model.selectDevice(-1, false);
        NetworkInterfaces::resetSource();
        Clock::resetSource();
    }
};

KV_TEST_MAIN(TestMeters)
#include "tst_meters.moc"
