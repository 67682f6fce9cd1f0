// Knob arithmetic: drags floored per move event, wheel notches, arrow keys, and setters that
// stay silent.
#include "controltestsupport.h"
#include "knob.h"
#include "testenvironment.h"

#include <QtTest>

class TestKnob : public QObject
{
    Q_OBJECT
private slots:
    void drag_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<double>("sensitivity");
        QTest::addColumn<int>("start");
        QTest::addColumn<QPoint>("step"); // pointer movement per move event
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("expected");

        // Sensitivity 0.005 over 0..64 from 32 unless the row says otherwise.
        const auto row = [](const char* name, int mode, QPoint step, int moves, int expected,
                            int start = 32, int minimum = 0, int maximum = 64,
                            double sensitivity = 0.005) {
            QTest::newRow(name) << mode << minimum << maximum << sensitivity << start << step
                                << moves << expected;
        };
        row("10 px down lowers by 3", 0, {0, 10}, 1, 29);
        row("10 px up raises by 4", 0, {0, -10}, 1, 36);
        row("1 px up raises by 1", 0, {0, -1}, 1, 33);
        row("1 px down changes nothing", 0, {0, 1}, 1, 32);
        row("ten 1 px moves up raise by 10", 0, {0, -1}, 10, 42);
        row("ten 1 px moves down change nothing", 0, {0, 1}, 10, 32);
        row("10 px right raises by 3", 1, {10, 0}, 1, 35);
        row("10 px left lowers by 4", 0, {-10, 0}, 1, 28);
        row("diagonal up right adds both terms", 0, {10, -10}, 1, 39);
        row("reversed: 10 px right lowers by 3", 2, {10, 0}, 1, 29);
        row("reversed: 10 px left raises by 4", 2, {-10, 0}, 1, 36);
        row("reversed: up still raises", 2, {0, -10}, 1, 36);
        row("200 px up covers the whole range", 0, {0, -200}, 1, 100, 0, 0, 100);
        row("200 px down covers the whole range", 0, {0, 200}, 1, 0, 100, 0, 100);
        row("0.01 over 1..100: 1 px up raises by 1", 0, {0, -1}, 1, 51, 50, 1, 100, 0.01);
        row("0.01 over 1..100: 10 px down lowers by 9", 0, {0, 10}, 1, 41, 50, 1, 100, 0.01);
        row("held at the maximum", 0, {0, -10}, 1, 64, 62);
        row("held at the minimum of a negative range", 0, {0, 30}, 1, -1000, -990, -1000, 180);
    }
    void drag()
    {
        QFETCH(int, mode);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(double, sensitivity);
        QFETCH(int, start);
        QFETCH(QPoint, step);
        QFETCH(int, moves);
        QFETCH(int, expected);

        Knob knob(mode);
        knob.resize(40, 40);
        knob.setRange(minimum, maximum);
        knob.setSensitivity(sensitivity, sensitivity);
        knob.setValue(start);
        QSignalSpy pressed(&knob, &Knob::mousePressed);
        QSignalSpy changed(&knob, &Knob::valueChanged);
        QSignalSpy released(&knob, &Knob::mouseReleased);

        QPoint pos(20, 20);
        QVERIFY(press(&knob, pos));
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).toInt(), start);
        for (int i = 0; i < moves; ++i) {
            pos += step;
            moveTo(&knob, pos);
        }
        QCOMPARE(knob.value(), expected);
        QCOMPARE(changed.count(), moves);
        QCOMPARE(changed.last().at(0).toInt(), expected);
        release(&knob, pos);
        QCOMPARE(released.count(), 1);

        // Moves after the release leave the knob alone.
        moveTo(&knob, pos + QPoint(0, -50));
        QCOMPARE(knob.value(), expected);
    }

    void wheelNotches_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<QList<int>>("emitted");

        using L = QList<int>;
        QTest::newRow("down one notch at the minimum still emits")
            << 0 << 0 << 1 << L{-120} << L{0};
        QTest::newRow("up one notch at the maximum still emits") << 0 << 64 << 1 << L{120} << L{64};
        QTest::newRow("up one notch") << 0 << 32 << 1 << L{120} << L{33};
        QTest::newRow("two notches in one event") << 0 << 32 << 5 << L{240} << L{42};
        QTest::newRow("two notches in two events") << 0 << 32 << 5 << L{120, 120} << L{37, 42};
        QTest::newRow("three notches down in three events")
            << 0 << 32 << 1 << L{-120, -120, -120} << L{31, 30, 29};
        QTest::newRow("reversed: up lowers") << 2 << 32 << 1 << L{120} << L{31};
        QTest::newRow("half notches add up") << 0 << 32 << 1 << L{60, 60} << L{33};
        QTest::newRow("a small movement up does not lower") << 0 << 32 << 1 << L{15, 15} << L{};
        QTest::newRow("a notch down after a part up") << 0 << 32 << 1 << L{30, -150} << L{31};
    }
    void wheelNotches()
    {
        QFETCH(int, mode);
        QFETCH(int, start);
        QFETCH(int, step);
        QFETCH(QList<int>, deltas);
        QFETCH(QList<int>, emitted);

        Knob knob(mode);
        knob.resize(40, 40);
        knob.setRange(0, 64);
        knob.setStep(step);
        knob.setValue(start);
        QSignalSpy changed(&knob, &Knob::valueChanged);
        for (int delta : deltas)
            wheel(&knob, QPoint(0, delta));
        QList<int> values;
        for (const QList<QVariant>& args : changed)
            values.append(args.at(0).toInt());
        QCOMPARE(values, emitted);
        QCOMPARE(knob.value(), emitted.isEmpty() ? start : emitted.last());
    }

    void keys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected"); // -1: the key is not the knob's

        QTest::newRow("Up adds") << 0 << int(Qt::Key_Up) << 35;
        QTest::newRow("Right adds") << 1 << int(Qt::Key_Right) << 35;
        QTest::newRow("Left subtracts") << 0 << int(Qt::Key_Left) << 29;
        QTest::newRow("Down subtracts") << 0 << int(Qt::Key_Down) << 29;
        QTest::newRow("reversed: Left adds") << 2 << int(Qt::Key_Left) << 35;
        QTest::newRow("reversed: Up adds") << 2 << int(Qt::Key_Up) << 35;
        QTest::newRow("reversed: Right subtracts") << 2 << int(Qt::Key_Right) << 29;
        QTest::newRow("reversed: Down subtracts") << 2 << int(Qt::Key_Down) << 29;
        QTest::newRow("Page Up adds the page step") << 0 << int(Qt::Key_PageUp) << 42;
        QTest::newRow("Page Down clamps at the minimum") << 0 << int(Qt::Key_PageDown) << 25;
        QTest::newRow("other keys pass") << 0 << int(Qt::Key_A) << -1;
    }
    void keys()
    {
        QFETCH(int, mode);
        QFETCH(int, key);
        QFETCH(int, expected);

        Knob knob(mode);
        knob.setRange(25, 64);
        knob.setStep(3);
        knob.setSteps(1, 10);
        knob.setValue(32);
        QSignalSpy changed(&knob, &Knob::valueChanged);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&knob, &event);
        if (expected < 0) {
            QVERIFY(!event.isAccepted());
            QCOMPARE(changed.count(), 0);
            QCOMPARE(knob.value(), 32);
            return;
        }
        QCOMPARE(knob.value(), expected);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), expected);
    }

    void settersAreSilent()
    {
        Knob knob;
        knob.setRange(0, 64);
        QSignalSpy changed(&knob, &Knob::valueChanged);
        knob.setValue(80);
        QCOMPARE(knob.value(), 64);
        knob.setValue(-3);
        QCOMPARE(knob.value(), 0);
        knob.setValue(40);
        knob.setRange(-150, 30);
        QCOMPARE(knob.value(), 30);
        QCOMPARE(knob.origin(), -150);
        knob.setRange(-150, 150);
        QCOMPARE(knob.origin(), 0);
        knob.setRange(100, 0, 400);
        QCOMPARE(knob.minimum(), 0);
        QCOMPARE(knob.maximum(), 100);
        QCOMPARE(knob.origin(), 100);
        QCOMPARE(changed.count(), 0);
    }
};

KV_TEST_MAIN(TestKnob)
#include "tst_knob.moc"
