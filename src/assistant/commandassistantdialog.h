#pragma once

#include "editorwindow.h"

// Shows integrators the packets that drive a unit from their own control system.
class CommandAssistantDialog : public EditorWindow
{
    Q_OBJECT
public:
    CommandAssistantDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
