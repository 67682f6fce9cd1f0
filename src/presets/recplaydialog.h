#pragma once

#include "editorwindow.h"

// USB recording and playback on the unit.
class RecPlayDialog : public EditorWindow
{
    Q_OBJECT
public:
    RecPlayDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
