#pragma once

#include <QMainWindow>
#include <QVariant>

class CommandAssistantDialog;
class DeviceListDialog;
class DeviceSetupDialog;
class DeviceWidget;
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
class Splitter;
class SystemUpgradeProgressDialog;
class TestDialog;
class ToolWindow;

// The application's one top-level window. It owns every panel and tool window, routes the
// unit's reports to the views that show them, shows the unit's faults and applies the device
// version profile everywhere.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kFaultReminderMs = 120000;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The main window registered at construction; null when none is alive.
    static MainWindow* instance();

    // Applies a device version profile's channel masks (bit i = channel i) to every window.
    void applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs, quint32 danteInputs,
                            quint32 danteOutputs);

    quint32 hiddenInputMask() const { return m_hiddenInputs; }
    quint32 hiddenOutputMask() const { return m_hiddenOutputs; }
    quint32 danteInputMask() const { return m_danteInputs; }
    quint32 danteOutputMask() const { return m_danteOutputs; }

    MainMenuBar* mainMenuBar() const { return m_menuBar; }
    MainStatusBar* mainStatusBar() const { return m_statusBar; }
    RecPlayDialog* recPlayDialog() const { return m_recPlayDialog; }
    DeviceWidget* deviceWidget() const { return m_deviceWidget; }
    DeviceListDialog* deviceListDialog() const { return m_deviceListDialog; }
    LevelContainerWidget* levelContainer() const { return m_levelContainer; }
    MeterDialog* meterDialog() const { return m_meterDialog; }
    QMessageBox* faultMessageBox() const { return m_faultMessageBox; }
    QTimer* faultTimer() const { return m_faultTimer; }
    bool geometryRestored() const { return m_geometryRestored; }

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
    void tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar other,
                     QVariant any);
    void inputLabelChanged(uchar channel);
    void outputLabelChanged(uchar channel);
    void timeout();
    void setLoginChanged(bool loggedIn);
    void testShortcutActivated();
    void testDialog48VButtonClicked(bool on);

protected:
    void changeEvent(QEvent* event) override;

private:
    void routeSystemState(uchar funcId);
    void reevaluateDeviceVersion();
    void applySelectedProfile();
    void showFault();
    void retranslate();

    MainMenuBar* m_menuBar = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    DeviceListDialog* m_deviceListDialog = nullptr;
    LabelDialog* m_labelDialog = nullptr;
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

    quint32 m_hiddenInputs = 0;
    quint32 m_hiddenOutputs = 0;
    quint32 m_danteInputs = 0;
    quint32 m_danteOutputs = 0;
};
