#pragma once

#include "editorwindow.h"
#include "savedstate.h"

#include <functional>

class QLabel;
class QTimer;
class QPushButton;
class QTreeWidget;

// Compares the connected unit with a saved state (or two saved states, without a unit): every
// difference grouped by block and channel with the unit's and the saved value, and the chosen
// saved values sent to the unit through the same edits as the windows.
class CompareStateDialog : public EditorWindow
{
    Q_OBJECT
public:
    // Asks for a state file: `save` picks a name to write. Empty when the user cancels.
    using FileChooser = std::function<QString(bool save, const QString& title)>;

    CompareStateDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    QTreeWidget* tree() const { return m_tree; }
    const QVector<SavedState::Difference>& differences() const { return m_differences; }

public slots:
    void saveStateTriggered();
    void openSavedClicked();
    void openSecondClicked();
    void sendSelectedClicked();
    void refresh();
    // Reads every block of the unit, then compares again.
    void readAndRefresh();

protected:
    void changeEvent(QEvent* event) override;

private:
    bool load(const QString& title, QMap<QString, QString>* values, QString* name);
    // Asks the unit for every block and calls `then` once its answers have stopped coming.
    void readUnit(std::function<void()> then);
    void tell(const QString& text, const QString& details = QString());
    void retranslate();

    FileChooser m_chooseFile;
    QMap<QString, QString> m_saved;
    QString m_savedName;
    // A second saved state stands in for the unit when one is opened.
    QMap<QString, QString> m_second;
    QString m_secondName;
    QVector<SavedState::Difference> m_differences;
    QTimer* m_answersSettled = nullptr;
    std::function<void()> m_afterRead;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_openSaved = nullptr;
    QPushButton* m_openSecond = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_send = nullptr;
};
