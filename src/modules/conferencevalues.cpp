#include "conferencevalues.h"

#include "inputsetupedits.h"

#include <algorithm>
#include <cmath>

namespace conferencevalues {

namespace {

double number(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

} // namespace

int gainKnobMaximum(quint32 mode)
{
    return gainKnobValue(double(InputSetupEdits::gainRange(mode).hi));
}

int gainKnobValue(double dB)
{
    return int(std::lround(dB * 10.0));
}

QString gainText(double dB)
{
    // Adding zero turns -0 into 0, which is shown without a sign.
    return QString::number(std::round(dB * 10.0) / 10.0 + 0.0, 'f', 1);
}

double parseGain(const QString& text, quint32 mode)
{
    const wire::Range range = InputSetupEdits::gainRange(mode);
    const double tenths = std::round(number(text) * 10.0) / 10.0;
    return std::clamp(tenths, double(range.lo), double(range.hi));
}

int weightSliderValue(double weight)
{
    return int(std::lround(weight * 10.0));
}

QString weightText(double weight)
{
    return QString::number(std::round(weight * 10.0) / 10.0 + 0.0, 'f', 1);
}

double parseWeight(const QString& text)
{
    // A small allowance keeps 7.3 at 7.3, whose tenfold lies just below 73 in binary.
    const double tenths = std::floor(number(text) * 10.0 + 1e-9);
    return std::clamp(tenths, double(kWeightSliderMin), double(kWeightSliderMax)) / 10.0;
}

int parseWhole(const QString& text, int minimum, int maximum)
{
    const double v = std::round(number(text));
    return int(std::clamp(v, double(minimum), double(maximum)));
}

} // namespace conferencevalues
