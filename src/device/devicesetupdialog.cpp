#include "devicesetupdialog.h"

DeviceSetupDialog::DeviceSetupDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("DeviceSetupGeometry"), parent)
{
    setObjectName(QStringLiteral("deviceSetupDialog"));
    setRefreshFlag(Refresher::DeviceSetup);
    retranslate();
}

void DeviceSetupDialog::retranslate()
{
    setWindowTitle(tr("Setup"));
}
