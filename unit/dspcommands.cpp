#include "dspcommands.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/commands.h"
#include "wire/levelrules.h"
#include "wire/packet.h"
#include "wire/ranges.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The input mode of a microphone, the only source phantom power feeds.
constexpr quint8 kMicrophoneInputMode = 0;
// The highest echo-cancellation and noise-reduction levels.
constexpr quint8 kMaxEchoCancellationLevel = 3;
constexpr quint8 kMaxNoiseReductionLevel = 3;

bool finite(float v)
{
    return std::isfinite(v);
}

// [channel, byte] and [channel, f32] payloads.
bool channelByte(const QByteArray& p, int channels, int& ch, quint8& value)
{
    if (p.size() != 2 || quint8(p[0]) >= channels)
        return false;
    ch = quint8(p[0]);
    value = quint8(p[1]);
    return true;
}

bool channelFloat(const QByteArray& p, int channels, int& ch, float& value)
{
    if (p.size() != 5 || quint8(p[0]) >= channels)
        return false;
    ch = quint8(p[0]);
    value = wire::readF32(p.constData() + 1);
    return finite(value);
}

template <typename T> bool channelRecord(const QByteArray& p, int channels, int& ch, T& value)
{
    if (p.size() != 1 + int(sizeof(T)) || quint8(p[0]) >= channels)
        return false;
    ch = quint8(p[0]);
    std::memcpy(&value, p.constData() + 1, sizeof(T));
    return true;
}

bool validHlpf(wire::HLPF& f)
{
    if (f.type >= wire::kFilterTypes || f.slope >= wire::kFilterSlopes || !finite(f.freq))
        return false;
    f.enabled = f.enabled ? 1 : 0;
    f.freq = wire::range::FilterFrequency.clamp(f.freq);
    return true;
}

bool validPeq(wire::PEQ& b)
{
    if (b.type >= wire::kFilterTypes || !finite(b.freq) || !finite(b.gain))
        return false;
    b.enabled = b.enabled ? 1 : 0;
    b.freq = wire::range::FilterFrequency.clamp(b.freq);
    b.gain = wire::range::PeqGain.clamp(b.gain);
    b.q = std::min<quint8>(b.q, wire::kPeqMaxQIndex);
    return true;
}

bool validLimiter(wire::Limiter& l)
{
    if (!finite(l.threshold) || !finite(l.ratio) || !finite(l.attack) || !finite(l.decay))
        return false;
    l.enabled = l.enabled ? 1 : 0;
    l.threshold = wire::range::LimiterThreshold.clamp(l.threshold);
    l.ratio = wire::range::LimiterRatio.clamp(l.ratio);
    l.attack = wire::range::LimiterTime.clamp(l.attack);
    l.decay = wire::range::LimiterTime.clamp(l.decay);
    return true;
}

bool validGate(wire::Gate& g)
{
    if (!finite(g.threshold) || !finite(g.attack) || !finite(g.decay))
        return false;
    g.enabled = g.enabled ? 1 : 0;
    g.threshold = wire::range::GateThreshold.clamp(g.threshold);
    g.attack = wire::range::GateTime.clamp(g.attack);
    g.decay = wire::range::GateTime.clamp(g.decay);
    return true;
}

bool validAgc(wire::AGC& a)
{
    if (!finite(a.threshold) || !finite(a.target) || !finite(a.ratio) || !finite(a.attack) ||
        !finite(a.decay))
        return false;
    a.enabled = a.enabled ? 1 : 0;
    a.threshold = wire::range::AgcLevel.clamp(a.threshold);
    a.target = wire::range::AgcLevel.clamp(a.target);
    a.ratio = wire::range::AgcRatio.clamp(a.ratio);
    a.attack = wire::range::AgcTime.clamp(a.attack);
    a.decay = wire::range::AgcTime.clamp(a.decay);
    return true;
}

// Copy targets: [source, masks...] whose layout depends on the command and the generation.
struct CopyTargets
{
    int source = 0;
    quint32 inputs = 0;
    quint32 outputs = 0;
};

// A fader range command [channel, max, min] in whole dB; a level above the bottom moves into
// the new range.
template <typename Channel> void setFaderRange(Channel& c, qint8 maximum, qint8 minimum)
{
    const wire::FaderTravel travel = wire::faderTravel(minimum, maximum);
    c.faderMin = travel.min;
    c.faderMax = travel.max;
    if (c.levelGain > wire::kFaderBottom)
        c.levelGain = wire::faderLevel(c.levelGain, travel.min, travel.max);
}

template <typename Channel> void stepFader(Channel& c, float step)
{
    const float base = c.levelGain > wire::kFaderBottom ? c.levelGain : wire::kFaderBottom;
    const float target = base + step;
    // A step never leaves the allowed range, and only reaches "off" from the bottom.
    c.levelGain = target <= wire::kFaderBottom && c.faderMin <= wire::kFaderBottom
                      ? wire::kLevelOff
                      : std::clamp(target, std::max(c.faderMin, wire::kFaderBottom), c.faderMax);
}

} // namespace

bool DspCommands::apply(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    UnitState& state = unit.state();
    switch (code.group().key()) {
    case wire::group::InputSetup.key():
    case wire::group::Feedback.key():
    case wire::group::InputDelay.key():
        return inputSetup(state, code, payload);
    case wire::group::Gate.key(): {
        int ch = 0;
        wire::Gate gate;
        if (code != wire::code::Gate || !channelRecord(payload, wire::kInputCount, ch, gate) ||
            !validGate(gate))
            return false;
        state.dsp.inputs[std::size_t(ch)].gate = gate;
        return true;
    }
    case wire::group::Agc.key():
        return agc(state, code, payload);
    case wire::group::InputFilter.key():
    case wire::group::OutputFilter.key():
        return filters(state, code, payload);
    case wire::group::InputLimiter.key():
    case wire::group::OutputLimiter.key():
        return limiters(state, code, payload);
    case wire::group::InputLevel.key():
        return inputLevel(state, code, payload);
    case wire::group::Matrix.key():
        return matrix(state, code, payload);
    case wire::group::OutputLevel.key():
        return outputLevel(state, code, payload);
    case wire::group::OutputDelay.key(): {
        int ch = 0;
        float ms = 0;
        if (code != wire::code::OutputDelay || !channelFloat(payload, wire::kOutputCount, ch, ms))
            return false;
        state.dsp.outputs[std::size_t(ch)].delay = wire::range::OutputDelay.clamp(ms);
        return true;
    }
    case wire::group::Generator.key():
    case wire::group::EchoCancellation.key():
    case wire::group::NoiseReduction.key():
    case wire::group::AutoMixer.key():
        return conference(state, code, payload);
    case wire::group::Presets.key():
        return presets(unit, code, payload, out);
    default:
        return false;
    }
}

bool DspCommands::inputSetup(UnitState& state, wire::Code code, const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& in = state.dsp.inputs;
    const int n = wire::kInputCount;
    switch (code.key()) {
    case wire::code::InputGain.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        in[std::size_t(ch)].inputGain = wire::range::InputGain.clamp(f);
        return true;
    case wire::code::InputDelay.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        in[std::size_t(ch)].delay = wire::range::InputDelay.clamp(f);
        return true;
    case wire::code::Feedback.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        in[std::size_t(ch)].feedback = value ? 1 : 0;
        return true;
    case wire::code::InputMute.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        in[std::size_t(ch)].inputMute = value ? 1 : 0;
        return true;
    case wire::code::InputMode.key(): {
        if (!channelByte(payload, n, ch, value) || value >= wire::kInputModes)
            return false;
        UnitState::Input& c = in[std::size_t(ch)];
        c.inputMode = value;
        if (value != kMicrophoneInputMode)
            c.phantom = 0;
        return true;
    }
    case wire::code::Phantom.key(): {
        if (!channelByte(payload, n, ch, value))
            return false;
        UnitState::Input& c = in[std::size_t(ch)];
        c.phantom = value && c.inputMode == kMicrophoneInputMode ? 1 : 0;
        return true;
    }
    default:
        return false;
    }
}

namespace {

// A level change reaches the edited strip and its followers, as the application shows them:
// the rest of its level group, and the other input of the pair 0/1 while `linkedPair`.
template <typename Channels, typename Apply>
void applyToMembers(Channels& channels, int ch, bool linkedPair, const Apply& apply)
{
    const auto groupOf = [&channels](int i) { return channels[std::size_t(i)].levelGroup; };
    apply(channels[std::size_t(ch)]);
    for (const int i : wire::levelFollowers(int(channels.size()), ch, groupOf, true, linkedPair))
        apply(channels[std::size_t(i)]);
}

bool linkedPair(const UnitState& state, int ch)
{
    return wire::inLinkedPair(ch) &&
           state.dsp.inputs[std::size_t(ch)].inputMode == wire::kLinkedPairInputMode;
}

} // namespace

bool DspCommands::inputLevel(UnitState& state, wire::Code code, const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& in = state.dsp.inputs;
    const int n = wire::kInputCount;
    using Input = UnitState::Input;
    switch (code.key()) {
    case wire::code::InputLevelMute.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        applyToMembers(in, ch, linkedPair(state, ch),
                       [&](Input& c) { c.levelMute = value ? 1 : 0; });
        return true;
    case wire::code::InputLevelInvert.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        applyToMembers(in, ch, linkedPair(state, ch),
                       [&](Input& c) { c.levelInvert = value ? 1 : 0; });
        return true;
    case wire::code::InputLevelGroup.key():
        if (!channelByte(payload, n, ch, value) || value > wire::kLevelGroups)
            return false;
        if (linkedPair(state, ch))
            in[0].levelGroup = in[1].levelGroup = value; // the pair is one strip pair
        else
            in[std::size_t(ch)].levelGroup = value;
        return true;
    case wire::code::InputLevelGain.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        applyToMembers(in, ch, linkedPair(state, ch), [&](Input& c) {
            c.levelGain = wire::faderLevel(f, c.faderMin, c.faderMax);
        });
        return true;
    case wire::code::InputLevelStep.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        stepFader(in[std::size_t(ch)], f);
        return true;
    case wire::code::InputFaderRange.key():
        if (payload.size() != 3 || quint8(payload[0]) >= n)
            return false;
        setFaderRange(in[quint8(payload[0])], qint8(payload[1]), qint8(payload[2]));
        return true;
    default:
        return false;
    }
}

bool DspCommands::outputLevel(UnitState& state, wire::Code code, const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& out = state.dsp.outputs;
    const int n = wire::kOutputCount;
    using Output = UnitState::Output;
    switch (code.key()) {
    case wire::code::OutputLevelMute.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        applyToMembers(out, ch, false, [&](Output& c) { c.levelMute = value ? 1 : 0; });
        return true;
    case wire::code::OutputLevelInvert.key():
        if (!channelByte(payload, n, ch, value))
            return false;
        applyToMembers(out, ch, false, [&](Output& c) { c.levelInvert = value ? 1 : 0; });
        return true;
    case wire::code::OutputLevelGroup.key():
        if (!channelByte(payload, n, ch, value) || value > wire::kLevelGroups)
            return false;
        out[std::size_t(ch)].levelGroup = value;
        return true;
    case wire::code::OutputLevelGain.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        applyToMembers(out, ch, false, [&](Output& c) {
            c.levelGain = wire::faderLevel(f, c.faderMin, c.faderMax);
        });
        return true;
    case wire::code::OutputLevelStep.key():
        if (!channelFloat(payload, n, ch, f))
            return false;
        stepFader(out[std::size_t(ch)], f);
        return true;
    case wire::code::OutputFaderRange.key():
        if (payload.size() != 3 || quint8(payload[0]) >= n)
            return false;
        setFaderRange(out[quint8(payload[0])], qint8(payload[1]), qint8(payload[2]));
        return true;
    case wire::code::OutputMeterMode.key():
        if (payload.size() != 1 || quint8(payload[0]) >= wire::kOutputMeterModes)
            return false;
        state.dsp.outputMeterMode = quint8(payload[0]);
        return true;
    default:
        return false;
    }
}

namespace {

// Copy commands: the input filter copy [src, u16 inputs, u16 outputs], or [src, u32 inputs]
// from format generation 6 on; the limiter copies [src, u16 | u32 inputs, u16 outputs]; the
// output filter copy [src, u16 inputs, u16 outputs], or [src, u16 outputs] from generation 6
// on; the AGC copy [src, inputs] with a u16 mask, or a u32 one from generation 6 on.
bool copyTargets(const QByteArray& p, wire::Code code, quint16 generation, int sources,
                 CopyTargets& t)
{
    if (p.isEmpty() || quint8(p[0]) >= sources)
        return false;
    t.source = quint8(p[0]);
    const char* d = p.constData() + 1;
    const int n = p.size() - 1;
    const bool wide = generation != 4;
    switch (code.key()) {
    case wire::code::InputFilterCopy.key():
        if (n != 4)
            return false;
        t.inputs = wide ? wire::readU32(d) : wire::readU16(d);
        t.outputs = wide ? 0 : wire::readU16(d + 2);
        return true;
    case wire::code::OutputFilterCopy.key():
        if (n == 2) {
            t.outputs = wire::readU16(d);
            return true;
        }
        if (n != 4)
            return false;
        t.inputs = wire::readU16(d);
        t.outputs = wire::readU16(d + 2);
        return true;
    case wire::code::AgcCopy.key():
        if (n != (wide ? 4 : 2))
            return false;
        t.inputs = wide ? wire::readU32(d) : wire::readU16(d);
        return true;
    case wire::code::InputLimiterCopy.key():
    case wire::code::OutputLimiterCopy.key():
        if (n == 6) {
            t.inputs = wire::readU32(d);
            t.outputs = wire::readU16(d + 4);
            return true;
        }
        if (n != 4)
            return false;
        t.inputs = wire::readU16(d);
        t.outputs = wire::readU16(d + 2);
        return true;
    default:
        return false;
    }
}

template <typename Channels, typename Apply>
void forMask(Channels& channels, quint32 mask, Apply apply)
{
    for (std::size_t i = 0; i < channels.size() && i < 32; ++i) {
        if ((mask >> i) & 1u)
            apply(channels[i]);
    }
}

} // namespace

bool DspCommands::filters(UnitState& state, wire::Code code, const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const bool output = code.in(wire::group::OutputFilter);
    const int channels = output ? wire::kOutputCount : wire::kInputCount;
    int ch = 0;
    switch (code.key()) {
    case wire::code::InputHpf.key():
    case wire::code::InputLpf.key():
    case wire::code::OutputHpf.key():
    case wire::code::OutputLpf.key(): {
        wire::HLPF f;
        if (!channelRecord(payload, channels, ch, f) || !validHlpf(f))
            return false;
        const bool hpf = code == wire::code::InputHpf || code == wire::code::OutputHpf;
        wire::HLPF& target =
            output ? (hpf ? dsp.outputs[std::size_t(ch)].hpf : dsp.outputs[std::size_t(ch)].lpf)
                   : (hpf ? dsp.inputs[std::size_t(ch)].hpf : dsp.inputs[std::size_t(ch)].lpf);
        target = f;
        return true;
    }
    case wire::code::InputPeq.key():
    case wire::code::OutputPeq.key(): {
        wire::PEQ band;
        if (payload.size() != 2 + int(sizeof band) || quint8(payload[0]) >= channels ||
            quint8(payload[1]) >= wire::kPeqBands)
            return false;
        std::memcpy(&band, payload.constData() + 2, sizeof band);
        if (!validPeq(band))
            return false;
        ch = quint8(payload[0]);
        const std::size_t b = quint8(payload[1]);
        (output ? dsp.outputs[std::size_t(ch)].peq[b] : dsp.inputs[std::size_t(ch)].peq[b]) = band;
        return true;
    }
    case wire::code::InputFilterCopy.key():
    case wire::code::OutputFilterCopy.key(): {
        CopyTargets t;
        if (!copyTargets(payload, code, state.system.formatGeneration, channels, t))
            return false;
        const auto copyFrom = [&](const auto& src) {
            const wire::HLPF hpf = src.hpf;
            const wire::HLPF lpf = src.lpf;
            const auto peq = src.peq;
            const auto assign = [&](auto& c) {
                c.hpf = hpf;
                c.lpf = lpf;
                c.peq = peq;
            };
            forMask(dsp.inputs, t.inputs, assign);
            forMask(dsp.outputs, t.outputs, assign);
        };
        if (output)
            copyFrom(dsp.outputs[std::size_t(t.source)]);
        else
            copyFrom(dsp.inputs[std::size_t(t.source)]);
        return true;
    }
    case wire::code::InputFilterReset.key():
    case wire::code::OutputFilterReset.key(): {
        if (payload.size() != 1 || quint8(payload[0]) >= channels)
            return false;
        const auto reset = [](auto& c) {
            c.hpf = UnitState::defaultHpf();
            c.lpf = UnitState::defaultLpf();
            for (int b = 0; b < wire::kPeqBands; ++b)
                c.peq[std::size_t(b)] = UnitState::defaultPeq(b);
        };
        if (output)
            reset(dsp.outputs[quint8(payload[0])]);
        else
            reset(dsp.inputs[quint8(payload[0])]);
        return true;
    }
    default:
        return false;
    }
}

bool DspCommands::limiters(UnitState& state, wire::Code code, const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const bool output = code.in(wire::group::OutputLimiter);
    const int channels = output ? wire::kOutputCount : wire::kInputCount;
    int ch = 0;
    switch (code.key()) {
    case wire::code::InputLimiter.key():
    case wire::code::OutputLimiter.key(): {
        wire::Limiter l;
        if (!channelRecord(payload, channels, ch, l) || !validLimiter(l))
            return false;
        (output ? dsp.outputs[std::size_t(ch)].limiter : dsp.inputs[std::size_t(ch)].limiter) = l;
        return true;
    }
    case wire::code::InputLimiterCopy.key():
    case wire::code::OutputLimiterCopy.key(): {
        CopyTargets t;
        if (!copyTargets(payload, code, state.system.formatGeneration, channels, t))
            return false;
        const wire::Limiter l = output ? dsp.outputs[std::size_t(t.source)].limiter
                                       : dsp.inputs[std::size_t(t.source)].limiter;
        const auto assign = [&](auto& c) { c.limiter = l; };
        forMask(dsp.inputs, t.inputs, assign);
        forMask(dsp.outputs, t.outputs, assign);
        return true;
    }
    case wire::code::InputLimiterReset.key():
    case wire::code::OutputLimiterReset.key():
        if (payload.size() != 1 || quint8(payload[0]) >= channels)
            return false;
        (output ? dsp.outputs[quint8(payload[0])].limiter
                : dsp.inputs[quint8(payload[0])].limiter) = UnitState::defaultLimiter();
        return true;
    default:
        return false;
    }
}

bool DspCommands::agc(UnitState& state, wire::Code code, const QByteArray& payload)
{
    auto& in = state.dsp.inputs;
    int ch = 0;
    switch (code.key()) {
    case wire::code::Agc.key(): {
        wire::AGC a;
        if (!channelRecord(payload, wire::kInputCount, ch, a) || !validAgc(a))
            return false;
        in[std::size_t(ch)].agc = a;
        return true;
    }
    case wire::code::AgcCopy.key(): {
        CopyTargets t;
        if (!copyTargets(payload, code, state.system.formatGeneration, wire::kInputCount, t))
            return false;
        const wire::AGC a = in[std::size_t(t.source)].agc;
        forMask(in, t.inputs, [&](UnitState::Input& c) { c.agc = a; });
        return true;
    }
    case wire::code::AgcReset.key():
        if (payload.size() != 1 || quint8(payload[0]) >= wire::kInputCount)
            return false;
        in[quint8(payload[0])].agc = UnitState::defaultAgc();
        return true;
    default:
        return false;
    }
}

bool DspCommands::matrix(UnitState& state, wire::Code code, const QByteArray& payload)
{
    // [output, input..., value]
    const bool enable = code == wire::code::MatrixEnable;
    if ((!enable && code != wire::code::MatrixGain) || payload.size() < 2 ||
        quint8(payload[0]) >= wire::kOutputCount)
        return false;
    const std::size_t output = quint8(payload[0]);
    const QByteArray inputs = payload.mid(1, payload.size() - 2);
    for (char i : inputs) {
        if (quint8(i) >= wire::kInputCount)
            return false;
    }
    const qint8 value = qint8(payload[payload.size() - 1]);
    const qint8 top = qint8(wire::range::MatrixGain.hi);
    for (char i : inputs) {
        UnitState::Input& c = state.dsp.inputs[quint8(i)];
        if (enable)
            c.mixEnabled[output] = value ? 1 : 0;
        else
            c.mixGain[output] =
                value < wire::kMatrixOffBelow ? wire::kMatrixOff : std::min<qint8>(value, top);
    }
    return true;
}

bool DspCommands::conference(UnitState& state, wire::Code code, const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const int n = payload.size();
    const char* p = payload.constData();
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    switch (code.key()) {
    case wire::code::GeneratorRouting.key():
        if (!channelByte(payload, wire::kOutputCount, ch, value))
            return false;
        dsp.generator.routing[std::size_t(ch)] = value ? 1 : 0;
        return true;
    case wire::code::GeneratorFrequency.key():
        if (n != 4 || !finite(wire::readF32(p)))
            return false;
        dsp.generator.frequency = wire::range::GeneratorFrequency.clamp(wire::readF32(p));
        return true;
    case wire::code::GeneratorGain.key():
        if (n != 4 || !finite(wire::readF32(p)))
            return false;
        dsp.generator.gain = wire::range::GeneratorGain.clamp(wire::readF32(p));
        return true;
    case wire::code::GeneratorType.key():
        if (n != 1 || quint8(p[0]) >= wire::kGeneratorTypes)
            return false;
        dsp.generator.type = quint8(p[0]);
        return true;
    case wire::code::GeneratorOn.key():
        if (n != 1)
            return false;
        dsp.generator.on = p[0] ? 1 : 0;
        return true;
    case wire::code::EchoCancellation.key():
        if (n != 1)
            return false;
        dsp.aecOn = p[0] ? 1 : 0;
        return true;
    case wire::code::EchoCancellationSettings.key():
        // Level and 16 microphone flags; two further bytes from format generation 6 on.
        if (n < wire::kEchoCancellationNarrowBytes || n > int(dsp.aec.size()) ||
            quint8(p[0]) > kMaxEchoCancellationLevel)
            return false;
        std::copy(p, p + n, dsp.aec.begin());
        return true;
    case wire::code::NoiseReduction.key():
        if (n != 2 || quint8(p[0]) >= UnitState::kConferenceInputs ||
            quint8(p[1]) > kMaxNoiseReductionLevel)
            return false;
        dsp.ancChannel = quint8(p[0]);
        dsp.ancLevel = quint8(p[1]);
        return true;
    case wire::code::AutoMixerWeights.key():
        if (!channelFloat(payload, UnitState::kConferenceInputs, ch, f))
            return false;
        dsp.inputs[std::size_t(ch)].amWeight = wire::range::AutoMixerWeight.clamp(f);
        return true;
    case wire::code::AutoMixerGroups.key():
        if (!channelByte(payload, UnitState::kConferenceInputs, ch, value))
            return false;
        dsp.inputs[std::size_t(ch)].amGroup = std::min<quint8>(value, wire::kAutoMixerMaxGroup);
        return true;
    case wire::code::AutoMixerSwitches.key():
        if (n != 2 || quint8(p[0]) >= dsp.autoMixerEnabled.size())
            return false;
        dsp.autoMixerEnabled[quint8(p[0])] = p[1] ? 1 : 0;
        return true;
    case wire::code::AutoMixerReset.key():
        if (n != 0)
            return false;
        for (auto& c : dsp.inputs) {
            c.amWeight = 0.0f;
            c.amGroup = 0;
        }
        dsp.autoMixerEnabled = {0, 0};
        return true;
    default:
        return false;
    }
}

bool DspCommands::presets(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    PresetStore& store = unit.presets();
    UnitState::Dsp& dsp = unit.state().dsp;
    switch (code.key()) {
    case wire::code::PresetExportAll.key():
    case wire::code::PresetImportAll.key():
    case wire::code::PresetExport.key():
    case wire::code::PresetImport.key():
        return unit.presetTransfer().handle(code, payload, out);
    default:
        break;
    }
    if (payload.isEmpty())
        return false;
    const int slot = quint8(payload[0]);
    switch (code.key()) {
    case wire::code::PresetSave.key():
        return payload.size() == 1 && store.save(slot, dsp);
    case wire::code::PresetRecall.key():
        return payload.size() == 1 && store.recall(slot, dsp);
    case wire::code::PresetDelete.key():
        return payload.size() == 1 && store.remove(slot);
    case wire::code::PresetRename.key():
        return store.rename(slot, payload.mid(1));
    case wire::code::PresetLoad.key():
        if (payload.size() != 1 || !store.recall(slot, dsp))
            return false;
        // Loading reports its progress; the last step closes the application's dialog.
        for (const quint8 percent : {0, 50, 100})
            out.add(code, QByteArray(1, char(percent)));
        return true;
    default:
        return false;
    }
}
