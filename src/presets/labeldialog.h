#pragma once

#include "editorwindow.h"

// Channel labels and touch-screen labels of the unit.
class LabelDialog : public EditorWindow
{
    Q_OBJECT
public:
    LabelDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
