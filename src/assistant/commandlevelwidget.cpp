#include "commandlevelwidget.h"

#include "wire/ranges.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// A relative step larger than the whole fader travel means nothing.
constexpr double kStepLimit = 20.0;
constexpr double kDefaultStep = 1.0;

QDoubleSpinBox* gainBox(QWidget* parent, double lo, double hi, double value)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(1);
    box->setRange(lo, hi);
    box->setSingleStep(0.5);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" dB"));
    box->setMinimumWidth(100);
    return box;
}

} // namespace

CommandLevelWidget::CommandLevelWidget(QWidget* parent) : QWidget(parent)
{
    m_channels = new QComboBox(this);
    m_channels->setObjectName(QStringLiteral("channelList"));
    m_channels->setMinimumWidth(120);
    m_channelCaption = new QLabel(this);
    m_mute = new QPushButton(this);
    m_mute->setObjectName(QStringLiteral("muteButton"));
    m_mute->setCheckable(true);
    m_gain = gainBox(this, double(wire::kFaderBottom), double(wire::kFaderTop), 0.0);
    m_step = gainBox(this, -kStepLimit, kStepLimit, kDefaultStep);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_channelCaption, 0, 0);
    grid->addWidget(m_channels, 0, 1);
    QWidget* values[3] = {m_mute, m_gain, m_step};
    for (int row = 0; row < 3; ++row) {
        m_captions[row] = new QLabel(this);
        m_generate[row] = new QPushButton(this);
        m_generate[row]->setObjectName(QString::number(row));
        grid->addWidget(m_captions[row], row + 1, 0);
        grid->addWidget(values[row], row + 1, 1);
        grid->addWidget(m_generate[row], row + 1, 2);
        connect(m_generate[row], &QPushButton::clicked, this,
                &CommandLevelWidget::generateButtonClicked);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    retranslate();
}

void CommandLevelWidget::setChannels(const QStringList& names, quint32 hiddenMask)
{
    const int previous = currentChannel();
    m_channels->clear();
    for (int ch = 0; ch < names.size(); ++ch) {
        if (!((hiddenMask >> ch) & 1u))
            m_channels->addItem(names[ch], ch);
    }
    const int index = m_channels->findData(previous);
    m_channels->setCurrentIndex(index >= 0 ? index : 0);
}

int CommandLevelWidget::currentChannel() const
{
    return m_channels->currentIndex() >= 0 ? m_channels->currentData().toInt() : -1;
}

QPushButton* CommandLevelWidget::generateButton(int row) const
{
    return row >= 0 && row < 3 ? m_generate[row] : nullptr;
}

void CommandLevelWidget::generateButtonClicked()
{
    const int channel = currentChannel();
    const QObject* button = sender();
    if (channel < 0 || !button)
        return;
    const wire::Command c = command(button->objectName().toInt(), quint8(channel));
    emit generateCommand(c.code.type, c.code.subType, c.code.funcId, c.payload);
}

void CommandLevelWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void CommandLevelWidget::retranslate()
{
    m_channelCaption->setText(tr("Channel"));
    m_mute->setText(tr("Mute"));
    m_captions[MuteRow]->setText(tr("Mute"));
    m_captions[GainRow]->setText(tr("Gain(Fixed Value)"));
    m_captions[StepRow]->setText(tr("Gain(Increment/Decrement)"));
    for (QPushButton* b : m_generate)
        b->setText(tr("Generate Command"));
}
