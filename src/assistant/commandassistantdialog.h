#pragma once

#include "toolwindow.h"

// Command strings for external control systems.
class CommandAssistantDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit CommandAssistantDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
