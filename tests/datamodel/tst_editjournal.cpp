// The journal of user edits: which steps join into one, batches, and replays that are not noted
// again.
#include "clock.h"
#include "datamodel.h"
#include "editjournal.h"
#include "leveledits.h"
#include "testenvironment.h"

#include <QtTest>

class TestEditJournal : public QObject
{
    Q_OBJECT

    qint64 m_now = 1000000;

private slots:
    void init()
    {
        Clock::setSource([this] { return m_now; });
    }
    void cleanup() { Clock::resetSource(); }

    void merging_data()
    {
        QTest::addColumn<QString>("secondKey");
        QTest::addColumn<bool>("continuous");
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<bool>("gesture");
        QTest::addColumn<bool>("replayBetween");
        QTest::addColumn<bool>("merges");

        // clang-format off
        QTest::newRow("same value, quick")        << "a" << true  << 100  << false << false << true;
        QTest::newRow("same value, slow")         << "a" << true  << 2000 << false << false << false;
        QTest::newRow("same value, held press")   << "a" << true  << 2000 << true  << false << true;
        QTest::newRow("another value")            << "b" << true  << 100  << true  << false << false;
        QTest::newRow("a switch flipped twice")   << "a" << false << 100  << true  << false << false;
        QTest::newRow("after an undo")            << "a" << true  << 100  << true  << true  << false;
        // clang-format on
    }

    void merging()
    {
        QFETCH(QString, secondKey);
        QFETCH(bool, continuous);
        QFETCH(int, gapMs);
        QFETCH(bool, gesture);
        QFETCH(bool, replayBetween);
        QFETCH(bool, merges);

        EditJournal journal;
        QList<bool> seen;
        connect(&journal, &EditJournal::recorded, this,
                [&seen](const EditJournal::Step&, bool merge) { seen << merge; });
        journal.setGestureOpen(gesture);
        journal.record({QStringLiteral("a"), {}, [] {}, [] {}, continuous});
        m_now += gapMs;
        if (replayBetween)
            journal.replay([] {});
        journal.record({secondKey, {}, [] {}, [] {}, continuous});
        QCOMPARE(seen, (QList<bool>{false, merges}));
    }

    void batchIsOneStepUndoneInReverse()
    {
        EditJournal journal;
        QList<EditJournal::Step> steps;
        connect(&journal, &EditJournal::recorded, this,
                [&steps](const EditJournal::Step& s, bool) { steps << s; });
        QStringList order;
        {
            const EditJournal::Batch batch(journal, QStringLiteral("k"), QStringLiteral("both"));
            for (const QString& part : {QStringLiteral("1"), QStringLiteral("2")})
                journal.record({part,
                                {},
                                [&order, part] { order << "undo" + part; },
                                [&order, part] { order << "redo" + part; }});
        }
        QCOMPARE(steps.size(), 1);
        QCOMPARE(steps[0].name, QStringLiteral("both"));
        // Steps noted while a step replays belong to it, not to the record.
        journal.replay(steps[0].undo);
        journal.replay(steps[0].redo);
        QCOMPARE(order, (QStringList{"undo2", "undo1", "redo1", "redo2"}));
        QCOMPARE(steps.size(), 1);
    }

    // Undo through the edits: the old value goes back into the mirror, the views are told, and
    // the replay is not noted as a new edit.
    void levelEditUndoneThroughTheEdit()
    {
        DataModel model;
        model.setTickTimerRunning(false);
        QList<EditJournal::Step> steps;
        connect(&model.journal(), &EditJournal::recorded, this,
                [&steps](const EditJournal::Step& s, bool) { steps << s; });
        QList<int> synced;
        connect(&model, &DataModel::tcpSyncToUI, this,
                [&synced](uchar, uchar, uchar funcId, uchar channel) {
                    if (funcId == 2)
                        synced << channel;
                });
        // Inputs 2 and 3 share group 1: undo brings both back through the group rule.
        model.input(2).levelGroup = 1;
        model.input(3).levelGroup = 1;
        model.input(2).levelGain = -6.0f;
        model.input(3).levelGain = -6.0f;
        LevelEdits(model).setInputGain(2, 4.0f);
        QCOMPARE(float(model.input(3).levelGain), 4.0f);
        QCOMPARE(steps.size(), 1);
        QCOMPARE(steps[0].name, QStringLiteral("Input 3 Gain"));

        model.journal().replay(steps[0].undo);
        QCOMPARE(float(model.input(2).levelGain), -6.0f);
        QCOMPARE(float(model.input(3).levelGain), -6.0f);
        QCOMPARE(synced, (QList<int>{2, 3}));
        QCOMPARE(steps.size(), 1);
    }
};

KV_TEST_GUILESS_MAIN(TestEditJournal)
#include "tst_editjournal.moc"
