#include "presetdialog.h"

PresetDialog::PresetDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("PresetGeometry"), parent)
{
    setObjectName(QStringLiteral("presetDialog"));
    setRefreshFlag(Refresher::Presets);
    retranslate();
}

void PresetDialog::retranslate()
{
    setWindowTitle(tr("Preset"));
}
