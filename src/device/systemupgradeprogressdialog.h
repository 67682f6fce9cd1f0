#pragma once

#include "firmwareupgrade.h"
#include "progressdialog.h"

#include <functional>

class DataModel;
class QTimer;
class ReportRouter;
class SystemSettings;

// Firmware upgrade of the connected unit: asks for the file, runs the transfer and shows its
// progress and outcome. Three kinds: the system upgrade of the menu ("*.img", checked against
// the unit's key first), and the DSP ("*.bin") and forced ("*.img") upgrades of the factory
// test dialog, which start at once. Outcomes stay on screen for a moment, then the window
// closes by itself.
class SystemUpgradeProgressDialog : public ProgressDialog
{
    Q_OBJECT
public:
    // Asks for an existing file; an empty path when the user cancels.
    using FileChooser = std::function<QString(const QString& title, const QString& directory,
                                              const QString& filter)>;

    static constexpr int kFailureShownMs = 2000;
    static constexpr int kErrorShownMs = 3000;

    SystemUpgradeProgressDialog(DataModel& model, ReportRouter& router, SystemSettings& settings,
                                QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    FirmwareUpgrade& upgrade() { return m_upgrade; }
    QString path() const { return m_path; }
    // Times how long an outcome stays on screen.
    QTimer* watchdog() const { return m_watchdog; }

    // The unit's answers: to a request or block of the upgrade `funcId`, and its verdict.
    void upgradeReply(uchar funcId, const uchar* reply, int length);
    void upgradeStatus(uchar value);

public slots:
    void dspUpgradeTriggered();
    void forceUpgradeTriggered();
    void systemUpgradeActionTriggered();
    void timeout();

protected:
    void retranslate() override;

private:
    enum class Shown
    {
        Nothing,
        Progress,
        Failure,
        FileError,
        FormatError,
        NotConnected,
        LinkLost,
    };

    QString choose(FirmwareUpgrade::Kind kind);
    void startProgress(int blocks);
    bool stepProgress(int value);
    // The unit's (or our own) verdict on the file: 255 a format error, others a damaged file.
    void showFileError(uchar code);
    void showOutcome(Shown what);
    void failed(FirmwareUpgrade::Failure failure);
    void finish();
    QString outcomeText() const;

    SystemSettings& m_settings;
    FirmwareUpgrade m_upgrade;
    FileChooser m_chooseFile;
    QTimer* m_watchdog;
    QString m_path;
    Shown m_shown = Shown::Nothing;
};
