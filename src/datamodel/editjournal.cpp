#include "editjournal.h"

#include "clock.h"

EditJournal::EditJournal(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<EditJournal::Reason>();
}

void EditJournal::record(Step step)
{
    if (m_replaying)
        return;
    if (m_batchDepth > 0) {
        m_batchSteps << std::move(step);
        return;
    }
    const bool merge = mergesNow(step);
    m_lastKey = step.continuous ? step.key : QString();
    m_lastAt = Clock::now();
    emit recorded(step, merge);
}

bool EditJournal::mergesNow(const Step& step) const
{
    return step.continuous && !m_lastKey.isEmpty() && step.key == m_lastKey &&
           (m_gestureOpen || Clock::now() - m_lastAt <= kMergeMs);
}

EditJournal::Batch::Batch(EditJournal& journal, const QString& key, const QString& name)
    : m_journal(journal)
{
    if (m_journal.m_batchDepth++ == 0) {
        m_journal.m_batch = Step{key, name, {}, {}};
        m_journal.m_batchSteps.clear();
    }
}

EditJournal::Batch::~Batch()
{
    if (--m_journal.m_batchDepth == 0)
        m_journal.endBatch();
}

void EditJournal::endBatch()
{
    if (m_batchSteps.isEmpty())
        return;
    Step step = m_batch;
    step.continuous = false;
    if (m_batchSteps.size() == 1) {
        step.undo = m_batchSteps.front().undo;
        step.redo = m_batchSteps.front().redo;
    } else {
        const QVector<Step> steps = m_batchSteps;
        // Undone in reverse, so each part meets the state it left.
        step.undo = [steps] {
            for (auto it = steps.crbegin(); it != steps.crend(); ++it)
                it->undo();
        };
        step.redo = [steps] {
            for (const Step& s : steps)
                s.redo();
        };
    }
    m_batchSteps.clear();
    record(std::move(step));
}

void EditJournal::replay(const std::function<void()>& action)
{
    const bool was = m_replaying;
    m_replaying = true;
    action();
    m_replaying = was;
    // What follows a replay never merges into the replayed step.
    m_lastKey.clear();
}

void EditJournal::clear(Reason reason)
{
    m_lastKey.clear();
    emit cleared(reason);
}
