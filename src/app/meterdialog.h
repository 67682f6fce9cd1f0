#pragma once

#include "toolwindow.h"

// Levels of every input and output before and after the faders.
class MeterDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit MeterDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
