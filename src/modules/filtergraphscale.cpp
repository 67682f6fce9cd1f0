#include "filtergraphscale.h"

#include <algorithm>
#include <cmath>

namespace {
const double kDecades =
    std::log10(FilterGraphScale::kMaxFrequency) - std::log10(FilterGraphScale::kMinFrequency);
constexpr double kGainSpan = FilterGraphScale::kMaxGain - FilterGraphScale::kMinGain;
} // namespace

// A widget smaller than its margins still gets a one-pixel plot, so the inverse mappings never
// divide by zero.
FilterGraphScale::FilterGraphScale(double widgetWidth, double widgetHeight)
    : m_left(kLeftMargin), m_top(kTopMargin),
      m_width(std::max(1.0, widgetWidth - kRightMargin - kLeftMargin)),
      m_height(std::max(1.0, widgetHeight - kBottomMargin - kTopMargin))
{}

double FilterGraphScale::xAt(double frequency) const
{
    return m_left + (std::log10(frequency) - std::log10(kMinFrequency)) * m_width / kDecades;
}

double FilterGraphScale::frequencyAt(double x) const
{
    return std::pow(10.0, std::log10(kMinFrequency) + (x - m_left) / (m_width / kDecades));
}

double FilterGraphScale::yAt(double gainDb) const
{
    return m_top + (kMaxGain - gainDb) / (kGainSpan / m_height);
}

double FilterGraphScale::gainAt(double y) const
{
    return kMaxGain - (y - m_top) * kGainSpan / m_height;
}
