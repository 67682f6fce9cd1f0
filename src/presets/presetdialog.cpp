#include "presetdialog.h"

PresetDialog::PresetDialog(QWidget* parent) : ToolWindow(QStringLiteral("PresetGeometry"), parent)
{
    retranslate();
}

void PresetDialog::retranslate()
{
    setWindowTitle(tr("Preset"));
}
