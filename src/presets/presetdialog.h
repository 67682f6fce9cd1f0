#pragma once

#include "editorwindow.h"
#include "presetedits.h"
#include "presetfiletransfer.h"

#include <QVector>
#include <functional>

class QLineEdit;
class QProgressDialog;
class QPushButton;
class QTableWidget;
class SystemSettings;

// The unit's 32 preset slots: rename, save the current settings into a slot, load one, delete
// one, and move one slot or all of them to and from files.
class PresetDialog : public EditorWindow
{
    Q_OBJECT
public:
    // Asks for a file: `save` picks a name to write, otherwise an existing file to read.
    // Returns an empty path when the user cancels.
    using FileChooser = std::function<QString(bool save, const QString& title,
                                              const QString& directory, const QString& filter)>;

    PresetDialog(DataModel& model, ReportRouter& router, SystemSettings& settings,
                 QWidget* parent = nullptr);
    ~PresetDialog() override;

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    PresetFileTransfer& transfer() { return m_transfer; }
    QProgressDialog* progressDialog() const { return m_progress; }
    QLineEdit* nameEdit(int slot) const { return m_rows.value(slot).name; }
    // "Save", "Load", "Import", "Export", "Delete" by column 1..5.
    QPushButton* button(int slot, int column) const;

public slots:
    void nameEditEditingFinished();
    void saveButtonClicked();
    void loadButtonClicked();
    void importButtonClicked();
    void exportButtonClicked();
    void deleteButtonClicked();
    void importAllButtonClicked();
    void exportAllButtonClicked();

protected:
    void retranslate() override;

private:
    struct Row
    {
        QLineEdit* name = nullptr;
        QPushButton* save = nullptr;
        QPushButton* load = nullptr;
        QPushButton* import = nullptr;
        QPushButton* exportButton = nullptr;
        QPushButton* remove = nullptr;
    };

    int senderSlot() const;
    void refresh();
    void showLoadProgress(int percent);
    void ask(const QString& question, int slot, std::function<void(int)> act);
    void inform(const QString& text);
    void exportTo(PresetFileTransfer::Scope scope, int slot);
    void importFrom(PresetFileTransfer::Scope scope, int slot);
    void transferStarted(int blocks);
    void transferProgressed(int done, int blocks);
    void transferFailed(PresetFileTransfer::Failure failure);
    void closeProgress();

    SystemSettings& m_settings;
    PresetEdits m_edits;
    PresetFileTransfer m_transfer;
    FileChooser m_chooseFile;
    QTableWidget* m_table = nullptr;
    QVector<Row> m_rows;
    QPushButton* m_importAll = nullptr;
    QPushButton* m_exportAll = nullptr;
    QProgressDialog* m_progress = nullptr;
    QString m_progressLabel;
    bool m_finishing = false;
};
