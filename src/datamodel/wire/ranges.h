#pragma once

#include <QtGlobal>
#include <algorithm>
#include <cmath>

// Channel counts and the ranges of every parameter a unit holds, in one place: the report
// clamps, the unit's own checks and the editors' limits all read them from here.
namespace wire {

// Inputs the unit addresses: 17 strips, the last input carrying the right side of USB play.
constexpr int kInputCount = 18;
constexpr int kInputStrips = 17;
constexpr int kOutputCount = 16;
// Analogue inputs: the blocks that exist for them only (input setup, AGC, auto mixer).
constexpr int kAnalogueInputs = 16;
constexpr int kPeqBands = 8;
constexpr int kPresetCount = 32;
constexpr int kLevelGroups = 8; // 0 is no group

// An inclusive range of a float parameter.
struct Range
{
    float lo;
    float hi;

    constexpr bool contains(float v) const { return v >= lo && v <= hi; }
    // NaN has no place in any range; it yields the bottom.
    float clamp(float v) const { return std::isnan(v) ? lo : std::clamp(v, lo, hi); }
};

namespace range {
constexpr Range InputGain{0.0f, 50.0f};
// A line source (and the linked pair) takes far less preamp gain than a microphone.
constexpr Range LineInputGain{0.0f, 12.0f};
constexpr Range LevelGain{-56.0f, 12.0f};
constexpr Range FaderLimit{-56.0f, 12.0f};
constexpr Range MatrixGain{-56.0f, 12.0f};
constexpr Range InputDelay{0.0f, 1000.0f};
constexpr Range OutputDelay{0.0f, 300.0f};
constexpr Range FilterFrequency{20.0f, 20000.0f};
constexpr Range PeqGain{-15.0f, 15.0f};
constexpr Range LimiterThreshold{-100.0f, 18.0f};
constexpr Range LimiterRatio{1.0f, 100.0f};
constexpr Range LimiterTime{1.0f, 1000.0f};
constexpr Range GateThreshold{-120.0f, 0.0f};
constexpr Range GateTime{1.0f, 1000.0f};
constexpr Range AgcLevel{-120.0f, 0.0f};
constexpr Range AgcRatio{1.0f, 100.0f};
constexpr Range AgcTime{20.0f, 1000.0f};
constexpr Range GeneratorFrequency{0.0f, 24000.0f};
constexpr Range GeneratorGain{-70.0f, 12.0f};
constexpr Range AutoMixerWeight{-12.0f, 12.0f};
} // namespace range

// Counts of the choices of enumerated parameters: a value must lie below its count.
constexpr quint8 kFilterTypes = 3;
constexpr quint8 kFilterSlopes = 6;
constexpr quint8 kPeqMaxQIndex = 64;
constexpr quint8 kInputModes = 3;
// Input modes: a microphone (the only source phantom power feeds), a line source; the third,
// kLinkedPairInputMode, joins inputs 1 and 2 (levelrules.h).
constexpr quint32 kMicInputMode = 0;
constexpr quint32 kLineInputMode = 1;
constexpr quint8 kGeneratorTypes = 3;
constexpr quint8 kOutputMeterModes = 8;
constexpr quint8 kAutoMixerMaxGroup = 2;
constexpr int kAutoMixerGroups = 2;
// Echo cancellation and noise reduction: off, weak, strong, strongest.
constexpr quint8 kEchoCancellationLevels = 4;
constexpr quint8 kNoiseReductionLevels = 4;
constexpr quint8 kComponentStates = 3;

// Level faders: at or below the bottom the channel is off, which the unit knows as -100 dB.
constexpr float kFaderBottom = -56.0f;
constexpr float kFaderTop = 12.0f;
constexpr float kLevelOff = -100.0f;
// The USB play strip never rises above unity.
constexpr float kUsbPlayTop = 0.0f;
// Matrix crosspoints below this gain are off and are sent as kMatrixOff.
constexpr int kMatrixOffBelow = -55;
constexpr qint8 kMatrixOff = -70;

// Format generations of the unit's records: the narrow one carries 16-bit copy masks and
// shorter blocks; the wide one (units with USB media) 32-bit input masks.
constexpr quint16 kNarrowFormat = 4;
constexpr quint16 kWideFormat = 6;
constexpr bool isNarrowFormat(quint16 generation)
{
    return generation == kNarrowFormat;
}

// Byte limits of the texts the unit stores.
constexpr int kLabelBytes = 16;
constexpr int kSecondaryLabelBytes = 10;
constexpr int kLocationBytes = 16;
constexpr int kDescriptionBytes = 16;
constexpr int kPresetNameBytes = 16;

} // namespace wire
