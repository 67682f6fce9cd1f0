#pragma once

#include <QString>

// How the input setup, auto mixer and signal generator editors show and read their values.
// Typed text that is no number counts as 0. No widgets here.
namespace conferencevalues {

// Input gain: the knob counts tenths of a dB up to the mode's limit (50 dB for a microphone,
// 12 dB otherwise).
int gainKnobMaximum(quint32 mode);
int gainKnobValue(double dB);
QString gainText(double dB);
// To a tenth of a dB, within the mode's range.
double parseGain(const QString& text, quint32 mode);

// Auto-mixer weight: the slider counts tenths from -12 to +12.
constexpr int kWeightSliderMin = -120;
constexpr int kWeightSliderMax = 120;
int weightSliderValue(double weight);
QString weightText(double weight);
// Down to a tenth, within the slider's range.
double parseWeight(const QString& text);

// Generator frequency and gain: whole numbers within the knob's range.
constexpr int kFrequencyMin = 0;
constexpr int kFrequencyMax = 24000;
constexpr int kGeneratorGainMin = -70;
constexpr int kGeneratorGainMax = 12;
int parseWhole(const QString& text, int minimum, int maximum);

} // namespace conferencevalues
