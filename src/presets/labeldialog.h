#pragma once

#include "toolwindow.h"

// Channel labels and touch-screen labels of the unit.
class LabelDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit LabelDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
