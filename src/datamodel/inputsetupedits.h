#pragma once

#include "wire/commands.h"

class DataModel;

// Edits of an input's setup (mode, phantom power, gain, mute), as the unit expects them: a new
// mode is only sent after phantom power is off (outside microphone mode) and the gain is back
// at 0 dB, so that a line source never meets 48 V or a microphone's gain.
class InputSetupEdits
{
public:
    explicit InputSetupEdits(DataModel& model) : m_model(model) {}

    // Mic 0, line 1, the third mode 2. Nothing is sent when the mode does not change.
    void setMode(int channel, quint32 mode);
    void setPhantom(int channel, bool on);
    // Typed gains go at once, knob drags through the coalescing queue.
    void setGain(int channel, float dB, wire::Path path = wire::Path::Now);
    void setMute(int channel, bool on);

private:
    DataModel& m_model;
};
