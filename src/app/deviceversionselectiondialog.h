#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QDialogButtonBox;
class QPushButton;
class QTableWidget;
class SystemSettings;

// Chooses the device version profile (the unit's channel configuration), whether to ask again
// at the next start and, at start-up, the language. Row i of the table is profile i; only the
// profiles the user may pick are shown, the others stay selectable from a unit's report.
class DeviceVersionSelectionDialog : public QDialog
{
    Q_OBJECT
public:
    // Without a parent the dialog is the start-up window and also gets a minimize button.
    explicit DeviceVersionSelectionDialog(SystemSettings& settings, QWidget* parent = nullptr);

    void setLanguageButtonsVisible(bool visible);
    void setCancelVisible(bool visible);
    void setTableEnabled(bool enabled);
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // Maps the channel configuration a unit reports to its profile, selects that row in an
    // open modal instance and makes it the current profile. Returns whether the profile
    // changed, in which case the caller re-applies the channel masks.
    static bool selectDeviceVersion(SystemSettings& settings, quint32 inputMask, quint32 outputMask,
                                    bool dante);
    static int profileForUnit(quint32 inputMask, quint32 outputMask, bool dante);

public slots:
    void languageButtonClicked(int id);
    void doChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildTable();
    void retranslate();
    void selectProfileRow(int profile);

    SystemSettings& m_settings;
    QWidget* m_languageRow = nullptr;
    QButtonGroup* m_languageGroup = nullptr;
    QPushButton* m_chineseButton = nullptr;
    QPushButton* m_englishButton = nullptr;
    QTableWidget* m_table = nullptr;
    QCheckBox* m_showAtStartupCheckBox = nullptr;
    QDialogButtonBox* m_buttonBox = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
