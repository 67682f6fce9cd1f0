#include "recplaydialog.h"

RecPlayDialog::RecPlayDialog(QWidget* parent)
    : ToolWindow(QStringLiteral("RecPlayGeometry"), parent)
{
    retranslate();
}

void RecPlayDialog::retranslate()
{
    setWindowTitle(tr("Rec/Play"));
}
