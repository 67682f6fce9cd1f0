#include "systemupgradeprogressdialog.h"

SystemUpgradeProgressDialog::SystemUpgradeProgressDialog(QWidget* parent)
    : ToolWindow(QString(), parent)
{
    retranslate();
}

void SystemUpgradeProgressDialog::retranslate()
{
    setWindowTitle(tr("System Upgrade"));
}

void SystemUpgradeProgressDialog::systemUpgradeActionTriggered()
{
    bringForward();
}

void SystemUpgradeProgressDialog::dspUpgradeTriggered()
{
    bringForward();
}

void SystemUpgradeProgressDialog::forceUpgradeTriggered()
{
    bringForward();
}
