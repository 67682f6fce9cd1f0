// Keyboard and screen-reader access of the knob and the fader: fine steps on the arrows, coarse
// steps on Page Up and Down, the limits on Home and End, each announced like a user's move; the
// name, role, value text with its unit and the numbers of the value interface.
#include "controlaccessible.h"
#include "fader.h"
#include "knob.h"
#include "testenvironment.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QtTest>

class TestControlAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ControlAccessible::install(); }

    void knobKeys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        // Range -20..20 from 5, step 2, page 10.
        // clang-format off
        QTest::newRow("up")                 << 0 << int(Qt::Key_Up)       << 7;
        QTest::newRow("left, reversed")     << 2 << int(Qt::Key_Left)     << 7;
        QTest::newRow("page down")          << 0 << int(Qt::Key_PageDown) << -5;
        QTest::newRow("home")               << 0 << int(Qt::Key_Home)     << -20;
        QTest::newRow("end")                << 2 << int(Qt::Key_End)      << 20;
        // clang-format on
    }

    void knobKeys()
    {
        QFETCH(int, mode);
        QFETCH(int, key);
        QFETCH(int, expected);
        Knob knob(mode);
        knob.setRange(-20, 20);
        knob.setStep(2);
        knob.setSteps(1, 10);
        knob.setValue(5);
        QVERIFY(knob.focusPolicy() & Qt::TabFocus);
        QSignalSpy changed(&knob, &Knob::valueChanged);
        QTest::keyClick(&knob, Qt::Key(key));
        QCOMPARE(knob.value(), expected);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toInt(), expected);
    }

    void faderKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<float>("expected");
        // Range -56..12 at 0.1 dB from -10, wheel step 0.5, page step 6.
        // clang-format off
        QTest::newRow("up")        << int(Qt::Key_Up)       << -9.5f;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << -16.0f;
        QTest::newRow("home")      << int(Qt::Key_Home)     << -56.0f;
        QTest::newRow("end")       << int(Qt::Key_End)      << 12.0f;
        // clang-format on
    }

    void faderKeys()
    {
        QFETCH(int, key);
        QFETCH(float, expected);
        Fader fader;
        fader.setDecimals(1);
        fader.setRange(-56.0f, 12.0f);
        fader.setWheelStep(0.5f);
        fader.setPageStep(6.0f);
        fader.setValue(-10.0f);
        // Reached by Tab, but a click does not take the focus from a value being typed.
        QCOMPARE(fader.focusPolicy(), Qt::TabFocus);
        QSignalSpy changed(&fader, &Fader::valueChanged);
        QTest::keyClick(&fader, Qt::Key(key));
        QCOMPARE(fader.value(), expected);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toFloat(), expected);
    }

    void screenReadersReadNameRoleAndValue()
    {
        Fader fader;
        fader.setDecimals(1);
        fader.setValue(-6.5f);
        fader.setAccessibleName(QStringLiteral("IN 3 Gain"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&fader);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Slider);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("IN 3 Gain"));
        QCOMPARE(a->text(QAccessible::Value), QStringLiteral("-6.5 dB"));
        QAccessibleValueInterface* v = a->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->currentValue().toFloat(), -6.5f);
        QCOMPARE(v->minimumValue().toFloat(), -56.0f);
        QCOMPARE(v->maximumValue().toFloat(), 12.0f);

        Knob knob;
        knob.setRange(0, 64);
        knob.setValue(32);
        knob.setValueText([](int n) { return QStringLiteral("%1 Hz").arg(n * 10); });
        QAccessibleInterface* k = QAccessible::queryAccessibleInterface(&knob);
        QVERIFY(k);
        QCOMPARE(k->role(), QAccessible::Dial);
        QCOMPARE(k->text(QAccessible::Value), QStringLiteral("320 Hz"));
        QTest::keyClick(&knob, Qt::Key_End);
        QCOMPARE(k->text(QAccessible::Value), QStringLiteral("640 Hz"));
        QCOMPARE(k->valueInterface()->currentValue().toInt(), 64);
    }
};

KV_TEST_MAIN(TestControlAccess)
#include "tst_controlaccess.moc"
