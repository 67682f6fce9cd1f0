#include "conferenceedits.h"

#include "datamodel.h"

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

} // namespace

bool ConferenceEdits::setFeedback(int channel, bool on)
{
    if (!validInput(channel) || !store(m_model.input(channel).feedbackEnabled, on))
        return false;
    deliver(m_model, cmd::feedbackSuppression(quint8(channel), on));
    return true;
}

// --- echo cancellation

bool ConferenceEdits::setEchoCancellation(bool on)
{
    if (!store(m_model.echoCancellation().enabled, on))
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
        !store(m_model.echoCancellation().settings[kEchoLevelByte], quint8(level)))
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
    if (!store(flag, quint8(on ? 1 : 0)))
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
    if (!validInput(channel) || !store(m_model.autoMixer().weight[std::size_t(channel)],
                                       range::AutoMixerWeight.clamp(weight)))
        return false;
    deliver(m_model, cmd::autoMixerWeight(quint8(channel),
                                          m_model.autoMixer().weight[std::size_t(channel)], path));
    return true;
}

bool ConferenceEdits::setAutoMixerGroup(int channel, int group)
{
    if (!validInput(channel) || group < 0 || group > kAutoMixerMaxGroup ||
        !store(m_model.autoMixer().group[std::size_t(channel)], quint8(group)))
        return false;
    deliver(m_model, cmd::autoMixerGroup(quint8(channel), quint8(group)));
    return true;
}

bool ConferenceEdits::setAutoMixerEnabled(int group, bool on)
{
    if (group < 0 || group >= kAutoMixerGroups ||
        !store(m_model.autoMixer().enabled[std::size_t(group)], on))
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
}

// --- signal generator

bool ConferenceEdits::setGeneratorOn(bool on)
{
    if (!store(m_model.signalGenerator().on, on))
        return false;
    deliver(m_model, cmd::signalGeneratorOn(on));
    return true;
}

bool ConferenceEdits::setGeneratorType(int type)
{
    if (type < 0 || type >= kGeneratorTypes || !store(m_model.signalGenerator().type, quint8(type)))
        return false;
    deliver(m_model, cmd::signalGeneratorType(quint8(type)));
    return true;
}

bool ConferenceEdits::setGeneratorFrequency(float hz, Path path)
{
    auto& g = m_model.signalGenerator();
    if (!store(g.frequency, range::GeneratorFrequency.clamp(hz)))
        return false;
    deliver(m_model, cmd::signalGeneratorFrequency(g.frequency, path));
    return true;
}

bool ConferenceEdits::setGeneratorGain(float dB, Path path)
{
    auto& g = m_model.signalGenerator();
    if (!store(g.gain, range::GeneratorGain.clamp(dB)))
        return false;
    deliver(m_model, cmd::signalGeneratorGain(g.gain, path));
    return true;
}

bool ConferenceEdits::setGeneratorRouting(int output, bool on)
{
    if (output < 0 || output >= kOutputCount ||
        !store(m_model.signalGenerator().routing[std::size_t(output)], on))
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
    bool changed = store(nr.channel, quint8(channel));
    changed |= store(nr.levels[std::size_t(channel)], quint8(level));
    if (!changed)
        return false;
    deliver(m_model, cmd::noiseReduction(quint8(channel), quint8(level)));
    return true;
}
