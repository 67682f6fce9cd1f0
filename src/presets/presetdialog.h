#pragma once

#include "editorwindow.h"

// The unit's 32 preset slots and the preset files.
class PresetDialog : public EditorWindow
{
    Q_OBJECT
public:
    PresetDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
