#pragma once

#include "deviceprofile.h"

#include <QMainWindow>
#include <functional>

class CommandAssistantDialog;
class DataModel;
class DeviceListDialog;
class DeviceSetupDialog;
class DeviceWidget;
class CompareStateDialog;
class LabelDialog;
class LevelContainerWidget;
class MainMenuBar;
class MainStatusBar;
class MeterDialog;
class ModuleWidget;
class PresetDialog;
class QMessageBox;
class QTimer;
class RecPlayDialog;
class ReportRouter;
class Splitter;
class SystemSettings;
class SystemUpgradeProgressDialog;
class TestDialog;
class UndoHistory;

// The application's one top-level window. It owns the report router and every panel and tool
// window (each subscribes to the reports it shows), shows the unit's faults and applies the
// device version profile everywhere.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kFaultReminderMs = 120000;
    // How long a note stays in the status bar.
    static constexpr int kNoteMs = 8000;

    // Told how far its construction has come, for the splash.
    using Progress = std::function<void(int percent)>;

    MainWindow(DataModel& model, SystemSettings& settings, const Progress& progress = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Applies a device version profile to the model and to every window.
    void applyDeviceVersion(const DeviceProfile& profile);
    const DeviceProfile& profile() const { return m_profile; }
    ReportRouter& router() const { return *m_router; }

    MainMenuBar* mainMenuBar() const { return m_menuBar; }
    MainStatusBar* mainStatusBar() const { return m_statusBar; }
    RecPlayDialog* recPlayDialog() const { return m_recPlayDialog; }
    DeviceWidget* deviceWidget() const { return m_deviceWidget; }
    DeviceListDialog* deviceListDialog() const { return m_deviceListDialog; }
    LevelContainerWidget* levelContainer() const { return m_levelContainer; }
    MeterDialog* meterDialog() const { return m_meterDialog; }
    LabelDialog* labelDialog() const { return m_labelDialog; }
    CompareStateDialog* compareStateDialog() const { return m_compareStateDialog; }
    PresetDialog* presetDialog() const { return m_presetDialog; }
    ModuleWidget* moduleWidget() const { return m_moduleWidget; }
    QMessageBox* faultMessageBox() const { return m_faultMessageBox; }
    QTimer* faultTimer() const { return m_faultTimer; }
    bool geometryRestored() const { return m_geometryRestored; }
    UndoHistory* undoHistory() const { return m_undoHistory; }

    // "Found fault :" and the names of the set bits of a unit's fault byte.
    static QString faultText(quint8 fault);

public slots:
    void deviceListTriggered();
    void labelTriggered();
    void meterTriggered();
    void presetTriggered();
    void recPlayTriggered();
    void deviceSetupTriggered();
    void systemResetTriggered();
    void commandAssistantTriggered();
    void deviceVersionSelectionTriggered();
    void timeout();
    void setLoginChanged(bool loggedIn);
    void testShortcutActivated();
    void testDialog48VButtonClicked(bool on);

protected:
    void changeEvent(QEvent* event) override;

private:
    void deviceStatusChanged();
    void reevaluateDeviceVersion();
    void applySelectedProfile();
    void showFault();
    void retranslate();

    DataModel& m_model;
    SystemSettings& m_settings;
    ReportRouter* m_router = nullptr;
    MainMenuBar* m_menuBar = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    DeviceListDialog* m_deviceListDialog = nullptr;
    LabelDialog* m_labelDialog = nullptr;
    CompareStateDialog* m_compareStateDialog = nullptr;
    MeterDialog* m_meterDialog = nullptr;
    PresetDialog* m_presetDialog = nullptr;
    RecPlayDialog* m_recPlayDialog = nullptr;
    DeviceSetupDialog* m_deviceSetupDialog = nullptr;
    SystemUpgradeProgressDialog* m_upgradeDialog = nullptr;
    CommandAssistantDialog* m_commandAssistantDialog = nullptr;
    bool m_geometryRestored = false;
    DeviceWidget* m_deviceWidget = nullptr;
    ModuleWidget* m_moduleWidget = nullptr;
    LevelContainerWidget* m_levelContainer = nullptr;
    Splitter* m_splitter = nullptr;
    QMessageBox* m_faultMessageBox = nullptr;
    QTimer* m_faultTimer = nullptr;
    TestDialog* m_testDialog = nullptr;
    UndoHistory* m_undoHistory = nullptr;

    DeviceProfile m_profile;
};
