#pragma once

#include "editjournal.h"

#include <QUndoCommand>

// One step of the undo stack: a user edit noted by the model's journal. The edit has already
// reached the unit when the step is pushed, so the first redo does nothing; later ones put the
// value back through the journal. Steps that continue the same gesture on the same control
// merge, keeping the value before the first and after the last.
class EditCommand : public QUndoCommand
{
public:
    static constexpr int kId = 0x4b56;

    EditCommand(EditJournal& journal, const EditJournal::Step& step, bool merges);

    void undo() override;
    void redo() override;
    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand* other) override;

    const QString& key() const { return m_step.key; }

private:
    EditJournal& m_journal;
    EditJournal::Step m_step;
    bool m_merges = false;
    bool m_done = true;
};
