#include "labeldialog.h"

LabelDialog::LabelDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("LabelGeometry"), parent)
{
    setObjectName(QStringLiteral("labelDialog"));
    setRefreshFlag(Refresher::Labels);
    retranslate();
}

void LabelDialog::retranslate()
{
    setWindowTitle(tr("Label"));
}
