#include "labeldialog.h"

LabelDialog::LabelDialog(QWidget* parent) : ToolWindow(QStringLiteral("LabelGeometry"), parent)
{
    retranslate();
}

void LabelDialog::retranslate()
{
    setWindowTitle(tr("Label"));
}
