#include "filterwidget.h"

#include "editorcontrols.h"

#include "buttonrow.h"
#include "channelbar.h"
#include "dialog.h"
#include "filtergraph.h"
#include "filtertext.h"
#include "filtervalues.h"
#include "knob.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

using namespace filtervalues;
using Event = ReportRouter::Event;

namespace {

constexpr int kEditWidth = 64;
constexpr int kToggleWidth = 96;

QLineEdit* valueEdit(QWidget* parent, bool readOnly = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(kEditWidth);
    edit->setAlignment(Qt::AlignCenter);
    edit->setReadOnly(readOnly);
    return edit;
}

Knob* knob(QWidget* parent, int minimum, int maximum, int step, int pageStep)
{
    auto* k = new Knob(parent);
    k->setRange(minimum, maximum);
    k->setStep(step);
    k->setSteps(1, pageStep);
    return k;
}

QPushButton* toggle(QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumWidth(kToggleWidth);
    return b;
}

// A caption over its unit, e.g. "Freq" over "(Hz)".
QString withUnit(const QString& caption, const QString& unit)
{
    return caption + QLatin1Char('\n') + unit;
}

} // namespace

FilterWidget::FilterWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                           QWidget* parent)
    : ModulePage(model, router,
                 side == BlockEdits::Side::Input ? EditorPage::InputFilter
                                                 : EditorPage::OutputFilter,
                 side == BlockEdits::Side::Input ? Channels::Inputs : Channels::Outputs, parent),
      m_side(side)
{
    setObjectName(side == BlockEdits::Side::Input ? QStringLiteral("inFilterWidget")
                                                  : QStringLiteral("outFilterWidget"));
    qRegisterMetaType<DataModel::Filter::HLPF*>();
    qRegisterMetaType<DataModel::Filter::PEQ*>();

    m_importButton = new QPushButton(this);
    m_importButton->setObjectName(QStringLiteral("importBandsButton"));
    m_exportButton = new QPushButton(this);
    m_exportButton->setObjectName(QStringLiteral("exportBandsButton"));
    m_copyButton = new QPushButton(this);
    m_copyButton->setObjectName(QStringLiteral("copyToButton"));
    m_resetButton = new QPushButton(this);
    m_resetButton->setObjectName(QStringLiteral("resetButton"));
    for (QPushButton* b : {m_importButton, m_exportButton, m_copyButton, m_resetButton}) {
        b->setFocusPolicy(Qt::TabFocus);
        headerLayout()->addWidget(b);
    }
    connect(m_importButton, &QPushButton::clicked, this, &FilterWidget::importButtonClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &FilterWidget::exportButtonClicked);
    m_chooseFile = [this](bool save, const QString& title) {
        const QString filter = tr("Filter text (*.txt);;All files (*)");
        return save ? QFileDialog::getSaveFileName(this, title, QString(), filter)
                    : QFileDialog::getOpenFileName(this, title, QString(), filter);
    };
    connect(m_copyButton, &QPushButton::clicked, this, &FilterWidget::copyToButtonClicked);
    connect(m_resetButton, &QPushButton::clicked, this, &FilterWidget::resetButtonClicked);

    m_graph = new FilterGraph(this);
    m_graph->setBandCount(wire::kPeqBands);
    m_graph->setMinimumHeight(150);
    connect(m_graph, &FilterGraph::HPFilterChanged, this, &FilterWidget::filterGraphHPFFreqChanged);
    connect(m_graph, &FilterGraph::LPFilterChanged, this, &FilterWidget::filterGraphLPFFreqChanged);
    connect(m_graph, &FilterGraph::peqChanged, this, &FilterWidget::filterGraphPEQChanged);
    connect(m_graph, &FilterGraph::currentBandChanged, this,
            &FilterWidget::filterGraphCurrentBandChanged);

    // The curve over the bands; the pass filters beside them.
    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(m_graph, 1);
    left->addWidget(buildPeq());
    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(buildPass(m_hpf, QStringLiteral("hpf"), kMinFrequency));
    right->addWidget(buildPass(m_lpf, QStringLiteral("lpf"), kMaxFrequency));
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->setSpacing(8);
    body->addLayout(left, 1);
    body->addLayout(right);
    pageLayout()->addLayout(body, 1);
    connectPass(m_hpf, true);
    connectPass(m_lpf, false);

    // The unit's reports of the shown channel.
    const bool in = side == BlockEdits::Side::Input;
    subscribe(in ? wire::code::InputHpf : wire::code::OutputHpf, [this, in](const Event& e) {
        if (e.channel < BlockEdits::channelCount(m_side))
            loadHpf(e.channel,
                    in ? this->model().input(e.channel).hpf : this->model().output(e.channel).hpf);
    });
    subscribe(in ? wire::code::InputLpf : wire::code::OutputLpf, [this, in](const Event& e) {
        if (e.channel < BlockEdits::channelCount(m_side))
            loadLpf(e.channel,
                    in ? this->model().input(e.channel).lpf : this->model().output(e.channel).lpf);
    });
    subscribe(in ? wire::code::InputPeq : wire::code::OutputPeq, [this, in](const Event& e) {
        if (e.channel >= BlockEdits::channelCount(m_side) || e.other >= wire::kPeqBands)
            return;
        const auto& bands =
            in ? this->model().input(e.channel).peq : this->model().output(e.channel).peq;
        loadBand(e.channel, e.other, bands[e.other]);
        if (e.channel == channel())
            refreshAllEnabled();
    });

    retranslate();
    reload();
}

QWidget* FilterWidget::buildPass(PassControls& c, const QString& name, double freq)
{
    c.box = new QGroupBox(this);
    auto* grid = new QGridLayout(c.box);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    c.enabled = toggle(c.box);
    c.typeLabel = new QLabel(c.box);
    c.type = new ButtonRow(wire::kFilterTypes, c.box);
    c.slopeLabel = new QLabel(c.box);
    c.slope = new ButtonRow(wire::kFilterSlopes, c.box);
    c.slope->setTexts({QStringLiteral("-6"), QStringLiteral("-12"), QStringLiteral("-18"),
                       QStringLiteral("-24"), QStringLiteral("-36"), QStringLiteral("-48")});
    c.freqLabel = new QLabel(c.box);
    c.freqEdit = valueEdit(c.box);
    c.freqKnob = knob(c.box, 0, kFrequencySteps - 1, 1, 10);
    c.enabled->setObjectName(name + QStringLiteral("EnabledButton"));
    c.freqEdit->setObjectName(name + QStringLiteral("FreqEdit"));
    c.freqKnob->setObjectName(name + QStringLiteral("FreqKnob"));

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(c.enabled);
    top->addStretch();
    top->addWidget(c.freqLabel);
    top->addWidget(c.freqEdit);
    top->addWidget(c.freqKnob);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(c.typeLabel, 1, 0);
    grid->addWidget(c.type, 1, 1);
    grid->addWidget(c.slopeLabel, 2, 0);
    grid->addWidget(c.slope, 2, 1);
    grid->setColumnStretch(1, 1);

    c.freq = freq;
    showFrequency(c.freqEdit, c.freqKnob, freq);
    return c.box;
}

QWidget* FilterWidget::buildPeq()
{
    m_peqBox = new QGroupBox(this);
    auto* grid = new QGridLayout(m_peqBox);
    grid->setContentsMargins(8, 16, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);

    m_allEnabled = toggle(m_peqBox);
    m_bandLabel = new QLabel(m_peqBox);
    m_band = new ButtonRow(wire::kPeqBands, m_peqBox);
    QStringList numbers;
    for (int band = 0; band < wire::kPeqBands; ++band)
        numbers << QString::number(band + 1);
    m_band->setTexts(numbers);
    m_peqEnabled = toggle(m_peqBox);
    m_peqTypeLabel = new QLabel(m_peqBox);
    m_peqType = new ButtonRow(wire::kFilterTypes, m_peqBox);

    m_peqFreqLabel = new QLabel(m_peqBox);
    m_peqFreqEdit = valueEdit(m_peqBox);
    m_peqFreqKnob = knob(m_peqBox, 0, kFrequencySteps - 1, 1, 10);
    m_gainLabel = new QLabel(m_peqBox);
    m_gainEdit = valueEdit(m_peqBox);
    m_gainKnob = knob(m_peqBox, kGainKnobMin, kGainKnobMax, 5, 30);
    m_qLabel = new QLabel(m_peqBox);
    m_qEdit = valueEdit(m_peqBox, true);
    m_qKnob = knob(m_peqBox, 0, wire::kPeqMaxQIndex, 1, 8);
    m_allEnabled->setObjectName(QStringLiteral("peqAllEnabledButton"));
    m_peqEnabled->setObjectName(QStringLiteral("peqEnabledButton"));
    m_peqFreqEdit->setObjectName(QStringLiteral("peqFreqEdit"));
    m_peqFreqKnob->setObjectName(QStringLiteral("peqFreqKnob"));
    m_gainEdit->setObjectName(QStringLiteral("peqGainEdit"));
    m_gainKnob->setObjectName(QStringLiteral("peqGainKnob"));
    m_qEdit->setObjectName(QStringLiteral("peqQEdit"));
    m_qKnob->setObjectName(QStringLiteral("peqQKnob"));

    grid->addWidget(m_allEnabled, 0, 0);
    grid->addWidget(m_bandLabel, 0, 1, Qt::AlignRight);
    grid->addWidget(m_band, 0, 2);
    grid->addWidget(m_peqEnabled, 1, 0);
    grid->addWidget(m_peqTypeLabel, 1, 1, Qt::AlignRight);
    grid->addWidget(m_peqType, 1, 2);
    auto* values = new QHBoxLayout;
    values->setSpacing(6);
    const auto addValue = [values](QLabel* label, QLineEdit* edit, Knob* k) {
        values->addWidget(label);
        values->addWidget(edit);
        values->addWidget(k);
        values->addSpacing(10);
    };
    addValue(m_peqFreqLabel, m_peqFreqEdit, m_peqFreqKnob);
    addValue(m_gainLabel, m_gainEdit, m_gainKnob);
    addValue(m_qLabel, m_qEdit, m_qKnob);
    values->addStretch();
    grid->addLayout(values, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    connect(m_allEnabled, &QPushButton::clicked, this, &FilterWidget::peqAllEnabledButtonClicked);
    connect(m_band, &ButtonRow::idClicked, this, &FilterWidget::peqBandButtonGroupButtonClicked);
    connect(m_peqEnabled, &QPushButton::clicked, this, &FilterWidget::peqEnabledButtonClicked);
    connect(m_peqType, &ButtonRow::idClicked, this, &FilterWidget::peqTypeButtonGroupButtonClicked);
    connect(m_peqFreqEdit, &QLineEdit::editingFinished, this,
            &FilterWidget::peqFreqEditEditingFinished);
    connect(m_peqFreqKnob, &Knob::valueChanged, this, &FilterWidget::peqFreqKnobValueChanged);
    connect(m_gainEdit, &QLineEdit::editingFinished, this,
            &FilterWidget::peqGainEditEditingFinished);
    connect(m_gainKnob, &Knob::valueChanged, this, &FilterWidget::peqGainKnobValueChanged);
    connect(m_qKnob, &Knob::valueChanged, this, &FilterWidget::peqQKnobValueChanged);

    showBand(BlockEdits::factoryPeq(0));
    return m_peqBox;
}

void FilterWidget::connectPass(PassControls& c, bool high)
{
    connect(c.enabled, &QPushButton::clicked, this,
            high ? &FilterWidget::hpfEnabledButtonClicked : &FilterWidget::lpfEnabledButtonClicked);
    connect(c.type, &ButtonRow::idClicked, this,
            high ? &FilterWidget::hpfTypeButtonGroupButtonClicked
                 : &FilterWidget::lpfTypeButtonGroupButtonClicked);
    connect(c.slope, &ButtonRow::idClicked, this,
            high ? &FilterWidget::hpfSlopeButtonGroupButtonClicked
                 : &FilterWidget::lpfSlopeButtonGroupButtonClicked);
    connect(c.freqEdit, &QLineEdit::editingFinished, this,
            high ? &FilterWidget::hpfFreqEditEditingFinished
                 : &FilterWidget::lpfFreqEditEditingFinished);
    connect(c.freqKnob, &Knob::valueChanged, this,
            high ? &FilterWidget::hpfFreqKnobValueChanged : &FilterWidget::lpfFreqKnobValueChanged);
}

void FilterWidget::retranslate()
{
    ModulePage::retranslate();
    m_importButton->setText(tr("Import Bands"));
    m_exportButton->setText(tr("Export Bands"));
    m_copyButton->setText(tr("Copy To"));
    m_resetButton->setText(tr("Reset"));
    m_hpf.box->setTitle(tr("High Pass"));
    m_lpf.box->setTitle(tr("Low Pass"));
    m_peqBox->setTitle(tr("PEQ"));
    for (PassControls* c : {&m_hpf, &m_lpf}) {
        c->enabled->setText(tr("Enabled"));
        c->typeLabel->setText(tr("Type"));
        c->type->setTexts({tr("Bessel"), tr("Butterworth"), tr("Linkwitz-Riley")});
        c->slopeLabel->setText(withUnit(tr("Slope"), tr("(dB/oct)")));
        c->freqLabel->setText(withUnit(tr("Freq"), tr("(Hz)")));
    }
    m_allEnabled->setText(tr("All Enabled"));
    m_bandLabel->setText(tr("Band"));
    m_peqEnabled->setText(tr("Enabled"));
    m_peqTypeLabel->setText(tr("Type"));
    m_peqType->setTexts({tr("PEQ"), tr("Low Shelf"), tr("High Shelf")});
    m_peqFreqLabel->setText(withUnit(tr("Freq"), tr("(Hz)")));
    m_gainLabel->setText(withUnit(tr("Gain"), tr("(dB)")));
    m_qLabel->setText(tr("Q"));
    editorcontrols::nameForScreenReaders(m_hpf.freqKnob, m_hpf.freqEdit, tr("High Pass Frequency"),
                                         tr("Hz"));
    editorcontrols::nameForScreenReaders(m_lpf.freqKnob, m_lpf.freqEdit, tr("Low Pass Frequency"),
                                         tr("Hz"));
    editorcontrols::nameForScreenReaders(m_peqFreqKnob, m_peqFreqEdit, tr("Band Frequency"),
                                         tr("Hz"));
    editorcontrols::nameForScreenReaders(m_gainKnob, m_gainEdit, tr("Band Gain"), tr("dB"));
    editorcontrols::nameForScreenReaders(m_qKnob, m_qEdit, tr("Band Q"), QString());
    m_graph->setAccessibleName(tr("Filter Response"));
}

int FilterWidget::selectedBand() const
{
    return m_band->checkedId();
}

// --- showing values

void FilterWidget::showFrequency(QLineEdit* edit, Knob* knob, double f)
{
    // Outside the table the knob rests at its bottom.
    knob->setValue(knobIndexForFrequency(f));
    edit->setText(frequencyText(f));
}

void FilterWidget::showPass(PassControls& c, const DataModel::Filter::HLPF& record)
{
    c.enabled->setChecked(record.enabled != 0);
    c.type->setChecked(record.type);
    c.slope->setChecked(record.slope);
    c.freq = double(record.freq);
    showFrequency(c.freqEdit, c.freqKnob, c.freq);
}

void FilterWidget::showGain(double g)
{
    m_gain = g;
    m_gainKnob->setValue(gainKnobValue(g));
    m_gainEdit->setText(gainText(g));
}

void FilterWidget::showQ(int index)
{
    m_qKnob->setValue(index);
    m_qEdit->setText(qText(index));
}

void FilterWidget::showBand(const DataModel::Filter::PEQ& record)
{
    m_peqEnabled->setChecked(record.enabled != 0);
    m_peqType->setChecked(record.type);
    m_peqFreq = double(record.freq);
    showFrequency(m_peqFreqEdit, m_peqFreqKnob, m_peqFreq);
    showGain(double(record.gain));
    showQ(record.q);
}

DataModel::Filter::HLPF FilterWidget::passRecord(const PassControls& c) const
{
    return {quint8(c.enabled->isChecked() ? 1 : 0), quint8(c.type->checkedId()),
            quint8(c.slope->checkedId()), float(c.freq)};
}

DataModel::Filter::PEQ FilterWidget::bandRecord() const
{
    return {quint8(m_peqEnabled->isChecked() ? 1 : 0), quint8(m_peqType->checkedId()),
            float(m_peqFreq), float(m_gain), quint8(m_qKnob->value())};
}

void FilterWidget::updateGraphPass(bool high)
{
    const DataModel::Filter::HLPF r = passRecord(high ? m_hpf : m_lpf);
    if (high)
        m_graph->setHPFilter(r.enabled ? 0 : 1, r.type, r.slope, r.freq);
    else
        m_graph->setLPFilter(r.enabled ? 0 : 1, r.type, r.slope, r.freq);
}

void FilterWidget::updateGraphBand()
{
    const DataModel::Filter::PEQ r = bandRecord();
    m_graph->setPEQ(uchar(selectedBand()), r.enabled ? 0 : 1, r.type, r.freq, r.gain, r.q);
}

void FilterWidget::refreshAllEnabled()
{
    m_allEnabled->setChecked(BlockEdits(model()).allPeqEnabled(m_side, channel()));
}

// --- loaders

void FilterWidget::loadHpf(int channel, const DataModel::Filter::HLPF& hpf)
{
    if (channel != this->channel())
        return;
    showPass(m_hpf, hpf);
    updateGraphPass(true);
}

void FilterWidget::loadLpf(int channel, const DataModel::Filter::HLPF& lpf)
{
    if (channel != this->channel())
        return;
    showPass(m_lpf, lpf);
    updateGraphPass(false);
}

void FilterWidget::loadBand(int channel, int band, const DataModel::Filter::PEQ& peq)
{
    if (channel != this->channel() || band < 0 || band >= wire::kPeqBands)
        return;
    if (band == selectedBand())
        showBand(peq);
    m_graph->setPEQ(uchar(band), peq.enabled ? 0 : 1, peq.type, peq.freq, peq.gain, peq.q);
}

void FilterWidget::setAllEnabled(int channel, bool on)
{
    if (channel == this->channel())
        m_allEnabled->setChecked(on);
}

void FilterWidget::loadChannel(int channel)
{
    const bool in = m_side == BlockEdits::Side::Input;
    const auto& hpf = in ? model().input(channel).hpf : model().output(channel).hpf;
    const auto& lpf = in ? model().input(channel).lpf : model().output(channel).lpf;
    const auto& bands = in ? model().input(channel).peq : model().output(channel).peq;
    loadHpf(channel, hpf);
    loadLpf(channel, lpf);
    refreshAllEnabled();
    for (int band = 0; band < wire::kPeqBands; ++band)
        loadBand(channel, band, bands[std::size_t(band)]);
}

void FilterWidget::selectBand(int band, bool announce)
{
    if (band < 0 || band >= wire::kPeqBands)
        return;
    m_band->setChecked(band);
    m_graph->setCurrentBand(uchar(band));
    const bool in = m_side == BlockEdits::Side::Input;
    showBand(in ? model().input(channel()).peq[std::size_t(band)]
                : model().output(channel()).peq[std::size_t(band)]);
    if (announce)
        emit peqBandChanged(uchar(channel()), uchar(band));
}

// --- edits

void FilterWidget::passEdited(bool high)
{
    updateGraphPass(high);
    DataModel::Filter::HLPF r = passRecord(high ? m_hpf : m_lpf);
    if (high)
        emit hpfChanged(uchar(channel()), &r);
    else
        emit lpfChanged(uchar(channel()), &r);
}

void FilterWidget::bandEdited()
{
    updateGraphBand();
    DataModel::Filter::PEQ r = bandRecord();
    emit peqChanged(uchar(channel()), uchar(selectedBand()), &r);
}

void FilterWidget::finishEdit(QLineEdit* edit)
{
    // Return ends the edit, and the focus leaving would end it a second time.
    m_finishing = true;
    edit->clearFocus();
    m_finishing = false;
}

void FilterWidget::hpfEnabledButtonClicked(bool)
{
    passEdited(true);
}

void FilterWidget::hpfTypeButtonGroupButtonClicked(int)
{
    passEdited(true);
}

void FilterWidget::hpfSlopeButtonGroupButtonClicked(int)
{
    passEdited(true);
}

void FilterWidget::hpfFreqEditEditingFinished()
{
    passFrequencyTyped(true);
}

void FilterWidget::hpfFreqKnobValueChanged(int value)
{
    passFrequencyStepped(true, value);
}

void FilterWidget::lpfEnabledButtonClicked(bool)
{
    passEdited(false);
}

void FilterWidget::lpfTypeButtonGroupButtonClicked(int)
{
    passEdited(false);
}

void FilterWidget::lpfSlopeButtonGroupButtonClicked(int)
{
    passEdited(false);
}

void FilterWidget::lpfFreqEditEditingFinished()
{
    passFrequencyTyped(false);
}

void FilterWidget::lpfFreqKnobValueChanged(int value)
{
    passFrequencyStepped(false, value);
}

void FilterWidget::passFrequencyTyped(bool high)
{
    if (m_finishing)
        return;
    PassControls& c = high ? m_hpf : m_lpf;
    finishEdit(c.freqEdit);
    setPassFrequency(high, parseFrequency(c.freqEdit->text()));
}

void FilterWidget::passFrequencyStepped(bool high, int step)
{
    setPassFrequency(high, frequencyTable()[std::size_t(qBound(0, step, kFrequencySteps - 1))]);
}

void FilterWidget::setPassFrequency(bool high, double f)
{
    PassControls& c = high ? m_hpf : m_lpf;
    c.freq = f;
    showFrequency(c.freqEdit, c.freqKnob, f);
    passEdited(high);
}

void FilterWidget::peqAllEnabledButtonClicked(bool checked)
{
    m_peqEnabled->setChecked(checked);
    m_graph->setAllBandsBypassed(!checked);
    emit peqAllEnabled(uchar(channel()), checked);
}

void FilterWidget::peqBandButtonGroupButtonClicked(int id)
{
    selectBand(id, true);
}

void FilterWidget::peqEnabledButtonClicked(bool)
{
    bandEdited();
}

void FilterWidget::peqTypeButtonGroupButtonClicked(int)
{
    bandEdited();
}

void FilterWidget::peqFreqEditEditingFinished()
{
    if (m_finishing)
        return;
    finishEdit(m_peqFreqEdit);
    m_peqFreq = parseFrequency(m_peqFreqEdit->text());
    showFrequency(m_peqFreqEdit, m_peqFreqKnob, m_peqFreq);
    bandEdited();
}

void FilterWidget::peqFreqKnobValueChanged(int value)
{
    m_peqFreq = frequencyTable()[std::size_t(qBound(0, value, kFrequencySteps - 1))];
    showFrequency(m_peqFreqEdit, m_peqFreqKnob, m_peqFreq);
    bandEdited();
}

void FilterWidget::peqGainEditEditingFinished()
{
    if (m_finishing)
        return;
    finishEdit(m_gainEdit);
    showGain(parseGain(m_gainEdit->text()));
    bandEdited();
}

void FilterWidget::peqGainKnobValueChanged(int value)
{
    showGain(value / 10.0);
    bandEdited();
}

void FilterWidget::peqQKnobValueChanged(int value)
{
    showQ(value);
    bandEdited();
}

// --- the graph

void FilterWidget::filterGraphHPFFreqChanged(float freq)
{
    setPassFrequency(true, floorToTenth(double(freq)));
}

void FilterWidget::filterGraphLPFFreqChanged(float freq)
{
    setPassFrequency(false, floorToTenth(double(freq)));
}

void FilterWidget::filterGraphPEQChanged(uchar band, float freq, float gain)
{
    if (band >= wire::kPeqBands)
        return;
    if (int(band) != selectedBand())
        selectBand(band, true);
    m_peqFreq = floorToTenth(double(freq));
    showFrequency(m_peqFreqEdit, m_peqFreqKnob, m_peqFreq);
    showGain(floorToTenth(double(gain)));
    bandEdited();
}

void FilterWidget::filterGraphCurrentBandChanged(uchar band)
{
    selectBand(band, true);
}

// --- copy and reset

void FilterWidget::copyToButtonClicked()
{
    // The wide format copies a filter within its own side only, and the USB record output has
    // no filter of its own.
    CopyTargets targets;
    const bool wide = !wire::isNarrowFormat(model().formatGeneration());
    targets.inputs = !wide || m_side == BlockEdits::Side::Input;
    targets.outputs = !wide || m_side == BlockEdits::Side::Output;
    targets.withUsbRecord = false;
    askCopyTargets(tr("Filter Copy"), targets, [this](uchar source, uint inputs, uint outputs) {
        emit channelCopy(source, inputs, outputs);
    });
}

void FilterWidget::resetButtonClicked()
{
    askReset(tr("Are you sure that you want to reset the filter of the selected channel?"),
             [this](uchar channel) { emit channelReset(channel); });
}

// --- band files of measurement tools

std::array<DataModel::Filter::PEQ, wire::kPeqBands> FilterWidget::channelBands() const
{
    const int ch = channel();
    return m_side == BlockEdits::Side::Input ? model().input(ch).peq : model().output(ch).peq;
}

void FilterWidget::tell(QMessageBox::Icon icon, const QString& text, const QString& details)
{
    auto* box = new QMessageBox(icon, caption(page()), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(details);
    box->open();
}

void FilterWidget::importButtonClicked()
{
    const QString path = m_chooseFile(false, tr("Import Bands"));
    if (path.isEmpty())
        return;
    // Band files are a few hundred bytes; anything far larger is not one.
    constexpr qint64 kLargestFile = 64 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestFile) {
        tell(QMessageBox::Warning,
             tr("%1 could not be read as a band file.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const filtertext::Import import =
        filtertext::read(QString::fromUtf8(file.readAll()), channelBands());
    const QString notes = import.notes.join(QLatin1Char('\n'));
    if (import.empty()) {
        tell(QMessageBox::Information,
             tr("Nothing in %1 could be used.").arg(QFileInfo(path).fileName()), notes);
        return;
    }
    // The user sees what will change, and what will not, before the unit hears of it.
    const int target = channel();
    auto* box = new QMessageBox(QMessageBox::Question, caption(page()),
                                tr("Send %1 bands from %2 to this channel?")
                                    .arg(import.used)
                                    .arg(QFileInfo(path).fileName()),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("importBandsQuestion"));
    box->setInformativeText(notes);
    QPushButton* send = box->addButton(tr("Send"), QMessageBox::AcceptRole);
    box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    connect(box, &QMessageBox::finished, this, [this, box, send, target, bands = import.bands] {
        if (box->clickedButton() == send)
            sendImportedBands(target, bands);
    });
    box->open();
}

void FilterWidget::sendImportedBands(
    int target, const std::array<DataModel::Filter::PEQ, wire::kPeqBands>& bands)
{
    // Through the same path as an edit: change detection, mirror, coalesced sending.
    for (int b = 0; b < wire::kPeqBands; ++b) {
        DataModel::Filter::PEQ record = bands[std::size_t(b)];
        emit peqChanged(uchar(target), uchar(b), &record);
    }
    if (target == channel())
        loadChannel(target);
}

void FilterWidget::exportButtonClicked()
{
    const QString path = m_chooseFile(true, tr("Export Bands"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text = filtertext::write(channelBands()).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        tell(QMessageBox::Warning,
             tr("%1 could not be written.").arg(QDir::toNativeSeparators(path)));
}

FilterWidget::~FilterWidget()
{
    detachLineEdits(this);
}
