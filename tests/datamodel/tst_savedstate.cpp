// Saved unit states: both file forms read alike, values normalised through their keys, what is
// not usable named, and differences listed in the keys' order under their block and channel.
#include "savedstate.h"
#include "testenvironment.h"

#include <QtTest>

class TestSavedState : public QObject
{
    Q_OBJECT
private slots:
    void readsBothFormsAlike()
    {
        QMap<QString, QString> lines;
        QMap<QString, QString> json;
        QStringList skipped;
        QVERIFY(SavedState::parse("# saved before the show\n"
                                  "input.3.gain=-6\n"
                                  "output.1.mute = true\n"
                                  "matrix.in3.out2=on\n"
                                  "input.3.gain.typo=1\n"
                                  "input.1.gain=40\n"
                                  "no equals sign\n",
                                  &lines, &skipped));
        QCOMPARE(lines.value(QStringLiteral("input.3.gain")), QStringLiteral("-6"));
        QCOMPARE(lines.value(QStringLiteral("output.1.mute")), QStringLiteral("on"));
        QCOMPARE(lines.size(), 3);
        // An unknown key, a value out of range and a line without a value.
        QCOMPARE(skipped.size(), 3);
        QVERIFY(skipped.contains(QStringLiteral("input.1.gain=40")));

        QVERIFY(SavedState::parse(
            R"({"input.3.gain": -6.0, "output.1.mute": true, "matrix.in3.out2": true})", &json,
            &skipped));
        QVERIFY(skipped.isEmpty());
        QCOMPARE(json, lines);

        QVERIFY(!SavedState::parse("nothing of a unit\n", &json, &skipped));
        QVERIFY(!SavedState::parse("{ broken", &json, &skipped));
    }

    void listsDifferencesByGroup()
    {
        const QMap<QString, QString> unit{{QStringLiteral("input.3.gain"), QStringLiteral("-6")},
                                          {QStringLiteral("input.3.mute"), QStringLiteral("off")},
                                          {QStringLiteral("output.2.gain"), QStringLiteral("0")},
                                          {QStringLiteral("system.mute"), QStringLiteral("off")}};
        QMap<QString, QString> saved = unit;
        saved[QStringLiteral("input.3.mute")] = QStringLiteral("on");
        saved[QStringLiteral("system.mute")] = QStringLiteral("on");
        // A key the saved state lacks was not recorded; one the unit lacks is a difference.
        saved.remove(QStringLiteral("input.3.gain"));
        saved[QStringLiteral("output.3.gain")] = QStringLiteral("-2");
        const auto diff = SavedState::compare(unit, saved);
        QCOMPARE(diff.size(), 3);
        QCOMPARE(diff[0].key.name(), QStringLiteral("input.3.mute"));
        QCOMPARE(diff[0].saved, QStringLiteral("on"));
        QCOMPARE(SavedState::group(diff[0].key), QStringLiteral("input.3"));
        QCOMPARE(diff[1].key.name(), QStringLiteral("output.3.gain"));
        QVERIFY(diff[1].current.isEmpty());
        QCOMPARE(SavedState::group(diff[2].key), QStringLiteral("system"));
        QCOMPARE(SavedState::group(ParameterKeys::find(QStringLiteral("matrix.in3.out2"))),
                 QStringLiteral("matrix.in3"));
    }
};

KV_TEST_GUILESS_MAIN(TestSavedState)
#include "tst_savedstate.moc"
