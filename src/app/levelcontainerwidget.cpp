#include "levelcontainerwidget.h"

#include "datamodel.h"
#include "dragscrollarea.h"
#include "levelwidget.h"
#include "splitter.h"
#include "systemsettings.h"
#include "wire/commands.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSplitterKey = QStringLiteral("LevelSplitterState");
constexpr float kTop = 12.0f;
constexpr float kUsbPlayTop = 0.0f;
// Inputs 1 and 2 in this input mode are one stereo channel.
constexpr quint32 kStereoInputMode = 2;

QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

// A fader range reported by the unit within the strip's limits; a reversed range is read the
// way the unit reads it.
std::pair<float, float> stripRange(float reportedMin, float reportedMax, float top)
{
    float lo = std::min(reportedMin, reportedMax);
    float hi = std::max(reportedMin, reportedMax);
    hi = std::clamp(hi, wire::kFaderBottom, top);
    lo = std::clamp(lo, wire::kFaderBottom, hi);
    return {lo, hi};
}

int visibleCount(quint32 hidden, int count)
{
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += (hidden >> i) & 1u ? 0 : 1;
    return n;
}

} // namespace

LevelContainerWidget::LevelContainerWidget(QWidget* parent) : QFrame(parent)
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

    if (const SystemSettings* settings = SystemSettings::instance()) {
        const QByteArray state = settings->value(kSplitterKey);
        m_splitterRestored = !state.isEmpty() && m_splitter->restoreState(state);
    }
    applyDeviceVersion(0, 0, 0, 0);
}

LevelContainerWidget::~LevelContainerWidget()
{
    if (SystemSettings* settings = SystemSettings::instance())
        settings->setValue(kSplitterKey, m_splitter->saveState());
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
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kInputStrips)
        return wire::kFaderBottom;
    const auto& in = model->input(channel);
    return stripRange(in.faderMin, in.faderMax, channel == m_usbPlayInput ? kUsbPlayTop : kTop)
        .first;
}

float LevelContainerWidget::inputFaderMaximum(int channel) const
{
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kInputStrips)
        return kTop;
    const auto& in = model->input(channel);
    return stripRange(in.faderMin, in.faderMax, channel == m_usbPlayInput ? kUsbPlayTop : kTop)
        .second;
}

float LevelContainerWidget::outputFaderMinimum(int channel) const
{
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kOutputStrips)
        return wire::kFaderBottom;
    const auto& out = model->output(channel);
    return stripRange(out.faderMin, out.faderMax, kTop).first;
}

float LevelContainerWidget::outputFaderMaximum(int channel) const
{
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kOutputStrips)
        return kTop;
    const auto& out = model->output(channel);
    return stripRange(out.faderMin, out.faderMax, kTop).second;
}

// --- followers

QVector<int> LevelContainerWidget::inputFollowers(int channel, bool withGroup) const
{
    QVector<int> followers;
    const DataModel* model = DataModel::instance();
    if (!model)
        return followers;
    const quint8 group = model->input(channel).levelGroup;
    if (withGroup && group != 0) {
        for (int i = 0; i < kInputStrips; ++i) {
            if (i != channel && model->input(i).levelGroup == group)
                followers << i;
        }
    }
    if ((channel == 0 || channel == 1) && model->input(channel).inputMode == kStereoInputMode) {
        const int partner = 1 - channel;
        if (!followers.contains(partner))
            followers << partner;
    }
    return followers;
}

QVector<int> LevelContainerWidget::outputFollowers(int channel) const
{
    QVector<int> followers;
    const DataModel* model = DataModel::instance();
    if (!model)
        return followers;
    const quint8 group = model->output(channel).levelGroup;
    if (group == 0)
        return followers;
    for (int i = 0; i < kOutputStrips; ++i) {
        if (i != channel && model->output(i).levelGroup == group)
            followers << i;
    }
    return followers;
}

// --- input changes

void LevelContainerWidget::preLevelWidgetGroupChanged(uchar channel, uchar group)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kInputStrips)
        return;
    for (int partner : inputFollowers(channel, false)) {
        model->input(partner).levelGroup = group;
        m_inputs->setGroup(partner, group);
    }
    model->input(channel).levelGroup = group;
    wire::deliver(*model, wire::cmd::inputLevelGroup(channel, group));
}

void LevelContainerWidget::preLevelWidgetInvertChanged(uchar channel, bool on)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kInputStrips)
        return;
    model->input(channel).levelInvert = on;
    for (int i : inputFollowers(channel, true)) {
        if (model->input(i).levelInvert != on) {
            model->input(i).levelInvert = on;
            m_inputs->setInvert(i, on);
        }
    }
    wire::deliver(*model, wire::cmd::inputLevelInvert(channel, on));
}

void LevelContainerWidget::preLevelWidgetMuteChanged(uchar channel, bool on)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kInputStrips)
        return;
    model->input(channel).levelMute = on;
    emit preLevelMuteChanged(channel, on);
    for (int i : inputFollowers(channel, true)) {
        if (model->input(i).levelMute != on) {
            model->input(i).levelMute = on;
            m_inputs->setMute(i, on);
            emit preLevelMuteChanged(uchar(i), on);
        }
    }
    wire::deliver(*model, wire::cmd::inputLevelMute(channel, on));
}

void LevelContainerWidget::preLevelWidgetGainChanged(uchar channel, float dB)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kInputStrips)
        return;
    const float x = std::clamp(dB, inputFaderMinimum(channel), inputFaderMaximum(channel));
    if (x != dB)
        m_inputs->setGain(channel, x);
    bool changed = model->input(channel).levelGain != x;
    model->input(channel).levelGain = x;
    emit preLevelGainChanged(channel, x);
    for (int i : inputFollowers(channel, true)) {
        // Each follower stays inside its own range.
        const float y = std::clamp(x, inputFaderMinimum(i), inputFaderMaximum(i));
        if (model->input(i).levelGain != y) {
            model->input(i).levelGain = y;
            m_inputs->setGain(i, y);
            emit preLevelGainChanged(uchar(i), y);
            changed = true;
        }
    }
    // Leaving the edit without changing it, or a wheel turn at the end of the range, is not a
    // new value for the unit.
    if (changed)
        wire::deliver(*model, wire::cmd::inputLevelGain(channel, x));
}

// --- output changes

void LevelContainerWidget::outLevelWidgetGroupChanged(uchar channel, uchar group)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kOutputStrips)
        return;
    model->output(channel).levelGroup = group;
    wire::deliver(*model, wire::cmd::outputLevelGroup(channel, group));
}

void LevelContainerWidget::outLevelWidgetInvertChanged(uchar channel, bool on)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kOutputStrips)
        return;
    model->output(channel).levelInvert = on;
    for (int i : outputFollowers(channel)) {
        if (model->output(i).levelInvert != on) {
            model->output(i).levelInvert = on;
            m_outputs->setInvert(i, on);
        }
    }
    wire::deliver(*model, wire::cmd::outputLevelInvert(channel, on));
}

void LevelContainerWidget::outLevelWidgetMuteChanged(uchar channel, bool on)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kOutputStrips)
        return;
    model->output(channel).levelMute = on;
    emit outLevelMuteChanged(channel, on);
    for (int i : outputFollowers(channel)) {
        if (model->output(i).levelMute != on) {
            model->output(i).levelMute = on;
            m_outputs->setMute(i, on);
            emit outLevelMuteChanged(uchar(i), on);
        }
    }
    wire::deliver(*model, wire::cmd::outputLevelMute(channel, on));
}

void LevelContainerWidget::outLevelWidgetGainChanged(uchar channel, float dB)
{
    DataModel* model = DataModel::instance();
    if (!model || channel >= kOutputStrips)
        return;
    const float x = std::clamp(dB, outputFaderMinimum(channel), outputFaderMaximum(channel));
    if (x != dB)
        m_outputs->setGain(channel, x);
    bool changed = model->output(channel).levelGain != x;
    model->output(channel).levelGain = x;
    emit outLevelGainChanged(channel, x);
    for (int i : outputFollowers(channel)) {
        const float y = std::clamp(x, outputFaderMinimum(i), outputFaderMaximum(i));
        if (model->output(i).levelGain != y) {
            model->output(i).levelGain = y;
            m_outputs->setGain(i, y);
            emit outLevelGainChanged(uchar(i), y);
            changed = true;
        }
    }
    if (changed)
        wire::deliver(*model, wire::cmd::outputLevelGain(channel, x));
}

// --- the USB record/playback dialog

void LevelContainerWidget::onPlayGainChanged(float dB)
{
    if (m_usbPlayInput >= 0)
        m_inputs->setGain(m_usbPlayInput, dB);
}

void LevelContainerWidget::onRecordGainChanged(float dB)
{
    if (m_usbRecordOutput >= 0)
        m_outputs->setGain(m_usbRecordOutput, dB);
}

void LevelContainerWidget::onPlayMuteChanged(bool on)
{
    if (m_usbPlayInput >= 0)
        m_inputs->setMute(m_usbPlayInput, on);
}

void LevelContainerWidget::onRecordMuteChanged(bool on)
{
    if (m_usbRecordOutput >= 0)
        m_outputs->setMute(m_usbRecordOutput, on);
}

// --- refresh from the model

void LevelContainerWidget::refreshInputMute(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kInputStrips)
        m_inputs->setMute(channel, model->input(channel).levelMute);
}

void LevelContainerWidget::refreshInputGain(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kInputStrips)
        m_inputs->setGain(channel, model->input(channel).levelGain);
}

void LevelContainerWidget::refreshInputInvert(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kInputStrips)
        m_inputs->setInvert(channel, model->input(channel).levelInvert);
}

void LevelContainerWidget::refreshInputGroup(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kInputStrips)
        m_inputs->setGroup(channel, model->input(channel).levelGroup);
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
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kOutputStrips)
        m_outputs->setMute(channel, model->output(channel).levelMute);
}

void LevelContainerWidget::refreshOutputGain(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kOutputStrips)
        m_outputs->setGain(channel, model->output(channel).levelGain);
}

void LevelContainerWidget::refreshOutputInvert(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kOutputStrips)
        m_outputs->setInvert(channel, model->output(channel).levelInvert);
}

void LevelContainerWidget::refreshOutputGroup(int channel)
{
    if (const DataModel* model = DataModel::instance();
        model && channel >= 0 && channel < kOutputStrips)
        m_outputs->setGroup(channel, model->output(channel).levelGroup);
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
    const DataModel* model = DataModel::instance();
    if (!model)
        return;
    // The USB play strip shows model inputs u and u + 1; the strips after it are one model
    // input further on.
    const int usb = m_usbPlayInput;
    for (int i = 0; i < kInputStrips; ++i) {
        if (!m_inputs->isStripShown(i))
            continue;
        if (i == usb) {
            m_inputs->setStereoMeterLevels(i, model->input(i).postFaderMeter,
                                           model->input(i + 1).postFaderMeter);
        } else {
            const int source = usb >= 0 && i > usb ? i + 1 : i;
            m_inputs->setMeterLevel(i, model->input(source).postFaderMeter);
        }
    }
}

void LevelContainerWidget::refreshOutputMeters()
{
    const DataModel* model = DataModel::instance();
    if (!model)
        return;
    for (int i = 0; i < kOutputStrips; ++i) {
        if (m_outputs->isStripShown(i))
            m_outputs->setMeterLevel(i, model->output(i).postFaderMeter);
    }
}

void LevelContainerWidget::refreshInputLabel(int channel)
{
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kInputStrips)
        return;
    if (m_inputs->isStripShown(channel))
        m_inputs->setName(channel, withoutLineBreaks(model->input(channel).defaultName),
                          model->input(channel).label);
    else
        m_inputs->setName(channel, QString(), QString());
}

void LevelContainerWidget::refreshOutputLabel(int channel)
{
    const DataModel* model = DataModel::instance();
    if (!model || channel < 0 || channel >= kOutputStrips)
        return;
    if (m_outputs->isStripShown(channel))
        m_outputs->setName(channel, withoutLineBreaks(model->output(channel).defaultName),
                           model->output(channel).label);
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

void LevelContainerWidget::applyDeviceVersion(quint32 hiddenInputs, quint32 hiddenOutputs,
                                              quint32 danteInputs, quint32 danteOutputs)
{
    m_hiddenInputs = hiddenInputs;
    m_hiddenOutputs = hiddenOutputs;
    m_danteInputs = danteInputs;
    m_danteOutputs = danteOutputs;
    const SystemSettings* settings = SystemSettings::instance();
    const bool usb = settings && settings->usbPresent();
    m_usbPlayInput = usb ? settings->usbPlayInput() : -1;
    m_usbRecordOutput = usb ? settings->usbRecordOutput() : -1;

    for (int i = 0; i < kInputStrips; ++i) {
        m_inputs->setStripVisible(i, !((hiddenInputs >> i) & 1u));
        m_inputs->setSecondMeterVisible(i, i == m_usbPlayInput);
    }
    for (int i = 0; i < kOutputStrips; ++i)
        m_outputs->setStripVisible(i, !((hiddenOutputs >> i) & 1u));
    refreshAll();

    // Without a stored layout the two rows share the width by their number of strips.
    if (!m_splitterRestored) {
        const int step = LevelWidget::kStripWidth + 2;
        m_splitter->setSizes({std::max(1, visibleCount(hiddenInputs, kInputStrips)) * step,
                              std::max(1, visibleCount(hiddenOutputs, kOutputStrips)) * step});
    }
}
