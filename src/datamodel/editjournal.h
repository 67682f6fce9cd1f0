#pragma once

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>
#include <type_traits>

// The record of the user's edits that undo and redo replay. The edits classes note each edit
// they pass to the unit as a step: a key naming what was edited, a name for the menu, and how
// to put the value before and after it back through the same edit (so that the unit hears it
// and the views show it). Consecutive steps of one key merge while a gesture (a press held on a
// control) is open or while they come within kMergeMs of each other, so that a drag or a knob
// turn is one step. Replays are not noted again. When the unit's state changes under the
// record, it is cleared: an undo must never send a value that no longer applies.
class EditJournal : public QObject
{
    Q_OBJECT
public:
    struct Step
    {
        QString key;
        QString name;
        std::function<void()> undo;
        std::function<void()> redo;
        // A switch flipped twice is two steps; a value moved twice in one gesture is one.
        bool continuous = true;
    };

    enum class Reason
    {
        Connection,
        PresetRecall,
        Reset,
        Copy,
    };
    Q_ENUM(Reason)

    static constexpr qint64 kMergeMs = 600;

    explicit EditJournal(QObject* parent = nullptr);

    void record(Step step);
    // A step that puts `before` or `after` back through `apply`.
    template <typename T, typename Apply>
    void note(const QString& key, const QString& name, const T& before, const T& after, Apply apply)
    {
        record(
            Step{key, name, [apply, before] { apply(before); }, [apply, after] { apply(after); }});
    }

    // Steps noted inside a batch leave as one, named by the batch (e.g. a mode change that
    // also turns phantom power off and the gain down).
    class Batch
    {
    public:
        Batch(EditJournal& journal, const QString& key, const QString& name);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        EditJournal& m_journal;
    };

    // A press on a control opens a gesture, its release closes it.
    void setGestureOpen(bool open) { m_gestureOpen = open; }
    bool isGestureOpen() const { return m_gestureOpen; }

    // Runs a step's undo or redo without noting what it does. The edits send a replayed value
    // even when the mirror holds it already: a report can have put it there while the unit
    // still runs the newer one.
    void replay(const std::function<void()>& action);
    bool isReplaying() const { return m_replaying; }

    void clear(Reason reason);

    // Whether this step, noted now, would join the previous one.
    bool mergesNow(const Step& step) const;

signals:
    // `merge`: the step continues the previous one (same key, same gesture).
    void recorded(const EditJournal::Step& step, bool merge);
    void cleared(EditJournal::Reason reason);

private:
    void endBatch();

    QString m_lastKey;
    qint64 m_lastAt = 0;
    bool m_gestureOpen = false;
    bool m_replaying = false;
    int m_batchDepth = 0;
    Step m_batch;
    QVector<Step> m_batchSteps;
};
