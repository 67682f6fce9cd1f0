#include "dspreports.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/packet.h"

namespace {

// Per-channel arrays report 17 inputs (the 18th record only carries the right half of the
// USB play pair) where the receiver takes up to 17, and inputs 0..15 where it takes 16.
constexpr int kReportedInputs = 17;
constexpr int kSetupInputs = 16;

template <typename T> QByteArray record(quint8 selector, const T& value)
{
    QByteArray out(1, char(selector));
    out.append(reinterpret_cast<const char*>(&value), int(sizeof value));
    return out;
}

template <typename Channel, std::size_t N, typename Get>
QByteArray bytesPer(const std::array<Channel, N>& channels, int count, Get get)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char(get(channels[std::size_t(i)])));
    return out;
}

template <typename Channel, std::size_t N, typename Get>
QByteArray floatsPer(const std::array<Channel, N>& channels, int count, Get get)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        wire::appendF32(out, get(channels[std::size_t(i)]));
    return out;
}

template <std::size_t N> QByteArray meterBytes(const std::array<qint8, N>& a, int count)
{
    return QByteArray(reinterpret_cast<const char*>(a.data()), count);
}

// [channel] or [channel, band] selectors of single-channel records.
bool selector(const QByteArray& payload, int size, int channels, int& channel, int& band)
{
    if (payload.size() != size)
        return false;
    channel = quint8(payload[0]);
    band = size > 1 ? quint8(payload[1]) : 0;
    return channel < channels && band < UnitState::kBands;
}

} // namespace

bool DspReports::build(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                       Replies& out)
{
    if ((subType == 1 && funcId == 1) || (subType == 7 && funcId == 7) ||
        (subType == 11 && (funcId == 1 || funcId == 8)) || (subType == 18 && funcId == 5))
        return meters(unit, subType, funcId, out);
    if (subType == 32) {
        if (funcId == 1) {
            out.add(3, 32, 1, unit.presets().tablePayload());
            return true;
        }
        // Exports are read as well as commanded.
        if (funcId == 16 || funcId == 18)
            return unit.presetTransfer().handle(funcId, payload, out);
        return false;
    }
    if (subType <= 8 || subType == 16)
        return inputs(unit, subType, funcId, payload, out);
    if (subType >= 11 && subType <= 14)
        return outputs(unit, subType, funcId, payload, out);
    return globals(unit, subType, funcId, out);
}

bool DspReports::meters(UnitCore& unit, quint8 subType, quint8 funcId, Replies& out)
{
    const MeterEngine::Levels levels = unit.meters();
    QByteArray p;
    if (subType == 1)
        p = meterBytes(levels.inputPost, UnitState::kInputs);
    else if (subType == 7)
        p = meterBytes(levels.inputPre, UnitState::kInputs);
    else if (subType == 11)
        p = meterBytes(funcId == 1 ? levels.outputPost : levels.outputPre, UnitState::kOutputs);
    else
        p = meterBytes(levels.amAttenuation, UnitState::kConferenceInputs) +
            meterBytes(levels.amLevel, UnitState::kConferenceInputs);
    out.add(3, subType, funcId, p);
    return true;
}

bool DspReports::inputs(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                        Replies& out)
{
    const auto& in = unit.state().dsp.inputs;
    using Input = UnitState::Input;
    const int code = subType * 256 + funcId;
    int ch = 0;
    int band = 0;
    QByteArray p;
    switch (code) {
    case 1 * 256 + 2:
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.inputMute; });
        break;
    case 1 * 256 + 4:
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.inputMode; });
        break;
    case 1 * 256 + 5:
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.phantom; });
        break;
    case 1 * 256 + 8:
        p = floatsPer(in, kSetupInputs, [](const Input& c) { return c.inputGain; });
        break;
    case 2 * 256 + 1: {
        const MeterEngine::Levels levels = unit.meters();
        p = QByteArray(reinterpret_cast<const char*>(levels.gateClosed.data()), kReportedInputs);
        break;
    }
    case 2 * 256 + 2:
        if (!selector(payload, 1, UnitState::kInputs, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].gate);
        break;
    case 3 * 256 + 1:
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.feedback; });
        break;
    case 4 * 256 + 1:
    case 4 * 256 + 2:
        if (!selector(payload, 1, UnitState::kInputs, ch, band))
            return false;
        p = record(quint8(ch), funcId == 1 ? in[std::size_t(ch)].hpf : in[std::size_t(ch)].lpf);
        break;
    case 4 * 256 + 3:
        if (!selector(payload, 2, UnitState::kInputs, ch, band))
            return false;
        p = QByteArray(1, char(ch)) +
            record(quint8(band), in[std::size_t(ch)].peq[std::size_t(band)]);
        break;
    case 5 * 256 + 1:
        if (!selector(payload, 1, UnitState::kInputs, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].limiter);
        break;
    case 6 * 256 + 1:
        p = floatsPer(in, kSetupInputs, [](const Input& c) { return c.delay; });
        break;
    case 7 * 256 + 1:
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelMute; });
        break;
    case 7 * 256 + 2:
        p = floatsPer(in, kReportedInputs, [](const Input& c) { return c.levelGain; });
        break;
    case 7 * 256 + 3:
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelInvert; });
        break;
    case 7 * 256 + 4:
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelGroup; });
        break;
    case 7 * 256 + 6:
        for (int i = 0; i < kReportedInputs; ++i) {
            wire::appendF32(p, in[std::size_t(i)].faderMax);
            wire::appendF32(p, in[std::size_t(i)].faderMin);
        }
        break;
    case 8 * 256 + 1:
    case 8 * 256 + 2: {
        if (!selector(payload, 1, UnitState::kOutputs, ch, band))
            return false;
        p = QByteArray(1, char(ch));
        for (int i = 0; i < kReportedInputs; ++i) {
            const Input& c = in[std::size_t(i)];
            p.append(
                char(funcId == 1 ? c.mixEnabled[std::size_t(ch)] : c.mixGain[std::size_t(ch)]));
        }
        break;
    }
    case 16 * 256 + 1:
        if (!selector(payload, 1, UnitState::kInputs, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].agc);
        break;
    default:
        return false;
    }
    out.add(3, subType, funcId, p);
    return true;
}

bool DspReports::outputs(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                         Replies& out)
{
    const UnitState::Dsp& dsp = unit.state().dsp;
    const auto& o = dsp.outputs;
    using Output = UnitState::Output;
    const int n = UnitState::kOutputs;
    const int code = subType * 256 + funcId;
    int ch = 0;
    int band = 0;
    QByteArray p;
    switch (code) {
    case 11 * 256 + 2:
        p = bytesPer(o, n, [](const Output& c) { return c.levelMute; });
        break;
    case 11 * 256 + 3:
        p = floatsPer(o, n, [](const Output& c) { return c.levelGain; });
        break;
    case 11 * 256 + 4:
        p = bytesPer(o, n, [](const Output& c) { return c.levelInvert; });
        break;
    case 11 * 256 + 5:
        p = bytesPer(o, n, [](const Output& c) { return c.levelGroup; });
        break;
    case 11 * 256 + 7:
        for (const Output& c : o) {
            wire::appendF32(p, c.faderMax);
            wire::appendF32(p, c.faderMin);
        }
        break;
    case 11 * 256 + 9:
        p = QByteArray(1, char(dsp.outputMeterMode));
        break;
    case 12 * 256 + 1:
    case 12 * 256 + 2:
        if (!selector(payload, 1, n, ch, band))
            return false;
        p = record(quint8(ch), funcId == 1 ? o[std::size_t(ch)].hpf : o[std::size_t(ch)].lpf);
        break;
    case 12 * 256 + 3:
        if (!selector(payload, 2, n, ch, band))
            return false;
        p = QByteArray(1, char(ch)) +
            record(quint8(band), o[std::size_t(ch)].peq[std::size_t(band)]);
        break;
    case 13 * 256 + 1:
        if (!selector(payload, 1, n, ch, band))
            return false;
        p = record(quint8(ch), o[std::size_t(ch)].limiter);
        break;
    case 14 * 256 + 1:
        p = floatsPer(o, n, [](const Output& c) { return c.delay; });
        break;
    default:
        return false;
    }
    out.add(3, subType, funcId, p);
    return true;
}

bool DspReports::globals(UnitCore& unit, quint8 subType, quint8 funcId, Replies& out)
{
    const UnitState::Dsp& dsp = unit.state().dsp;
    const UnitState::Generator& g = dsp.generator;
    const int code = subType * 256 + funcId;
    QByteArray p;
    switch (code) {
    case 9 * 256 + 1:
        p = QByteArray(reinterpret_cast<const char*>(g.routing.data()), int(g.routing.size()));
        break;
    case 9 * 256 + 2:
        wire::appendF32(p, g.frequency);
        break;
    case 9 * 256 + 3:
        p = QByteArray(1, char(g.type));
        break;
    case 9 * 256 + 4:
        wire::appendF32(p, g.gain);
        break;
    case 9 * 256 + 5:
        p = QByteArray(1, char(g.on));
        break;
    case 15 * 256 + 1:
        p = QByteArray(1, char(dsp.aecOn));
        break;
    case 15 * 256 + 2:
        // The two trailing bytes exist from format generation 6 on.
        p = QByteArray(reinterpret_cast<const char*>(dsp.aec.data()),
                       unit.state().system.formatGeneration == 4 ? UnitState::kAecBlockSize - 2
                                                                 : UnitState::kAecBlockSize);
        break;
    case 17 * 256 + 1:
        p.append(char(dsp.ancChannel));
        p.append(char(dsp.ancLevel));
        break;
    case 18 * 256 + 1:
        p = floatsPer(dsp.inputs, UnitState::kConferenceInputs,
                      [](const UnitState::Input& c) { return c.amWeight; });
        break;
    case 18 * 256 + 2:
        p = bytesPer(dsp.inputs, UnitState::kConferenceInputs,
                     [](const UnitState::Input& c) { return c.amGroup; });
        break;
    case 18 * 256 + 3:
        p.append(char(dsp.autoMixerEnabled[0]));
        p.append(char(dsp.autoMixerEnabled[1]));
        break;
    default:
        return false;
    }
    out.add(3, subType, funcId, p);
    return true;
}
