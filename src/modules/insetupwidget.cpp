#include "insetupwidget.h"

#include "conferencevalues.h"
#include "datamodel.h"
#include "editorcontrols.h"
#include "inputsetupedits.h"
#include "knob.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace conferencevalues;
using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

constexpr int kColumnWidth = 66;

} // namespace

InSetupWidget::InSetupWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::InputSetup, Channels::None, parent)
{
    setObjectName(QStringLiteral("inSetupWidget"));
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int ch = 0; ch < kChannels; ++ch) {
        buildColumn(ch);
        row->addWidget(m_columns[std::size_t(ch)].frame);
    }
    row->addStretch();
    pageLayout()->addLayout(row);
    pageLayout()->addStretch();

    const auto each = [this](void (InSetupWidget::*load)(int)) {
        return [this, load](const Event& e) {
            if (e.channel < kChannels) {
                (this->*load)(e.channel);
                return;
            }
            for (int ch = 0; ch < kChannels; ++ch)
                (this->*load)(ch);
        };
    };
    subscribe(wire::code::InputMode, each(&InSetupWidget::loadMode));
    subscribe(wire::code::InputMute, each(&InSetupWidget::loadMute));
    subscribe(wire::code::Phantom, each(&InSetupWidget::loadPhantom));
    subscribe(wire::code::InputGain, each(&InSetupWidget::loadGain));
    subscribe(wire::code::InputLabels, [this](const Event&) { refreshNames(); });
    retranslate();
    loadAll();
}

void InSetupWidget::buildColumn(int ch)
{
    Column& c = m_columns[std::size_t(ch)];
    c.frame = new QFrame(this);
    c.frame->setObjectName(QStringLiteral("channelColumn"));
    c.frame->setFixedWidth(kColumnWidth);
    auto* layout = new QVBoxLayout(c.frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(6);
    c.name = new QLabel(c.frame);
    c.name->setObjectName(QStringLiteral("channelName"));
    c.name->setAlignment(Qt::AlignCenter);
    c.mic = toggleButton(c.frame, QStringLiteral("micButton"), ch);
    c.line = toggleButton(c.frame, QStringLiteral("lineButton"), ch);
    c.mode = new QButtonGroup(c.frame);
    c.mode->setProperty("channel", ch);
    c.mode->addButton(c.mic, int(wire::kMicInputMode));
    c.mode->addButton(c.line, int(wire::kLineInputMode));
    c.mute = toggleButton(c.frame, QStringLiteral("muteButton"), ch);
    c.phantom = toggleButton(c.frame, QStringLiteral("phantomButton"), ch);
    c.gainLabel = new QLabel(c.frame);
    c.gainLabel->setAlignment(Qt::AlignCenter);
    c.gainEdit = valueEdit(c.frame, QStringLiteral("gainEdit"), ch);
    c.gainKnob =
        valueKnob(c.frame, QStringLiteral("gainKnob"), 0, gainKnobMaximum(wire::kMicInputMode), ch);
    c.gainKnob->setStep(10);
    c.gainKnob->setSteps(1, 50);

    for (QWidget* w :
         std::initializer_list<QWidget*>{c.name, c.mic, c.line, c.mute, c.phantom, c.gainLabel})
        layout->addWidget(w);
    layout->addWidget(c.gainEdit, 0, Qt::AlignHCenter);
    layout->addWidget(c.gainKnob, 0, Qt::AlignHCenter);

    connect(c.mode, &QButtonGroup::idClicked, this, &InSetupWidget::modeButtonGroupButtonClicked);
    connect(c.mute, &QPushButton::clicked, this, &InSetupWidget::muteButtonClicked);
    connect(c.phantom, &QPushButton::clicked, this, &InSetupWidget::_48VButtonClicked);
    connect(c.gainEdit, &QLineEdit::editingFinished, this, &InSetupWidget::gainEditEditingFinished);
    connect(c.gainKnob, &Knob::valueChanged, this, &InSetupWidget::gainKnobValueChanged);
}

void InSetupWidget::retranslate()
{
    ModulePage::retranslate();
    for (Column& c : m_columns) {
        c.mic->setText(tr("Mic"));
        c.line->setText(tr("Line"));
        c.mute->setText(tr("Mute"));
        c.phantom->setText(tr("48V"));
        c.gainLabel->setText(withUnit(tr("Gain"), tr("(dBu)")));
    }
    refreshNames();
}

void InSetupWidget::refreshNames()
{
    for (int ch = 0; ch < kChannels; ++ch) {
        Column& c = m_columns[std::size_t(ch)];
        setName(c.name, inputName(model(), ch), kColumnWidth - 4);
        nameForScreenReaders(c.gainKnob, c.gainEdit, tr("%1 Gain").arg(inputName(model(), ch)),
                             tr("dBu"));
    }
}

bool InSetupWidget::isLineOnly(int channel) const
{
    return channel >= 0 && channel < kChannels && ((profile().danteInputs >> channel) & 1u);
}

void InSetupWidget::applyProfile()
{
    for (int ch = 0; ch < kChannels; ++ch) {
        Column& c = m_columns[std::size_t(ch)];
        c.frame->setVisible(profile().inputShown(ch));
        c.mic->setEnabled(!isLineOnly(ch));
        loadMode(ch);
    }
    refreshNames();
}

// --- loaders

void InSetupWidget::loadAll()
{
    for (int ch = 0; ch < kChannels; ++ch)
        loadChannel(ch);
}

void InSetupWidget::loadChannel(int channel)
{
    if (channel < 0 || channel >= kChannels)
        return;
    loadMute(channel);
    loadPhantom(channel);
    loadMode(channel);
    loadGain(channel);
}

void InSetupWidget::refreshChannels(const QVector<int>& channels)
{
    for (int ch : channels)
        loadChannel(ch);
}

void InSetupWidget::loadMode(int channel)
{
    if (channel < 0 || channel >= kChannels)
        return;
    Column& c = m_columns[std::size_t(channel)];
    const quint32 mode = model().input(channel).inputMode;
    const bool mic = mode == wire::kMicInputMode;
    // The linked pair has no button of its own: neither is checked.
    c.mode->setExclusive(false);
    c.mic->setChecked(mic);
    c.line->setChecked(mode == wire::kLineInputMode);
    c.mode->setExclusive(true);
    c.phantom->setEnabled(mic && !isLineOnly(channel));
    c.gainKnob->setRange(0, gainKnobMaximum(mode));
    if (!mic && c.phantom->isChecked()) {
        // Phantom power never feeds anything but a microphone.
        if (model().input(channel).phantom)
            InputSetupEdits(model()).setPhantom(channel, false);
        c.phantom->setChecked(false);
    }
    showGain(channel, double(model().input(channel).inputGain));
    enforceLineOnly(channel);
}

void InSetupWidget::loadMute(int channel)
{
    if (channel >= 0 && channel < kChannels)
        m_columns[std::size_t(channel)].mute->setChecked(model().input(channel).inputMute);
}

void InSetupWidget::loadPhantom(int channel)
{
    if (channel >= 0 && channel < kChannels)
        m_columns[std::size_t(channel)].phantom->setChecked(model().input(channel).phantom);
}

void InSetupWidget::loadGain(int channel)
{
    if (channel >= 0 && channel < kChannels)
        showGain(channel, double(model().input(channel).inputGain));
}

void InSetupWidget::showGain(int channel, double dB)
{
    Column& c = m_columns[std::size_t(channel)];
    c.gainKnob->setValue(gainKnobValue(dB));
    c.gainEdit->setText(gainText(dB));
}

void InSetupWidget::enforceLineOnly(int channel)
{
    if (!isLineOnly(channel) || !model().isLoggedIn() ||
        model().input(channel).inputMode == wire::kLineInputMode)
        return;
    m_columns[std::size_t(channel)].line->click();
}

// --- edits

void InSetupWidget::modeButtonGroupButtonClicked(int id)
{
    const int ch = channelOf(sender());
    if (ch < 0 || ch >= kChannels)
        return;
    if (isLineOnly(ch) && quint32(id) != wire::kLineInputMode) {
        loadMode(ch);
        return;
    }
    refreshChannels(InputSetupEdits(model()).setMode(ch, quint32(id)));
}

void InSetupWidget::muteButtonClicked(bool checked)
{
    const int ch = channelOf(sender());
    if (ch >= 0 && ch < kChannels)
        refreshChannels(InputSetupEdits(model()).setMute(ch, checked));
}

void InSetupWidget::_48VButtonClicked(bool checked)
{
    const int ch = channelOf(sender());
    if (ch < 0 || ch >= kChannels)
        return;
    if (checked && (model().input(ch).inputMode != wire::kMicInputMode || isLineOnly(ch))) {
        loadPhantom(ch);
        return;
    }
    InputSetupEdits(model()).setPhantom(ch, checked);
}

void InSetupWidget::gainEditEditingFinished()
{
    auto* edit = qobject_cast<QLineEdit*>(sender());
    const int ch = channelOf(edit);
    if (ch < 0 || ch >= kChannels || !finishEdit(edit, m_finishing))
        return;
    const double dB = parseGain(edit->text(), model().input(ch).inputMode);
    InputSetupEdits(model()).setGain(ch, float(dB), wire::Path::Now);
    showGain(ch, double(model().input(ch).inputGain));
}

void InSetupWidget::gainKnobValueChanged(int value)
{
    const int ch = channelOf(sender());
    if (ch < 0 || ch >= kChannels)
        return;
    InputSetupEdits(model()).setGain(ch, float(value / 10.0), wire::Path::Queued);
    m_columns[std::size_t(ch)].gainEdit->setText(gainText(value / 10.0));
}

void InSetupWidget::setAllPhantomPower(bool on)
{
    for (int ch = 0; ch < kChannels; ++ch) {
        if (!profile().inputShown(ch) || isLineOnly(ch))
            continue;
        Column& c = m_columns[std::size_t(ch)];
        // The mode change brings the gain to 0 dB first, as a click on "Mic" does.
        if (model().input(ch).inputMode != wire::kMicInputMode)
            c.mic->click();
        if (model().input(ch).phantom != on) {
            c.phantom->setChecked(!on);
            c.phantom->click();
        }
    }
}
