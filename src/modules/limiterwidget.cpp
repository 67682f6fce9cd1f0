#include "limiterwidget.h"

#include "editorcontrols.h"
#include "knob.h"
#include "limitergraph.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace parameters = dynamics::parameters;
using Event = ReportRouter::Event;

LimiterWidget::LimiterWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                             QWidget* parent)
    : ModulePage(model, router,
                 side == BlockEdits::Side::Input ? EditorPage::InputLimiter
                                                 : EditorPage::OutputLimiter,
                 side == BlockEdits::Side::Input ? Channels::Inputs : Channels::Outputs, parent),
      m_side(side), m_box(new QGroupBox(this)), m_threshold(parameters::LimiterThreshold, m_box),
      m_ratio(parameters::LimiterRatio, m_box), m_attack(parameters::LimiterAttack, m_box),
      m_decay(parameters::LimiterDecay, m_box)
{
    const bool in = side == BlockEdits::Side::Input;
    setObjectName(in ? QStringLiteral("inLimiterWidget") : QStringLiteral("outLimiterWidget"));
    qRegisterMetaType<DataModel::Limiter*>();

    m_copyButton = new QPushButton(this);
    m_copyButton->setObjectName(QStringLiteral("copyToButton"));
    m_resetButton = new QPushButton(this);
    m_resetButton->setObjectName(QStringLiteral("resetButton"));
    for (QPushButton* b : {m_copyButton, m_resetButton}) {
        b->setFocusPolicy(Qt::TabFocus);
        headerLayout()->addWidget(b);
    }
    connect(m_copyButton, &QPushButton::clicked, this, &LimiterWidget::copyToButtonClicked);
    connect(m_resetButton, &QPushButton::clicked, this, &LimiterWidget::resetButtonClicked);

    m_graph = new LimiterGraph(this);
    m_graph->setObjectName(QStringLiteral("limiterGraph"));
    m_graph->setThresholdLimits(parameters::LimiterThreshold.min, parameters::LimiterThreshold.max);
    connect(m_graph, &LimiterGraph::thresholdChanged, this,
            &LimiterWidget::limiterGraphThresholdChanged);
    connect(m_graph, &LimiterGraph::ratioChanged, this, &LimiterWidget::limiterGraphRatioChanged);

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
    m_ratioLabel = new QLabel(m_box);
    m_attackLabel = new QLabel(m_box);
    m_decayLabel = new QLabel(m_box);
    addRow(1, m_thresholdLabel, m_threshold, QStringLiteral("threshold"));
    addRow(2, m_ratioLabel, m_ratio, QStringLiteral("ratio"));
    addRow(3, m_attackLabel, m_attack, QStringLiteral("attack"));
    addRow(4, m_decayLabel, m_decay, QStringLiteral("decay"));
    m_grid->setRowStretch(5, 1);
    connect(m_enabled, &QPushButton::clicked, this, &LimiterWidget::enabledButtonClicked);
    connect(m_threshold.edit(), &QLineEdit::editingFinished, this,
            &LimiterWidget::thresholdEditEditingFinished);
    connect(m_threshold.knob(), &Knob::valueChanged, this,
            &LimiterWidget::thresholdKnobValueChanged);
    connect(m_ratio.edit(), &QLineEdit::editingFinished, this,
            &LimiterWidget::ratioEditEditingFinished);
    connect(m_ratio.knob(), &Knob::valueChanged, this, &LimiterWidget::ratioKnobValueChanged);
    connect(m_attack.edit(), &QLineEdit::editingFinished, this,
            &LimiterWidget::attackEditEditingFinished);
    connect(m_attack.knob(), &Knob::valueChanged, this, &LimiterWidget::attackKnobValueChanged);
    connect(m_decay.edit(), &QLineEdit::editingFinished, this,
            &LimiterWidget::decayEditEditingFinished);
    connect(m_decay.knob(), &Knob::valueChanged, this, &LimiterWidget::decayKnobValueChanged);

    auto* body = new QHBoxLayout;
    body->setSpacing(8);
    body->addWidget(m_graph, 1);
    body->addWidget(m_box);
    pageLayout()->addLayout(body, 1);

    // The controls start at the factory values, then show the channel.
    const DataModel::Limiter factory = BlockEdits::factoryLimiter();
    m_threshold.show(double(factory.threshold));
    m_ratio.show(double(factory.ratio));
    m_attack.show(double(factory.attack));
    m_decay.show(double(factory.decay));

    subscribe(in ? wire::code::InputLimiter : wire::code::OutputLimiter, [this](const Event& e) {
        if (BlockEdits::validChannel(m_side, e.channel))
            loadLimiter(e.channel, m_side == BlockEdits::Side::Input
                                       ? this->model().input(e.channel).limiter
                                       : this->model().output(e.channel).limiter);
    });

    retranslate();
    reload();
}

void LimiterWidget::addRow(int row, QLabel* caption, DynamicsParameter& parameter,
                           const QString& name)
{
    parameter.edit()->setObjectName(name + QStringLiteral("Edit"));
    parameter.knob()->setObjectName(name + QStringLiteral("Knob"));
    m_grid->addWidget(caption, row, 0);
    m_grid->addWidget(parameter.edit(), row, 1);
    m_grid->addWidget(parameter.knob(), row, 2);
}

void LimiterWidget::retranslate()
{
    ModulePage::retranslate();
    m_copyButton->setText(tr("Copy To"));
    m_resetButton->setText(tr("Reset"));
    m_enabled->setText(tr("Enabled"));
    m_thresholdLabel->setText(editorcontrols::withUnit(tr("Threshold"), tr("(dB)")));
    m_ratioLabel->setText(tr("Ratio"));
    m_attackLabel->setText(editorcontrols::withUnit(tr("Attack"), tr("(ms)")));
    m_decayLabel->setText(editorcontrols::withUnit(tr("Decay"), tr("(ms)")));
    editorcontrols::nameForScreenReaders(m_threshold.knob(), m_threshold.edit(),
                                         tr("Limiter Threshold"), tr("dB"));
    editorcontrols::nameForScreenReaders(m_ratio.knob(), m_ratio.edit(), tr("Limiter Ratio"),
                                         QString());
    editorcontrols::nameForScreenReaders(m_attack.knob(), m_attack.edit(), tr("Limiter Attack"),
                                         tr("ms"));
    editorcontrols::nameForScreenReaders(m_decay.knob(), m_decay.edit(), tr("Limiter Decay"),
                                         tr("ms"));
}

DataModel::Limiter LimiterWidget::record() const
{
    return {quint8(m_enabled->isChecked() ? 1 : 0), float(m_threshold.value()),
            float(m_ratio.value()), float(m_attack.value()), float(m_decay.value())};
}

void LimiterWidget::loadLimiter(int channel, const DataModel::Limiter& limiter)
{
    if (channel != this->channel())
        return;
    m_enabled->setChecked(limiter.enabled != 0);
    m_threshold.show(double(limiter.threshold));
    m_ratio.show(double(limiter.ratio));
    m_attack.show(double(limiter.attack));
    m_decay.show(double(limiter.decay));
    m_graph->setActive(limiter.enabled != 0);
    m_graph->setThreshold(m_threshold.value());
    m_graph->setRatio(m_ratio.value());
}

void LimiterWidget::loadChannel(int channel)
{
    loadLimiter(channel, m_side == BlockEdits::Side::Input ? model().input(channel).limiter
                                                           : model().output(channel).limiter);
}

void LimiterWidget::edited()
{
    DataModel::Limiter r = record();
    emit dataChanged(uchar(channel()), &r);
}

// --- the controls

void LimiterWidget::channelButtonGroupButtonClicked(int id)
{
    setChannel(id);
}

void LimiterWidget::enabledButtonClicked(bool checked)
{
    m_graph->setActive(checked);
    edited();
}

void LimiterWidget::thresholdEditEditingFinished()
{
    if (!m_threshold.finishEdit())
        return;
    m_threshold.show(m_threshold.typed());
    m_graph->setThreshold(m_threshold.value());
    edited();
}

void LimiterWidget::thresholdKnobValueChanged(int value)
{
    m_threshold.show(m_threshold.turnedTo(value));
    m_graph->setThreshold(m_threshold.value());
    edited();
}

void LimiterWidget::ratioEditEditingFinished()
{
    if (!m_ratio.finishEdit())
        return;
    m_ratio.show(m_ratio.typed());
    m_graph->setRatio(m_ratio.value());
    edited();
}

void LimiterWidget::ratioKnobValueChanged(int value)
{
    m_ratio.show(m_ratio.turnedTo(value));
    m_graph->setRatio(m_ratio.value());
    edited();
}

void LimiterWidget::attackEditEditingFinished()
{
    if (!m_attack.finishEdit())
        return;
    m_attack.show(m_attack.typed());
    edited();
}

void LimiterWidget::attackKnobValueChanged(int value)
{
    m_attack.show(m_attack.turnedTo(value));
    edited();
}

void LimiterWidget::decayEditEditingFinished()
{
    if (!m_decay.finishEdit())
        return;
    m_decay.show(m_decay.typed());
    edited();
}

void LimiterWidget::decayKnobValueChanged(int value)
{
    m_decay.show(m_decay.turnedTo(value));
    edited();
}

// --- the graph

void LimiterWidget::limiterGraphThresholdChanged(double threshold)
{
    m_threshold.show(threshold);
    edited();
}

void LimiterWidget::limiterGraphRatioChanged(double ratio)
{
    m_ratio.show(ratio);
    edited();
}

// --- copy and reset

void LimiterWidget::copyToButtonClicked()
{
    // The USB record output has no limiter of its own.
    CopyTargets targets;
    targets.withUsbRecord = false;
    askCopyTargets(tr("Limiter Copy"), targets, [this](uchar source, uint inputs, uint outputs) {
        emit channelCopy(source, inputs, outputs);
    });
}

void LimiterWidget::resetButtonClicked()
{
    askReset(tr("Are you sure that you want to reset the limiter of the selected channel?"),
             [this](uchar channel) { emit channelReset(channel); });
}
