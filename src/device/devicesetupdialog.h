#pragma once

#include "editorwindow.h"

// The unit's information, status and settings.
class DeviceSetupDialog : public EditorWindow
{
    Q_OBJECT
public:
    DeviceSetupDialog(DataModel& model, ReportRouter& router, QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
