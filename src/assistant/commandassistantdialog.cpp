#include "commandassistantdialog.h"

CommandAssistantDialog::CommandAssistantDialog(DataModel& model, ReportRouter& router,
                                               QWidget* parent)
    : EditorWindow(model, router, QStringLiteral("CommandAssistantGeometry"), parent)
{
    setObjectName(QStringLiteral("commandAssistantDialog"));
    retranslate();
}

void CommandAssistantDialog::retranslate()
{
    setWindowTitle(tr("Command Assistant"));
}
