#include "undohistory.h"

#include "editcommand.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QKeySequence>

UndoHistory::UndoHistory(EditJournal& journal, QObject* parent)
    : QObject(parent), m_journal(journal)
{
    m_undo = new QAction(this);
    m_undo->setObjectName(QStringLiteral("undoAction"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(this);
    m_redo->setObjectName(QStringLiteral("redoAction"));
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, &m_stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, &m_stack, &QUndoStack::redo);
    connect(&m_stack, &QUndoStack::indexChanged, this, &UndoHistory::retranslate);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &UndoHistory::retranslate);
    connect(&journal, &EditJournal::recorded, this, &UndoHistory::stepRecorded);
    connect(&journal, &EditJournal::cleared, this, &UndoHistory::journalCleared);
    QCoreApplication::instance()->installEventFilter(this);
    retranslate();
}

UndoHistory::~UndoHistory()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void UndoHistory::stepRecorded(const EditJournal::Step& step, bool merge)
{
    m_stack.push(new EditCommand(m_journal, step, merge));
    retranslate();
}

void UndoHistory::journalCleared(EditJournal::Reason reason)
{
    if (m_stack.count() == 0)
        return;
    m_stack.clear();
    retranslate();
    emit note(clearedNote(reason));
}

QString UndoHistory::clearedNote(EditJournal::Reason reason)
{
    switch (reason) {
    case EditJournal::Reason::Connection:
        return tr("Undo history cleared: the connection to the unit changed.");
    case EditJournal::Reason::PresetRecall:
        return tr("Undo history cleared: a preset was loaded.");
    case EditJournal::Reason::Reset:
        return tr("Undo history cleared: settings were reset.");
    case EditJournal::Reason::Copy:
        return tr("Undo history cleared: settings were copied to other channels.");
    }
    return {};
}

void UndoHistory::retranslate()
{
    m_undo->setEnabled(m_stack.canUndo());
    m_redo->setEnabled(m_stack.canRedo());
    m_undo->setText(m_stack.canUndo() ? tr("Undo %1").arg(m_stack.undoText()) : tr("Undo"));
    m_redo->setText(m_stack.canRedo() ? tr("Redo %1").arg(m_stack.redoText()) : tr("Redo"));
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event)
{
    // Every widget sees the press it receives; only the pair matters here, not who got it.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_journal.setGestureOpen(true);
        break;
    case QEvent::MouseButtonRelease:
        m_journal.setGestureOpen(false);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
