#include "rsstrend.h"

#include <algorithm>

namespace {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

double RssTrend::slopeKbPerMinute() const
{
    const std::size_t from = m_samples.size() / 2;
    const std::size_t n = m_samples.size() - from;
    if (n < 2)
        return 0;
    double meanT = 0;
    double meanKb = 0;
    for (std::size_t i = from; i < m_samples.size(); ++i) {
        meanT += m_samples[i].seconds / 60;
        meanKb += m_samples[i].kb;
    }
    meanT /= double(n);
    meanKb /= double(n);
    double covariance = 0;
    double variance = 0;
    for (std::size_t i = from; i < m_samples.size(); ++i) {
        const double dt = m_samples[i].seconds / 60 - meanT;
        covariance += dt * (m_samples[i].kb - meanKb);
        variance += dt * dt;
    }
    return variance > 0 ? covariance / variance : 0;
}

double RssTrend::riseKb() const
{
    const std::size_t n = m_samples.size();
    const auto quarter = [this](std::size_t from, std::size_t to) {
        std::vector<double> kb;
        for (std::size_t i = from; i < to; ++i)
            kb.push_back(m_samples[i].kb);
        return median(kb);
    };
    return quarter(3 * n / 4, n) - quarter(n / 4, n / 2);
}

bool RssTrend::keepsGrowing(double maxSlopeKbPerMinute, double maxRiseKb) const
{
    return canJudge() && slopeKbPerMinute() > maxSlopeKbPerMinute && riseKb() > maxRiseKb;
}
