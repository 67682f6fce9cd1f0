#include "devicesetupdialog.h"

DeviceSetupDialog::DeviceSetupDialog(QWidget* parent)
    : ToolWindow(QStringLiteral("DeviceSetupGeometry"), parent)
{
    retranslate();
}

void DeviceSetupDialog::retranslate()
{
    setWindowTitle(tr("Setup"));
}
