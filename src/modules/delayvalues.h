#pragma once

// How the delay editor relates its four controls: milliseconds, the distance sound travels in
// that time in metres and in feet, and the knob in hundredths of a millisecond. No widgets here.
namespace delayvalues {

constexpr double kSpeedOfSound = 340.0; // m/s
constexpr double kFeetPerMetre = 3.2808;
constexpr int kKnobStepsPerMs = 100;
constexpr int kMsDecimals = 2;
constexpr int kDistanceDecimals = 3;

// The largest delay of each control: inputs delay up to a second, outputs up to 300 ms.
struct Limits
{
    double ms;
    double metres;
    double feet;
    int knob;
};
Limits limits(bool input);

// Distances and knob positions of a delay, rounded to what their controls show.
double metresFromMs(double ms);
double feetFromMs(double ms);
int knobFromMs(double ms);

// A delay from each control, within 0 and the side's limit; not rounded, so that a typed
// distance is kept as typed.
double msFromMs(double ms, bool input);
double msFromMetres(double metres, bool input);
double msFromFeet(double feet, bool input);
double msFromKnob(int knob, bool input);

} // namespace delayvalues
