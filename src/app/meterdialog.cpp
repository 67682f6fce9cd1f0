#include "meterdialog.h"

MeterDialog::MeterDialog(QWidget* parent) : ToolWindow(QStringLiteral("MeterGeometry"), parent)
{
    retranslate();
}

void MeterDialog::retranslate()
{
    setWindowTitle(tr("Meter"));
}
