// The meter window: its rows' clamping and repaints, the range toggle, the USB pair and hidden
// columns, what screen readers hear of a meter. The meters following a unit are tested with the
// level strips.
#include "appsupport.h"
#include "controlaccessible.h"
#include "datamodel.h"
#include "levelwidget.h"
#include "meter.h"
#include "meterdialog.h"
#include "meterpanel.h"
#include "reportrouter.h"
#include "systemsettings.h"
#include "testenvironment.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest>

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

    void dialogRowsAndRangeToggle()
    {
        ControlAccessible::install();
        SystemSettings settings;
        DataModel model;
        ReportRouter router(model);
        MeterDialog dialog(model, router);
        dialog.setProfile({});
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
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, 2), QStringLiteral("24"));
        QCOMPARE(dialog.valueText(MeterDialog::OutputPreFader, 5), QStringLiteral("-40"));
        QCOMPARE(dialog.valueText(MeterDialog::OutputPostFader, 5), QStringLiteral("-3"));
        // Screen readers hear what the bar shows, in dBFS; Tab reaches the meter.
        QAccessibleInterface* a =
            QAccessible::queryAccessibleInterface(dialog.meter(MeterDialog::InputPostFader, 2));
        QCOMPARE(a->role(), QAccessible::ProgressBar);
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("24 dBFS"));
        QCOMPARE(a->valueInterface()->currentValue().toInt(), 24);
        model.input(2).postFaderMeter = -7;
        dialog.refreshInputPostFader();
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("-7 dBFS"));
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, 2)->focusPolicy(), Qt::TabFocus);

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

    // The strip's meter carries its own scale: a level is read where the meter's lit part ends,
    // not off the fader's scale beside it.
    void stripMetersHaveTheirOwnScale()
    {
        LevelWidget strips(3);
        strips.setSecondMeterVisible(2, true);
        QCOMPARE(strips.meter(2, 1)->accessibleName(), QStringLiteral("3 Right Level"));
        strips.resize(400, 420);
        strips.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strips));
        for (int level : {24, 12, 0, -12, -24, -40}) {
            strips.setMeterLevel(0, level);
            const Meter* meter = strips.meter(0);
            const int litTop =
                meter->geometry().top() + int(std::lround(meter->height() * (24.0 - level) / 64.0));
            QCOMPARE(strips.levelPanel(0)->markY(level), litTop);
        }
        QCOMPARE(strips.levelPanel(0)->markY(-41), -1);
        QVERIFY(strips.levelPanel(0)->marksLabelled());
        // The stereo strip has room for the ticks only.
        QVERIFY(!strips.levelPanel(2)->marksLabelled());
        QVERIFY(strips.levelPanel(2)->markY(0) > 0);
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
        ReportRouter router(model);
        MeterDialog dialog(model, router);
        dialog.setProfile(settings.deviceProfile());

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
        QCOMPARE(dialog.channelLabel(MeterDialog::InputPostFader, 1)->toolTip(),
                 QStringLiteral("Lectern"));
        QCOMPARE(dialog.meter(MeterDialog::OutputPreFader, 0)->accessibleName(),
                 QStringLiteral("OUT 1, Output Pre Fader"));
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, 1)->accessibleName(),
                 QStringLiteral("IN 2 Lectern, Input Post Fader"));
        if (usb < 0)
            return;
        QCOMPARE(dialog.channelLabel(MeterDialog::InputPreFader, usb)->text(),
                 QStringLiteral("USB PLAY"));
        QCOMPARE(dialog.meter(MeterDialog::InputPostFader, usb, 1)->accessibleName(),
                 QStringLiteral("USB PLAY Right, Input Post Fader"));

        // The USB column shows model inputs u and u + 1; the label carries both.
        model.input(usb).postFaderMeter = -6;
        model.input(usb + 1).postFaderMeter = -18;
        model.input(usb - 1).postFaderMeter = -30;
        dialog.refreshInputPostFader();
        // The reading shows what its two meters show.
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, usb), QStringLiteral("-6/-18"));
        QCOMPARE(dialog.valueText(MeterDialog::InputPostFader, usb - 1), QStringLiteral("-30"));
        // Columns after the pair are one model input further on.
        if (usb + 1 < MeterDialog::kInputColumns) {
            model.input(usb + 2).postFaderMeter = -9;
            dialog.refreshInputPostFader();
            QCOMPARE(dialog.meter(MeterDialog::InputPostFader, usb + 1)->value(), -9);
        }
    }
};

KV_TEST_MAIN(TestMeters)
#include "tst_meters.moc"
