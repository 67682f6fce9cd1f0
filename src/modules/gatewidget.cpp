#include "gatewidget.h"

#include "editorcontrols.h"
#include "knob.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace parameters = dynamics::parameters;
using Event = ReportRouter::Event;

namespace {

// Rows of the grid; the captions stand in column 0, the channels from column 1 on.
enum Row
{
    NameRow,
    EnabledRow,
    StateRow,
    ThresholdEditRow,
    ThresholdKnobRow,
    AttackEditRow,
    AttackKnobRow,
    DecayEditRow,
    DecayKnobRow,
    BottomRow, // room under the last knob inside the column's frame
    RowCount
};

constexpr int kColumnWidth = 74;
constexpr int kNameHeight = 28;
constexpr int kIndicatorSize = 12;

// Style sheets tell the states apart by the property; a widget is repolished to show a change.
void setStatus(QWidget* w, bool on)
{
    const QString status = on ? QStringLiteral("1") : QStringLiteral("0");
    if (w->property("status").toString() == status)
        return;
    w->setProperty("status", status);
    w->style()->unpolish(w);
    w->style()->polish(w);
    w->update();
}

} // namespace

GateWidget::Column::Column(QWidget* parent)
    : frame(new QFrame(parent)), name(new QLabel(parent)), enabled(new QPushButton(parent)),
      state(new QLabel(parent)), threshold(parameters::GateThreshold, parent),
      attack(parameters::GateAttack, parent), decay(parameters::GateDecay, parent)
{}

GateWidget::GateWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : ModulePage(model, router, EditorPage::Gate, Channels::None, parent), m_edits(model)
{
    setObjectName(QStringLiteral("gateWidget"));
    m_columnsPane = new QWidget(this);
    m_columnsPane->setObjectName(QStringLiteral("gateColumns"));
    m_grid = new QGridLayout(m_columnsPane);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(8);

    m_stateLabel = new QLabel(m_columnsPane);
    m_thresholdLabel = new QLabel(m_columnsPane);
    m_attackLabel = new QLabel(m_columnsPane);
    m_decayLabel = new QLabel(m_columnsPane);
    m_grid->addWidget(m_stateLabel, StateRow, 0);
    m_grid->addWidget(m_thresholdLabel, ThresholdEditRow, 0, 2, 1);
    m_grid->addWidget(m_attackLabel, AttackEditRow, 0, 2, 1);
    m_grid->addWidget(m_decayLabel, DecayEditRow, 0, 2, 1);
    m_grid->setRowMinimumHeight(NameRow, kNameHeight);
    m_grid->setRowMinimumHeight(BottomRow, 0);

    m_columns.reserve(std::size_t(wire::kInputStrips));
    for (int ch = 0; ch < wire::kInputStrips; ++ch)
        addColumn(ch);

    auto* row = new QHBoxLayout;
    row->addWidget(m_columnsPane);
    row->addStretch(1);
    pageLayout()->addLayout(row);
    pageLayout()->addStretch(1);

    subscribe(wire::code::Gate, [this](const Event& e) {
        if (DynamicsEdits::validChannel(e.channel))
            showGate(e.channel);
    });
    subscribe(wire::code::GateStates, [this](const Event& e) {
        if (e.channel == 255) {
            for (int ch = 0; ch < columnCount(); ++ch)
                loadGateState(ch, this->model().input(ch).gateState);
        } else if (DynamicsEdits::validChannel(e.channel)) {
            loadGateState(e.channel, this->model().input(e.channel).gateState);
        }
    });
    subscribe(wire::code::InputLabels, [this](const Event& e) {
        if (e.channel == 255) {
            for (int ch = 0; ch < columnCount(); ++ch)
                refreshLabel(ch);
        } else {
            refreshLabel(e.channel);
        }
    });

    retranslate();
    reload();
}

void GateWidget::addColumn(int channel)
{
    m_columns.emplace_back(m_columnsPane);
    Column& c = m_columns.back();
    const QString name = QString::number(channel);
    const int col = channel + 1;
    c.frame->setObjectName(QStringLiteral("gateColumn"));
    m_grid->addWidget(c.frame, NameRow, col, RowCount, 1);

    c.name->setObjectName(name);
    c.name->setAlignment(Qt::AlignCenter);
    c.name->setFixedWidth(kColumnWidth - 8);
    m_grid->addWidget(c.name, NameRow, col, Qt::AlignCenter);

    c.enabled->setObjectName(name);
    c.enabled->setCheckable(true);
    c.enabled->setFocusPolicy(Qt::TabFocus);
    c.enabled->setMinimumWidth(kColumnWidth - 8);
    m_grid->addWidget(c.enabled, EnabledRow, col, Qt::AlignCenter);
    connect(c.enabled, &QPushButton::clicked, this, &GateWidget::enabledButtonClicked);

    c.state->setObjectName(name);
    c.state->setFixedSize(kIndicatorSize, kIndicatorSize);
    setStatus(c.state, false);
    m_grid->addWidget(c.state, StateRow, col, Qt::AlignCenter);

    const auto place = [&](DynamicsParameter& p, int editRow) {
        p.edit()->setObjectName(name);
        p.knob()->setObjectName(name);
        m_grid->addWidget(p.edit(), editRow, col, Qt::AlignCenter);
        m_grid->addWidget(p.knob(), editRow + 1, col, Qt::AlignCenter);
    };
    place(c.threshold, ThresholdEditRow);
    place(c.attack, AttackEditRow);
    place(c.decay, DecayEditRow);
    connect(c.threshold.edit(), &QLineEdit::editingFinished, this,
            &GateWidget::thresholdEditEditingFinished);
    connect(c.threshold.knob(), &Knob::valueChanged, this, &GateWidget::thresholdKnobValueChanged);
    connect(c.attack.edit(), &QLineEdit::editingFinished, this,
            &GateWidget::attackEditEditingFinished);
    connect(c.attack.knob(), &Knob::valueChanged, this, &GateWidget::attackKnobValueChanged);
    connect(c.decay.edit(), &QLineEdit::editingFinished, this,
            &GateWidget::decayEditEditingFinished);
    connect(c.decay.knob(), &Knob::valueChanged, this, &GateWidget::decayKnobValueChanged);

    // The factory values until the channel is loaded.
    loadGate(channel, model::InputChannel{}.gate);
}

void GateWidget::retranslate()
{
    ModulePage::retranslate();
    m_stateLabel->setText(tr("State"));
    m_thresholdLabel->setText(editorcontrols::withUnit(tr("Threshold"), tr("(dB)")));
    m_attackLabel->setText(editorcontrols::withUnit(tr("Attack"), tr("(ms)")));
    m_decayLabel->setText(editorcontrols::withUnit(tr("Decay"), tr("(ms)")));
    for (int ch = 0; ch < int(m_columns.size()); ++ch) {
        Column& c = m_columns[std::size_t(ch)];
        c.enabled->setText(tr("Enabled"));
        const QString input = tr("IN %1").arg(ch + 1);
        editorcontrols::nameForScreenReaders(c.threshold.knob(), c.threshold.edit(),
                                             tr("%1 Gate Threshold").arg(input), tr("dB"));
        editorcontrols::nameForScreenReaders(c.attack.knob(), c.attack.edit(),
                                             tr("%1 Gate Attack").arg(input), tr("ms"));
        editorcontrols::nameForScreenReaders(c.decay.knob(), c.decay.edit(),
                                             tr("%1 Gate Decay").arg(input), tr("ms"));
    }
    updateColumnWidths();
}

void GateWidget::updateColumnWidths()
{
    // Wide enough for the switch's text, with a margin inside the column's frame; a hidden
    // column takes no room.
    int width = kColumnWidth;
    for (const Column& c : m_columns)
        width = std::max(width, c.enabled->sizeHint().width() + 8);
    for (int ch = 0; ch < columnCount(); ++ch)
        m_grid->setColumnMinimumWidth(ch + 1, profile().inputShown(ch) ? width : 0);
}

// --- loaders

void GateWidget::loadGate(int channel, const DataModel::Gate& gate)
{
    if (!DynamicsEdits::validChannel(channel))
        return;
    Column& c = m_columns[std::size_t(channel)];
    c.enabled->setChecked(gate.enabled != 0);
    c.threshold.show(double(gate.threshold));
    c.attack.show(double(gate.attack));
    c.decay.show(double(gate.decay));
}

void GateWidget::loadGateState(int channel, bool active)
{
    if (DynamicsEdits::validChannel(channel))
        setStatus(m_columns[std::size_t(channel)].state, active);
}

void GateWidget::setChannelLabel(int channel, const QString& text, const QString& toolTip)
{
    if (!DynamicsEdits::validChannel(channel))
        return;
    QLabel* name = m_columns[std::size_t(channel)].name;
    // A long label is cut to the column, the whole of it in the tooltip.
    name->setText(name->fontMetrics().elidedText(text, Qt::ElideRight, name->width()));
    if (name->text() == text)
        name->setToolTip(toolTip);
    else
        name->setToolTip(toolTip.isEmpty() ? text : text + QLatin1Char('\n') + toolTip);
}

void GateWidget::showGate(int channel)
{
    loadGate(channel, model().input(channel).gate);
}

void GateWidget::refreshLabel(int channel)
{
    if (!DynamicsEdits::validChannel(channel))
        return;
    const QString name = model::withoutLineBreaks(model().input(channel).defaultName);
    const QString label = model::withoutLineBreaks(model().input(channel).label);
    if (label.isEmpty() || label == name)
        setChannelLabel(channel, name, QString());
    else
        setChannelLabel(channel, label, name);
}

void GateWidget::loadChannel(int)
{
    for (int ch = 0; ch < columnCount(); ++ch) {
        refreshLabel(ch);
        showGate(ch);
        loadGateState(ch, model().input(ch).gateState);
    }
}

void GateWidget::applyProfile()
{
    for (int ch = 0; ch < columnCount(); ++ch) {
        const bool shown = profile().inputShown(ch);
        Column& c = m_columns[std::size_t(ch)];
        QWidget* const widgets[] = {c.frame,
                                    c.name,
                                    c.enabled,
                                    c.state,
                                    c.threshold.edit(),
                                    c.threshold.knob(),
                                    c.attack.edit(),
                                    c.attack.knob(),
                                    c.decay.edit(),
                                    c.decay.knob()};
        for (QWidget* w : widgets)
            w->setVisible(shown);
    }
    updateColumnWidths();
    // The model names its channels after the profile.
    for (int ch = 0; ch < columnCount(); ++ch)
        refreshLabel(ch);
}

// --- edits

int GateWidget::senderChannel() const
{
    const QObject* s = sender();
    if (!s)
        return -1;
    bool ok = false;
    const int channel = s->objectName().toInt(&ok);
    return ok && DynamicsEdits::validChannel(channel) ? channel : -1;
}

void GateWidget::enabledButtonClicked(bool checked)
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    m_edits.setGateEnabled(ch, checked);
    showGate(ch);
}

void GateWidget::thresholdEditEditingFinished()
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    DynamicsParameter& p = m_columns[std::size_t(ch)].threshold;
    if (!p.finishEdit())
        return;
    m_edits.setGateThreshold(ch, float(p.typed()));
    showGate(ch);
}

void GateWidget::thresholdKnobValueChanged(int value)
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    m_edits.setGateThreshold(ch, float(m_columns[std::size_t(ch)].threshold.turnedTo(value)));
    showGate(ch);
}

void GateWidget::attackEditEditingFinished()
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    DynamicsParameter& p = m_columns[std::size_t(ch)].attack;
    if (!p.finishEdit())
        return;
    m_edits.setGateAttack(ch, float(p.typed()));
    showGate(ch);
}

void GateWidget::attackKnobValueChanged(int value)
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    m_edits.setGateAttack(ch, float(m_columns[std::size_t(ch)].attack.turnedTo(value)));
    showGate(ch);
}

void GateWidget::decayEditEditingFinished()
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    DynamicsParameter& p = m_columns[std::size_t(ch)].decay;
    if (!p.finishEdit())
        return;
    m_edits.setGateDecay(ch, float(p.typed()));
    showGate(ch);
}

void GateWidget::decayKnobValueChanged(int value)
{
    const int ch = senderChannel();
    if (ch < 0)
        return;
    m_edits.setGateDecay(ch, float(m_columns[std::size_t(ch)].decay.turnedTo(value)));
    showGate(ch);
}
