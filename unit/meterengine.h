#pragma once

#include "unitstate.h"

#include <array>

// Levels of a unit playing live audio: every present input carries a slowly varying signal
// that runs through the channel's input stage, gate, fader and limiter; the outputs sum the
// matrix (and the signal generator) and apply their own fader, limiter and the system mute.
// Meters are whole dB, -100 meaning no signal.
class MeterEngine
{
public:
    struct Levels
    {
        std::array<qint8, wire::kInputCount> inputPre{};
        std::array<qint8, wire::kInputCount> inputPost{};
        std::array<qint8, wire::kOutputCount> outputPre{};
        std::array<qint8, wire::kOutputCount> outputPost{};
        // Auto mixer: attenuation and the level after it, inputs 0..15.
        std::array<qint8, UnitState::kConferenceInputs> amAttenuation{};
        std::array<qint8, UnitState::kConferenceInputs> amLevel{};
        // Gate holding its channel closed (signal below the threshold).
        std::array<quint8, wire::kInputCount> gateClosed{};
    };

    static constexpr qint8 kSilence = -100;

    // `usbPlaying`: whether the USB play pair carries a signal.
    static Levels compute(const UnitState& state, qint64 uptimeMs, bool usbPlaying);

    // The simulated source of input `channel` in dBFS at the given time.
    static float sourceLevel(int channel, qint64 uptimeMs);
};
