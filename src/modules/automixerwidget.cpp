#include "automixerwidget.h"

#include "automixerinfodialog.h"
#include "automixermeter.h"
#include "conferenceedits.h"
#include "conferencevalues.h"
#include "datamodel.h"
#include "editorcontrols.h"
#include "infobutton.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

using namespace conferencevalues;
using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

const char kGroup[] = "group";
constexpr int kColumnWidth = 66;

} // namespace

AutoMixerWidget::AutoMixerWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::AutoMixer, Channels::None, parent)
{
    setObjectName(QStringLiteral("autoMixerWidget"));
    for (int group = 0; group < wire::kAutoMixerGroups; ++group) {
        m_enabled[std::size_t(group)] = toggleButton(this, QStringLiteral("enabledButton"), group);
        m_enabled[std::size_t(group)]->setMinimumWidth(120);
        headerLayout()->addWidget(m_enabled[std::size_t(group)]);
        connect(m_enabled[std::size_t(group)], &QPushButton::clicked, this,
                &AutoMixerWidget::enabledButtonClicked);
    }
    m_reset = new QPushButton(this);
    m_reset->setObjectName(QStringLiteral("resetButton"));
    m_reset->setFocusPolicy(Qt::TabFocus);
    m_info = new InfoButton(this);
    m_info->setObjectName(QStringLiteral("infoButton"));
    headerLayout()->addWidget(m_reset);
    headerLayout()->addWidget(m_info);
    headerLayout()->addStretch();
    connect(m_reset, &QPushButton::clicked, this, &AutoMixerWidget::resetButtonClicked);
    connect(m_info, &QAbstractButton::clicked, this, &AutoMixerWidget::infoButtonClicked);

    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int ch = 0; ch < kChannels; ++ch) {
        buildStrip(ch);
        row->addWidget(m_strips[std::size_t(ch)].frame);
    }
    row->addStretch();
    pageLayout()->addLayout(row, 1);

    const auto each = [this](void (AutoMixerWidget::*load)(int)) {
        return [this, load](const Event& e) {
            if (e.channel < kChannels) {
                (this->*load)(e.channel);
                return;
            }
            for (int ch = 0; ch < kChannels; ++ch)
                (this->*load)(ch);
        };
    };
    subscribe(wire::code::AutoMixerWeights, each(&AutoMixerWidget::loadWeight));
    subscribe(wire::code::AutoMixerGroups, each(&AutoMixerWidget::loadGroup));
    subscribe(wire::code::AutoMixerSwitches, [this](const Event&) { loadEnabled(); });
    subscribe(wire::code::AutoMixerGainMeters, [this](const Event&) { loadMeters(); });
    subscribe(wire::code::InputLabels, [this](const Event&) { refreshNames(); });
    retranslate();
    loadAll();
}

void AutoMixerWidget::buildStrip(int ch)
{
    Strip& s = m_strips[std::size_t(ch)];
    s.frame = new QFrame(this);
    s.frame->setObjectName(QStringLiteral("channelColumn"));
    s.frame->setFixedWidth(kColumnWidth);
    auto* layout = new QVBoxLayout(s.frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(5);
    s.name = new QLabel(s.frame);
    s.name->setObjectName(QStringLiteral("channelName"));
    s.name->setAlignment(Qt::AlignCenter);
    s.attenuation = new AutoMixerMeter(AutoMixerMeter::Attenuation, s.frame);
    s.level = new AutoMixerMeter(AutoMixerMeter::Level, s.frame);
    s.slider = new QSlider(Qt::Vertical, s.frame);
    s.slider->setObjectName(QStringLiteral("weightSlider%1").arg(ch));
    s.slider->setProperty("channel", ch);
    s.slider->setRange(kWeightSliderMin, kWeightSliderMax);
    s.slider->setPageStep(10);
    s.slider->setSingleStep(1);
    s.slider->setMinimumHeight(160);
    s.edit = valueEdit(s.frame, QStringLiteral("weightEdit"), ch);
    s.am1 = toggleButton(s.frame, QStringLiteral("am1Button"), ch);
    s.am2 = toggleButton(s.frame, QStringLiteral("am2Button"), ch);
    s.am1->setProperty(kGroup, 1);
    s.am2->setProperty(kGroup, 2);

    layout->addWidget(s.name);
    layout->addWidget(s.attenuation);
    layout->addWidget(s.level);
    layout->addWidget(s.slider, 1, Qt::AlignHCenter);
    layout->addWidget(s.edit, 0, Qt::AlignHCenter);
    layout->addWidget(s.am1);
    layout->addWidget(s.am2);

    connect(s.slider, &QSlider::valueChanged, this, &AutoMixerWidget::weightSliderValueChanged);
    connect(s.slider, &QSlider::sliderReleased, this, &AutoMixerWidget::weightSliderReleased);
    connect(s.edit, &QLineEdit::editingFinished, this, &AutoMixerWidget::weightEditingFinished);
    connect(s.am1, &QPushButton::clicked, this, &AutoMixerWidget::groupButtonClicked);
    connect(s.am2, &QPushButton::clicked, this, &AutoMixerWidget::groupButtonClicked);
}

QPushButton* AutoMixerWidget::groupButton(int channel, int group) const
{
    const Strip& s = m_strips[std::size_t(channel)];
    return group == 1 ? s.am1 : s.am2;
}

void AutoMixerWidget::retranslate()
{
    ModulePage::retranslate();
    m_enabled[0]->setText(tr("AM 1 Enabled"));
    m_enabled[1]->setText(tr("AM 2 Enabled"));
    m_reset->setText(tr("Reset"));
    m_info->setToolTip(tr("Instructions"));
    for (Strip& s : m_strips) {
        s.am1->setText(tr("AM 1"));
        s.am2->setText(tr("AM 2"));
    }
    refreshNames();
}

void AutoMixerWidget::refreshNames()
{
    for (int ch = 0; ch < kChannels; ++ch)
        setName(m_strips[std::size_t(ch)].name, inputName(model(), ch), kColumnWidth - 4);
}

void AutoMixerWidget::applyProfile()
{
    // The USB play input has no auto mixer.
    for (int ch = 0; ch < kChannels; ++ch)
        m_strips[std::size_t(ch)].frame->setVisible(profile().inputShown(ch) &&
                                                    ch != profile().usbPlayInput);
    refreshNames();
}

// --- loaders

void AutoMixerWidget::loadAll()
{
    for (int ch = 0; ch < kChannels; ++ch) {
        loadWeight(ch);
        loadGroup(ch);
    }
    loadEnabled();
    loadMeters();
}

void AutoMixerWidget::loadWeight(int channel)
{
    if (channel >= 0 && channel < kChannels)
        showWeight(channel, double(model().autoMixer().weight[std::size_t(channel)]));
}

void AutoMixerWidget::loadGroup(int channel)
{
    if (channel < 0 || channel >= kChannels)
        return;
    const int group = model().autoMixer().group[std::size_t(channel)];
    m_strips[std::size_t(channel)].am1->setChecked(group == 1);
    m_strips[std::size_t(channel)].am2->setChecked(group == 2);
}

void AutoMixerWidget::loadEnabled()
{
    for (int group = 0; group < wire::kAutoMixerGroups; ++group)
        m_enabled[std::size_t(group)]->setChecked(model().autoMixer().enabled[std::size_t(group)]);
}

void AutoMixerWidget::loadMeters()
{
    const auto& meters = model().autoMixer().gainMeter;
    for (int ch = 0; ch < kChannels; ++ch) {
        m_strips[std::size_t(ch)].attenuation->setValue(meters[std::size_t(ch)]);
        m_strips[std::size_t(ch)].level->setValue(meters[std::size_t(kChannels + ch)]);
    }
}

void AutoMixerWidget::showWeight(int channel, double weight)
{
    Strip& s = m_strips[std::size_t(channel)];
    const QSignalBlocker block(s.slider);
    s.slider->setValue(weightSliderValue(weight));
    s.edit->setText(weightText(weight));
}

// --- edits

void AutoMixerWidget::weightSliderValueChanged(int value)
{
    const int ch = channelOf(sender());
    if (ch < 0 || ch >= kChannels)
        return;
    ConferenceEdits(model()).setAutoMixerWeight(ch, float(value / 10.0), wire::Path::Queued);
    m_strips[std::size_t(ch)].edit->setText(weightText(value / 10.0));
}

void AutoMixerWidget::weightSliderReleased()
{
    loadWeight(channelOf(sender()));
}

void AutoMixerWidget::weightEditingFinished()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    const int ch = channelOf(edit);
    if (ch < 0 || ch >= kChannels || !finishEdit(edit, m_finishing))
        return;
    ConferenceEdits(model()).setAutoMixerWeight(ch, float(parseWeight(edit->text())),
                                                wire::Path::Now);
    loadWeight(ch);
}

void AutoMixerWidget::groupButtonClicked(bool checked)
{
    QObject* button = sender();
    const int ch = channelOf(button);
    if (ch < 0 || ch >= kChannels || !button)
        return;
    const int group = checked ? button->property(kGroup).toInt() : 0;
    ConferenceEdits(model()).setAutoMixerGroup(ch, group);
    loadGroup(ch);
}

void AutoMixerWidget::enabledButtonClicked(bool checked)
{
    const int group = channelOf(sender());
    ConferenceEdits(model()).setAutoMixerEnabled(group, checked);
    loadEnabled();
}

void AutoMixerWidget::resetButtonClicked()
{
    askReset(tr("Are you sure that you want to reset the auto mixer?"), [this](uchar) {
        ConferenceEdits(model()).resetAutoMixer();
        loadAll();
    });
}

void AutoMixerWidget::infoButtonClicked()
{
    if (!m_infoDialog) {
        m_infoDialog = new AutoMixerInfoDialog(this);
        m_infoDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_infoDialog->open();
}
