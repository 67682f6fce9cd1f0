#pragma once

#include "editjournal.h"

#include <QObject>
#include <QUndoStack>

class QAction;

// Undo and redo of the user's edits: turns the steps the model's journal notes into commands
// of an undo stack, offers the two actions (Ctrl+Z, Ctrl+Shift+Z) with the name of the step
// they would take, and empties the stack with a note when the journal is cleared. A press on
// any control opens a gesture, its release closes it, so that one drag is one step.
class UndoHistory : public QObject
{
    Q_OBJECT
public:
    explicit UndoHistory(EditJournal& journal, QObject* parent = nullptr);
    ~UndoHistory() override;

    QUndoStack& stack() { return m_stack; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    // The texts of the two actions, in the current language.
    void retranslate();
    static QString clearedNote(EditJournal::Reason reason);

signals:
    // For the status bar.
    void note(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stepRecorded(const EditJournal::Step& step, bool merge);
    void journalCleared(EditJournal::Reason reason);

    EditJournal& m_journal;
    QUndoStack m_stack;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};
