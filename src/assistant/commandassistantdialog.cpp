#include "commandassistantdialog.h"

CommandAssistantDialog::CommandAssistantDialog(QWidget* parent) : ToolWindow(QString(), parent)
{
    retranslate();
}

void CommandAssistantDialog::retranslate()
{
    setWindowTitle(tr("Command Assistant"));
}
