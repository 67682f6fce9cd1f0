#include "systemupgradeprogressdialog.h"

SystemUpgradeProgressDialog::SystemUpgradeProgressDialog(DataModel& model, ReportRouter& router,
                                                         QWidget* parent)
    : EditorWindow(model, router, QString(), parent)
{
    setObjectName(QStringLiteral("systemUpgradeDialog"));
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
