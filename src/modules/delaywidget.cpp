#include "delaywidget.h"

#include "datamodel.h"
#include "delayvalues.h"
#include "editorcontrols.h"
#include "knob.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

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
    // The captions once at the left, a column per channel after them.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    m_msLabel = new QLabel(this);
    m_metresLabel = new QLabel(this);
    m_feetLabel = new QLabel(this);
    grid->addWidget(m_msLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(m_metresLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(m_feetLabel, 3, 0, Qt::AlignRight);
    for (int ch = 0; ch < m_columns.size(); ++ch)
        buildColumn(grid, ch);
    grid->setColumnStretch(int(m_columns.size()) + 1, 1);
    pageLayout()->addLayout(grid);
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

void DelayWidget::buildColumn(QGridLayout* grid, int ch)
{
    const Limits limit = limits(input());
    Column& c = m_columns[ch];
    c.name = new QLabel(this);
    c.name->setObjectName(QStringLiteral("channelName"));
    c.name->setAlignment(Qt::AlignCenter);
    c.ms = box(this, QStringLiteral("millisecondsBox"), ch, limit.ms, kMsDecimals);
    c.metres = box(this, QStringLiteral("metersBox"), ch, limit.metres, kDistanceDecimals);
    c.feet = box(this, QStringLiteral("feetBox"), ch, limit.feet, kDistanceDecimals);
    c.knob = valueKnob(this, QStringLiteral("delayKnob"), 0, limit.knob, ch);
    c.knob->setStep(kKnobStepsPerMs);
    c.knob->setSteps(1, 10 * kKnobStepsPerMs);
    const int column = ch + 1;
    grid->addWidget(c.name, 0, column, Qt::AlignHCenter);
    grid->addWidget(c.ms, 1, column);
    grid->addWidget(c.metres, 2, column);
    grid->addWidget(c.feet, 3, column);
    grid->addWidget(c.knob, 4, column, Qt::AlignHCenter);

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
    m_msLabel->setText(tr("Time (ms)"));
    m_metresLabel->setText(tr("Distance (m)"));
    m_feetLabel->setText(tr("Distance (ft)"));
    refreshNames();
}

void DelayWidget::refreshNames()
{
    for (int ch = 0; ch < m_columns.size(); ++ch) {
        const QString name = input() ? inputName(model(), ch) : outputName(model(), ch);
        setName(m_columns[ch].name, name, kBoxWidth);
        // Screen readers hear the knob as the time it sets.
        QDoubleSpinBox* ms = m_columns[ch].ms;
        m_columns[ch].knob->setAccessibleName(tr("%1 Delay").arg(name));
        m_columns[ch].knob->setValueText([ms](int) { return ms->text() + QStringLiteral(" ms"); });
    }
}

void DelayWidget::applyProfile()
{
    for (int ch = 0; ch < m_columns.size(); ++ch) {
        const bool shown = input() ? profile().inputShown(ch) : profile().outputShown(ch);
        const Column& c = m_columns[ch];
        for (QWidget* w : std::initializer_list<QWidget*>{c.name, c.ms, c.metres, c.feet, c.knob})
            w->setVisible(shown);
    }
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
