#pragma once

#include "editorwindow.h"

// Firmware upgrade of the unit.
class SystemUpgradeProgressDialog : public EditorWindow
{
    Q_OBJECT
public:
    SystemUpgradeProgressDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

public slots:
    // The three ways an upgrade is asked for: the menu, and the factory test dialog's DSP and
    // forced upgrades.
    void systemUpgradeActionTriggered();
    void dspUpgradeTriggered();
    void forceUpgradeTriggered();

protected:
    void retranslate() override;
};
