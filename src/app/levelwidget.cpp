#include "levelwidget.h"

#include "fader.h"
#include "meter.h"
#include "meterpanel.h"
#include "wire/commands.h"
#include "wire/levelrules.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const char* const kChannelProperty = "channel";
const char* const kGroupProperty = "group";
constexpr int kButtonHeight = 25;
constexpr int kLevelLabelWidth = 30;
constexpr int kMeterWidth = 10;
constexpr int kGainEditWidth = 50;
constexpr int kGainEditHeight = 20;
constexpr int kFaderWidth = 48;
// The meters stand beside the fader's slot, which runs from 7 pixels below the fader's top to
// 7 above its bottom.
constexpr int kMeterInset = 7;
// The meters' own scale, in whole decibels.
const QVector<int> kMeterMarks{24, 12, 0, -12, -24, -40};

void repolish(QWidget* w)
{
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}

} // namespace

LevelWidget::LevelWidget(int stripCount, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("levelWidget"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_strips.resize(std::max(0, stripCount));
    for (int i = 0; i < m_strips.size(); ++i) {
        buildStrip(i);
        layout->addWidget(m_strips[i].frame);
    }
    layout->addStretch(1);
    retranslate();
}

void LevelWidget::buildStrip(int index)
{
    Strip& s = m_strips[index];
    const QString id = QString::number(index);

    s.frame = new QFrame(this);
    s.frame->setObjectName(QStringLiteral("channelWidget"));
    s.frame->setFixedWidth(kStripWidth);
    auto* column = new QVBoxLayout(s.frame);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);

    s.number = new QLabel(QString::number(index + 1), s.frame);
    s.number->setObjectName(QStringLiteral("channelNumberLabel"));
    s.number->setAlignment(Qt::AlignCenter);
    s.number->setProperty(kGroupProperty, 0);
    column->addWidget(s.number);

    s.name = new QLineEdit(s.frame);
    s.name->setObjectName(QStringLiteral("appearanceAsLabel"));
    s.name->setReadOnly(true);
    s.name->setAlignment(Qt::AlignCenter);
    s.name->setFocusPolicy(Qt::NoFocus);
    column->addWidget(s.name);

    s.group = new QComboBox(s.frame);
    s.group->setObjectName(id);
    s.group->setFixedHeight(kButtonHeight);
    s.group->addItem(QStringLiteral("-"));
    for (int g = 1; g <= kGroupCount; ++g)
        s.group->addItem(QString());
    connect(s.group, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &LevelWidget::groupComboBoxCurrentIndexChanged);
    column->addWidget(s.group);

    s.invert = new QPushButton(s.frame);
    s.invert->setObjectName(id);
    s.invert->setCheckable(true);
    s.invert->setFixedHeight(kButtonHeight);
    // The keyboard reaches the buttons; a click leaves the focus where it was.
    s.invert->setFocusPolicy(Qt::TabFocus);
    connect(s.invert, &QPushButton::clicked, this, &LevelWidget::invertButtonClicked);
    column->addWidget(s.invert);

    s.mute = new QPushButton(s.frame);
    s.mute->setObjectName(QStringLiteral("muteButton"));
    s.mute->setProperty(kChannelProperty, index);
    s.mute->setCheckable(true);
    s.mute->setFixedHeight(kButtonHeight);
    s.mute->setFocusPolicy(Qt::TabFocus);
    connect(s.mute, &QPushButton::clicked, this, &LevelWidget::muteButtonClicked);
    column->addWidget(s.mute);

    // Level reading over the meters on the left, gain edit over the fader on the right.
    auto* levels = new QGridLayout;
    levels->setContentsMargins(0, 2, 0, 0);
    levels->setHorizontalSpacing(0);
    levels->setVerticalSpacing(3);

    // The reading and the meters share one opaque panel: a new level repaints that panel alone.
    s.level = new MeterPanel(s.frame);
    s.level->setObjectName(QStringLiteral("levelPanel"));
    s.level->setFixedWidth(kLevelLabelWidth);
    QFont small = s.level->font();
    small.setPointSize(7);
    s.level->setFont(small);
    s.level->setReadingHeight(kGainEditHeight);
    s.level->setReading(QString::number(Meter::kDefaultMinimum));
    s.shownLeft = s.shownRight = Meter::kDefaultMinimum;
    auto* panelLayout = new QVBoxLayout(s.level);
    panelLayout->setContentsMargins(0, kGainEditHeight + 3, 0, 0);
    panelLayout->setSpacing(0);

    // The meters stand at the panel's right, their scale at their left.
    auto* meters = new QHBoxLayout;
    meters->setContentsMargins(0, kMeterInset, 1, kMeterInset);
    meters->setSpacing(2);
    meters->addStretch(1);
    for (int side = 0; side < 2; ++side) {
        auto* meter = new Meter(s.level);
        meter->setFixedWidth(kMeterWidth);
        meter->setVisible(side == 0);
        meters->addWidget(meter);
        s.meters[std::size_t(side)] = meter;
    }
    s.level->setScale(Meter::kDefaultMinimum, Meter::kDefaultMaximum, kMeterMarks);
    panelLayout->addLayout(meters, 1);
    levels->addWidget(s.level, 0, 0, 2, 1);

    s.gain = new QLineEdit(QStringLiteral("0.0"), s.frame);
    s.gain->setObjectName(id);
    s.gain->setProperty(kChannelProperty, index);
    s.gain->setFixedSize(kGainEditWidth, kGainEditHeight);
    s.gain->setAlignment(Qt::AlignCenter);
    connect(s.gain, &QLineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);
    levels->addWidget(s.gain, 0, 1, Qt::AlignHCenter);

    s.fader = new Fader(s.frame);
    s.fader->setObjectName(id);
    s.fader->setProperty(kChannelProperty, index);
    s.fader->setFixedWidth(kFaderWidth);
    s.fader->setDecimals(1);
    s.fader->setRange(wire::kFaderBottom, 12.0f);
    s.fader->setValue(0.0f);
    connect(s.fader, &Fader::valueChanged, this, &LevelWidget::gainFaderValueChanged);
    levels->addWidget(s.fader, 1, 1, Qt::AlignHCenter);
    levels->setRowStretch(1, 1);

    column->addLayout(levels, 1);
}

int LevelWidget::channelOf(const QObject* control) const
{
    if (!control)
        return -1;
    const QVariant property = control->property(kChannelProperty);
    bool ok = false;
    const int channel = property.isValid() ? property.toInt(&ok) : control->objectName().toInt(&ok);
    return ok && channel >= 0 && channel < m_strips.size() ? channel : -1;
}

QString LevelWidget::gainText(float dB)
{
    return wire::levelGainText(dB);
}

// --- user actions

void LevelWidget::groupComboBoxCurrentIndexChanged(int index)
{
    const int channel = channelOf(sender());
    if (channel < 0 || index < 0)
        return;
    showGroupColour(m_strips[channel], index);
    emit groupChanged(uchar(channel), uchar(index));
}

void LevelWidget::invertButtonClicked(bool checked)
{
    const int channel = channelOf(sender());
    if (channel >= 0)
        emit invertChanged(uchar(channel), checked);
}

void LevelWidget::muteButtonClicked(bool checked)
{
    const int channel = channelOf(sender());
    if (channel >= 0)
        emit muteChanged(uchar(channel), checked);
}

void LevelWidget::gainEditEditingFinished()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    const int channel = channelOf(edit);
    if (!edit || channel < 0)
        return;
    // Losing the focus finishes an edit too; it must not finish this one a second time.
    disconnect(edit, &QLineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);
    edit->clearFocus();
    connect(edit, &QLineEdit::editingFinished, this, &LevelWidget::gainEditEditingFinished);

    const Fader* fader = m_strips[channel].fader;
    const float value = wire::parseLevelGain(edit->text(), {fader->minimum(), fader->maximum()});
    setGain(channel, value);
    emit gainChanged(uchar(channel), value);
}

void LevelWidget::gainFaderValueChanged(float dB)
{
    const int channel = channelOf(sender());
    if (channel < 0)
        return;
    m_strips[channel].gain->setText(gainText(dB));
    emit gainChanged(uchar(channel), dB);
}

// --- display

void LevelWidget::setGroup(int channel, int group)
{
    if (channel < 0 || channel >= m_strips.size() || group < 0 || group > kGroupCount)
        return;
    Strip& s = m_strips[channel];
    {
        const QSignalBlocker blocker(s.group);
        s.group->setCurrentIndex(group);
    }
    showGroupColour(s, group);
}

void LevelWidget::showGroupColour(Strip& strip, int group)
{
    // The number plate takes the group's colour.
    if (strip.number->property(kGroupProperty).toInt() == group)
        return;
    strip.number->setProperty(kGroupProperty, group);
    repolish(strip.number);
}

void LevelWidget::setInvert(int channel, bool on)
{
    if (channel >= 0 && channel < m_strips.size())
        m_strips[channel].invert->setChecked(on);
}

void LevelWidget::setMute(int channel, bool on)
{
    if (channel >= 0 && channel < m_strips.size())
        m_strips[channel].mute->setChecked(on);
}

void LevelWidget::setGain(int channel, float dB)
{
    if (channel < 0 || channel >= m_strips.size())
        return;
    Strip& s = m_strips[channel];
    s.fader->setValue(dB);
    // A value being typed stays until its edit is finished.
    if (s.gain->hasFocus() && s.gain->isModified())
        return;
    const QString text = gainText(dB);
    if (s.gain->text() != text)
        s.gain->setText(text);
}

void LevelWidget::showLevels(Strip& strip, int left, int right, bool stereo)
{
    strip.meters[0]->setValue(left);
    left = strip.meters[0]->value();
    if (stereo) {
        strip.meters[1]->setValue(right);
        right = strip.meters[1]->value();
    }
    if (left == strip.shownLeft && stereo == strip.shownStereo &&
        (!stereo || right == strip.shownRight))
        return;
    strip.shownLeft = left;
    strip.shownRight = right;
    strip.shownStereo = stereo;
    strip.level->setReading(stereo ? QStringLiteral("%1/%2").arg(left).arg(right)
                                   : QStringLiteral("%1").arg(left));
}

void LevelWidget::setMeterLevel(int channel, int level)
{
    if (channel >= 0 && channel < m_strips.size())
        showLevels(m_strips[channel], level, 0, false);
}

void LevelWidget::setStereoMeterLevels(int channel, int left, int right)
{
    if (channel >= 0 && channel < m_strips.size())
        showLevels(m_strips[channel], left, right, true);
}

void LevelWidget::setFaderRange(int channel, float minimum, float maximum)
{
    if (channel >= 0 && channel < m_strips.size())
        m_strips[channel].fader->setRange(minimum, maximum);
}

void LevelWidget::setSecondMeterVisible(int channel, bool visible)
{
    if (channel < 0 || channel >= m_strips.size())
        return;
    m_strips[channel].meters[1]->setVisible(visible);
    nameForScreenReaders(m_strips[channel]);
}

void LevelWidget::setName(int channel, const QString& number, const QString& label)
{
    if (channel < 0 || channel >= m_strips.size())
        return;
    Strip& s = m_strips[channel];
    s.number->setText(number);
    s.name->setText(label);
    s.name->setToolTip(label);
    s.name->setCursorPosition(0);
    nameForScreenReaders(s);
}

void LevelWidget::nameForScreenReaders(Strip& s)
{
    // The channel as the strip shows it, with the user's label when there is one.
    QString channel = s.number->text();
    if (!s.name->text().isEmpty())
        channel += QStringLiteral(" ") + s.name->text();
    s.group->setAccessibleName(tr("%1 Group").arg(channel));
    s.invert->setAccessibleName(tr("%1 Invert").arg(channel));
    s.mute->setAccessibleName(tr("%1 Mute").arg(channel));
    s.gain->setAccessibleName(tr("%1 Gain (dB)").arg(channel));
    s.fader->setAccessibleName(tr("%1 Gain").arg(channel));
    // A stereo pair tells its two sides apart.
    if (s.meters[1] && !s.meters[1]->isHidden()) {
        s.meters[0]->setAccessibleName(tr("%1 Left Level").arg(channel));
        s.meters[1]->setAccessibleName(tr("%1 Right Level").arg(channel));
    } else {
        s.meters[0]->setAccessibleName(tr("%1 Level").arg(channel));
    }
}

void LevelWidget::setStripVisible(int channel, bool visible)
{
    if (channel < 0 || channel >= m_strips.size())
        return;
    Strip& s = m_strips[channel];
    s.hidden = !visible;
    s.frame->setVisible(visible);
}

bool LevelWidget::isStripShown(int channel) const
{
    return channel >= 0 && channel < m_strips.size() && !m_strips[channel].hidden;
}

// --- access

QFrame* LevelWidget::strip(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].frame : nullptr;
}

QLabel* LevelWidget::numberLabel(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].number : nullptr;
}

QLineEdit* LevelWidget::nameEdit(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].name : nullptr;
}

QComboBox* LevelWidget::groupComboBox(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].group : nullptr;
}

QPushButton* LevelWidget::invertButton(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].invert : nullptr;
}

QPushButton* LevelWidget::muteButton(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].mute : nullptr;
}

MeterPanel* LevelWidget::levelPanel(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].level : nullptr;
}

QString LevelWidget::levelText(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].level->reading()
                                                     : QString();
}

Meter* LevelWidget::meter(int channel, int side) const
{
    if (channel < 0 || channel >= m_strips.size() || side < 0 || side > 1)
        return nullptr;
    return m_strips[channel].meters[std::size_t(side)];
}

QLineEdit* LevelWidget::gainEdit(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].gain : nullptr;
}

Fader* LevelWidget::fader(int channel) const
{
    return channel >= 0 && channel < m_strips.size() ? m_strips[channel].fader : nullptr;
}

// --- language

void LevelWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void LevelWidget::retranslate()
{
    for (Strip& s : m_strips) {
        s.invert->setText(tr("Invert"));
        s.mute->setText(tr("Mute"));
        for (int g = 1; g <= kGroupCount; ++g)
            s.group->setItemText(g, tr("Grp ") + QString::number(g));
        nameForScreenReaders(s);
    }
}
