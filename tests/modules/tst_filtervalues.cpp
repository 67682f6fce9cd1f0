// How the filter editor shows and reads values: the frequency knob's steps against the rows
// the units' tables are known to hold, and the display and parsing rules at their edges.
#include "filtervalues.h"
#include "testenvironment.h"

#include <QtTest>

using namespace filtervalues;

class TestFilterValues : public QObject
{
    Q_OBJECT

private slots:
    void frequencyTableHoldsTheKnownRows()
    {
        const auto& t = frequencyTable();
        const QVector<double> head{20.0, 20.7, 21.4, 22.2, 23.0, 23.8, 24.6, 25.5, 26.4, 27.3};
        for (int k = 0; k < head.size(); ++k)
            QCOMPARE(t[std::size_t(k)], head[k]);
        const QVector<double> middle{447.7, 463.5, 479.8, 496.6, 514.1, 532.1,
                                     550.8, 570.2, 590.2, 611.0, 632.5};
        for (int k = 0; k < middle.size(); ++k)
            QCOMPARE(t[std::size_t(90 + k)], middle[k]);
        QCOMPARE(t[180], 10000.0);
        const QVector<double> tail{15700, 16200, 16800, 17400, 18000, 18600, 19300, 20000};
        for (int k = 0; k < tail.size(); ++k)
            QCOMPARE(t[std::size_t(193 + k)], tail[k]);
        for (std::size_t k = 1; k < t.size(); ++k)
            QVERIFY2(t[k] > t[k - 1], qPrintable(QString::number(k)));
    }

    void knobIndexIsTheGreatestStepNotAbove_data()
    {
        QTest::addColumn<double>("frequency");
        QTest::addColumn<int>("index");
        QTest::newRow("bottom") << 20.0 << 0;
        QTest::newRow("between") << 21.3 << 1;
        QTest::newRow("an entry through a float") << double(27.3f) << 9;
        QTest::newRow("typed 1234.5") << 1234.5 << 119;
        QTest::newRow("top") << 20000.0 << 200;
        QTest::newRow("below the range") << 19.9 << -1;
        QTest::newRow("above the range") << 20000.5 << -1;
        QTest::newRow("not a number") << std::nan("") << -1;
    }

    void knobIndexIsTheGreatestStepNotAbove()
    {
        QFETCH(double, frequency);
        QFETCH(int, index);
        QCOMPARE(knobIndexForFrequency(frequency), index);
        if (index >= 0)
            QVERIFY(frequencyTable()[std::size_t(index)] <= frequency + 1e-3);
    }

    void typedTextBecomesAValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("gain");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("down to a tenth") << "1234.56" << false << 1234.5 << "1234.5";
        QTest::newRow("a tenth that binary rounds low") << "21.4" << false << 21.4 << "21.4";
        QTest::newRow("whole hertz") << " 20 " << false << 20.0 << "20";
        QTest::newRow("above the top") << "30000" << false << 20000.0 << "20000";
        QTest::newRow("below the bottom") << "5" << false << 20.0 << "20";
        QTest::newRow("no number") << "abc" << false << 20.0 << "20";
        QTest::newRow("infinite") << "inf" << false << 20.0 << "20";
        QTest::newRow("gain below the range") << "-20" << true << -15.0 << "-15.0";
        QTest::newRow("gain down, not towards zero") << "-3.75" << true << -3.8 << "-3.8";
        QTest::newRow("gain with no number") << "x" << true << 0.0 << "0.0";
        QTest::newRow("gain of minus nothing") << "-0.04" << true << -0.1 << "-0.1";
    }

    void typedTextBecomesAValue()
    {
        QFETCH(QString, text);
        QFETCH(bool, gain);
        QFETCH(double, value);
        QFETCH(QString, shown);
        const double v = gain ? parseGain(text) : parseFrequency(text);
        QVERIFY2(std::abs(v - value) < 1e-9, qPrintable(QString::number(v, 'g', 12)));
        QCOMPARE(gain ? gainText(v) : frequencyText(v), shown);
    }

    void displayRules()
    {
        QCOMPARE(frequencyText(20.5), QStringLiteral("20.5"));
        QCOMPARE(frequencyText(double(632.5f)), QStringLiteral("632.5"));
        QCOMPARE(frequencyText(double(27.3f)), QStringLiteral("27.3"));
        QCOMPARE(gainKnobValue(-3.7), -37);
        QCOMPARE(gainKnobValue(double(-3.7f)), -37);
        QCOMPARE(gainKnobValue(0.25), 3);   // halves upwards
        QCOMPARE(gainKnobValue(-0.25), -2); // also below zero
        QCOMPARE(gainText(-0.01), QStringLiteral("0.0"));
        QCOMPARE(qText(43), QStringLiteral("6.00"));
        QCOMPARE(qText(0), QStringLiteral("0.50"));
        QCOMPARE(qText(64), QStringLiteral("20.00"));
    }
};

KV_TEST_GUILESS_MAIN(TestFilterValues)
#include "tst_filtervalues.moc"
