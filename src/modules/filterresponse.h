#pragma once

#include <array>
#include <cstdint>

// One high- or low-pass filter of a channel's filter block.
struct PassFilter
{
    bool bypass = true;
    uint8_t type = 0;  // 0 Bessel, 1 Butterworth, 2 Linkwitz-Riley
    uint8_t slope = 0; // 0-5: 6, 12, 18, 24, 36, 48 dB/oct
    float freq = 20.0f;
};

// One parametric band; q is the quality factor itself, not the index of the Q table.
struct FilterBand
{
    bool bypass = false;
    uint8_t type = 0; // 0 peaking, 1 low shelf, 2 high shelf
    float freq = 1000.0f;
    float gain = 0.0f;
    float q = 6.0f;
};

// Coefficients of one section, normalised so that the denominator is (1, a1, a2). A first-order
// section has b2 = a2 = 0.
struct Biquad
{
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
};

// Magnitude response of a channel's filter block as the units run it: digital sections at
// 192 kHz, summed in dB on a fixed logarithmic grid of 420 frequencies.
class FilterResponse
{
public:
    static constexpr int kGridSize = 420;
    static constexpr int kMaxBands = 16;
    static constexpr int kQSteps = 65;
    static constexpr int kSlopes = 6;
    static constexpr int kMaxPassSections = 5; // four biquads, or biquads plus one first-order
    static constexpr double kSampleRate = 192000.0;
    static constexpr float kShelfQ = 0.71f;

    using Curve = std::array<double, kGridSize>;
    using Grid = std::array<double, kGridSize>;

    enum SectionKind
    {
        HighPass = 1,
        LowPass = 2,
        Peaking = 3,
        LowShelf = 4,
        HighShelf = 5
    };

    // Grid frequencies in Hz, ascending from 10 Hz to 32 kHz.
    static const Grid& frequencies();

    // Entry of the 65-step Q table; indices beyond the table take its nearest end.
    static double qForIndex(int index);
    // The Q a band stores for a Q index: the table entry for peaking bands, 0.71 for shelves.
    static float bandQ(uint8_t type, int qIndex);

    // Filter order of a slope index (1, 2, 3, 4, 6, 8), 0 for an unknown index.
    static int orderForSlope(int slope);

    // The sections of a pass filter, in the order they are applied; returns how many were written
    // into out (0 when the filter contributes nothing).
    static int passSections(const PassFilter& filter, bool highPass,
                            std::array<Biquad, kMaxPassSections>& out);

    static Biquad biquad(SectionKind kind, double freq, double q, double gainDb);
    static Biquad firstOrder(bool highPass, double freq);

    // Summed response in dB of a channel at every grid point. Bands beyond bandCount (at most
    // kMaxBands) and bypassed filters are left out; a high-pass at exactly 20 Hz and a low-pass
    // at exactly 20 kHz are off.
    static void compute(const PassFilter& highPass, const PassFilter& lowPass,
                        const FilterBand* bands, int bandCount, Curve& out);
    static Curve compute(const PassFilter& highPass, const PassFilter& lowPass,
                         const FilterBand* bands, int bandCount);
};
