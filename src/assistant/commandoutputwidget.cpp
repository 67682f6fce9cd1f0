#include "commandoutputwidget.h"

#include <QDoubleSpinBox>
#include <QPushButton>

CommandOutputWidget::CommandOutputWidget(QWidget* parent) : CommandLevelWidget(parent) {}

wire::Command CommandOutputWidget::command(int row, quint8 channel) const
{
    switch (row) {
    case MuteRow:
        return wire::cmd::outputLevelMute(channel, muteButton()->isChecked());
    case GainRow:
        return wire::cmd::outputLevelGain(channel, float(gainSpinBox()->value()));
    default:
        return wire::cmd::relativeOutputLevel(channel, float(stepSpinBox()->value()));
    }
}
