#pragma once

#include "commandlevelwidget.h"

// Page "Level Pre Mix": the input level strips. The USB play input's gain goes up to 0 dB only.
class CommandInputWidget : public CommandLevelWidget
{
    Q_OBJECT
public:
    explicit CommandInputWidget(QWidget* parent = nullptr);

    void setUsbPlayChannel(int channel);

public slots:
    void comboBoxCurrentIndexChanged(int index);

protected:
    wire::Command command(int row, quint8 channel) const override;

private:
    int m_usbPlay = -1;
};
