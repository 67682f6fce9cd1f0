// Band files of measurement tools onto the unit's eight bands: what is mapped, what is listed
// as not mapped, and a written file read back unchanged.
#include "filterresponse.h"
#include "filtertext.h"
#include "testenvironment.h"

#include <QtTest>

using filtertext::Import;

namespace {

std::array<wire::PEQ, filtertext::kBands> someBands()
{
    std::array<wire::PEQ, filtertext::kBands> bands{};
    for (int b = 0; b < filtertext::kBands; ++b)
        bands[std::size_t(b)] = wire::PEQ{1, 0, float(100 * (b + 1)), 2.5f, 20};
    return bands;
}

bool anyNoteContains(const Import& import, const QString& text)
{
    for (const QString& n : import.notes) {
        if (n.contains(text))
            return true;
    }
    return false;
}

} // namespace

class TestFilterText : public QObject
{
    Q_OBJECT
private slots:
    // A file of a measurement tool with its header, a preamp, shelves, a slot it left empty and
    // more filters than the unit has bands.
    void mapsATypicalFile()
    {
        const QString file =
            QStringLiteral("Filter Settings file\r\n"
                           "Notes: living room\r\n"
                           "Preamp: -6.2 dB\r\n"
                           "Filter  1: ON  PK       Fc   63.0 Hz  Gain  -5.0 dB  Q  4.00\r\n"
                           "Filter  2: ON  LS       Fc   80 Hz  Gain   3.0 dB\r\n"
                           "Filter  3: OFF PK       Fc 1,2 kHz  Gain  -2.04 dB  Q  1.41\r\n"
                           "Filter  4: ON  None\r\n"
                           "Filter  5: ON  HSC      Fc  8000 Hz  Gain  -1.5 dB  Q  0.71\r\n"
                           "Filter  6: ON  PK       Fc  200 Hz  Gain  1 dB  Q  2\r\n"
                           "Filter  7: ON  PK       Fc  300 Hz  Gain  1 dB  Q  2\r\n"
                           "Filter  8: ON  PK       Fc  400 Hz  Gain  1 dB  Q  2\r\n"
                           "Filter  9: ON  PK       Fc  500 Hz  Gain  1 dB  Q  2\r\n"
                           "Filter 10: ON  PK       Fc  600 Hz  Gain  1 dB  Q  2\r\n"
                           "Filter 11: ON  PK       Fc  700 Hz  Gain  1 dB  Q  2\r\n");
        const Import import = filtertext::read(file, someBands());
        QCOMPARE(import.used, 8);
        const auto& b = import.bands;
        QCOMPARE(int(b[0].type), 0);
        QCOMPARE(float(b[0].freq), 63.0f);
        QCOMPARE(float(b[0].gain), -5.0f);
        QCOMPARE(FilterResponse::qForIndex(b[0].q), 4.0);
        QCOMPARE(int(b[1].type), 1);
        QCOMPARE(float(b[1].gain), 3.0f);
        // OFF keeps its values, switched off; the decimal comma and kHz are read.
        QCOMPARE(int(b[2].enabled), 0);
        QCOMPARE(float(b[2].freq), 1200.0f);
        QCOMPARE(float(b[2].gain), -2.0f);
        QCOMPARE(FilterResponse::qForIndex(b[2].q), 1.4);
        // The empty slot takes no band.
        QCOMPARE(int(b[3].type), 2);
        QCOMPARE(float(b[3].freq), 8000.0f);
        QCOMPARE(float(b[7].freq), 500.0f);

        QVERIFY(anyNoteContains(import, QStringLiteral("preamp (-6.2 dB)")));
        QVERIFY(anyNoteContains(import, QStringLiteral("Filter 10: the unit has 8 bands")));
        QVERIFY(anyNoteContains(import, QStringLiteral("Filter 11: the unit has 8 bands")));
        QCOMPARE(import.notes.size(), 3);
    }

    void listsWhatCannotBeMapped_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("note");
        QTest::newRow("type") << "Filter 1: ON LP Fc 100 Hz"
                              << "has no LP band";
        QTest::newRow("frequency") << "Filter 1: ON PK Fc 25000 Hz Gain 1 dB Q 1"
                                   << "outside 20 to 20000 Hz";
        QTest::newRow("gain") << "Filter 1: ON PK Fc 100 Hz Gain 16 dB Q 1"
                              << "outside -15 to +15 dB";
        QTest::newRow("Q") << "Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 40"
                           << "outside 0.5 to 20";
        QTest::newRow("no Q") << "Filter 1: ON PK Fc 100 Hz Gain 1 dB"
                              << "has no Q";
        QTest::newRow("no frequency") << "Filter 1: ON PK Gain 1 dB Q 1"
                                      << "has no frequency";
        QTest::newRow("unreadable") << "Filter 1 ON PK"
                                    << "could not be read";
    }

    void listsWhatCannotBeMapped()
    {
        QFETCH(QString, line);
        QFETCH(QString, note);
        const Import import = filtertext::read(line, someBands());
        QVERIFY(import.empty());
        QCOMPARE(import.notes.size(), 1);
        QVERIFY2(import.notes[0].contains(note), qPrintable(import.notes[0]));
    }

    // A Q between steps goes to the nearest on a log scale and says so; a bandwidth in octaves
    // becomes a Q; a shelf's Q is noted as unused; the bands the file leaves free are switched off.
    void nearestStepsAndFreeBands()
    {
        const Import import =
            filtertext::read(QStringLiteral("Filter 1: ON PK Fc 100 Hz Gain 1 dB Q 1.33\n"
                                            "Filter 2: ON PK Fc 100 Hz Gain 1 dB BW Oct 1.0\n"
                                            "Filter 3: ON LSQ Fc 100 Hz Gain 1 dB Q 2.0\n"),
                             someBands());
        QCOMPARE(import.used, 3);
        QCOMPARE(FilterResponse::qForIndex(import.bands[0].q), 1.3);
        QVERIFY(anyNoteContains(import, QStringLiteral("Q 1.33 becomes 1.30")));
        QCOMPARE(FilterResponse::qForIndex(import.bands[1].q), 1.4); // 1 octave is Q 1.414
        QVERIFY(anyNoteContains(import, QStringLiteral("Q 2 is not used")));
        QVERIFY(anyNoteContains(import, QStringLiteral("Bands 4 to 8 are switched off")));
        for (int b = 3; b < filtertext::kBands; ++b) {
            QCOMPARE(int(import.bands[std::size_t(b)].enabled), 0);
            QCOMPARE(float(import.bands[std::size_t(b)].freq), float(100 * (b + 1)));
        }
        QCOMPARE(filtertext::qIndexFor(0.49), 0);
        QCOMPARE(filtertext::qIndexFor(0.4), -1);
        QCOMPARE(filtertext::qIndexFor(20.5), FilterResponse::kQSteps - 1);
    }

    void writtenBandsReadBackUnchanged()
    {
        auto bands = someBands();
        bands[1] = wire::PEQ{0, 1, 85.5f, -3.5f, 6};
        bands[2] = wire::PEQ{1, 2, 12000.0f, 4.0f, 6};
        bands[3].q = 64;
        const QString text = filtertext::write(bands);
        QVERIFY(text.startsWith(QStringLiteral("Filter 1: ON PK Fc 100 Hz Gain 2.5 dB Q 1.60\n")));
        const Import back = filtertext::read(text, std::array<wire::PEQ, filtertext::kBands>{});
        QCOMPARE(back.used, 8);
        QVERIFY2(back.notes.isEmpty(), qPrintable(back.notes.join(QLatin1Char('|'))));
        for (std::size_t b = 0; b < bands.size(); ++b) {
            QCOMPARE(int(back.bands[b].enabled), int(bands[b].enabled));
            QCOMPARE(int(back.bands[b].type), int(bands[b].type));
            QCOMPARE(float(back.bands[b].freq), float(bands[b].freq));
            QCOMPARE(float(back.bands[b].gain), float(bands[b].gain));
            if (bands[b].type == 0)
                QCOMPARE(int(back.bands[b].q), int(bands[b].q));
        }
    }
};

KV_TEST_GUILESS_MAIN(TestFilterText)
#include "tst_filtertext.moc"
