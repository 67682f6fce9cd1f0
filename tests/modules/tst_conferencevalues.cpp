// The value rules of the delay, input setup, auto mixer and generator editors: a delay seen as
// time, distance in metres and feet and knob position, within each side's limit; typed gains,
// weights and whole numbers rounded, floored and clamped as the editors promise.
#include "conferencevalues.h"
#include "delayvalues.h"
#include "testenvironment.h"

#include <QtTest>

using namespace conferencevalues;
using namespace delayvalues;

class TestConferenceValues : public QObject
{
    Q_OBJECT

private slots:
    // Each control's value back to milliseconds, then shown in all four.
    void delayConversions_data()
    {
        QTest::addColumn<bool>("input");
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("ms");
        QTest::addColumn<double>("metres");
        QTest::addColumn<double>("feet");
        QTest::addColumn<int>("knob");
        QTest::newRow("output: 200 m stops at 300 ms")
            << false << "m" << 200.0 << 300.0 << 102.0 << 334.642 << 30000;
        QTest::newRow("output: 102 m")
            << false << "m" << 102.0 << 300.0 << 102.0 << 334.642 << 30000;
        QTest::newRow("output: the feet limit")
            << false << "ft" << 334.642 << 300.0 << 102.0 << 334.642 << 30000;
        QTest::newRow("input: 200 m fits")
            << true << "m" << 200.0 << 588.235294 << 200.0 << 656.16 << 58824;
        QTest::newRow("input: a second at most")
            << true << "ms" << 1500.0 << 1000.0 << 340.0 << 1115.472 << 100000;
        QTest::newRow("knob step of a hundredth")
            << false << "knob" << 1234.0 << 12.34 << 4.196 << 13.765 << 1234;
        QTest::newRow("a foot") << true << "ft" << 1.0 << 0.896481 << 0.305 << 1.0 << 90;
        QTest::newRow("never below zero") << false << "ms" << -5.0 << 0.0 << 0.0 << 0.0 << 0;
    }

    void delayConversions()
    {
        QFETCH(bool, input);
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(double, ms);
        QFETCH(double, metres);
        QFETCH(double, feet);
        QFETCH(int, knob);
        double got = 0.0;
        if (control == QLatin1String("m"))
            got = msFromMetres(value, input);
        else if (control == QLatin1String("ft"))
            got = msFromFeet(value, input);
        else if (control == QLatin1String("knob"))
            got = msFromKnob(int(value), input);
        else
            got = msFromMs(value, input);
        QVERIFY2(qAbs(got - ms) < 1e-5, qPrintable(QString::number(got, 'f', 6)));
        QCOMPARE(metresFromMs(got), metres);
        QCOMPARE(feetFromMs(got), feet);
        QCOMPARE(knobFromMs(got), knob);
    }

    void delayLimits_data()
    {
        QTest::addColumn<bool>("input");
        QTest::addColumn<double>("ms");
        QTest::addColumn<double>("metres");
        QTest::addColumn<double>("feet");
        QTest::addColumn<int>("knob");
        QTest::newRow("input") << true << 1000.0 << 340.0 << 1115.472 << 100000;
        QTest::newRow("output") << false << 300.0 << 102.0 << 334.642 << 30000;
    }

    void delayLimits()
    {
        QFETCH(bool, input);
        const Limits l = limits(input);
        QTEST(l.ms, "ms");
        QTEST(l.metres, "metres");
        QTEST(l.feet, "feet");
        QTEST(l.knob, "knob");
    }

    // Typed text of the three editors.
    void typedValues_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("mic gain to a tenth") << "gain 0"
                                             << "30.26" << 30.3;
        QTest::newRow("mic gain up to 50") << "gain 0"
                                           << "55" << 50.0;
        QTest::newRow("line gain up to 12") << "gain 1"
                                            << "30" << 12.0;
        QTest::newRow("linked pair gain up to 12") << "gain 2"
                                                   << "12.04" << 12.0;
        QTest::newRow("gain text that is no number") << "gain 0"
                                                     << "loud" << 0.0;
        QTest::newRow("weight 20 stops at 12") << "weight"
                                               << "20" << 12.0;
        QTest::newRow("weight floored") << "weight"
                                        << "7.39" << 7.3;
        QTest::newRow("weight 7.3 stays") << "weight"
                                          << "7.3" << 7.3;
        QTest::newRow("negative weight floored down") << "weight"
                                                      << "-3.25" << -3.3;
        QTest::newRow("weight -20 stops at -12") << "weight"
                                                 << " -20 " << -12.0;
        QTest::newRow("frequency rounded") << "freq"
                                           << "999.6" << 1000.0;
        QTest::newRow("frequency up to 24000") << "freq"
                                               << "30000" << 24000.0;
        QTest::newRow("generator gain down to -70") << "genGain"
                                                    << "-100" << -70.0;
        QTest::newRow("generator gain text that is no number") << "genGain"
                                                               << "x" << 0.0;
    }

    void typedValues()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(double, value);
        double got = 0.0;
        if (kind.startsWith(QLatin1String("gain")))
            got = parseGain(text, kind.section(QLatin1Char(' '), 1).toUInt());
        else if (kind == QLatin1String("weight"))
            got = parseWeight(text);
        else if (kind == QLatin1String("freq"))
            got = parseWhole(text, kFrequencyMin, kFrequencyMax);
        else
            got = parseWhole(text, kGeneratorGainMin, kGeneratorGainMax);
        QVERIFY2(qAbs(got - value) < 1e-9, qPrintable(QString::number(got, 'f', 12)));
    }

    // How gains and weights are shown: the knob in tenths, the edit with one decimal.
    void shownValues()
    {
        QCOMPARE(gainKnobMaximum(0), 500);
        QCOMPARE(gainKnobMaximum(1), 120);
        QCOMPARE(gainKnobMaximum(2), 120);
        QCOMPARE(gainKnobValue(30.26), 303);
        QCOMPARE(gainText(12.0), QStringLiteral("12.0"));
        QCOMPARE(weightSliderValue(-7.3), -73);
        QCOMPARE(weightText(-0.0), QStringLiteral("0.0"));
    }
};

KV_TEST_GUILESS_MAIN(TestConferenceValues)
#include "tst_conferencevalues.moc"
