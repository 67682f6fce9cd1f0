#pragma once

#include "deviceprofile.h"

#include <QMenuBar>

class QAction;
class QMenu;
class SystemSettings;

// The main window's menu bar: tool windows, language, appearance and high-DPI scaling.
// Ctrl+D, L, P, R, S and H reach the entries through their Alt accelerators.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    explicit MainMenuBar(SystemSettings& settings, QWidget* parent = nullptr);

    // The "Edit" menu with undo and redo, ahead of the tool windows.
    void setEditActions(QAction* undo, QAction* redo);
    QMenu* editMenu() const { return m_editMenu; }

    // Shows the entries that the selected device version has a use for.
    void setProfile(const DeviceProfile& profile);

signals:
    void deviceListTriggered();
    void labelTriggered();
    void meterTriggered();
    void presetTriggered();
    void recPlayTriggered();
    void deviceSetupTriggered();
    void systemUpgradeActionTriggered();
    void systemResetTriggered();
    void commandAssistantTriggered();
    void deviceVersionSelectionTriggered();
    void saveStateTriggered();
    void compareStateTriggered();

public slots:
    void deviceListShortcutActivated();
    void labelShortcutActivated();
    void presetShortcutActivated();
    void recPlayShortcutActivated();
    void setupShortcutActivated();
    void helpShortcutActivated();
    void languageTriggered(bool checked);
    void appearanceConfigTriggered(bool checked);
    void highDpiScalingTriggered(bool checked);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void pressAlt(Qt::Key key);
    void addShortcut(const QKeySequence& sequence, void (MainMenuBar::*slot)());
    // Starts the application again with the same arguments and quits this run.
    static void restartApplication();

    SystemSettings& m_settings;
    QMenu* m_languageMenu = nullptr;
    QMenu* m_appearanceMenu = nullptr;
    QMenu* m_highDpiMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_saveState = nullptr;
    QAction* m_compareState = nullptr;
    QAction* m_english = nullptr;
    QAction* m_chinese = nullptr;
    QAction* m_light = nullptr;
    QAction* m_dark = nullptr;
    QAction* m_deviceList = nullptr;
    QAction* m_label = nullptr;
    QAction* m_meter = nullptr;
    QAction* m_preset = nullptr;
    QAction* m_recPlay = nullptr;
    QAction* m_setup = nullptr;
    QAction* m_deviceVersion = nullptr;
    QAction* m_systemUpgrade = nullptr;
    QAction* m_systemReset = nullptr;
    QAction* m_commandAssistant = nullptr;
    QAction* m_highDpiOn = nullptr;
    QAction* m_highDpiOff = nullptr;
};
