#include "delayvalues.h"

#include <algorithm>
#include <cmath>

namespace delayvalues {

namespace {

constexpr double kInputMaxMs = 1000.0;
constexpr double kOutputMaxMs = 300.0;

double rounded(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

} // namespace

Limits limits(bool input)
{
    const double ms = input ? kInputMaxMs : kOutputMaxMs;
    return {ms, metresFromMs(ms), feetFromMs(ms), knobFromMs(ms)};
}

double metresFromMs(double ms)
{
    return rounded(ms * kSpeedOfSound / 1000.0, kDistanceDecimals);
}

double feetFromMs(double ms)
{
    // From the unrounded distance, so that the feet do not carry the metres' rounding.
    return rounded(ms * kSpeedOfSound / 1000.0 * kFeetPerMetre, kDistanceDecimals);
}

int knobFromMs(double ms)
{
    return int(std::lround(ms * kKnobStepsPerMs));
}

double msFromMs(double ms, bool input)
{
    if (std::isnan(ms))
        return 0.0;
    return std::clamp(ms, 0.0, input ? kInputMaxMs : kOutputMaxMs);
}

double msFromMetres(double metres, bool input)
{
    return msFromMs(metres * 1000.0 / kSpeedOfSound, input);
}

double msFromFeet(double feet, bool input)
{
    return msFromMs(feet * 1000.0 / kSpeedOfSound / kFeetPerMetre, input);
}

double msFromKnob(int knob, bool input)
{
    return msFromMs(double(knob) / kKnobStepsPerMs, input);
}

} // namespace delayvalues
