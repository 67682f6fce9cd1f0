#pragma once

// Transfer curves of the limiter and the AGC, the rules that turn a handle drag into a parameter,
// and the knob and edit conventions of the dynamics editors. Nothing here knows about pixels:
// the graphs convert pointer positions into levels or slopes first.
#include <QPointF>
#include <QString>
#include <QVector>

#include <array>

namespace dynamics {

constexpr double LimiterAxisMin = -100.0;
constexpr double LimiterAxisMax = 20.0;
constexpr double LimiterThresholdMin = -100.0;
constexpr double LimiterThresholdMax = 18.0;
constexpr int LimiterTableSize = 256;

constexpr double AgcAxisMin = -120.0;
constexpr double AgcAxisMax = 0.0;

constexpr double RatioMin = 1.0;
constexpr double RatioMax = 100.0; // and any ratio at or above it limits hard

// Rounds down to a multiple of 0.1 dB. A level that is a tenth to float precision (a float read
// back from the unit) stays on that tenth instead of dropping to the one below.
double floorToTenth(double value);

// The level at a point of an axis: fraction 0 is the minimum, 1 the maximum.
double levelAt(double fraction, double axisMin, double axisMax);

// Limiter transfer table: input and output are counted in steps of the axis span / 256 from the
// axis minimum.
struct LimiterTransfer
{
    std::array<double, LimiterTableSize> output{};
    double knee = 0.0;  // threshold position in steps
    int kneeIndex = -1; // first index at or above the knee, -1 when the knee lies past the table
    bool hasKnee() const { return kneeIndex >= 0; }
    // (index, output) of the knee point; the origin when there is none.
    QPointF kneePoint() const;
    QPointF lastPoint() const;
};

// Unity below the knee, 1/ratio above it, flat from the knee on when the ratio is 100 or more.
// Ratios below 1 are taken as 1; a ratio that is not a number limits hard.
LimiterTransfer limiterTransfer(double threshold, double ratio);

// Threshold for a drag to the given level: floored to 0.1 dB, then held within the drag limits.
double limiterThresholdFromDrag(double level, double minimum = LimiterThresholdMin,
                                double maximum = LimiterThresholdMax);

// Ratio for the ratio handle dragged to where the curve runs `run` to the right and rises `rise`
// from the knee (both in the same unit). Falling, level or undefined slopes limit hard (100);
// otherwise truncated to a whole ratio within 1..100.
double limiterRatioFromDrag(double run, double rise);

// AGC static curve: unity below the threshold, from there a line of slope 1/ratio through
// (target, target).
double agcOutput(double input, double threshold, double target, double ratio);

// Corners of the AGC curve across the axis as (input, output) in dB, for drawing it as straight
// segments: unity up to the threshold, the step at the threshold, the ratio segment to the axis
// maximum.
QVector<QPointF> agcCurve(double threshold, double target, double ratio);

// Handle points of the AGC curve as (input, output) in dB.
struct AgcHandles
{
    QPointF threshold; // on the diagonal at the threshold
    QPointF ratio;     // start of the compressed segment, straight above or below the threshold
    QPointF target;    // on the diagonal at the target
};
AgcHandles agcHandles(double threshold, double target, double ratio);

// Threshold for a drag to the given level: floored to 0.1 dB, between the axis minimum and the
// target.
double agcThresholdFromDrag(double level, double target);
// Target for a drag to the given level: floored to 0.1 dB, between the threshold and the axis
// maximum.
double agcTargetFromDrag(double level, double threshold);
// Ratio for the ratio handle dragged `run` to the left of and `drop` below the target handle
// (same unit). A pointer above the target, a negative or an undefined slope gives 100;
// otherwise floored to 0.1 within 1..100.
double agcRatioFromDrag(double run, double drop);
// A target set below the threshold sits on the threshold.
double agcTargetAtLeastThreshold(double target, double threshold);

// A parameter of the dynamics editors: its knob range, whether the knob counts tenths, and the
// range its edit accepts.
struct Parameter
{
    int knobMin;
    int knobMax;
    bool tenths;
    double min;
    double max;
};

namespace parameters {
constexpr Parameter LimiterThreshold{-1000, 180, true, -100.0, 18.0};
constexpr Parameter LimiterRatio{1, 100, false, 1.0, 100.0};
constexpr Parameter LimiterAttack{1, 1000, false, 1.0, 1000.0};
constexpr Parameter LimiterDecay{5, 1000, false, 5.0, 1000.0};
constexpr Parameter GateThreshold{-120, 0, false, -120.0, 0.0};
constexpr Parameter GateAttack{1, 1000, false, 1.0, 1000.0};
constexpr Parameter GateDecay{20, 1000, false, 20.0, 1000.0};
// The edits of the AGC threshold and target are further held on their side of each other.
constexpr Parameter AgcThreshold{-1200, 0, true, -120.0, 0.0};
constexpr Parameter AgcTarget{-1200, 0, true, -120.0, 0.0};
constexpr Parameter AgcRatio{10, 1000, true, 1.0, 100.0};
constexpr Parameter AgcAttack{20, 1000, false, 20.0, 1000.0};
constexpr Parameter AgcDecay{20, 1000, false, 20.0, 1000.0};
} // namespace parameters

// Knob position showing a value: round(10 x value), halves upwards, for tenth knobs, the
// truncated value otherwise; held within the knob range.
int knobPosition(const Parameter& parameter, double value);
// Value a knob position stands for.
double knobValue(const Parameter& parameter, int position);

// Value of an edit's text: text that is not a number reads as 0; floored to 0.1 (tenth
// parameters) or truncated to a whole number, then held within min..max.
double editValue(const Parameter& parameter, const QString& text, double min, double max);
double editValue(const Parameter& parameter, const QString& text);
// AGC threshold and target edits, each held on its side of the other.
double agcThresholdFromEdit(const QString& text, double target);
double agcTargetFromEdit(const QString& text, double threshold);
// Text an edit shows: one decimal for tenth parameters, a whole number otherwise.
QString editText(const Parameter& parameter, double value);

} // namespace dynamics
