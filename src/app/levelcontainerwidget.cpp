#include "levelcontainerwidget.h"

#include "datamodel.h"
#include "dragscrollarea.h"
#include "levelwidget.h"
#include "reportrouter.h"
#include "splitter.h"
#include "systemsettings.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSplitterKey = QStringLiteral("LevelSplitterState");

int visibleCount(quint32 hidden, int count)
{
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += (hidden >> i) & 1u ? 0 : 1;
    return n;
}

} // namespace

LevelContainerWidget::LevelContainerWidget(DataModel& model, ReportRouter& router, QWidget* parent)
    : QFrame(parent), m_model(model), m_router(router), m_edits(model)
{
    setObjectName(QStringLiteral("levelcontainerwidget"));
    setMinimumHeight(274);

    m_inputs = new LevelWidget(kInputStrips, this);
    m_inputs->setObjectName(QStringLiteral("inputLevelWidget"));
    m_outputs = new LevelWidget(kOutputStrips, this);
    m_outputs->setObjectName(QStringLiteral("outputLevelWidget"));

    m_splitter = new Splitter(Qt::Horizontal, this);
    m_splitter->addWidget(buildRow(m_inputs, m_inputArea));
    m_splitter->addWidget(buildRow(m_outputs, m_outputArea));
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    connect(m_inputs, &LevelWidget::groupChanged, this,
            &LevelContainerWidget::preLevelWidgetGroupChanged);
    connect(m_inputs, &LevelWidget::invertChanged, this,
            &LevelContainerWidget::preLevelWidgetInvertChanged);
    connect(m_inputs, &LevelWidget::muteChanged, this,
            &LevelContainerWidget::preLevelWidgetMuteChanged);
    connect(m_inputs, &LevelWidget::gainChanged, this,
            &LevelContainerWidget::preLevelWidgetGainChanged);
    connect(m_outputs, &LevelWidget::groupChanged, this,
            &LevelContainerWidget::outLevelWidgetGroupChanged);
    connect(m_outputs, &LevelWidget::invertChanged, this,
            &LevelContainerWidget::outLevelWidgetInvertChanged);
    connect(m_outputs, &LevelWidget::muteChanged, this,
            &LevelContainerWidget::outLevelWidgetMuteChanged);
    connect(m_outputs, &LevelWidget::gainChanged, this,
            &LevelContainerWidget::outLevelWidgetGainChanged);

    const QByteArray state = SystemSettings::value(kSplitterKey);
    m_splitterRestored = !state.isEmpty() && m_splitter->restoreState(state);
    subscribeToReports();
    setProfile({});
}

LevelContainerWidget::~LevelContainerWidget()
{
    SystemSettings::setValue(kSplitterKey, m_splitter->saveState());
}

void LevelContainerWidget::subscribeToReports()
{
    using namespace wire;
    using Event = ReportRouter::Event;
    m_router.subscribe(this, code::InputPostFaderMeters,
                       [this](const Event&) { refreshInputMeters(); });
    m_router.subscribe(this, code::OutputPostFaderMeters,
                       [this](const Event&) { refreshOutputMeters(); });
    m_router.subscribe(this, code::InputLevelMute,
                       [this](const Event& e) { refreshInputMute(e.channel); });
    m_router.subscribe(this, code::InputLevelGain,
                       [this](const Event& e) { refreshInputGain(e.channel); });
    m_router.subscribe(this, code::InputLevelInvert,
                       [this](const Event& e) { refreshInputInvert(e.channel); });
    m_router.subscribe(this, code::InputLevelGroup,
                       [this](const Event& e) { refreshInputGroup(e.channel); });
    m_router.subscribe(this, code::InputFaderRange,
                       [this](const Event& e) { refreshInputFaderRange(e.channel); });
    m_router.subscribe(this, code::OutputLevelMute,
                       [this](const Event& e) { refreshOutputMute(e.channel); });
    m_router.subscribe(this, code::OutputLevelGain,
                       [this](const Event& e) { refreshOutputGain(e.channel); });
    m_router.subscribe(this, code::OutputLevelInvert,
                       [this](const Event& e) { refreshOutputInvert(e.channel); });
    m_router.subscribe(this, code::OutputLevelGroup,
                       [this](const Event& e) { refreshOutputGroup(e.channel); });
    m_router.subscribe(this, code::OutputFaderRange,
                       [this](const Event& e) { refreshOutputFaderRange(e.channel); });
    m_router.subscribe(this, code::InputLabels,
                       [this](const Event& e) { refreshInputLabel(e.channel); });
    m_router.subscribe(this, code::OutputLabels,
                       [this](const Event& e) { refreshOutputLabel(e.channel); });
}

QWidget* LevelContainerWidget::buildRow(LevelWidget* row, DragScrollArea*& area)
{
    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("levelPane"));
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    area = new DragScrollArea(pane);
    area->setObjectName(QStringLiteral("levelScrollArea"));
    area->setWidget(row);
    auto* bar = new QScrollBar(Qt::Horizontal, pane);
    bar->setVisible(false);
    // The bar shows only while the strips do not fit.
    connect(bar, &QScrollBar::rangeChanged, bar,
            [bar](int minimum, int maximum) { bar->setVisible(maximum > minimum); });
    area->setScrollBars(bar, nullptr);
    layout->addWidget(area, 1);
    layout->addWidget(bar);
    return pane;
}

// --- ranges

float LevelContainerWidget::inputFaderMinimum(int channel) const
{
    return m_edits.inputTravel(channel).min;
}

float LevelContainerWidget::inputFaderMaximum(int channel) const
{
    return m_edits.inputTravel(channel).max;
}

float LevelContainerWidget::outputFaderMinimum(int channel) const
{
    return m_edits.outputTravel(channel).min;
}

float LevelContainerWidget::outputFaderMaximum(int channel) const
{
    return m_edits.outputTravel(channel).max;
}

// --- input changes

void LevelContainerWidget::preLevelWidgetGroupChanged(uchar channel, uchar group)
{
    for (int i : m_edits.setInputGroup(channel, group))
        m_inputs->setGroup(i, group);
}

void LevelContainerWidget::preLevelWidgetInvertChanged(uchar channel, bool on)
{
    for (int i : m_edits.setInputInvert(channel, on))
        m_inputs->setInvert(i, on);
}

void LevelContainerWidget::preLevelWidgetMuteChanged(uchar channel, bool on)
{
    const QVector<int> followers = m_edits.setInputMute(channel, on);
    if (channel >= kInputStrips)
        return;
    emit preLevelMuteChanged(channel, on);
    for (int i : followers) {
        m_inputs->setMute(i, on);
        emit preLevelMuteChanged(uchar(i), on);
    }
}

void LevelContainerWidget::preLevelWidgetGainChanged(uchar channel, float dB)
{
    const QVector<int> followers = m_edits.setInputGain(channel, dB);
    if (channel >= kInputStrips)
        return;
    const float x = m_model.input(channel).levelGain;
    if (x != dB)
        m_inputs->setGain(channel, x);
    emit preLevelGainChanged(channel, x);
    for (int i : followers) {
        m_inputs->setGain(i, m_model.input(i).levelGain);
        emit preLevelGainChanged(uchar(i), m_model.input(i).levelGain);
    }
}

// --- output changes

void LevelContainerWidget::outLevelWidgetGroupChanged(uchar channel, uchar group)
{
    m_edits.setOutputGroup(channel, group);
}

void LevelContainerWidget::outLevelWidgetInvertChanged(uchar channel, bool on)
{
    for (int i : m_edits.setOutputInvert(channel, on))
        m_outputs->setInvert(i, on);
}

void LevelContainerWidget::outLevelWidgetMuteChanged(uchar channel, bool on)
{
    const QVector<int> followers = m_edits.setOutputMute(channel, on);
    if (channel >= kOutputStrips)
        return;
    emit outLevelMuteChanged(channel, on);
    for (int i : followers) {
        m_outputs->setMute(i, on);
        emit outLevelMuteChanged(uchar(i), on);
    }
}

void LevelContainerWidget::outLevelWidgetGainChanged(uchar channel, float dB)
{
    const QVector<int> followers = m_edits.setOutputGain(channel, dB);
    if (channel >= kOutputStrips)
        return;
    const float x = m_model.output(channel).levelGain;
    if (x != dB)
        m_outputs->setGain(channel, x);
    emit outLevelGainChanged(channel, x);
    for (int i : followers) {
        m_outputs->setGain(i, m_model.output(i).levelGain);
        emit outLevelGainChanged(uchar(i), m_model.output(i).levelGain);
    }
}

// --- the USB record/playback dialog

// The USB window changed its channel through the same edits as the strips: its level group and
// linked pair moved with it, so every strip is read again from the model.
void LevelContainerWidget::onPlayGainChanged(float)
{
    for (int i = 0; i < kInputStrips; ++i)
        refreshInputGain(i);
}

void LevelContainerWidget::onRecordGainChanged(float)
{
    for (int i = 0; i < kOutputStrips; ++i)
        refreshOutputGain(i);
}

void LevelContainerWidget::onPlayMuteChanged(bool)
{
    for (int i = 0; i < kInputStrips; ++i)
        refreshInputMute(i);
}

void LevelContainerWidget::onRecordMuteChanged(bool)
{
    for (int i = 0; i < kOutputStrips; ++i)
        refreshOutputMute(i);
}

// --- refresh from the model

void LevelContainerWidget::refreshInputMute(int channel)
{
    if (channel >= 0 && channel < kInputStrips)
        m_inputs->setMute(channel, m_model.input(channel).levelMute);
}

void LevelContainerWidget::refreshInputGain(int channel)
{
    if (channel >= 0 && channel < kInputStrips)
        m_inputs->setGain(channel, m_model.input(channel).levelGain);
}

void LevelContainerWidget::refreshInputInvert(int channel)
{
    if (channel >= 0 && channel < kInputStrips)
        m_inputs->setInvert(channel, m_model.input(channel).levelInvert);
}

void LevelContainerWidget::refreshInputGroup(int channel)
{
    if (channel >= 0 && channel < kInputStrips)
        m_inputs->setGroup(channel, m_model.input(channel).levelGroup);
}

void LevelContainerWidget::refreshInputFaderRange(int channel)
{
    if (channel < 0 || channel >= kInputStrips)
        return;
    m_inputs->setFaderRange(channel, inputFaderMinimum(channel), inputFaderMaximum(channel));
    refreshInputGain(channel);
}

void LevelContainerWidget::refreshOutputMute(int channel)
{
    if (channel >= 0 && channel < kOutputStrips)
        m_outputs->setMute(channel, m_model.output(channel).levelMute);
}

void LevelContainerWidget::refreshOutputGain(int channel)
{
    if (channel >= 0 && channel < kOutputStrips)
        m_outputs->setGain(channel, m_model.output(channel).levelGain);
}

void LevelContainerWidget::refreshOutputInvert(int channel)
{
    if (channel >= 0 && channel < kOutputStrips)
        m_outputs->setInvert(channel, m_model.output(channel).levelInvert);
}

void LevelContainerWidget::refreshOutputGroup(int channel)
{
    if (channel >= 0 && channel < kOutputStrips)
        m_outputs->setGroup(channel, m_model.output(channel).levelGroup);
}

void LevelContainerWidget::refreshOutputFaderRange(int channel)
{
    if (channel < 0 || channel >= kOutputStrips)
        return;
    m_outputs->setFaderRange(channel, outputFaderMinimum(channel), outputFaderMaximum(channel));
    refreshOutputGain(channel);
}

void LevelContainerWidget::refreshInputMeters()
{
    // The USB play strip shows model inputs u and u + 1; the strips after it are one model
    // input further on.
    const int usb = m_profile.usbPlayInput;
    for (int i = 0; i < kInputStrips; ++i) {
        if (!m_inputs->isStripShown(i))
            continue;
        if (i == usb) {
            m_inputs->setStereoMeterLevels(i, m_model.input(i).postFaderMeter,
                                           m_model.input(i + 1).postFaderMeter);
        } else {
            const int source = usb >= 0 && i > usb ? i + 1 : i;
            m_inputs->setMeterLevel(i, m_model.input(source).postFaderMeter);
        }
    }
}

void LevelContainerWidget::refreshOutputMeters()
{
    for (int i = 0; i < kOutputStrips; ++i) {
        if (m_outputs->isStripShown(i))
            m_outputs->setMeterLevel(i, m_model.output(i).postFaderMeter);
    }
}

void LevelContainerWidget::refreshInputLabel(int channel)
{
    if (channel < 0 || channel >= kInputStrips)
        return;
    if (m_inputs->isStripShown(channel))
        m_inputs->setName(channel, model::withoutLineBreaks(m_model.input(channel).defaultName),
                          m_model.input(channel).label);
    else
        m_inputs->setName(channel, QString(), QString());
}

void LevelContainerWidget::refreshOutputLabel(int channel)
{
    if (channel < 0 || channel >= kOutputStrips)
        return;
    if (m_outputs->isStripShown(channel))
        m_outputs->setName(channel, model::withoutLineBreaks(m_model.output(channel).defaultName),
                           m_model.output(channel).label);
    else
        m_outputs->setName(channel, QString(), QString());
}

void LevelContainerWidget::refreshAll()
{
    for (int i = 0; i < kInputStrips; ++i) {
        refreshInputLabel(i);
        refreshInputMute(i);
        refreshInputInvert(i);
        refreshInputGroup(i);
        refreshInputFaderRange(i);
    }
    for (int i = 0; i < kOutputStrips; ++i) {
        refreshOutputLabel(i);
        refreshOutputMute(i);
        refreshOutputInvert(i);
        refreshOutputGroup(i);
        refreshOutputFaderRange(i);
    }
    refreshInputMeters();
    refreshOutputMeters();
}

void LevelContainerWidget::setProfile(const DeviceProfile& profile)
{
    m_profile = profile;
    m_edits.setProfile(profile);
    for (int i = 0; i < kInputStrips; ++i) {
        m_inputs->setStripVisible(i, profile.inputShown(i));
        m_inputs->setSecondMeterVisible(i, i == profile.usbPlayInput);
    }
    for (int i = 0; i < kOutputStrips; ++i)
        m_outputs->setStripVisible(i, profile.outputShown(i));
    refreshAll();

    // Without a stored layout the two rows share the width by their number of strips.
    if (!m_splitterRestored) {
        const int step = LevelWidget::kStripWidth + 2;
        m_splitter->setSizes(
            {std::max(1, visibleCount(profile.hiddenInputs, kInputStrips)) * step,
             std::max(1, visibleCount(profile.hiddenOutputs, kOutputStrips)) * step});
    }
}
