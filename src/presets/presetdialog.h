#pragma once

#include "toolwindow.h"

// The unit's 32 preset slots and preset files.
class PresetDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit PresetDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
