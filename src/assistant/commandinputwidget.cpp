#include "commandinputwidget.h"

#include "wire/ranges.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>

CommandInputWidget::CommandInputWidget(QWidget* parent) : CommandLevelWidget(parent)
{
    connect(channelList(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            &CommandInputWidget::comboBoxCurrentIndexChanged);
}

void CommandInputWidget::setUsbPlayChannel(int channel)
{
    m_usbPlay = channel;
    comboBoxCurrentIndexChanged(channelList()->currentIndex());
}

void CommandInputWidget::comboBoxCurrentIndexChanged(int index)
{
    const bool usbPlay = index >= 0 && channelList()->itemData(index).toInt() == m_usbPlay;
    gainSpinBox()->setMaximum(double(usbPlay ? wire::kUsbPlayTop : wire::kFaderTop));
}

wire::Command CommandInputWidget::command(int row, quint8 channel) const
{
    switch (row) {
    case MuteRow:
        return wire::cmd::inputLevelMute(channel, muteButton()->isChecked());
    case GainRow:
        return wire::cmd::inputLevelGain(channel, float(gainSpinBox()->value()));
    default:
        return wire::cmd::relativeInputLevel(channel, float(stepSpinBox()->value()));
    }
}
