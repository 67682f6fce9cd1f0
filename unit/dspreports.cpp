#include "dspreports.h"

#include "replies.h"
#include "unitcore.h"
#include "wire/commands.h"
#include "wire/packet.h"
#include "wire/ranges.h"

namespace {

// Per-channel arrays report the input strips (the last input only carries the right half of
// the USB play pair), and only the analogue inputs for the blocks that exist for them alone.
constexpr int kReportedInputs = wire::kInputStrips;
constexpr int kSetupInputs = wire::kAnalogueInputs;

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
    return channel < channels && band < wire::kPeqBands;
}

} // namespace

bool DspReports::build(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    switch (code.key()) {
    case wire::code::InputPostFaderMeters.key():
    case wire::code::InputPreFaderMeters.key():
    case wire::code::OutputPostFaderMeters.key():
    case wire::code::OutputPreFaderMeters.key():
    case wire::code::AutoMixerGainMeters.key():
        return meters(unit, code, out);
    case wire::code::PresetTable.key():
        out.add(code, unit.presets().tablePayload());
        return true;
    // Exports are read as well as commanded.
    case wire::code::PresetExportAll.key():
    case wire::code::PresetExport.key():
        return unit.presetTransfer().handle(code, payload, out);
    default:
        break;
    }
    switch (code.group().key()) {
    case wire::group::InputSetup.key():
    case wire::group::Gate.key():
    case wire::group::Feedback.key():
    case wire::group::InputFilter.key():
    case wire::group::InputLimiter.key():
    case wire::group::InputDelay.key():
    case wire::group::InputLevel.key():
    case wire::group::Matrix.key():
    case wire::group::Agc.key():
        return inputs(unit, code, payload, out);
    case wire::group::OutputLevel.key():
    case wire::group::OutputFilter.key():
    case wire::group::OutputLimiter.key():
    case wire::group::OutputDelay.key():
        return outputs(unit, code, payload, out);
    default:
        return globals(unit, code, out);
    }
}

bool DspReports::meters(UnitCore& unit, wire::Code code, Replies& out)
{
    const MeterEngine::Levels levels = unit.meters();
    QByteArray p;
    switch (code.key()) {
    case wire::code::InputPostFaderMeters.key():
        p = meterBytes(levels.inputPost, wire::kInputCount);
        break;
    case wire::code::InputPreFaderMeters.key():
        p = meterBytes(levels.inputPre, wire::kInputCount);
        break;
    case wire::code::OutputPostFaderMeters.key():
        p = meterBytes(levels.outputPost, wire::kOutputCount);
        break;
    case wire::code::OutputPreFaderMeters.key():
        p = meterBytes(levels.outputPre, wire::kOutputCount);
        break;
    case wire::code::AutoMixerGainMeters.key():
        p = meterBytes(levels.amAttenuation, UnitState::kConferenceInputs) +
            meterBytes(levels.amLevel, UnitState::kConferenceInputs);
        break;
    default:
        return false;
    }
    out.add(code, p);
    return true;
}

bool DspReports::inputs(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    const auto& in = unit.state().dsp.inputs;
    using Input = UnitState::Input;
    int ch = 0;
    int band = 0;
    QByteArray p;
    switch (code.key()) {
    case wire::code::InputMute.key():
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.inputMute; });
        break;
    case wire::code::InputMode.key():
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.inputMode; });
        break;
    case wire::code::Phantom.key():
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.phantom; });
        break;
    case wire::code::InputGain.key():
        p = floatsPer(in, kSetupInputs, [](const Input& c) { return c.inputGain; });
        break;
    case wire::code::GateStates.key(): {
        const MeterEngine::Levels levels = unit.meters();
        p = QByteArray(reinterpret_cast<const char*>(levels.gateClosed.data()), kReportedInputs);
        break;
    }
    case wire::code::Gate.key():
        if (!selector(payload, 1, wire::kInputCount, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].gate);
        break;
    case wire::code::Feedback.key():
        p = bytesPer(in, kSetupInputs, [](const Input& c) { return c.feedback; });
        break;
    case wire::code::InputHpf.key():
    case wire::code::InputLpf.key():
        if (!selector(payload, 1, wire::kInputCount, ch, band))
            return false;
        p = record(quint8(ch), code == wire::code::InputHpf ? in[std::size_t(ch)].hpf
                                                            : in[std::size_t(ch)].lpf);
        break;
    case wire::code::InputPeq.key():
        if (!selector(payload, 2, wire::kInputCount, ch, band))
            return false;
        p = QByteArray(1, char(ch)) +
            record(quint8(band), in[std::size_t(ch)].peq[std::size_t(band)]);
        break;
    case wire::code::InputLimiter.key():
        if (!selector(payload, 1, wire::kInputCount, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].limiter);
        break;
    case wire::code::InputDelay.key():
        p = floatsPer(in, kSetupInputs, [](const Input& c) { return c.delay; });
        break;
    case wire::code::InputLevelMute.key():
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelMute; });
        break;
    case wire::code::InputLevelGain.key():
        p = floatsPer(in, kReportedInputs, [](const Input& c) { return c.levelGain; });
        break;
    case wire::code::InputLevelInvert.key():
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelInvert; });
        break;
    case wire::code::InputLevelGroup.key():
        p = bytesPer(in, kReportedInputs, [](const Input& c) { return c.levelGroup; });
        break;
    case wire::code::InputFaderRange.key():
        for (int i = 0; i < kReportedInputs; ++i) {
            wire::appendF32(p, in[std::size_t(i)].faderMax);
            wire::appendF32(p, in[std::size_t(i)].faderMin);
        }
        break;
    case wire::code::MatrixEnable.key():
    case wire::code::MatrixGain.key(): {
        if (!selector(payload, 1, wire::kOutputCount, ch, band))
            return false;
        const bool enable = code == wire::code::MatrixEnable;
        p = QByteArray(1, char(ch));
        for (int i = 0; i < kReportedInputs; ++i) {
            const Input& c = in[std::size_t(i)];
            p.append(char(enable ? c.mixEnabled[std::size_t(ch)] : c.mixGain[std::size_t(ch)]));
        }
        break;
    }
    case wire::code::Agc.key():
        if (!selector(payload, 1, wire::kInputCount, ch, band))
            return false;
        p = record(quint8(ch), in[std::size_t(ch)].agc);
        break;
    default:
        return false;
    }
    out.add(code, p);
    return true;
}

bool DspReports::outputs(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out)
{
    const UnitState::Dsp& dsp = unit.state().dsp;
    const auto& o = dsp.outputs;
    using Output = UnitState::Output;
    const int n = wire::kOutputCount;
    int ch = 0;
    int band = 0;
    QByteArray p;
    switch (code.key()) {
    case wire::code::OutputLevelMute.key():
        p = bytesPer(o, n, [](const Output& c) { return c.levelMute; });
        break;
    case wire::code::OutputLevelGain.key():
        p = floatsPer(o, n, [](const Output& c) { return c.levelGain; });
        break;
    case wire::code::OutputLevelInvert.key():
        p = bytesPer(o, n, [](const Output& c) { return c.levelInvert; });
        break;
    case wire::code::OutputLevelGroup.key():
        p = bytesPer(o, n, [](const Output& c) { return c.levelGroup; });
        break;
    case wire::code::OutputFaderRange.key():
        for (const Output& c : o) {
            wire::appendF32(p, c.faderMax);
            wire::appendF32(p, c.faderMin);
        }
        break;
    case wire::code::OutputMeterMode.key():
        p = QByteArray(1, char(dsp.outputMeterMode));
        break;
    case wire::code::OutputHpf.key():
    case wire::code::OutputLpf.key():
        if (!selector(payload, 1, n, ch, band))
            return false;
        p = record(quint8(ch),
                   code == wire::code::OutputHpf ? o[std::size_t(ch)].hpf : o[std::size_t(ch)].lpf);
        break;
    case wire::code::OutputPeq.key():
        if (!selector(payload, 2, n, ch, band))
            return false;
        p = QByteArray(1, char(ch)) +
            record(quint8(band), o[std::size_t(ch)].peq[std::size_t(band)]);
        break;
    case wire::code::OutputLimiter.key():
        if (!selector(payload, 1, n, ch, band))
            return false;
        p = record(quint8(ch), o[std::size_t(ch)].limiter);
        break;
    case wire::code::OutputDelay.key():
        p = floatsPer(o, n, [](const Output& c) { return c.delay; });
        break;
    default:
        return false;
    }
    out.add(code, p);
    return true;
}

bool DspReports::globals(UnitCore& unit, wire::Code code, Replies& out)
{
    const UnitState::Dsp& dsp = unit.state().dsp;
    const UnitState::Generator& g = dsp.generator;
    QByteArray p;
    switch (code.key()) {
    case wire::code::GeneratorRouting.key():
        p = QByteArray(reinterpret_cast<const char*>(g.routing.data()), int(g.routing.size()));
        break;
    case wire::code::GeneratorFrequency.key():
        wire::appendF32(p, g.frequency);
        break;
    case wire::code::GeneratorType.key():
        p = QByteArray(1, char(g.type));
        break;
    case wire::code::GeneratorGain.key():
        wire::appendF32(p, g.gain);
        break;
    case wire::code::GeneratorOn.key():
        p = QByteArray(1, char(g.on));
        break;
    case wire::code::EchoCancellation.key():
        p = QByteArray(1, char(dsp.aecOn));
        break;
    case wire::code::EchoCancellationSettings.key():
        // The two trailing bytes exist from format generation 6 on.
        p = QByteArray(reinterpret_cast<const char*>(dsp.aec.data()),
                       wire::isNarrowFormat(unit.state().system.formatGeneration)
                           ? wire::kEchoCancellationNarrowBytes
                           : int(dsp.aec.size()));
        break;
    case wire::code::NoiseReduction.key():
        p.append(char(dsp.ancChannel));
        p.append(char(dsp.ancLevel));
        break;
    case wire::code::AutoMixerWeights.key():
        p = floatsPer(dsp.inputs, UnitState::kConferenceInputs,
                      [](const UnitState::Input& c) { return c.amWeight; });
        break;
    case wire::code::AutoMixerGroups.key():
        p = bytesPer(dsp.inputs, UnitState::kConferenceInputs,
                     [](const UnitState::Input& c) { return c.amGroup; });
        break;
    case wire::code::AutoMixerSwitches.key():
        p.append(char(dsp.autoMixerEnabled[0]));
        p.append(char(dsp.autoMixerEnabled[1]));
        break;
    default:
        return false;
    }
    out.add(code, p);
    return true;
}
