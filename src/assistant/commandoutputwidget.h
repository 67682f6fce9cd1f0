#pragma once

#include "commandlevelwidget.h"

// Page "Out Level": the output level strips.
class CommandOutputWidget : public CommandLevelWidget
{
    Q_OBJECT
public:
    explicit CommandOutputWidget(QWidget* parent = nullptr);

protected:
    wire::Command command(int row, quint8 channel) const override;
};
