#pragma once

#include <vector>

// The resident size of a long run, sampled at a steady period, and whether it keeps growing.
// The first half is the warm-up (allocator arenas, caches, the registry) and is not judged.
// Growth must show twice: as a least-squares slope over the second half, which follows a
// steady trend but is pulled by a late spike, and as the median of the last quarter above the
// median of the second quarter, which ignores spikes and asks whether the run really ended
// higher than it stood after the warm-up. A bounded step (one larger buffer) stays under the
// rise; a steady leak exceeds both once the run is long enough.
class RssTrend
{
public:
    struct Sample
    {
        double seconds = 0;
        double kb = 0;
    };

    static constexpr int kMinSamples = 8;

    void add(double seconds, double kb) { m_samples.push_back({seconds, kb}); }
    const std::vector<Sample>& samples() const { return m_samples; }
    bool canJudge() const { return int(m_samples.size()) >= kMinSamples; }

    // Least-squares slope of the second half, in KB per minute.
    double slopeKbPerMinute() const;
    // Median of the last quarter minus median of the second quarter, in KB.
    double riseKb() const;
    bool keepsGrowing(double maxSlopeKbPerMinute, double maxRiseKb) const;

private:
    std::vector<Sample> m_samples;
};
