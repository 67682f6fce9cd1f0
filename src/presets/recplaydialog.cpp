#include "recplaydialog.h"

RecPlayDialog::RecPlayDialog(DataModel& model, ReportRouter& router, QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("RecPlayGeometry"), parent)
{
    setObjectName(QStringLiteral("recPlayDialog"));
    setRefreshFlag(Refresher::UsbMedia);
    retranslate();
}

void RecPlayDialog::retranslate()
{
    setWindowTitle(tr("Rec/Play"));
}
