#include "meterengine.h"

#include "wire/ranges.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr float kPi = 3.14159265f;

using Level = std::optional<float>;

qint8 toMeter(const Level& db)
{
    if (!db || *db < -99.5f || std::isnan(*db))
        return MeterEngine::kSilence;
    return qint8(std::clamp(std::lround(*db), -100L, 20L));
}

float limit(float db, const wire::Limiter& limiter)
{
    if (!limiter.enabled || db <= limiter.threshold || limiter.ratio < 1.0f)
        return db;
    return limiter.threshold + (db - limiter.threshold) / limiter.ratio;
}

bool isUsbPlayChannel(const ChannelProfile& profile, int channel)
{
    const int left = profile.usbPlayInput();
    return left >= 0 && (channel == left || channel == left + 1);
}

} // namespace

float MeterEngine::sourceLevel(int channel, qint64 uptimeMs)
{
    const float t = float(uptimeMs) / 1000.0f;
    const float period = 4.0f + 0.65f * float(channel);
    const float phase = 0.9f * float(channel);
    return -26.0f + 9.0f * std::sin(2.0f * kPi * t / period + phase) +
           3.0f * std::sin(2.0f * kPi * t / (0.31f * period) + 2.0f * phase);
}

MeterEngine::Levels MeterEngine::compute(const UnitState& state, qint64 uptimeMs, bool usbPlaying)
{
    Levels levels;
    const ChannelProfile& profile = state.profile();
    std::array<Level, wire::kInputCount> post;

    for (int i = 0; i < wire::kInputCount; ++i) {
        const UnitState::Input& in = state.dsp.inputs[std::size_t(i)];
        Level pre;
        const bool carries = profile.hasInput(i) && (!isUsbPlayChannel(profile, i) || usbPlaying);
        if (carries && !in.inputMute)
            pre = sourceLevel(i, uptimeMs) + in.inputGain;
        const bool gateClosed = pre && in.gate.enabled && *pre < in.gate.threshold;
        levels.gateClosed[std::size_t(i)] = gateClosed ? 1 : 0;
        if (pre && !gateClosed && !in.levelMute && in.levelGain > wire::kFaderBottom)
            post[std::size_t(i)] = limit(*pre + in.levelGain, in.limiter);
        levels.inputPre[std::size_t(i)] = toMeter(pre);
    }

    // The auto mixer ducks every member of an enabled group by its distance to the loudest.
    std::array<float, wire::kInputCount> attenuation{};
    for (int group = 1; group <= wire::kAutoMixerMaxGroup; ++group) {
        if (!state.dsp.autoMixerEnabled[std::size_t(group - 1)])
            continue;
        float loudest = -1000.0f;
        for (int i = 0; i < UnitState::kConferenceInputs; ++i) {
            const auto& in = state.dsp.inputs[std::size_t(i)];
            if (in.amGroup == group && post[std::size_t(i)])
                loudest = std::max(loudest, *post[std::size_t(i)] + in.amWeight);
        }
        for (int i = 0; i < UnitState::kConferenceInputs; ++i) {
            const auto& in = state.dsp.inputs[std::size_t(i)];
            if (in.amGroup == group && post[std::size_t(i)])
                attenuation[std::size_t(i)] =
                    std::max(-40.0f, *post[std::size_t(i)] + in.amWeight - loudest);
        }
    }
    for (int i = 0; i < wire::kInputCount; ++i) {
        levels.inputPost[std::size_t(i)] = toMeter(post[std::size_t(i)]);
        if (i < UnitState::kConferenceInputs) {
            Level after = post[std::size_t(i)];
            if (after)
                *after += attenuation[std::size_t(i)];
            levels.amAttenuation[std::size_t(i)] = qint8(std::lround(attenuation[std::size_t(i)]));
            levels.amLevel[std::size_t(i)] = toMeter(after);
        }
    }

    const UnitState::Generator& generator = state.dsp.generator;
    for (int o = 0; o < wire::kOutputCount; ++o) {
        const UnitState::Output& out = state.dsp.outputs[std::size_t(o)];
        double power = 0.0;
        for (int i = 0; i < wire::kInputCount; ++i) {
            const auto& in = state.dsp.inputs[std::size_t(i)];
            // A crosspoint, like a fader, is off at or below the fader's bottom.
            const float gain = in.mixGain[std::size_t(o)];
            if (!post[std::size_t(i)] || !in.mixEnabled[std::size_t(o)] ||
                gain <= wire::kFaderBottom)
                continue;
            const float db = *post[std::size_t(i)] + attenuation[std::size_t(i)] + gain;
            power += std::pow(10.0, double(db) / 10.0);
        }
        if (generator.on && generator.routing[std::size_t(o)])
            power += std::pow(10.0, double(generator.gain) / 10.0);
        Level pre;
        if (profile.hasOutput(o) && power > 0.0)
            pre = float(10.0 * std::log10(power));
        Level after;
        if (pre && !out.levelMute && out.levelGain > wire::kFaderBottom && !state.system.systemMute)
            after = limit(*pre + out.levelGain, out.limiter);
        levels.outputPre[std::size_t(o)] = toMeter(pre);
        levels.outputPost[std::size_t(o)] = toMeter(after);
    }
    return levels;
}
