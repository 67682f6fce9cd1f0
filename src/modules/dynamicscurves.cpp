#include "dynamicscurves.h"

#include <algorithm>
#include <cmath>

namespace dynamics {

namespace {

// The lower bound wins when the bounds cross, and a NaN gives the lower bound too, so what
// comes out is always a number within reach of the caller's range.
double bounded(double value, double lo, double hi)
{
    return std::max(lo, std::min(value, hi));
}

} // namespace

double floorToTenth(double value)
{
    return std::floor(value * 10.0 + 1e-6) / 10.0;
}

double levelAt(double fraction, double axisMin, double axisMax)
{
    return axisMin + fraction * (axisMax - axisMin);
}

QPointF LimiterTransfer::kneePoint() const
{
    return hasKnee() ? QPointF(kneeIndex, output[std::size_t(kneeIndex)]) : QPointF(0.0, 0.0);
}

QPointF LimiterTransfer::lastPoint() const
{
    return QPointF(LimiterTableSize - 1, output[LimiterTableSize - 1]);
}

LimiterTransfer limiterTransfer(double threshold, double ratio)
{
    LimiterTransfer t;
    const double step = (LimiterAxisMax - LimiterAxisMin) / LimiterTableSize;
    // A threshold that is not a number leaves the whole range at unity; infinite ones are held
    // far outside the table so that every output stays finite.
    t.knee = std::isnan(threshold) ? double(LimiterTableSize)
                                   : bounded((threshold - LimiterAxisMin) / step, -1e9, 1e9);
    const bool hard = std::isnan(ratio) || ratio >= RatioMax;
    const double r = std::max(ratio, RatioMin);
    for (int i = 0; i < LimiterTableSize; ++i) {
        const double in = i;
        if (in < t.knee) {
            t.output[std::size_t(i)] = in;
            continue;
        }
        if (t.kneeIndex < 0)
            t.kneeIndex = i;
        t.output[std::size_t(i)] = hard ? t.knee : t.knee + (in - t.knee) / r;
    }
    return t;
}

double limiterThresholdFromDrag(double level, double minimum, double maximum)
{
    return bounded(floorToTenth(level), minimum, maximum);
}

double limiterRatioFromDrag(double run, double rise)
{
    const double ratio = run / rise;
    if (!std::isfinite(ratio) || ratio < 0.0)
        return RatioMax;
    return bounded(std::trunc(ratio), RatioMin, RatioMax);
}

double agcOutput(double input, double threshold, double target, double ratio)
{
    if (input < threshold)
        return input;
    return target + (input - target) / std::max(ratio, RatioMin);
}

QVector<QPointF> agcCurve(double threshold, double target, double ratio)
{
    // A threshold that is not a number compares false everywhere: the whole axis is unity.
    const bool unityPart = !(threshold <= AgcAxisMin);
    const bool ratioPart = threshold < AgcAxisMax;
    QVector<QPointF> corners;
    if (unityPart) {
        const double end = ratioPart ? threshold : AgcAxisMax;
        corners << QPointF(AgcAxisMin, AgcAxisMin) << QPointF(end, end);
    }
    if (ratioPart) {
        const double start = std::max(threshold, AgcAxisMin);
        corners << QPointF(start, agcOutput(start, threshold, target, ratio))
                << QPointF(AgcAxisMax, agcOutput(AgcAxisMax, threshold, target, ratio));
    }
    return corners;
}

AgcHandles agcHandles(double threshold, double target, double ratio)
{
    return {QPointF(threshold, threshold),
            QPointF(threshold, agcOutput(threshold, threshold, target, ratio)),
            QPointF(target, target)};
}

double agcThresholdFromDrag(double level, double target)
{
    return bounded(floorToTenth(level), AgcAxisMin, target);
}

double agcTargetFromDrag(double level, double threshold)
{
    return bounded(floorToTenth(level), threshold, AgcAxisMax);
}

double agcRatioFromDrag(double run, double drop)
{
    if (drop < 0.0)
        return RatioMax;
    const double ratio = run / drop;
    if (!std::isfinite(ratio) || ratio < 0.0)
        return RatioMax;
    return bounded(floorToTenth(ratio), RatioMin, RatioMax);
}

double agcTargetAtLeastThreshold(double target, double threshold)
{
    return std::max(target, threshold);
}

int knobPosition(const Parameter& parameter, double value)
{
    const double position = parameter.tenths ? std::floor(value * 10.0 + 0.5) : std::trunc(value);
    // Held in double first: converting an out-of-range double to int is undefined.
    return int(bounded(position, parameter.knobMin, parameter.knobMax));
}

double knobValue(const Parameter& parameter, int position)
{
    return parameter.tenths ? position / 10.0 : double(position);
}

double editValue(const Parameter& parameter, const QString& text, double min, double max)
{
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);
    // "nan" parses as a number; like any other non-number it reads as 0. Infinities clamp.
    if (!ok || std::isnan(value))
        value = 0.0;
    value = parameter.tenths ? floorToTenth(value) : std::trunc(value);
    return bounded(value, min, max);
}

double editValue(const Parameter& parameter, const QString& text)
{
    return editValue(parameter, text, parameter.min, parameter.max);
}

double agcThresholdFromEdit(const QString& text, double target)
{
    const Parameter& p = parameters::AgcThreshold;
    return editValue(p, text, p.min, std::min(target, p.max));
}

double agcTargetFromEdit(const QString& text, double threshold)
{
    const Parameter& p = parameters::AgcTarget;
    return editValue(p, text, std::max(threshold, p.min), p.max);
}

QString editText(const Parameter& parameter, double value)
{
    if (parameter.tenths)
        return QString::number(value, 'f', 1);
    return QString::number(qint64(bounded(std::trunc(value), -1e15, 1e15)));
}

} // namespace dynamics
