#pragma once

#include "toolwindow.h"

// The unit's information, status and settings.
class DeviceSetupDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit DeviceSetupDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
