#include "signalgeneratorwidget.h"

#include "buttonrow.h"
#include "conferenceedits.h"
#include "conferencevalues.h"
#include "datamodel.h"
#include "editorcontrols.h"
#include "knob.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

using namespace conferencevalues;
using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

constexpr int kOutputsPerRow = 8;

} // namespace

SignalGeneratorWidget::SignalGeneratorWidget(DataModel& model, ReportRouter& router,
                                             QWidget* parent)
    : ModulePage(model, router, EditorPage::SignalGenerator, Channels::None, parent)
{
    setObjectName(QStringLiteral("signalGeneratorWidget"));
    m_mute = toggleButton(this, QStringLiteral("muteButton"));
    m_mute->setMinimumWidth(96);
    m_typeLabel = new QLabel(this);
    m_type = new ButtonRow(wire::kGeneratorTypes, this);
    m_type->setObjectName(QStringLiteral("typeButtons"));
    m_freqLabel = new QLabel(this);
    m_freqEdit = valueEdit(this, QStringLiteral("freqEdit"));
    m_freqKnob = valueKnob(this, QStringLiteral("freqKnob"), kFrequencyMin, kFrequencyMax);
    m_freqKnob->setStep(10);
    m_freqKnob->setSteps(1, 1000);
    m_gainLabel = new QLabel(this);
    m_gainEdit = valueEdit(this, QStringLiteral("gainEdit"));
    m_gainKnob = valueKnob(this, QStringLiteral("gainKnob"), kGeneratorGainMin, kGeneratorGainMax);
    m_gainKnob->setSteps(1, 6);

    auto* controls = new QGridLayout;
    controls->setHorizontalSpacing(10);
    controls->setVerticalSpacing(10);
    controls->addWidget(m_mute, 0, 0);
    controls->addWidget(m_typeLabel, 0, 1, Qt::AlignRight);
    controls->addWidget(m_type, 0, 2, 1, 4);
    controls->addWidget(m_freqLabel, 1, 1, Qt::AlignRight);
    controls->addWidget(m_freqEdit, 1, 2);
    controls->addWidget(m_freqKnob, 1, 3);
    controls->addWidget(m_gainLabel, 1, 4, Qt::AlignRight);
    controls->addWidget(m_gainEdit, 1, 5);
    controls->addWidget(m_gainKnob, 1, 6);
    controls->setColumnStretch(7, 1);

    m_outputBox = new QGroupBox(this);
    auto* outputs = new QGridLayout(m_outputBox);
    outputs->setContentsMargins(8, 16, 8, 8);
    outputs->setSpacing(6);
    for (int o = 0; o < wire::kOutputCount; ++o) {
        QPushButton* b = toggleButton(m_outputBox, QStringLiteral("outputButton"), o);
        b->setMinimumWidth(80);
        outputs->addWidget(b, o / kOutputsPerRow, o % kOutputsPerRow);
        connect(b, &QPushButton::clicked, this, &SignalGeneratorWidget::outputButtonClicked);
        m_outputs[std::size_t(o)] = b;
    }
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(m_outputBox);
    outputRow->addStretch();

    pageLayout()->addLayout(controls);
    pageLayout()->addLayout(outputRow);
    pageLayout()->addStretch();

    connect(m_mute, &QPushButton::clicked, this, &SignalGeneratorWidget::muteButtonClicked);
    connect(m_type, &ButtonRow::idClicked, this, &SignalGeneratorWidget::typeButtonClicked);
    connect(m_freqEdit, &QLineEdit::editingFinished, this,
            &SignalGeneratorWidget::freqEditingFinished);
    connect(m_gainEdit, &QLineEdit::editingFinished, this,
            &SignalGeneratorWidget::gainEditingFinished);
    connect(m_freqKnob, &Knob::valueChanged, this, &SignalGeneratorWidget::freqKnobValueChanged);
    connect(m_gainKnob, &Knob::valueChanged, this, &SignalGeneratorWidget::gainKnobValueChanged);

    subscribe(wire::code::GeneratorOn, [this](const Event&) { loadMute(); });
    subscribe(wire::code::GeneratorType, [this](const Event&) { loadType(); });
    subscribe(wire::code::GeneratorFrequency, [this](const Event&) { loadFrequency(); });
    subscribe(wire::code::GeneratorGain, [this](const Event&) { loadGain(); });
    subscribe(wire::code::GeneratorRouting, [this](const Event& e) {
        if (e.channel < wire::kOutputCount) {
            loadRouting(e.channel);
            return;
        }
        for (int o = 0; o < wire::kOutputCount; ++o)
            loadRouting(o);
    });
    subscribe(wire::code::OutputLabels, [this](const Event&) { refreshNames(); });

    retranslate();
    loadMute();
    loadType();
    loadFrequency();
    loadGain();
    for (int o = 0; o < wire::kOutputCount; ++o)
        loadRouting(o);
}

void SignalGeneratorWidget::retranslate()
{
    ModulePage::retranslate();
    m_mute->setText(tr("Mute"));
    m_typeLabel->setText(tr("Type"));
    m_type->setTexts({tr("Pink Noise"), tr("Sine Wave"), tr("White Noise")});
    m_freqLabel->setText(withUnit(tr("Freq"), tr("(Hz)")));
    m_gainLabel->setText(withUnit(tr("Gain"), tr("(dB)")));
    m_outputBox->setTitle(tr("Output"));
    nameForScreenReaders(m_freqKnob, m_freqEdit, tr("Generator Frequency"), tr("Hz"));
    nameForScreenReaders(m_gainKnob, m_gainEdit, tr("Generator Gain"), tr("dB"));
    refreshNames();
}

void SignalGeneratorWidget::refreshNames()
{
    for (int o = 0; o < wire::kOutputCount; ++o)
        m_outputs[std::size_t(o)]->setText(outputName(model(), o));
}

void SignalGeneratorWidget::applyProfile()
{
    for (int o = 0; o < wire::kOutputCount; ++o)
        m_outputs[std::size_t(o)]->setVisible(profile().outputShown(o));
    refreshNames();
}

// --- loaders

void SignalGeneratorWidget::loadMute()
{
    // The unit's switch says whether the generator sounds; the button says it is silent.
    m_mute->setChecked(!model().signalGenerator().on);
}

void SignalGeneratorWidget::loadType()
{
    const int type = model().signalGenerator().type;
    m_type->setChecked(type);
    // Only a sine has a frequency to set.
    const bool sine = type == SineWave;
    m_freqEdit->setReadOnly(!sine);
    m_freqKnob->setEnabled(sine);
}

void SignalGeneratorWidget::loadFrequency()
{
    showFrequency(int(std::lround(model().signalGenerator().frequency)));
}

void SignalGeneratorWidget::loadGain()
{
    showGain(int(std::lround(model().signalGenerator().gain)));
}

void SignalGeneratorWidget::loadRouting(int output)
{
    if (output >= 0 && output < wire::kOutputCount)
        m_outputs[std::size_t(output)]->setChecked(
            model().signalGenerator().routing[std::size_t(output)]);
}

void SignalGeneratorWidget::showFrequency(int hz)
{
    m_freqKnob->setValue(hz);
    m_freqEdit->setText(QString::number(hz));
}

void SignalGeneratorWidget::showGain(int dB)
{
    m_gainKnob->setValue(dB);
    m_gainEdit->setText(QString::number(dB));
}

// --- edits

void SignalGeneratorWidget::muteButtonClicked(bool checked)
{
    ConferenceEdits(model()).setGeneratorOn(!checked);
}

void SignalGeneratorWidget::typeButtonClicked(int id)
{
    ConferenceEdits(model()).setGeneratorType(id);
    loadType();
}

void SignalGeneratorWidget::freqEditingFinished()
{
    if (!finishEdit(m_freqEdit, m_finishing))
        return;
    if (m_freqEdit->isReadOnly()) {
        loadFrequency();
        return;
    }
    const int hz = parseWhole(m_freqEdit->text(), kFrequencyMin, kFrequencyMax);
    ConferenceEdits(model()).setGeneratorFrequency(float(hz), wire::Path::Now);
    showFrequency(hz);
}

void SignalGeneratorWidget::gainEditingFinished()
{
    if (!finishEdit(m_gainEdit, m_finishing))
        return;
    const int dB = parseWhole(m_gainEdit->text(), kGeneratorGainMin, kGeneratorGainMax);
    ConferenceEdits(model()).setGeneratorGain(float(dB), wire::Path::Now);
    showGain(dB);
}

void SignalGeneratorWidget::outputButtonClicked(bool checked)
{
    const int o = channelOf(sender());
    if (o >= 0 && o < wire::kOutputCount)
        ConferenceEdits(model()).setGeneratorRouting(o, checked);
}

void SignalGeneratorWidget::freqKnobValueChanged(int value)
{
    if (model().signalGenerator().type != SineWave)
        return;
    ConferenceEdits(model()).setGeneratorFrequency(float(value), wire::Path::Queued);
    m_freqEdit->setText(QString::number(value));
}

void SignalGeneratorWidget::gainKnobValueChanged(int value)
{
    ConferenceEdits(model()).setGeneratorGain(float(value), wire::Path::Queued);
    m_gainEdit->setText(QString::number(value));
}
