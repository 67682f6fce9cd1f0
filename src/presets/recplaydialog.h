#pragma once

#include "toolwindow.h"

// Recording and playback on the unit's USB storage.
class RecPlayDialog : public ToolWindow
{
    Q_OBJECT
public:
    explicit RecPlayDialog(QWidget* parent = nullptr);

protected:
    void retranslate() override;
};
