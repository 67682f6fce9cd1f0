#include "filtervalues.h"

#include "filterresponse.h"

#include <algorithm>
#include <cmath>

namespace filtervalues {

namespace {

// A decimal text such as 21.4 may land a hair below its value in binary; without this margin
// taking it down to a tenth would turn 21.4 into 21.3.
constexpr double kBinaryMargin = 1e-7;
// Values that came through a float are matched to the table within this.
constexpr double kTableMargin = 1e-3;

std::array<double, kFrequencySteps> buildTable()
{
    std::array<double, kFrequencySteps> t{};
    for (int k = 0; k < kFrequencySteps; ++k) {
        const double v = kMinFrequency * std::pow(1000.0, k / double(kFrequencySteps - 1));
        if (v < 1000.0)
            t[std::size_t(k)] = std::floor(v * 10.0 + 0.5) / 10.0;
        else if (v < 10000.0)
            t[std::size_t(k)] = std::floor(v + 0.5);
        else
            t[std::size_t(k)] = std::floor(v / 100.0 + kBinaryMargin) * 100.0;
    }
    return t;
}

double toNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

} // namespace

const std::array<double, kFrequencySteps>& frequencyTable()
{
    static const std::array<double, kFrequencySteps> table = buildTable();
    return table;
}

int knobIndexForFrequency(double f)
{
    if (!(f >= kMinFrequency - kTableMargin && f <= kMaxFrequency + kTableMargin))
        return -1;
    const auto& t = frequencyTable();
    const auto above = std::upper_bound(t.begin(), t.end(), f + kTableMargin);
    return std::max(0, int(above - t.begin()) - 1);
}

double floorToTenth(double v)
{
    return std::floor(v * 10.0 + kBinaryMargin) / 10.0;
}

QString frequencyText(double f)
{
    const double tenths = std::round(f * 10.0);
    if (std::fmod(tenths, 10.0) == 0.0)
        return QString::number(tenths / 10.0, 'f', 0);
    return QString::number(tenths / 10.0, 'f', 1);
}

double parseFrequency(const QString& text)
{
    return std::clamp(floorToTenth(toNumber(text)), kMinFrequency, kMaxFrequency);
}

int gainKnobValue(double g)
{
    return int(std::floor(g * 10.0 + 0.5));
}

QString gainText(double g)
{
    // Never "-0.0".
    const double tenths = std::round(g * 10.0);
    return QString::number(tenths == 0.0 ? 0.0 : tenths / 10.0, 'f', 1);
}

double parseGain(const QString& text)
{
    return std::clamp(floorToTenth(toNumber(text)), kMinGain, kMaxGain);
}

QString qText(int index)
{
    return QString::number(FilterResponse::qForIndex(index), 'f', 2);
}

} // namespace filtervalues
