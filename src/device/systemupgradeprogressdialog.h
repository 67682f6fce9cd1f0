#pragma once

#include "toolwindow.h"

// Firmware upgrade of the unit.
class SystemUpgradeProgressDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit SystemUpgradeProgressDialog(QWidget* parent = nullptr);

public slots:
    // The three ways an upgrade is asked for: the menu, and the factory test dialog's DSP and
    // forced upgrades.
    void systemUpgradeActionTriggered();
    void dspUpgradeTriggered();
    void forceUpgradeTriggered();

protected:
    void retranslate() override;
};
