#include "inputsetupedits.h"

#include "datamodel.h"
#include "wire/commands.h"
#include "wire/levelrules.h"

using namespace wire;

namespace {

bool valid(int channel)
{
    return channel >= 0 && channel < kAnalogueInputs;
}

} // namespace

Range InputSetupEdits::gainRange(quint32 mode)
{
    return mode == kMicInputMode ? range::InputGain : range::LineInputGain;
}

bool InputSetupEdits::pairLinked() const
{
    return m_model.input(0).inputMode == kLinkedPairInputMode ||
           m_model.input(1).inputMode == kLinkedPairInputMode;
}

QVector<int> InputSetupEdits::setMode(int channel, quint32 mode)
{
    if (!valid(channel) || mode >= kInputModes)
        return {};
    const quint32 before = m_model.input(channel).inputMode;
    if (before == mode)
        return {};
    QVector<int> changed;
    if (changeMode(channel, mode))
        changed << channel;
    // A linked pair is one stereo input: both halves enter and leave the mode together.
    if (inLinkedPair(channel) && (mode == kLinkedPairInputMode || before == kLinkedPairInputMode) &&
        changeMode(1 - channel, mode))
        changed << 1 - channel;
    return changed;
}

bool InputSetupEdits::changeMode(int channel, quint32 mode)
{
    DataModel::InputChannel& in = m_model.input(channel);
    if (in.inputMode == mode)
        return false;
    // Phantom power never stays on across a change of source.
    if (in.phantom) {
        in.phantom = false;
        deliver(m_model, cmd::inputPhantom(quint8(channel), false));
    }
    if (in.inputGain != 0.0f) {
        in.inputGain = 0.0f;
        deliver(m_model, cmd::inputGain(quint8(channel), 0.0f, Path::Now));
    }
    in.inputMode = mode;
    deliver(m_model, cmd::inputMode(quint8(channel), quint8(mode)));
    return true;
}

QVector<int> InputSetupEdits::setPhantom(int channel, bool on)
{
    if (!valid(channel))
        return {};
    m_model.input(channel).phantom = on;
    deliver(m_model, cmd::inputPhantom(quint8(channel), on));
    return {channel};
}

QVector<int> InputSetupEdits::setGain(int channel, float dB, Path path)
{
    if (!valid(channel))
        return {};
    DataModel::InputChannel& in = m_model.input(channel);
    in.inputGain = gainRange(in.inputMode).clamp(dB);
    deliver(m_model, cmd::inputGain(quint8(channel), in.inputGain, path));
    return {channel};
}

QVector<int> InputSetupEdits::setMute(int channel, bool on)
{
    if (!valid(channel))
        return {};
    QVector<int> channels{channel};
    if (inLinkedPair(channel) && pairLinked())
        channels << 1 - channel;
    for (int ch : channels) {
        m_model.input(ch).inputMute = on;
        deliver(m_model, cmd::inputMute(quint8(ch), on));
    }
    return channels;
}
