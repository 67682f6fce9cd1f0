#include "inputsetupedits.h"

#include "datamodel.h"
#include "wire/commands.h"

using namespace wire;

namespace {

bool valid(int channel)
{
    return channel >= 0 && channel < kAnalogueInputs;
}

} // namespace

void InputSetupEdits::setMode(int channel, quint32 mode)
{
    if (!valid(channel) || mode >= kInputModes)
        return;
    DataModel::InputChannel& in = m_model.input(channel);
    if (in.inputMode == mode)
        return;
    if (mode != 0 && in.phantom)
        setPhantom(channel, false);
    if (in.inputGain != 0.0f) {
        in.inputGain = 0.0f;
        deliver(m_model, cmd::inputGain(quint8(channel), 0.0f, Path::Now));
    }
    in.inputMode = mode;
    deliver(m_model, cmd::inputMode(quint8(channel), quint8(mode)));
}

void InputSetupEdits::setPhantom(int channel, bool on)
{
    if (!valid(channel))
        return;
    m_model.input(channel).phantom = on;
    deliver(m_model, cmd::inputPhantom(quint8(channel), on));
}

void InputSetupEdits::setGain(int channel, float dB, Path path)
{
    if (!valid(channel))
        return;
    m_model.input(channel).inputGain = range::InputGain.clamp(dB);
    deliver(m_model, cmd::inputGain(quint8(channel), m_model.input(channel).inputGain, path));
}

void InputSetupEdits::setMute(int channel, bool on)
{
    if (!valid(channel))
        return;
    m_model.input(channel).inputMute = on;
    deliver(m_model, cmd::inputMute(quint8(channel), on));
}
