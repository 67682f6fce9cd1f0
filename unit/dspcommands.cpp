#include "dspcommands.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr float kOff = -100.0f;
constexpr float kFaderFloor = -56.0f;
constexpr float kFaderCeiling = 12.0f;

float clampF(float v, float lo, float hi)
{
    return std::clamp(v, lo, hi);
}

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
    if (f.type > 2 || f.slope > 5 || !finite(f.freq))
        return false;
    f.enabled = f.enabled ? 1 : 0;
    f.freq = clampF(f.freq, 20.0f, 20000.0f);
    return true;
}

bool validPeq(wire::PEQ& b)
{
    if (b.type > 2 || !finite(b.freq) || !finite(b.gain))
        return false;
    b.enabled = b.enabled ? 1 : 0;
    b.freq = clampF(b.freq, 20.0f, 20000.0f);
    b.gain = clampF(b.gain, -15.0f, 15.0f);
    b.q = std::min<quint8>(b.q, 64);
    return true;
}

bool validLimiter(wire::Limiter& l)
{
    if (!finite(l.threshold) || !finite(l.ratio) || !finite(l.attack) || !finite(l.decay))
        return false;
    l.enabled = l.enabled ? 1 : 0;
    l.threshold = clampF(l.threshold, -100.0f, 18.0f);
    l.ratio = clampF(l.ratio, 1.0f, 100.0f);
    l.attack = clampF(l.attack, 1.0f, 1000.0f);
    l.decay = clampF(l.decay, 1.0f, 1000.0f);
    return true;
}

bool validGate(wire::Gate& g)
{
    if (!finite(g.threshold) || !finite(g.attack) || !finite(g.decay))
        return false;
    g.enabled = g.enabled ? 1 : 0;
    g.threshold = clampF(g.threshold, -120.0f, 0.0f);
    g.attack = clampF(g.attack, 1.0f, 1000.0f);
    g.decay = clampF(g.decay, 1.0f, 1000.0f);
    return true;
}

bool validAgc(wire::AGC& a)
{
    if (!finite(a.threshold) || !finite(a.target) || !finite(a.ratio) || !finite(a.attack) ||
        !finite(a.decay))
        return false;
    a.enabled = a.enabled ? 1 : 0;
    a.threshold = clampF(a.threshold, -120.0f, 0.0f);
    a.target = clampF(a.target, -120.0f, 0.0f);
    a.ratio = clampF(a.ratio, 1.0f, 100.0f);
    a.attack = clampF(a.attack, 20.0f, 1000.0f);
    a.decay = clampF(a.decay, 20.0f, 1000.0f);
    return true;
}

// Copy targets: [source, masks...] whose layout depends on the command and the generation.
struct CopyTargets
{
    int source = 0;
    quint32 inputs = 0;
    quint32 outputs = 0;
};

// A fader range command [channel, max, min] in whole dB.
template <typename Channel> void setFaderRange(Channel& c, qint8 maximum, qint8 minimum)
{
    float hi = clampF(maximum, kFaderFloor, kFaderCeiling);
    float lo = clampF(minimum, kFaderFloor, kFaderCeiling);
    if (lo > hi)
        std::swap(lo, hi);
    c.faderMin = lo;
    c.faderMax = hi;
    if (c.levelGain > kFaderFloor)
        c.levelGain = DspCommands::faderLevel(c.levelGain, lo, hi);
}

template <typename Channel> void stepFader(Channel& c, float step)
{
    const float base = c.levelGain > kFaderFloor ? c.levelGain : kFaderFloor;
    const float target = base + step;
    // A step never leaves the allowed range, and only reaches "off" from the floor.
    c.levelGain = target <= kFaderFloor && c.faderMin <= kFaderFloor
                      ? kOff
                      : clampF(target, std::max(c.faderMin, kFaderFloor), c.faderMax);
}

} // namespace

float DspCommands::faderLevel(float requested, float faderMin, float faderMax)
{
    if (requested <= kFaderFloor)
        return kOff;
    return clampF(requested, std::max(faderMin, kFaderFloor), faderMax);
}

bool DspCommands::apply(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                        Replies& out)
{
    UnitState& state = unit.state();
    switch (subType) {
    case 1:
    case 3:
    case 6:
        return inputSetup(state, subType, funcId, payload);
    case 2: {
        int ch = 0;
        wire::Gate gate;
        if (funcId != 2 || !channelRecord(payload, UnitState::kInputs, ch, gate) ||
            !validGate(gate))
            return false;
        state.dsp.inputs[std::size_t(ch)].gate = gate;
        return true;
    }
    case 16:
        return agc(state, funcId, payload);
    case 4:
        return filters(state, false, funcId, payload);
    case 5:
        return limiters(state, false, funcId, payload);
    case 7:
        return inputLevel(state, funcId, payload);
    case 8:
        return matrix(state, funcId, payload);
    case 11:
        return outputLevel(state, funcId, payload);
    case 12:
        return filters(state, true, funcId, payload);
    case 13:
        return limiters(state, true, funcId, payload);
    case 14: {
        int ch = 0;
        float ms = 0;
        if (funcId != 1 || !channelFloat(payload, UnitState::kOutputs, ch, ms))
            return false;
        state.dsp.outputs[std::size_t(ch)].delay = clampF(ms, 0.0f, 300.0f);
        return true;
    }
    case 9:
    case 15:
    case 17:
    case 18:
        return conference(state, subType, funcId, payload);
    case 32:
        return presets(unit, funcId, payload, out);
    default:
        return false;
    }
}

bool DspCommands::inputSetup(UnitState& state, quint8 subType, quint8 funcId,
                             const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& in = state.dsp.inputs;
    const int n = UnitState::kInputs;
    if (subType == 1 && funcId == 8) {
        if (!channelFloat(payload, n, ch, f))
            return false;
        in[std::size_t(ch)].inputGain = clampF(f, 0.0f, 50.0f);
        return true;
    }
    if (subType == 6 && funcId == 1) {
        if (!channelFloat(payload, n, ch, f))
            return false;
        in[std::size_t(ch)].delay = clampF(f, 0.0f, 1000.0f);
        return true;
    }
    if (!channelByte(payload, n, ch, value))
        return false;
    UnitState::Input& c = in[std::size_t(ch)];
    if (subType == 3 && funcId == 1) {
        c.feedback = value ? 1 : 0;
        return true;
    }
    if (subType != 1)
        return false;
    switch (funcId) {
    case 2:
        c.inputMute = value ? 1 : 0;
        return true;
    case 4:
        if (value > 2)
            return false;
        c.inputMode = value;
        // Phantom power only feeds microphones.
        if (value != 0)
            c.phantom = 0;
        return true;
    case 5:
        c.phantom = value && c.inputMode == 0 ? 1 : 0;
        return true;
    default:
        return false;
    }
}

namespace {

// A level change reaches every strip of the channel's group, and inputs 1 and 2 move together
// when the first is in the paired input mode (2), as the application shows them.
template <typename Channels, typename Apply>
void applyToMembers(Channels& channels, int ch, bool linkedPair, const Apply& apply)
{
    const quint8 group = channels[std::size_t(ch)].levelGroup;
    for (int i = 0; i < int(channels.size()); ++i) {
        const bool member = i == ch || (group != 0 && channels[std::size_t(i)].levelGroup == group);
        const bool partner = linkedPair && (ch == 0 || ch == 1) && i == 1 - ch;
        if (member || partner)
            apply(channels[std::size_t(i)]);
    }
}

constexpr quint8 kPairedInputMode = 2;

bool pairedInputs(const UnitState& state, int ch)
{
    return (ch == 0 || ch == 1) && state.dsp.inputs[std::size_t(ch)].inputMode == kPairedInputMode;
}

} // namespace

bool DspCommands::inputLevel(UnitState& state, quint8 funcId, const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& in = state.dsp.inputs;
    const int n = UnitState::kInputs;
    switch (funcId) {
    case 1:
    case 3:
    case 4: {
        if (!channelByte(payload, n, ch, value) || (funcId == 4 && value > 8))
            return false;
        const bool paired = pairedInputs(state, ch);
        if (funcId == 1)
            applyToMembers(in, ch, paired,
                           [&](UnitState::Input& c) { c.levelMute = value ? 1 : 0; });
        else if (funcId == 3)
            applyToMembers(in, ch, paired,
                           [&](UnitState::Input& c) { c.levelInvert = value ? 1 : 0; });
        else if (paired)
            in[0].levelGroup = in[1].levelGroup = value; // the pair is one strip pair
        else
            in[std::size_t(ch)].levelGroup = value;
        return true;
    }
    case 2:
    case 5:
        if (!channelFloat(payload, n, ch, f))
            return false;
        if (funcId == 2) {
            applyToMembers(in, ch, pairedInputs(state, ch), [&](UnitState::Input& c) {
                c.levelGain = faderLevel(f, c.faderMin, c.faderMax);
            });
        } else {
            stepFader(in[std::size_t(ch)], f);
        }
        return true;
    case 6:
        if (payload.size() != 3 || quint8(payload[0]) >= n)
            return false;
        setFaderRange(in[quint8(payload[0])], qint8(payload[1]), qint8(payload[2]));
        return true;
    default:
        return false;
    }
}

bool DspCommands::outputLevel(UnitState& state, quint8 funcId, const QByteArray& payload)
{
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    auto& out = state.dsp.outputs;
    const int n = UnitState::kOutputs;
    switch (funcId) {
    case 2:
    case 4:
    case 5:
        if (!channelByte(payload, n, ch, value) || (funcId == 5 && value > 8))
            return false;
        if (funcId == 2)
            applyToMembers(out, ch, false,
                           [&](UnitState::Output& c) { c.levelMute = value ? 1 : 0; });
        else if (funcId == 4)
            applyToMembers(out, ch, false,
                           [&](UnitState::Output& c) { c.levelInvert = value ? 1 : 0; });
        else
            out[std::size_t(ch)].levelGroup = value;
        return true;
    case 3:
    case 6:
        if (!channelFloat(payload, n, ch, f))
            return false;
        if (funcId == 3) {
            applyToMembers(out, ch, false, [&](UnitState::Output& c) {
                c.levelGain = faderLevel(f, c.faderMin, c.faderMax);
            });
        } else {
            stepFader(out[std::size_t(ch)], f);
        }
        return true;
    case 7:
        if (payload.size() != 3 || quint8(payload[0]) >= n)
            return false;
        setFaderRange(out[quint8(payload[0])], qint8(payload[1]), qint8(payload[2]));
        return true;
    case 9:
        if (payload.size() != 1 || quint8(payload[0]) >= 8)
            return false;
        state.dsp.outputMeterMode = quint8(payload[0]);
        return true;
    default:
        return false;
    }
}

namespace {

// Copy commands: (3,4,4) [src, u16 inputs, u16 outputs], or [src, u32 inputs] from format
// generation 6 on; (3,5,2) and (3,13,2) [src, u16 | u32 inputs, u16 outputs]; (3,12,4)
// [src, u16 inputs, u16 outputs], or [src, u16 outputs] from generation 6 on; (3,16,2)
// [src, u32 inputs, u16 outputs].
bool copyTargets(const QByteArray& p, quint8 subType, quint16 generation, int sources,
                 CopyTargets& t)
{
    if (p.isEmpty() || quint8(p[0]) >= sources)
        return false;
    t.source = quint8(p[0]);
    const char* d = p.constData() + 1;
    const int n = p.size() - 1;
    const bool wide = generation != 4;
    switch (subType) {
    case 4:
        if (n != 4)
            return false;
        t.inputs = wide ? wire::readU32(d) : wire::readU16(d);
        t.outputs = wide ? 0 : wire::readU16(d + 2);
        return true;
    case 12:
        if (n == 2) {
            t.outputs = wire::readU16(d);
            return true;
        }
        if (n != 4)
            return false;
        t.inputs = wire::readU16(d);
        t.outputs = wire::readU16(d + 2);
        return true;
    case 5:
    case 13:
    case 16:
        if (n == 6) {
            t.inputs = wire::readU32(d);
            t.outputs = wire::readU16(d + 4);
            return true;
        }
        if (n != 4 || subType == 16)
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

bool DspCommands::filters(UnitState& state, bool output, quint8 funcId, const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const int channels = output ? UnitState::kOutputs : UnitState::kInputs;
    int ch = 0;
    switch (funcId) {
    case 1:
    case 2: {
        wire::HLPF f;
        if (!channelRecord(payload, channels, ch, f) || !validHlpf(f))
            return false;
        wire::HLPF& target = output ? (funcId == 1 ? dsp.outputs[std::size_t(ch)].hpf
                                                   : dsp.outputs[std::size_t(ch)].lpf)
                                    : (funcId == 1 ? dsp.inputs[std::size_t(ch)].hpf
                                                   : dsp.inputs[std::size_t(ch)].lpf);
        target = f;
        return true;
    }
    case 3: {
        wire::PEQ band;
        if (payload.size() != 2 + int(sizeof band) || quint8(payload[0]) >= channels ||
            quint8(payload[1]) >= UnitState::kBands)
            return false;
        std::memcpy(&band, payload.constData() + 2, sizeof band);
        if (!validPeq(band))
            return false;
        ch = quint8(payload[0]);
        const std::size_t b = quint8(payload[1]);
        (output ? dsp.outputs[std::size_t(ch)].peq[b] : dsp.inputs[std::size_t(ch)].peq[b]) = band;
        return true;
    }
    case 4: {
        CopyTargets t;
        if (!copyTargets(payload, output ? 12 : 4, state.system.formatGeneration, channels, t))
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
    case 5: {
        if (payload.size() != 1 || quint8(payload[0]) >= channels)
            return false;
        const auto reset = [](auto& c) {
            c.hpf = UnitState::defaultHpf();
            c.lpf = UnitState::defaultLpf();
            for (int b = 0; b < UnitState::kBands; ++b)
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

bool DspCommands::limiters(UnitState& state, bool output, quint8 funcId, const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const int channels = output ? UnitState::kOutputs : UnitState::kInputs;
    int ch = 0;
    switch (funcId) {
    case 1: {
        wire::Limiter l;
        if (!channelRecord(payload, channels, ch, l) || !validLimiter(l))
            return false;
        (output ? dsp.outputs[std::size_t(ch)].limiter : dsp.inputs[std::size_t(ch)].limiter) = l;
        return true;
    }
    case 2: {
        CopyTargets t;
        if (!copyTargets(payload, output ? 13 : 5, state.system.formatGeneration, channels, t))
            return false;
        const wire::Limiter l = output ? dsp.outputs[std::size_t(t.source)].limiter
                                       : dsp.inputs[std::size_t(t.source)].limiter;
        const auto assign = [&](auto& c) { c.limiter = l; };
        forMask(dsp.inputs, t.inputs, assign);
        forMask(dsp.outputs, t.outputs, assign);
        return true;
    }
    case 3:
        if (payload.size() != 1 || quint8(payload[0]) >= channels)
            return false;
        (output ? dsp.outputs[quint8(payload[0])].limiter
                : dsp.inputs[quint8(payload[0])].limiter) = UnitState::defaultLimiter();
        return true;
    default:
        return false;
    }
}

bool DspCommands::agc(UnitState& state, quint8 funcId, const QByteArray& payload)
{
    auto& in = state.dsp.inputs;
    int ch = 0;
    switch (funcId) {
    case 1: {
        wire::AGC a;
        if (!channelRecord(payload, UnitState::kInputs, ch, a) || !validAgc(a))
            return false;
        in[std::size_t(ch)].agc = a;
        return true;
    }
    case 2: {
        CopyTargets t;
        if (!copyTargets(payload, 16, state.system.formatGeneration, UnitState::kInputs, t))
            return false;
        const wire::AGC a = in[std::size_t(t.source)].agc;
        forMask(in, t.inputs, [&](UnitState::Input& c) { c.agc = a; });
        return true;
    }
    case 3:
        if (payload.size() != 1 || quint8(payload[0]) >= UnitState::kInputs)
            return false;
        in[quint8(payload[0])].agc = UnitState::defaultAgc();
        return true;
    default:
        return false;
    }
}

bool DspCommands::matrix(UnitState& state, quint8 funcId, const QByteArray& payload)
{
    // [output, input..., value]
    if ((funcId != 1 && funcId != 2) || payload.size() < 2 ||
        quint8(payload[0]) >= UnitState::kOutputs)
        return false;
    const std::size_t output = quint8(payload[0]);
    const QByteArray inputs = payload.mid(1, payload.size() - 2);
    for (char i : inputs) {
        if (quint8(i) >= UnitState::kInputs)
            return false;
    }
    const qint8 value = qint8(payload[payload.size() - 1]);
    for (char i : inputs) {
        UnitState::Input& c = state.dsp.inputs[quint8(i)];
        if (funcId == 1)
            c.mixEnabled[output] = value ? 1 : 0;
        else
            c.mixGain[output] = value < -55 ? qint8(-70) : std::min<qint8>(value, 12);
    }
    return true;
}

bool DspCommands::conference(UnitState& state, quint8 subType, quint8 funcId,
                             const QByteArray& payload)
{
    auto& dsp = state.dsp;
    const int n = payload.size();
    const char* p = payload.constData();
    const int code = subType * 256 + funcId;
    int ch = 0;
    quint8 value = 0;
    float f = 0;
    switch (code) {
    case 9 * 256 + 1:
        if (!channelByte(payload, UnitState::kOutputs, ch, value))
            return false;
        dsp.generator.routing[std::size_t(ch)] = value ? 1 : 0;
        return true;
    case 9 * 256 + 2:
    case 9 * 256 + 4:
        if (n != 4 || !finite(wire::readF32(p)))
            return false;
        if (funcId == 2)
            dsp.generator.frequency = clampF(wire::readF32(p), 0.0f, 24000.0f);
        else
            dsp.generator.gain = clampF(wire::readF32(p), -70.0f, 12.0f);
        return true;
    case 9 * 256 + 3:
        if (n != 1 || quint8(p[0]) > 2)
            return false;
        dsp.generator.type = quint8(p[0]);
        return true;
    case 9 * 256 + 5:
        if (n != 1)
            return false;
        dsp.generator.on = p[0] ? 1 : 0;
        return true;
    case 15 * 256 + 1:
        if (n != 1)
            return false;
        dsp.aecOn = p[0] ? 1 : 0;
        return true;
    case 15 * 256 + 2:
        // Level and 16 microphone flags; two further bytes from format generation 6 on.
        if (n < UnitState::kAecBlockSize - 2 || n > UnitState::kAecBlockSize || quint8(p[0]) > 3)
            return false;
        std::copy(p, p + n, dsp.aec.begin());
        return true;
    case 17 * 256 + 1:
        if (n != 2 || quint8(p[0]) >= UnitState::kConferenceInputs || quint8(p[1]) > 3)
            return false;
        dsp.ancChannel = quint8(p[0]);
        dsp.ancLevel = quint8(p[1]);
        return true;
    case 18 * 256 + 1:
        if (!channelFloat(payload, UnitState::kConferenceInputs, ch, f))
            return false;
        dsp.inputs[std::size_t(ch)].amWeight = clampF(f, -12.0f, 12.0f);
        return true;
    case 18 * 256 + 2:
        if (!channelByte(payload, UnitState::kConferenceInputs, ch, value))
            return false;
        dsp.inputs[std::size_t(ch)].amGroup = std::min<quint8>(value, 2);
        return true;
    case 18 * 256 + 3:
        if (n != 2 || quint8(p[0]) > 1)
            return false;
        dsp.autoMixerEnabled[quint8(p[0])] = p[1] ? 1 : 0;
        return true;
    case 18 * 256 + 4:
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

bool DspCommands::presets(UnitCore& unit, quint8 funcId, const QByteArray& payload, Replies& out)
{
    PresetStore& store = unit.presets();
    UnitState::Dsp& dsp = unit.state().dsp;
    if (funcId >= 16 && funcId <= 19)
        return unit.presetTransfer().handle(funcId, payload, out);
    if (payload.isEmpty())
        return false;
    const int slot = quint8(payload[0]);
    switch (funcId) {
    case 2:
        return payload.size() == 1 && store.save(slot, dsp);
    case 3:
        return payload.size() == 1 && store.recall(slot, dsp);
    case 4:
        return payload.size() == 1 && store.remove(slot);
    case 5:
        return store.rename(slot, payload.mid(1));
    case 9:
        if (payload.size() != 1 || !store.recall(slot, dsp))
            return false;
        // Loading reports its progress; the last step closes the application's dialog.
        for (const quint8 percent : {0, 50, 100})
            out.add(3, 32, 9, QByteArray(1, char(percent)));
        return true;
    default:
        return false;
    }
}
