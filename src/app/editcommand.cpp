#include "editcommand.h"

EditCommand::EditCommand(EditJournal& journal, const EditJournal::Step& step, bool merges)
    : m_journal(journal), m_step(step), m_merges(merges)
{
    setText(step.name);
}

void EditCommand::undo()
{
    m_journal.replay(m_step.undo);
    m_done = false;
}

void EditCommand::redo()
{
    // Pushed after the edit went out: the unit has the value already.
    if (m_done)
        return;
    m_journal.replay(m_step.redo);
    m_done = true;
}

bool EditCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const EditCommand*>(other);
    if (!next->m_merges || next->m_step.key != m_step.key)
        return false;
    m_step.redo = next->m_step.redo;
    return true;
}
