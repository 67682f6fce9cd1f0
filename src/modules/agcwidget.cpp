#include "agcwidget.h"

#include "agcgraph.h"
#include "editorcontrols.h"
#include "knob.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace parameters = dynamics::parameters;
using Cross = DynamicsEdits::Cross;
using Event = ReportRouter::Event;

AGCWidget::AGCWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::Agc, Channels::Inputs, parent), m_edits(model),
      m_box(new QGroupBox(this)), m_threshold(parameters::AgcThreshold, m_box),
      m_target(parameters::AgcTarget, m_box), m_ratio(parameters::AgcRatio, m_box),
      m_attack(parameters::AgcAttack, m_box), m_decay(parameters::AgcDecay, m_box)
{
    setObjectName(QStringLiteral("agcWidget"));

    m_copyButton = new QPushButton(this);
    m_copyButton->setObjectName(QStringLiteral("copyToButton"));
    m_resetButton = new QPushButton(this);
    m_resetButton->setObjectName(QStringLiteral("resetButton"));
    for (QPushButton* b : {m_copyButton, m_resetButton}) {
        b->setFocusPolicy(Qt::TabFocus);
        headerLayout()->addWidget(b);
    }
    connect(m_copyButton, &QPushButton::clicked, this, &AGCWidget::copyToButtonClicked);
    connect(m_resetButton, &QPushButton::clicked, this, &AGCWidget::resetButtonClicked);

    m_graph = new AGCGraph(this);
    m_graph->setObjectName(QStringLiteral("agcGraph"));
    connect(m_graph, &AGCGraph::thresholdChanged, this, &AGCWidget::agcGraphThresholdChanged);
    connect(m_graph, &AGCGraph::targetChanged, this, &AGCWidget::agcGraphTargetChanged);
    connect(m_graph, &AGCGraph::ratioChanged, this, &AGCWidget::agcGraphRatioChanged);

    // The switch over one row per parameter: caption, value, knob.
    m_grid = new QGridLayout(m_box);
    m_grid->setContentsMargins(12, 12, 12, 12);
    m_grid->setHorizontalSpacing(10);
    m_grid->setVerticalSpacing(10);
    m_enabled = new QPushButton(m_box);
    m_enabled->setObjectName(QStringLiteral("enabledButton"));
    m_enabled->setCheckable(true);
    m_enabled->setFocusPolicy(Qt::TabFocus);
    m_grid->addWidget(m_enabled, 0, 0, 1, 3);
    m_thresholdLabel = new QLabel(m_box);
    m_targetLabel = new QLabel(m_box);
    m_ratioLabel = new QLabel(m_box);
    m_attackLabel = new QLabel(m_box);
    m_decayLabel = new QLabel(m_box);
    addRow(1, m_thresholdLabel, m_threshold, QStringLiteral("threshold"));
    addRow(2, m_targetLabel, m_target, QStringLiteral("target"));
    addRow(3, m_ratioLabel, m_ratio, QStringLiteral("ratio"));
    addRow(4, m_attackLabel, m_attack, QStringLiteral("attack"));
    addRow(5, m_decayLabel, m_decay, QStringLiteral("decay"));
    m_grid->setRowStretch(6, 1);
    connect(m_enabled, &QPushButton::clicked, this, &AGCWidget::enabledButtonClicked);
    connect(m_threshold.edit(), &QLineEdit::editingFinished, this,
            &AGCWidget::thresholdEditEditingFinished);
    connect(m_threshold.knob(), &Knob::valueChanged, this, &AGCWidget::thresholdKnobValueChanged);
    connect(m_target.edit(), &QLineEdit::editingFinished, this,
            &AGCWidget::targetEditEditingFinished);
    connect(m_target.knob(), &Knob::valueChanged, this, &AGCWidget::targetKnobValueChanged);
    connect(m_ratio.edit(), &QLineEdit::editingFinished, this,
            &AGCWidget::ratioEditEditingFinished);
    connect(m_ratio.knob(), &Knob::valueChanged, this, &AGCWidget::ratioKnobValueChanged);
    connect(m_attack.edit(), &QLineEdit::editingFinished, this,
            &AGCWidget::attackEditEditingFinished);
    connect(m_attack.knob(), &Knob::valueChanged, this, &AGCWidget::attackKnobValueChanged);
    connect(m_decay.edit(), &QLineEdit::editingFinished, this,
            &AGCWidget::decayEditEditingFinished);
    connect(m_decay.knob(), &Knob::valueChanged, this, &AGCWidget::decayKnobValueChanged);

    // The plot is square: the graph is never wider than high, the controls stand beside it.
    m_graph->installEventFilter(this);
    auto* body = new QHBoxLayout;
    body->setSpacing(8);
    body->addWidget(m_graph, 1);
    body->addWidget(m_box);
    body->addStretch(1);
    m_box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    pageLayout()->addLayout(body, 1);

    // The controls start at the factory values, then show the channel.
    loadAgc(channel(), DynamicsEdits::factoryAgc());

    subscribe(wire::code::Agc, [this](const Event& e) {
        if (DynamicsEdits::validChannel(e.channel))
            loadAgc(e.channel, this->model().input(e.channel).agc);
    });

    retranslate();
    reload();
}

void AGCWidget::addRow(int row, QLabel* caption, DynamicsParameter& parameter, const QString& name)
{
    parameter.edit()->setObjectName(name + QStringLiteral("Edit"));
    parameter.knob()->setObjectName(name + QStringLiteral("Knob"));
    m_grid->addWidget(caption, row, 0);
    m_grid->addWidget(parameter.edit(), row, 1);
    m_grid->addWidget(parameter.knob(), row, 2);
}

void AGCWidget::retranslate()
{
    ModulePage::retranslate();
    m_copyButton->setText(tr("Copy To"));
    m_resetButton->setText(tr("Reset"));
    m_enabled->setText(tr("Enabled"));
    m_thresholdLabel->setText(editorcontrols::withUnit(tr("Threshold"), tr("(dB)")));
    m_targetLabel->setText(editorcontrols::withUnit(tr("Target"), tr("(dB)")));
    m_ratioLabel->setText(tr("Ratio"));
    m_attackLabel->setText(editorcontrols::withUnit(tr("Attack"), tr("(ms)")));
    m_decayLabel->setText(editorcontrols::withUnit(tr("Decay"), tr("(ms)")));
    editorcontrols::nameForScreenReaders(m_threshold.knob(), m_threshold.edit(),
                                         tr("AGC Threshold"), tr("dB"));
    editorcontrols::nameForScreenReaders(m_target.knob(), m_target.edit(), tr("AGC Target"),
                                         tr("dB"));
    editorcontrols::nameForScreenReaders(m_ratio.knob(), m_ratio.edit(), tr("AGC Ratio"),
                                         QString());
    editorcontrols::nameForScreenReaders(m_attack.knob(), m_attack.edit(), tr("AGC Attack"),
                                         tr("ms"));
    editorcontrols::nameForScreenReaders(m_decay.knob(), m_decay.edit(), tr("AGC Decay"), tr("ms"));
}

bool AGCWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_graph && event->type() == QEvent::Resize)
        m_graph->setMaximumWidth(std::max(m_graph->minimumSizeHint().width(), m_graph->height()));
    return ModulePage::eventFilter(watched, event);
}

// --- loaders

void AGCWidget::loadAgc(int channel, const DataModel::AGC& agc)
{
    if (channel != this->channel())
        return;
    m_enabled->setChecked(agc.enabled != 0);
    m_threshold.show(double(agc.threshold));
    m_target.show(double(agc.target));
    m_ratio.show(double(agc.ratio));
    m_attack.show(double(agc.attack));
    m_decay.show(double(agc.decay));
    m_graph->setActive(agc.enabled != 0);
    // The threshold first: the graph keeps its target at or above it.
    m_graph->setThreshold(agc.threshold);
    m_graph->setTarget(agc.target);
    m_graph->setRatio(agc.ratio);
}

void AGCWidget::loadChannel(int channel)
{
    loadAgc(channel, model().input(channel).agc);
}

void AGCWidget::refresh()
{
    loadChannel(channel());
}

// --- the controls

void AGCWidget::channelButtonGroupButtonClicked(int id)
{
    setChannel(id);
}

void AGCWidget::enabledButtonClicked(bool checked)
{
    m_edits.setAgcEnabled(channel(), checked);
    refresh();
}

void AGCWidget::thresholdEditEditingFinished()
{
    if (!m_threshold.finishEdit())
        return;
    const double target = double(model().input(channel()).agc.target);
    m_edits.setAgcThreshold(
        channel(), float(dynamics::agcThresholdFromEdit(m_threshold.edit()->text(), target)),
        Cross::Held);
    refresh();
}

void AGCWidget::thresholdKnobValueChanged(int value)
{
    m_edits.setAgcThreshold(channel(), float(m_threshold.turnedTo(value)), Cross::Free);
    refresh();
}

void AGCWidget::targetEditEditingFinished()
{
    if (!m_target.finishEdit())
        return;
    const double threshold = double(model().input(channel()).agc.threshold);
    m_edits.setAgcTarget(channel(),
                         float(dynamics::agcTargetFromEdit(m_target.edit()->text(), threshold)),
                         Cross::Held);
    refresh();
}

void AGCWidget::targetKnobValueChanged(int value)
{
    m_edits.setAgcTarget(channel(), float(m_target.turnedTo(value)), Cross::Free);
    refresh();
}

void AGCWidget::ratioEditEditingFinished()
{
    if (!m_ratio.finishEdit())
        return;
    m_edits.setAgcRatio(channel(), float(m_ratio.typed()));
    refresh();
}

void AGCWidget::ratioKnobValueChanged(int value)
{
    m_edits.setAgcRatio(channel(), float(m_ratio.turnedTo(value)));
    refresh();
}

void AGCWidget::attackEditEditingFinished()
{
    if (!m_attack.finishEdit())
        return;
    m_edits.setAgcAttack(channel(), float(m_attack.typed()));
    refresh();
}

void AGCWidget::attackKnobValueChanged(int value)
{
    m_edits.setAgcAttack(channel(), float(m_attack.turnedTo(value)));
    refresh();
}

void AGCWidget::decayEditEditingFinished()
{
    if (!m_decay.finishEdit())
        return;
    m_edits.setAgcDecay(channel(), float(m_decay.typed()));
    refresh();
}

void AGCWidget::decayKnobValueChanged(int value)
{
    m_edits.setAgcDecay(channel(), float(m_decay.turnedTo(value)));
    refresh();
}

// --- the graph

void AGCWidget::agcGraphThresholdChanged(float threshold)
{
    m_edits.setAgcThreshold(channel(), threshold, Cross::Held);
    refresh();
}

void AGCWidget::agcGraphTargetChanged(float target)
{
    m_edits.setAgcTarget(channel(), target, Cross::Held);
    refresh();
}

void AGCWidget::agcGraphRatioChanged(float ratio)
{
    m_edits.setAgcRatio(channel(), ratio);
    refresh();
}

// --- copy and reset

void AGCWidget::copyToButtonClicked()
{
    // Inputs only, and never the USB play input: it has no AGC of its own.
    CopyTargets targets;
    targets.outputs = false;
    targets.withUsbPlay = false;
    askCopyTargets(tr("AGC Copy"), targets,
                   [this](uchar source, uint inputs, uint) { m_edits.copyAgc(source, inputs); });
}

void AGCWidget::resetButtonClicked()
{
    askReset(tr("Are you sure that you want to reset the agc of the selected channel?"),
             [this](uchar channel) {
                 m_edits.resetAgc(channel);
                 if (channel == this->channel())
                     reload();
             });
}
