#include "filterresponse.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr float kHighPassOff = 20.0f;
constexpr float kLowPassOff = 20000.0f;

constexpr std::array<double, FilterResponse::kQSteps> kQTable = {
    0.5,  0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89, 0.94, 1.0,
    1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2.0,  2.1,
    2.2,  2.4,  2.5,  2.7,  2.8,  3.0,  3.2,  3.4,  3.6,  3.8,  4.0,  4.2,  4.5,
    4.8,  5.0,  5.3,  5.7,  6.0,  6.3,  6.7,  7.1,  7.6,  8.0,  8.5,  9.0,  9.5,
    10.1, 10.7, 11.3, 12.0, 12.7, 13.5, 14.0, 15.0, 16.0, 17.0, 18.0, 19.0, 20.0};

constexpr std::array<int, FilterResponse::kSlopes> kOrders = {1, 2, 3, 4, 6, 8};

// Q of each second-order section by characteristic and slope index. Every section runs at the
// filter's own corner frequency, Bessel included.
constexpr double kSectionQ[3][FilterResponse::kSlopes][4] = {
    {{},
     {0.5773},
     {0.691},
     {0.5219, 0.8055},
     {0.5103, 0.6112, 1.0234},
     {0.506, 1.2258, 0.7109, 0.5596}},
    {{},
     {0.7071},
     {1.0},
     {0.5412, 1.3065},
     {0.5177, 0.7071, 1.932},
     {0.5098, 0.6013, 0.8999, 2.5628}},
    {{}, {0.5}, {0.6}, {0.71, 0.71}, {0.5, 1.0, 1.0}, {0.54, 1.34, 0.54, 1.34}},
};

// Three significant figures, as the grid frequencies are kept.
double roundToThreeFigures(double v)
{
    const int exponent = int(std::floor(std::log10(v)));
    if (exponent < 2) {
        const double scale = std::pow(10.0, 2 - exponent);
        return std::round(v * scale) / scale;
    }
    const double scale = std::pow(10.0, exponent - 2);
    return std::round(v / scale) * scale;
}

// Steps of 1/36 octave anchored so that point 239 is exactly 1 kHz, rounded to three significant
// figures. Four points near 100 Hz were rounded by hand in the established table and keep those
// values so that curves line up with it.
FilterResponse::Grid makeGrid()
{
    FilterResponse::Grid grid{};
    for (int k = 0; k < FilterResponse::kGridSize; ++k)
        grid[k] = roundToThreeFigures(1000.0 * std::pow(2.0, (k - 239) / 36.0));
    grid[116] = 94.0;
    grid[117] = 95.0;
    grid[118] = 97.0;
    grid[119] = 99.0;
    return grid;
}

// e^(-j omega) and e^(-2j omega) per grid point, the angle taken from the grid frequency rounded
// to 0.1 Hz.
struct UnitCircle
{
    std::array<double, FilterResponse::kGridSize> cos1, sin1, cos2, sin2;
};

const UnitCircle& unitCircle()
{
    static const UnitCircle circle = [] {
        UnitCircle c{};
        const FilterResponse::Grid& grid = FilterResponse::frequencies();
        for (int k = 0; k < FilterResponse::kGridSize; ++k) {
            // 2 pi (f to 0.1 Hz) / 192000
            const double omega = std::round(10.0 * grid[k]) * kPi / 960000.0;
            c.cos1[k] = std::cos(omega);
            c.sin1[k] = std::sin(omega);
            c.cos2[k] = std::cos(2.0 * omega);
            c.sin2[k] = std::sin(2.0 * omega);
        }
        return c;
    }();
    return circle;
}

// A frequency a section can be designed at: inside (0, Nyquist).
bool designable(double freq)
{
    return std::isfinite(freq) && freq > 0.0 && freq < FilterResponse::kSampleRate / 2.0;
}

// Absurd gains overflow the design; such a section is left out rather than poisoning the curve.
bool finite(const Biquad& s)
{
    return std::isfinite(s.b0) && std::isfinite(s.b1) && std::isfinite(s.b2) &&
           std::isfinite(s.a1) && std::isfinite(s.a2);
}
} // namespace

const FilterResponse::Grid& FilterResponse::frequencies()
{
    static const Grid grid = makeGrid();
    return grid;
}

double FilterResponse::qForIndex(int index)
{
    return kQTable[std::clamp(index, 0, kQSteps - 1)];
}

float FilterResponse::bandQ(uint8_t type, int qIndex)
{
    return type == 1 || type == 2 ? kShelfQ : float(qForIndex(qIndex));
}

int FilterResponse::orderForSlope(int slope)
{
    return slope >= 0 && slope < kSlopes ? kOrders[slope] : 0;
}

int FilterResponse::passSections(const PassFilter& filter, bool highPass,
                                 std::array<Biquad, kMaxPassSections>& out)
{
    const int order = orderForSlope(filter.slope);
    if (filter.bypass || filter.type > 2 || order == 0 || !designable(filter.freq))
        return 0;
    if (filter.freq == (highPass ? kHighPassOff : kLowPassOff))
        return 0;
    int count = 0;
    for (int i = 0; i < order / 2; ++i)
        out[count++] = biquad(highPass ? HighPass : LowPass, filter.freq,
                              kSectionQ[filter.type][filter.slope][i], 0.0);
    if (order % 2 == 1)
        out[count++] = firstOrder(highPass, filter.freq);
    return count;
}

Biquad FilterResponse::biquad(SectionKind kind, double freq, double q, double gainDb)
{
    const double w0 = 2.0 * kPi * freq / kSampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double c = std::cos(w0);
    const double a = std::pow(10.0, gainDb / 40.0);
    const double beta = 2.0 * std::sqrt(a) * alpha;

    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (kind) {
    case HighPass:
        b0 = (1 + c) / 2;
        b1 = -(1 + c);
        b2 = (1 + c) / 2;
        a0 = 1 + alpha;
        a1 = -2 * c;
        a2 = 1 - alpha;
        break;
    case LowPass:
        b0 = (1 - c) / 2;
        b1 = 1 - c;
        b2 = (1 - c) / 2;
        a0 = 1 + alpha;
        a1 = -2 * c;
        a2 = 1 - alpha;
        break;
    case Peaking:
        b0 = 1 + alpha * a;
        b1 = -2 * c;
        b2 = 1 - alpha * a;
        a0 = 1 + alpha / a;
        a1 = -2 * c;
        a2 = 1 - alpha / a;
        break;
    case LowShelf:
        b0 = a * ((a + 1) - (a - 1) * c + beta);
        b1 = 2 * a * ((a - 1) - (a + 1) * c);
        b2 = a * ((a + 1) - (a - 1) * c - beta);
        a0 = (a + 1) + (a - 1) * c + beta;
        a1 = -2 * ((a - 1) + (a + 1) * c);
        a2 = (a + 1) + (a - 1) * c - beta;
        break;
    case HighShelf:
        b0 = a * ((a + 1) + (a - 1) * c + beta);
        b1 = -2 * a * ((a - 1) + (a + 1) * c);
        b2 = a * ((a + 1) + (a - 1) * c - beta);
        a0 = (a + 1) - (a - 1) * c + beta;
        a1 = 2 * ((a - 1) - (a + 1) * c);
        a2 = (a + 1) - (a - 1) * c - beta;
        break;
    }
    return Biquad{b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

// Bilinear transform pre-warped to the corner frequency.
Biquad FilterResponse::firstOrder(bool highPass, double freq)
{
    const double w = 2.0 * kPi * freq;
    const double k = w / std::tan(kPi * freq / kSampleRate);
    const double a1 = (w - k) / (w + k);
    if (highPass)
        return Biquad{k / (w + k), -k / (w + k), 0.0, a1, 0.0};
    return Biquad{w / (w + k), w / (w + k), 0.0, a1, 0.0};
}

void FilterResponse::compute(const PassFilter& highPass, const PassFilter& lowPass,
                             const FilterBand* bands, int bandCount, Curve& out)
{
    std::array<Biquad, 2 * kMaxPassSections + kMaxBands> sections;
    std::array<Biquad, kMaxPassSections> pass;
    int count = 0;
    for (int i = 0, n = passSections(highPass, true, pass); i < n; ++i)
        sections[count++] = pass[i];
    for (int i = 0, n = passSections(lowPass, false, pass); i < n; ++i)
        sections[count++] = pass[i];
    bandCount = bands ? std::clamp(bandCount, 0, kMaxBands) : 0;
    for (int i = 0; i < bandCount; ++i) {
        const FilterBand& band = bands[i];
        if (band.bypass || band.type > 2 || !designable(band.freq) || !(band.q > 0.0f))
            continue;
        const Biquad section =
            biquad(SectionKind(Peaking + band.type), band.freq, band.q, band.gain);
        if (finite(section))
            sections[count++] = section;
    }

    // Squared magnitudes multiply; one logarithm per point instead of one per section and
    // point keeps a full recompute cheap enough for every drag step. The products stay far
    // inside the double range: the steepest pass filters at the far ends of the grid together
    // with sixteen deep cuts stay above about 1e-150.
    const UnitCircle& z = unitCircle();
    std::array<double, kGridSize> numerator;
    std::array<double, kGridSize> denominator;
    numerator.fill(1.0);
    denominator.fill(1.0);
    for (int s = 0; s < count; ++s) {
        const Biquad& q = sections[s];
        for (int k = 0; k < kGridSize; ++k) {
            const double nRe = q.b0 + q.b1 * z.cos1[k] + q.b2 * z.cos2[k];
            const double nIm = q.b1 * z.sin1[k] + q.b2 * z.sin2[k];
            const double dRe = 1.0 + q.a1 * z.cos1[k] + q.a2 * z.cos2[k];
            const double dIm = q.a1 * z.sin1[k] + q.a2 * z.sin2[k];
            numerator[k] *= nRe * nRe + nIm * nIm;
            denominator[k] *= dRe * dRe + dIm * dIm;
        }
    }
    for (int k = 0; k < kGridSize; ++k)
        out[k] = count == 0 ? 0.0 : 10.0 * std::log10(numerator[k] / denominator[k]);
}

FilterResponse::Curve FilterResponse::compute(const PassFilter& highPass, const PassFilter& lowPass,
                                              const FilterBand* bands, int bandCount)
{
    Curve curve;
    compute(highPass, lowPass, bands, bandCount, curve);
    return curve;
}
