#pragma once

#include "wire/commands.h"

#include <QVector>

class DataModel;

// Edits of an input's setup (mode, phantom power, gain, mute), as the unit expects them: a new
// mode is only sent after phantom power is off and the gain is back
// at 0 dB, so that a line source never meets 48 V or a microphone's gain. Inputs 1 and 2 enter
// and leave the linked-pair mode together, and while they are linked a mute reaches both.
// Each edit returns the channels whose mirror it changed, the edited one first.
class InputSetupEdits
{
public:
    explicit InputSetupEdits(DataModel& model) : m_model(model) {}

    // The gain a mode allows: a microphone up to 50 dB, anything else up to 12 dB.
    static wire::Range gainRange(quint32 mode);

    // Mic 0, line 1, the linked pair 2. Nothing is sent when the mode does not change.
    QVector<int> setMode(int channel, quint32 mode);
    QVector<int> setPhantom(int channel, bool on);
    // Clamped to the channel's mode. Typed gains go at once, knob drags through the coalescing
    // queue.
    QVector<int> setGain(int channel, float dB, wire::Path path = wire::Path::Now);
    QVector<int> setMute(int channel, bool on);

private:
    struct Setup
    {
        quint32 mode;
        bool phantom;
        float gain;
    };
    template <typename T, typename Apply>
    void note(const QString& key, const QString& name, wire::Code code, int channel, T before,
              T after, Apply apply);
    // One channel's mode sequence; false when it already had the mode.
    bool changeMode(int channel, quint32 mode);
    bool pairLinked() const;

    DataModel& m_model;
};
