#pragma once

#include <QString>
#include <array>

// How the filter editor shows and reads its values: the 201 steps of the frequency knob, the
// texts of frequencies, gains and Q, and what typed text becomes. No widgets here.
namespace filtervalues {

constexpr int kFrequencySteps = 201;
constexpr double kMinFrequency = 20.0;
constexpr double kMaxFrequency = 20000.0;
constexpr double kMinGain = -15.0;
constexpr double kMaxGain = 15.0;
// The gain knob counts tenths of a dB.
constexpr int kGainKnobMin = -150;
constexpr int kGainKnobMax = 150;

// Frequency of each knob step: about 1/20 octave apart from 20 Hz to 20 kHz, rounded to a
// tenth below 1 kHz, to whole Hz below 10 kHz and down to hundreds above.
const std::array<double, kFrequencySteps>& frequencyTable();
// The step of the greatest table entry not above f, or -1 when f lies outside 20..20000 Hz.
int knobIndexForFrequency(double f);

// A frequency as the edits show it: whole hertz without decimals, otherwise one decimal.
QString frequencyText(double f);
// Typed text to a frequency: down to a tenth of a hertz, within 20..20000 Hz; text that is no
// number counts as 0.
double parseFrequency(const QString& text);

// Gain knob position for g: tenths of a dB, halves rounded upwards.
int gainKnobValue(double g);
QString gainText(double g);
// Typed text to a gain: down to a tenth of a dB, within -15..+15 dB; no number counts as 0.
double parseGain(const QString& text);

// The Q of a Q index with two decimals.
QString qText(int index);

// Down to a tenth, as the graph's drags are shown and sent.
double floorToTenth(double v);

} // namespace filtervalues
