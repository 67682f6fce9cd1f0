// The filter response maths against responses scipy computed from independently designed
// sections, and the rules the reference cannot show on its own.
#include "filtergraphscale.h"
#include "filterreference.h"
#include "filterresponse.h"
#include "testenvironment.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(PassFilter)
Q_DECLARE_METATYPE(FilterBand)

class TestFilterResponse : public QObject
{
    Q_OBJECT
private slots:
    void matchesReference_data()
    {
        QTest::addColumn<int>("index");
        QVERIFY2(filterReference().size() >= 30, "reference file missing or incomplete");
        for (size_t i = 0; i < filterReference().size(); ++i)
            QTest::newRow(qPrintable(filterReference()[i].name)) << int(i);
    }
    void matchesReference()
    {
        QFETCH(int, index);
        const FilterReferenceCase& ref = filterReference()[size_t(index)];
        std::array<FilterBand, FilterResponse::kMaxBands> bands;
        for (FilterBand& band : bands)
            band.bypass = true;
        for (const FilterReferenceCase::Band& b : ref.bands)
            bands[size_t(b.index)] = FilterBand{b.bypass != 0, b.type, b.freq, b.gain,
                                                FilterResponse::bandQ(b.type, b.qIndex)};
        const QString mismatch = compareWithReference(
            FilterResponse::compute(ref.highPass, ref.lowPass, bands.data(), ref.count), ref, 1e-6);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void passSectionCounts_data()
    {
        QTest::addColumn<int>("slope");
        QTest::addColumn<int>("sections");
        QTest::addColumn<bool>("firstOrderLast");
        QTest::newRow("6 dB/oct") << 0 << 1 << true;
        QTest::newRow("12 dB/oct") << 1 << 1 << false;
        QTest::newRow("18 dB/oct") << 2 << 2 << true;
        QTest::newRow("24 dB/oct") << 3 << 2 << false;
        QTest::newRow("36 dB/oct") << 4 << 3 << false;
        QTest::newRow("48 dB/oct") << 5 << 4 << false;
    }
    void passSectionCounts()
    {
        QFETCH(int, slope);
        QFETCH(int, sections);
        QFETCH(bool, firstOrderLast);
        for (uchar type = 0; type < 3; ++type) {
            for (bool highPass : {true, false}) {
                std::array<Biquad, FilterResponse::kMaxPassSections> s;
                const PassFilter filter{false, type, uchar(slope), 2000};
                QCOMPARE(FilterResponse::passSections(filter, highPass, s), sections);
                for (int i = 0; i < sections; ++i)
                    QCOMPARE(s[size_t(i)].b2 == 0.0 && s[size_t(i)].a2 == 0.0,
                             firstOrderLast && i == sections - 1);
            }
        }
    }

    // Parameters no section can be designed from leave the curve flat instead of NaN.
    void unusableParametersContributeNothing_data()
    {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::addColumn<PassFilter>("highPass");
        QTest::addColumn<FilterBand>("band");
        const FilterBand unity{false, 0, 1000, 0, 1};
        QTest::newRow("high-pass at 0 Hz") << PassFilter{false, 1, 3, 0} << unity;
        QTest::newRow("high-pass at NaN") << PassFilter{false, 1, 2, nan} << unity;
        QTest::newRow("unknown slope") << PassFilter{false, 1, 6, 1000} << unity;
        QTest::newRow("gain overflows") << PassFilter{} << FilterBand{false, 0, 1000, 1e30f, 1};
        QTest::newRow("band at NaN") << PassFilter{} << FilterBand{false, 1, nan, 6, 0.71f};
        QTest::newRow("unknown band type") << PassFilter{} << FilterBand{false, 3, 1000, 6, 1};
    }
    void unusableParametersContributeNothing()
    {
        QFETCH(PassFilter, highPass);
        QFETCH(FilterBand, band);
        for (double v : FilterResponse::compute(highPass, PassFilter{}, &band, 1))
            QCOMPARE(v, 0.0);
    }

    // Pixel mapping of a 700 x 300 graph: plot from (40, 10), 655 x 270.
    void scale_data()
    {
        QTest::addColumn<double>("freq");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("y");
        QTest::newRow("axis start, top") << 10.0 << 40.0 << 15.0 << 10.0;
        QTest::newRow("20 Hz, middle") << 20.0 << 98.33204881599832 << 0.0 << 145.0;
        QTest::newRow("1 kHz") << 1000.0 << 427.54974358841173 << 7.5 << 77.5;
        QTest::newRow("axis end, bottom") << 24000.0 << 695.0 << -15.0 << 280.0;
    }
    void scale()
    {
        QFETCH(double, freq);
        QFETCH(double, x);
        QFETCH(double, gain);
        QFETCH(double, y);
        const FilterGraphScale s(700, 300);
        QCOMPARE(s.xAt(freq), x);
        QCOMPARE(s.frequencyAt(x), freq);
        QCOMPARE(s.yAt(gain), y);
        QCOMPARE(s.gainAt(y), gain);
    }
};

KV_TEST_GUILESS_MAIN(TestFilterResponse)
#include "tst_filterresponse.moc"
