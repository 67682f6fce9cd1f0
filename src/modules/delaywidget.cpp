#include "delaywidget.h"

#include "datamodel.h"
#include "delayvalues.h"
#include "editorcontrols.h"
#include "knob.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace delayvalues;
using namespace editorcontrols;
using Event = ReportRouter::Event;

namespace {

constexpr int kBoxWidth = 84;

QDoubleSpinBox* box(QWidget* parent, const QString& name, int channel, double maximum, int decimals)
{
    auto* b = new QDoubleSpinBox(parent);
    b->setObjectName(name + QString::number(channel));
    b->setProperty("channel", channel);
    b->setDecimals(decimals);
    b->setRange(0.0, maximum);
    b->setSingleStep(decimals == kMsDecimals ? 0.01 : 0.001);
    b->setAlignment(Qt::AlignCenter);
    b->setFixedWidth(kBoxWidth);
    // A typed value counts once it is finished, not at every key.
    b->setKeyboardTracking(false);
    return b;
}

} // namespace

// The input instance is never shown in the page stack; it shares the output page's number,
// which only a shown page writes to the model.
DelayWidget::DelayWidget(DataModel& model, ReportRouter& router, BlockEdits::Side side,
                         QWidget* parent)
    : ModulePage(model, router, EditorPage::OutputDelay, Channels::None, parent), m_side(side)
{
    setObjectName(input() ? QStringLiteral("inDelayWidget") : QStringLiteral("outDelayWidget"));
    m_columns.resize(BlockEdits::channelCount(side));
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int ch = 0; ch < m_columns.size(); ++ch) {
        buildColumn(ch);
        row->addWidget(m_columns[ch].frame);
    }
    row->addStretch();
    pageLayout()->addLayout(row);
    pageLayout()->addStretch();

    subscribe(input() ? wire::code::InputDelay : wire::code::OutputDelay, [this](const Event& e) {
        if (e.channel < m_columns.size()) {
            loadDelay(e.channel);
            return;
        }
        for (int ch = 0; ch < m_columns.size(); ++ch)
            loadDelay(ch);
    });
    subscribe(input() ? wire::code::InputLabels : wire::code::OutputLabels,
              [this](const Event&) { refreshNames(); });
    retranslate();
    for (int ch = 0; ch < m_columns.size(); ++ch)
        loadDelay(ch);
}

void DelayWidget::buildColumn(int ch)
{
    const Limits limit = limits(input());
    Column& c = m_columns[ch];
    c.frame = new QFrame(this);
    c.frame->setObjectName(QStringLiteral("channelColumn"));
    auto* layout = new QVBoxLayout(c.frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    c.name = new QLabel(c.frame);
    c.name->setObjectName(QStringLiteral("channelName"));
    c.name->setAlignment(Qt::AlignCenter);
    c.msLabel = new QLabel(c.frame);
    c.metresLabel = new QLabel(c.frame);
    c.feetLabel = new QLabel(c.frame);
    c.ms = box(c.frame, QStringLiteral("millisecondsBox"), ch, limit.ms, kMsDecimals);
    c.metres = box(c.frame, QStringLiteral("metersBox"), ch, limit.metres, kDistanceDecimals);
    c.feet = box(c.frame, QStringLiteral("feetBox"), ch, limit.feet, kDistanceDecimals);
    c.knob = valueKnob(c.frame, QStringLiteral("delayKnob"), 0, limit.knob, ch);
    c.knob->setStep(kKnobStepsPerMs);
    c.knob->setSteps(1, 10 * kKnobStepsPerMs);

    layout->addWidget(c.name);
    for (auto [label, spin] : {std::pair<QLabel*, QDoubleSpinBox*>{c.msLabel, c.ms},
                               {c.metresLabel, c.metres},
                               {c.feetLabel, c.feet}}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
        layout->addWidget(spin, 0, Qt::AlignHCenter);
    }
    layout->addWidget(c.knob, 0, Qt::AlignHCenter);

    using Box = QDoubleSpinBox;
    connect(c.ms, qOverload<double>(&Box::valueChanged), this,
            &DelayWidget::millisecondsBoxValueChanged);
    connect(c.metres, qOverload<double>(&Box::valueChanged), this,
            &DelayWidget::metersBoxValueChanged);
    connect(c.feet, qOverload<double>(&Box::valueChanged), this, &DelayWidget::feetBoxValueChanged);
    connect(c.knob, &Knob::valueChanged, this, &DelayWidget::delayKnobValueChanged);
}

void DelayWidget::retranslate()
{
    ModulePage::retranslate();
    for (Column& c : m_columns) {
        c.msLabel->setText(tr("Time (ms)"));
        c.metresLabel->setText(tr("Distance (m)"));
        c.feetLabel->setText(tr("Distance (ft)"));
    }
    refreshNames();
}

void DelayWidget::refreshNames()
{
    for (int ch = 0; ch < m_columns.size(); ++ch)
        m_columns[ch].name->setText(input() ? inputName(model(), ch) : outputName(model(), ch));
}

void DelayWidget::applyProfile()
{
    for (int ch = 0; ch < m_columns.size(); ++ch)
        m_columns[ch].frame->setVisible(input() ? profile().inputShown(ch)
                                                : profile().outputShown(ch));
    refreshNames();
}

void DelayWidget::loadDelay(int channel)
{
    if (channel < 0 || channel >= m_columns.size())
        return;
    show(channel, double(input() ? model().input(channel).delay : model().output(channel).delay));
}

void DelayWidget::show(int channel, double ms)
{
    Column& c = m_columns[channel];
    const QSignalBlocker blockMs(c.ms);
    const QSignalBlocker blockMetres(c.metres);
    const QSignalBlocker blockFeet(c.feet);
    c.ms->setValue(ms);
    c.metres->setValue(metresFromMs(ms));
    c.feet->setValue(feetFromMs(ms));
    c.knob->setValue(knobFromMs(ms));
}

void DelayWidget::changed(int channel, double ms)
{
    if (channel < 0 || channel >= m_columns.size())
        return;
    show(channel, ms);
    emit dataChanged(uchar(channel), float(ms));
}

void DelayWidget::millisecondsBoxValueChanged(double value)
{
    changed(channelOf(sender()), msFromMs(value, input()));
}

void DelayWidget::metersBoxValueChanged(double value)
{
    changed(channelOf(sender()), msFromMetres(value, input()));
}

void DelayWidget::feetBoxValueChanged(double value)
{
    changed(channelOf(sender()), msFromFeet(value, input()));
}

void DelayWidget::delayKnobValueChanged(int value)
{
    changed(channelOf(sender()), msFromKnob(value, input()));
}
