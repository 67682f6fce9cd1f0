// Limiter and AGC curve maths, the drag rules and the knob and edit conventions of the dynamics
// editors, without widgets.
#include "dynamicscurves.h"
#include "testenvironment.h"

#include <QtTest>

#include <cmath>

using namespace dynamics;

Q_DECLARE_METATYPE(dynamics::Parameter)

class TestDynamicsCurves : public QObject
{
    Q_OBJECT
private slots:
    void limiterTable_data()
    {
        QTest::addColumn<double>("threshold");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("kneeIndex");
        QTest::addColumn<double>("kneeOutput");
        QTest::addColumn<double>("lastOutput");

        const double k0 = 100.0 * 256 / 120; // knee of 0 dB, between steps 213 and 214
        const double k18 = 118.0 * 256 / 120;
        QTest::newRow("0 dB 2:1") << 0.0 << 2.0 << 214 << k0 + (214 - k0) / 2
                                  << k0 + (255 - k0) / 2;
        QTest::newRow("knee on a step") << -55.0 << 2.0 << 96 << 96.0 << 96.0 + 159 / 2.0;
        QTest::newRow("threshold at the bottom") << -100.0 << 4.0 << 0 << 0.0 << 255 / 4.0;
        QTest::newRow("100:1 is flat from the knee") << 18.0 << 100.0 << 252 << k18 << k18;
        QTest::newRow("ratio below 1 acts as 1") << 0.0 << 0.5 << 214 << 214.0 << 255.0;
        QTest::newRow("knee past the table") << 20.0 << 2.0 << -1 << 0.0 << 255.0;
    }
    void limiterTable()
    {
        QFETCH(double, threshold);
        QFETCH(double, ratio);
        QFETCH(int, kneeIndex);
        QFETCH(double, kneeOutput);
        QFETCH(double, lastOutput);

        const LimiterTransfer t = limiterTransfer(threshold, ratio);
        QCOMPARE(t.kneeIndex, kneeIndex);
        QCOMPARE(t.kneePoint(), QPointF(qMax(kneeIndex, 0), kneeOutput));
        QCOMPARE(t.lastPoint(), QPointF(255, lastOutput));
        for (int i = 0; i < (kneeIndex < 0 ? LimiterTableSize : kneeIndex); ++i)
            QCOMPARE(t.output[std::size_t(i)], double(i));
    }

    // Drag rules. Levels are floored to 0.1 dB and held; limiter ratios are whole, AGC ratios
    // keep tenths and refuse a pointer above the target even where the slope is positive.
    void dragRules_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<double>("a"); // level, or run for the ratio rules
        QTest::addColumn<double>("b"); // the other AGC level, or rise / drop
        QTest::addColumn<double>("expected");

        enum
        {
            LimiterThreshold,
            AgcThreshold,
            AgcTarget,
            LimiterRatio,
            AgcRatio
        };
        QTest::newRow("limiter floors") << +LimiterThreshold << -30.37 << 0.0 << -30.4;
        QTest::newRow("a float tenth stays") << +LimiterThreshold << double(0.7f) << 0.0 << 0.7;
        QTest::newRow("threshold under the target") << +AgcThreshold << -10.0 << -20.0 << -20.0;
        QTest::newRow("target over the threshold") << +AgcTarget << -40.0 << -30.0 << -30.0;
        QTest::newRow("limiter truncates 2.99") << +LimiterRatio << 299.0 << 100.0 << 2.0;
        QTest::newRow("limiter steeper than unity") << +LimiterRatio << 10.0 << 40.0 << 1.0;
        QTest::newRow("limiter level") << +LimiterRatio << 120.0 << 0.0 << 100.0;
        QTest::newRow("agc floors 3.33") << +AgcRatio << 10.0 << 3.0 << 3.3;
        QTest::newRow("agc above the target") << +AgcRatio << -10.0 << -5.0 << 100.0;
        QTest::newRow("agc right of the target") << +AgcRatio << -10.0 << 5.0 << 100.0;
    }
    void dragRules()
    {
        QFETCH(int, rule);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, expected);
        const double results[] = {limiterThresholdFromDrag(a), agcThresholdFromDrag(a, b),
                                  agcTargetFromDrag(a, b), limiterRatioFromDrag(a, b),
                                  agcRatioFromDrag(a, b)};
        QCOMPARE(results[rule], expected);
    }

    void knob_data()
    {
        QTest::addColumn<Parameter>("parameter");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("position");

        QTest::newRow("tenths round halves up") << parameters::LimiterThreshold << -30.35 << -303;
        QTest::newRow("tenths of a float") << parameters::AgcThreshold << double(-30.3f) << -303;
        QTest::newRow("truncation is towards 0") << parameters::GateThreshold << -64.9 << -64;
        QTest::newRow("below the knob range") << parameters::AgcRatio << 0.5 << 10;
        QTest::newRow("far beyond int") << parameters::LimiterDecay << 1e12 << 1000;
    }
    void knob()
    {
        QFETCH(Parameter, parameter);
        QFETCH(double, value);
        QFETCH(int, position);
        QCOMPARE(knobPosition(parameter, value), position);
        QCOMPARE(knobPosition(parameter, knobValue(parameter, position)), position);
    }

    // Typed text to the stored value and back to the text the edit shows.
    void edit_data()
    {
        QTest::addColumn<Parameter>("parameter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("shown");

        const Parameter limiter = parameters::LimiterThreshold;
        QTest::newRow("limiter threshold 25") << limiter << "25" << 18.0 << "18.0";
        QTest::newRow("limiter threshold -150") << limiter << "-150" << -100.0 << "-100.0";
        QTest::newRow("floors, spaces ignored") << limiter << " -12.37 " << -12.4 << "-12.4";
        QTest::newRow("text reads as 0") << limiter << "abc" << 0.0 << "0.0";
        QTest::newRow("nan reads as 0") << limiter << "nan" << 0.0 << "0.0";
        QTest::newRow("limiter ratio truncates") << parameters::LimiterRatio << "7.9" << 7.0 << "7";
        QTest::newRow("gate threshold -200")
            << parameters::GateThreshold << "-200" << -120.0 << "-120";
        QTest::newRow("agc attack 5") << parameters::AgcAttack << "5" << 20.0 << "20";
        QTest::newRow("agc ratio 0.5") << parameters::AgcRatio << "0.5" << 1.0 << "1.0";
    }
    void edit()
    {
        QFETCH(Parameter, parameter);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(QString, shown);
        const double value = editValue(parameter, text);
        QCOMPARE(value, expected);
        QCOMPARE(editText(parameter, value), shown);
    }

    void agcCrossEdits()
    {
        QCOMPARE(agcThresholdFromEdit(QStringLiteral("-10"), -20.0), -20.0);
        QCOMPARE(agcThresholdFromEdit(QStringLiteral("-33.33"), -20.0), -33.4);
        QCOMPARE(agcTargetFromEdit(QStringLiteral("3"), -30.0), 0.0);
        QCOMPARE(agcTargetFromEdit(QStringLiteral("-50"), -30.0), -30.0);
    }
};

KV_TEST_GUILESS_MAIN(TestDynamicsCurves)
#include "tst_dynamicscurves.moc"
