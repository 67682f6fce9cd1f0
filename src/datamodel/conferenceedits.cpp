#include "conferenceedits.h"

#include "datamodel.h"

#include <QCoreApplication>

using namespace wire;

namespace {

bool validInput(int channel)
{
    return channel >= 0 && channel < kAnalogueInputs;
}

// Stores `value` when it differs from `field`.
template <typename T> bool store(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// The settings block: the level, then one flag per input.
constexpr std::size_t kEchoLevelByte = 0;
constexpr std::size_t kEchoFirstMicrophoneByte = 1;

QString stepName(const char* what, int number = -1)
{
    const QString name = QCoreApplication::translate("EditJournal", what);
    return number < 0 ? name : name.arg(number + 1);
}

} // namespace

// Stores `value` when it differs from `field` and notes the edit: undo applies the earlier
// value through the same edit and tells the block's view.
template <typename T, typename Apply>
bool ConferenceEdits::storeNoted(T& field, const T& value, const QString& key, const QString& name,
                                 Code code, Apply apply)
{
    const T before = field;
    if (!store(field, value) && !m_model.journal().isReplaying())
        return false;
    DataModel& model = m_model;
    m_model.journal().note(key, name, before, value, [&model, apply, code](const T& v) {
        ConferenceEdits edits(model);
        apply(edits, v);
        model.sync(code);
    });
    return true;
}

bool ConferenceEdits::setFeedback(int channel, bool on)
{
    if (!validInput(channel) ||
        !storeNoted(
            m_model.input(channel).feedbackEnabled, on, QStringLiteral("fbs.%1").arg(channel),
            stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Feedback Suppression"), channel),
            code::Feedback, [channel](ConferenceEdits& e, bool v) { e.setFeedback(channel, v); }))
        return false;
    deliver(m_model, cmd::feedbackSuppression(quint8(channel), on));
    return true;
}

// --- echo cancellation

bool ConferenceEdits::setEchoCancellation(bool on)
{
    if (!storeNoted(m_model.echoCancellation().enabled, on, QStringLiteral("aec"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Echo Cancellation")),
                    code::EchoCancellation,
                    [](ConferenceEdits& e, bool v) { e.setEchoCancellation(v); }))
        return false;
    deliver(m_model, cmd::echoCancellation(on));
    return true;
}

int ConferenceEdits::echoLevel(const DataModel& model)
{
    return model.echoCancellation().settings[kEchoLevelByte];
}

bool ConferenceEdits::echoMicrophone(const DataModel& model, int channel)
{
    if (!validInput(channel))
        return false;
    return model.echoCancellation().settings[kEchoFirstMicrophoneByte + std::size_t(channel)] != 0;
}

bool ConferenceEdits::setEchoLevel(int level)
{
    if (level < 0 || level >= kEchoCancellationLevels ||
        !storeNoted(m_model.echoCancellation().settings[kEchoLevelByte], quint8(level),
                    QStringLiteral("aec.level"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Echo Cancellation Level")),
                    code::EchoCancellationSettings,
                    [](ConferenceEdits& e, quint8 v) { e.setEchoLevel(v); }))
        return false;
    sendEchoBlock();
    return true;
}

bool ConferenceEdits::setEchoMicrophone(int channel, bool on)
{
    if (!validInput(channel))
        return false;
    auto& flag =
        m_model.echoCancellation().settings[kEchoFirstMicrophoneByte + std::size_t(channel)];
    if (!storeNoted(
            flag, quint8(on ? 1 : 0), QStringLiteral("aec.mic.%1").arg(channel),
            stepName(QT_TRANSLATE_NOOP("EditJournal", "Echo Cancellation Microphone %1"), channel),
            code::EchoCancellationSettings,
            [channel](ConferenceEdits& e, quint8 v) { e.setEchoMicrophone(channel, v != 0); }))
        return false;
    sendEchoBlock();
    return true;
}

void ConferenceEdits::sendEchoBlock()
{
    deliver(m_model, cmd::echoCancellationSettings(m_model.echoCancellation().settings,
                                                   m_model.formatGeneration()));
}

// --- auto mixer

bool ConferenceEdits::setAutoMixerWeight(int channel, float weight, Path path)
{
    if (!validInput(channel) ||
        !storeNoted(m_model.autoMixer().weight[std::size_t(channel)],
                    range::AutoMixerWeight.clamp(weight),
                    QStringLiteral("am.weight.%1").arg(channel),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Auto Mixer Weight %1"), channel),
                    code::AutoMixerWeights, [channel](ConferenceEdits& e, float v) {
                        e.setAutoMixerWeight(channel, v, Path::Now);
                    }))
        return false;
    deliver(m_model, cmd::autoMixerWeight(quint8(channel),
                                          m_model.autoMixer().weight[std::size_t(channel)], path));
    return true;
}

bool ConferenceEdits::setAutoMixerGroup(int channel, int group)
{
    if (!validInput(channel) || group < 0 || group > kAutoMixerMaxGroup ||
        !storeNoted(m_model.autoMixer().group[std::size_t(channel)], quint8(group),
                    QStringLiteral("am.group.%1").arg(channel),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Auto Mixer Group %1"), channel),
                    code::AutoMixerGroups,
                    [channel](ConferenceEdits& e, quint8 v) { e.setAutoMixerGroup(channel, v); }))
        return false;
    deliver(m_model, cmd::autoMixerGroup(quint8(channel), quint8(group)));
    return true;
}

bool ConferenceEdits::setAutoMixerEnabled(int group, bool on)
{
    if (group < 0 || group >= kAutoMixerGroups ||
        !storeNoted(m_model.autoMixer().enabled[std::size_t(group)], on,
                    QStringLiteral("am.on.%1").arg(group),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Auto Mixer Group %1 Switch"), group),
                    code::AutoMixerSwitches,
                    [group](ConferenceEdits& e, bool v) { e.setAutoMixerEnabled(group, v); }))
        return false;
    deliver(m_model, cmd::autoMixerEnable(quint8(group), on));
    return true;
}

void ConferenceEdits::resetAutoMixer()
{
    auto& am = m_model.autoMixer();
    am.weight.fill(0.0f);
    am.group.fill(0);
    am.enabled.fill(false);
    deliver(m_model, cmd::autoMixerReset());
    m_model.journal().clear(EditJournal::Reason::Reset);
}

// --- signal generator

bool ConferenceEdits::setGeneratorOn(bool on)
{
    if (!storeNoted(m_model.signalGenerator().on, on, QStringLiteral("gen.on"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Signal Generator Switch")),
                    code::GeneratorOn, [](ConferenceEdits& e, bool v) { e.setGeneratorOn(v); }))
        return false;
    deliver(m_model, cmd::signalGeneratorOn(on));
    return true;
}

bool ConferenceEdits::setGeneratorType(int type)
{
    if (type < 0 || type >= kGeneratorTypes ||
        !storeNoted(m_model.signalGenerator().type, quint8(type), QStringLiteral("gen.type"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Signal Generator Type")),
                    code::GeneratorType,
                    [](ConferenceEdits& e, quint8 v) { e.setGeneratorType(v); }))
        return false;
    deliver(m_model, cmd::signalGeneratorType(quint8(type)));
    return true;
}

bool ConferenceEdits::setGeneratorFrequency(float hz, Path path)
{
    auto& g = m_model.signalGenerator();
    if (!storeNoted(g.frequency, range::GeneratorFrequency.clamp(hz), QStringLiteral("gen.freq"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Signal Generator Frequency")),
                    code::GeneratorFrequency,
                    [](ConferenceEdits& e, float v) { e.setGeneratorFrequency(v, Path::Now); }))
        return false;
    deliver(m_model, cmd::signalGeneratorFrequency(g.frequency, path));
    return true;
}

bool ConferenceEdits::setGeneratorGain(float dB, Path path)
{
    auto& g = m_model.signalGenerator();
    if (!storeNoted(g.gain, range::GeneratorGain.clamp(dB), QStringLiteral("gen.gain"),
                    stepName(QT_TRANSLATE_NOOP("EditJournal", "Signal Generator Gain")),
                    code::GeneratorGain,
                    [](ConferenceEdits& e, float v) { e.setGeneratorGain(v, Path::Now); }))
        return false;
    deliver(m_model, cmd::signalGeneratorGain(g.gain, path));
    return true;
}

bool ConferenceEdits::setGeneratorRouting(int output, bool on)
{
    if (output < 0 || output >= kOutputCount ||
        !storeNoted(
            m_model.signalGenerator().routing[std::size_t(output)], on,
            QStringLiteral("gen.route.%1").arg(output),
            stepName(QT_TRANSLATE_NOOP("EditJournal", "Signal Generator to Output %1"), output),
            code::GeneratorRouting,
            [output](ConferenceEdits& e, bool v) { e.setGeneratorRouting(output, v); }))
        return false;
    deliver(m_model, cmd::signalGeneratorRouting(quint8(output), on));
    return true;
}

// --- noise reduction

bool ConferenceEdits::setNoiseReduction(int channel, int level)
{
    if (!validInput(channel) || level < 0 || level >= kNoiseReductionLevels)
        return false;
    auto& nr = m_model.noiseReduction();
    const int before = nr.levels[std::size_t(channel)];
    bool changed = store(nr.channel, quint8(channel));
    changed |= store(nr.levels[std::size_t(channel)], quint8(level));
    if (!changed && !m_model.journal().isReplaying())
        return false;
    deliver(m_model, cmd::noiseReduction(quint8(channel), quint8(level)));
    if (before != level) {
        DataModel& model = m_model;
        m_model.journal().note(
            QStringLiteral("nr.%1").arg(channel),
            stepName(QT_TRANSLATE_NOOP("EditJournal", "Input %1 Noise Reduction"), channel), before,
            level, [&model, channel](int v) {
                ConferenceEdits(model).setNoiseReduction(channel, v);
                model.sync(code::NoiseReduction, quint8(channel));
            });
    }
    return true;
}
