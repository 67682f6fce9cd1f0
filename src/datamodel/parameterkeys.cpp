#include "parameterkeys.h"

#include "blockedits.h"
#include "conferenceedits.h"
#include "datamodel.h"
#include "dynamicsedits.h"
#include "inputsetupedits.h"
#include "leveledits.h"
#include "matrixedits.h"
#include "wire/commands.h"

#include <QHash>
#include <QSet>
#include <cmath>
#include <cstddef>
#include <cstring>

using namespace wire;
using KeyFamily = ParameterKeys::Family;
using Type = ParameterKeys::Type;
using Side = BlockEdits::Side;

namespace {

enum Section
{
    InputSection,
    OutputSection,
    MatrixSection,
    GeneratorSection,
    ConferenceSection,
    SystemSection,
};

QByteArray bytes(int a)
{
    return QByteArray(1, char(a));
}

QByteArray bytes(int a, int b)
{
    QByteArray out(1, char(a));
    out.append(char(b));
    return out;
}

// Reads of a whole block, whatever the channel.
ParameterKeys::Reads whole(std::initializer_list<Code> codes)
{
    const QVector<Code> list(codes);
    return [list](int, int, QVector<ParameterRead>& out) {
        for (Code c : list)
            out.append({c, {}});
    };
}

ParameterKeys::Reads perChannel(Code code)
{
    return [code](int c1, int, QVector<ParameterRead>& out) { out.append({code, bytes(c1)}); };
}

// Every family is built by one of these, so that a family's type, range and accessors are
// written once.
struct Builder
{
    QVector<KeyFamily>& out;
    int section;

    void add(const char* pattern, int count1, int count2, Type type, double min, double max,
             const char* unit, ParameterKeys::Reader read, ParameterKeys::Writer write,
             ParameterKeys::Reads reads)
    {
        KeyFamily f;
        f.pattern = QString::fromLatin1(pattern);
        f.count1 = count1;
        f.count2 = count2;
        f.type = type;
        f.min = min;
        f.max = max;
        f.unit = QString::fromLatin1(unit);
        f.read = std::move(read);
        f.write = std::move(write);
        f.reads = std::move(reads);
        f.section = section;
        out.append(f);
    }

    void flag(const char* pattern, int count1, ParameterKeys::Reader read,
              ParameterKeys::Writer write, ParameterKeys::Reads reads)
    {
        add(pattern, count1, 0, Type::Bool, 0, 1, "", std::move(read), std::move(write),
            std::move(reads));
    }

    void number(const char* pattern, int count1, int lo, int hi, ParameterKeys::Reader read,
                ParameterKeys::Writer write, ParameterKeys::Reads reads)
    {
        add(pattern, count1, 0, Type::Integer, lo, hi, "", std::move(read), std::move(write),
            std::move(reads));
    }

    void real(const char* pattern, int count1, Range r, const char* unit,
              ParameterKeys::Reader read, ParameterKeys::Writer write, ParameterKeys::Reads reads)
    {
        add(pattern, count1, 0, Type::Real, double(r.lo), double(r.hi), unit, std::move(read),
            std::move(write), std::move(reads));
    }

    // The fields of a packed record (filter, limiter): read from the mirror, written by
    // changing one field of the mirror's record and handing the whole record to `put`.
    template <typename Record, typename Field>
    void field(const char* pattern, int count1, int count2, Type type, double min, double max,
               const char* unit, std::size_t offset,
               std::function<const Record&(const DataModel&, int, int)> get,
               std::function<void(DataModel&, int, int, const Record&)> put,
               ParameterKeys::Reads reads)
    {
        add(
            pattern, count1, count2, type, min, max, unit,
            [get, offset, type](const DataModel& m, int c1, int c2) -> QVariant {
                // Copied out byte by byte: a field of a packed record may sit unaligned.
                Field f;
                std::memcpy(&f, reinterpret_cast<const char*>(&get(m, c1, c2)) + offset, sizeof f);
                const double v = double(f);
                if (type == Type::Bool)
                    return v != 0;
                if (type == Type::Integer)
                    return int(v);
                return v;
            },
            [get, put, offset](DataModel& m, int c1, int c2, const QVariant& value) {
                Record r = get(m, c1, c2);
                const Field f = Field(value.toDouble());
                std::memcpy(reinterpret_cast<char*>(&r) + offset, &f, sizeof f);
                put(m, c1, c2, r);
            },
            std::move(reads));
    }
};

const model::InputChannel& in(const DataModel& m, int c)
{
    return m.input(c);
}

const model::OutputChannel& out(const DataModel& m, int c)
{
    return m.output(c);
}

// The filter and limiter blocks of one side, channel by channel.
void addBlocks(Builder& b, Side side)
{
    const bool input = side == Side::Input;
    const int n = BlockEdits::channelCount(side);
    const auto hpf = [input](const DataModel& m, int c, int) -> const HLPF& {
        return input ? in(m, c).hpf : out(m, c).hpf;
    };
    const auto lpf = [input](const DataModel& m, int c, int) -> const HLPF& {
        return input ? in(m, c).lpf : out(m, c).lpf;
    };
    const auto peq = [input](const DataModel& m, int c, int band) -> const PEQ& {
        return input ? in(m, c).peq[std::size_t(band)] : out(m, c).peq[std::size_t(band)];
    };
    const auto limiter = [input](const DataModel& m, int c, int) -> const Limiter& {
        return input ? in(m, c).limiter : out(m, c).limiter;
    };
    const auto putHpf = [side](DataModel& m, int c, int, const HLPF& r) {
        BlockEdits(m).setHpf(side, c, r);
    };
    const auto putLpf = [side](DataModel& m, int c, int, const HLPF& r) {
        BlockEdits(m).setLpf(side, c, r);
    };
    const auto putPeq = [side](DataModel& m, int c, int band, const PEQ& r) {
        BlockEdits(m).setPeq(side, c, band, r);
    };
    const auto putLimiter = [side](DataModel& m, int c, int, const Limiter& r) {
        BlockEdits(m).setLimiter(side, c, r);
    };
    const auto hpfRead = perChannel(input ? code::InputHpf : code::OutputHpf);
    const auto lpfRead = perChannel(input ? code::InputLpf : code::OutputLpf);
    const Code peqCode = input ? code::InputPeq : code::OutputPeq;
    const ParameterKeys::Reads peqRead = [peqCode](int c, int band, QVector<ParameterRead>& o) {
        o.append({peqCode, bytes(c, band)});
    };
    const auto limiterRead = perChannel(input ? code::InputLimiter : code::OutputLimiter);
    const Range f = range::FilterFrequency;
    const double fLo = double(f.lo), fHi = double(f.hi);

#define KV_PATTERN(suffix) (input ? "input.%1." suffix : "output.%1." suffix)
    b.field<HLPF, quint8>(KV_PATTERN("hpf.enabled"), n, 0, Type::Bool, 0, 1, "",
                          offsetof(HLPF, enabled), hpf, putHpf, hpfRead);
    b.field<HLPF, quint8>(KV_PATTERN("hpf.type"), n, 0, Type::Integer, 0, kFilterTypes - 1, "",
                          offsetof(HLPF, type), hpf, putHpf, hpfRead);
    b.field<HLPF, quint8>(KV_PATTERN("hpf.slope"), n, 0, Type::Integer, 0, kFilterSlopes - 1, "",
                          offsetof(HLPF, slope), hpf, putHpf, hpfRead);
    b.field<HLPF, float>(KV_PATTERN("hpf.freq"), n, 0, Type::Real, fLo, fHi, "Hz",
                         offsetof(HLPF, freq), hpf, putHpf, hpfRead);
    b.field<HLPF, quint8>(KV_PATTERN("lpf.enabled"), n, 0, Type::Bool, 0, 1, "",
                          offsetof(HLPF, enabled), lpf, putLpf, lpfRead);
    b.field<HLPF, quint8>(KV_PATTERN("lpf.type"), n, 0, Type::Integer, 0, kFilterTypes - 1, "",
                          offsetof(HLPF, type), lpf, putLpf, lpfRead);
    b.field<HLPF, quint8>(KV_PATTERN("lpf.slope"), n, 0, Type::Integer, 0, kFilterSlopes - 1, "",
                          offsetof(HLPF, slope), lpf, putLpf, lpfRead);
    b.field<HLPF, float>(KV_PATTERN("lpf.freq"), n, 0, Type::Real, fLo, fHi, "Hz",
                         offsetof(HLPF, freq), lpf, putLpf, lpfRead);
    b.field<PEQ, quint8>(KV_PATTERN("peq.%2.enabled"), n, kPeqBands, Type::Bool, 0, 1, "",
                         offsetof(PEQ, enabled), peq, putPeq, peqRead);
    b.field<PEQ, quint8>(KV_PATTERN("peq.%2.type"), n, kPeqBands, Type::Integer, 0,
                         kFilterTypes - 1, "", offsetof(PEQ, type), peq, putPeq, peqRead);
    b.field<PEQ, float>(KV_PATTERN("peq.%2.freq"), n, kPeqBands, Type::Real, fLo, fHi, "Hz",
                        offsetof(PEQ, freq), peq, putPeq, peqRead);
    b.field<PEQ, float>(KV_PATTERN("peq.%2.gain"), n, kPeqBands, Type::Real,
                        double(range::PeqGain.lo), double(range::PeqGain.hi), "dB",
                        offsetof(PEQ, gain), peq, putPeq, peqRead);
    b.field<PEQ, quint8>(KV_PATTERN("peq.%2.q"), n, kPeqBands, Type::Integer, 0, kPeqMaxQIndex, "",
                         offsetof(PEQ, q), peq, putPeq, peqRead);
    b.field<Limiter, quint8>(KV_PATTERN("limiter.enabled"), n, 0, Type::Bool, 0, 1, "",
                             offsetof(Limiter, enabled), limiter, putLimiter, limiterRead);
    b.field<Limiter, float>(KV_PATTERN("limiter.threshold"), n, 0, Type::Real,
                            double(range::LimiterThreshold.lo), double(range::LimiterThreshold.hi),
                            "dB", offsetof(Limiter, threshold), limiter, putLimiter, limiterRead);
    b.field<Limiter, float>(KV_PATTERN("limiter.ratio"), n, 0, Type::Real,
                            double(range::LimiterRatio.lo), double(range::LimiterRatio.hi), "",
                            offsetof(Limiter, ratio), limiter, putLimiter, limiterRead);
    b.field<Limiter, float>(KV_PATTERN("limiter.attack"), n, 0, Type::Real,
                            double(range::LimiterTime.lo), double(range::LimiterTime.hi), "ms",
                            offsetof(Limiter, attack), limiter, putLimiter, limiterRead);
    b.field<Limiter, float>(KV_PATTERN("limiter.decay"), n, 0, Type::Real,
                            double(range::LimiterTime.lo), double(range::LimiterTime.hi), "ms",
                            offsetof(Limiter, decay), limiter, putLimiter, limiterRead);
#undef KV_PATTERN
}

void addInputs(QVector<KeyFamily>& all)
{
    Builder b{all, InputSection};
    const int strips = kInputStrips;
    const int analogue = kAnalogueInputs;
    const auto level = whole({code::InputLevelMute, code::InputLevelGain, code::InputLevelInvert,
                              code::InputLevelGroup, code::InputFaderRange});
    b.real(
        "input.%1.gain", strips, range::LevelGain, "dB",
        [](const DataModel& m, int c, int) { return double(in(m, c).levelGain); },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setInputGain(c, float(v.toDouble()));
        },
        level);
    b.flag(
        "input.%1.mute", strips, [](const DataModel& m, int c, int) { return in(m, c).levelMute; },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setInputMute(c, v.toBool());
        },
        level);
    b.flag(
        "input.%1.invert", strips,
        [](const DataModel& m, int c, int) { return in(m, c).levelInvert; },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setInputInvert(c, v.toBool());
        },
        level);
    b.number(
        "input.%1.group", strips, 0, kLevelGroups,
        [](const DataModel& m, int c, int) { return int(in(m, c).levelGroup); },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setInputGroup(c, quint8(v.toInt()));
        },
        level);

    const auto setup = whole({code::InputMute, code::InputMode, code::Phantom, code::InputGain});
    b.number(
        "input.%1.mode", analogue, 0, kInputModes - 1,
        [](const DataModel& m, int c, int) { return int(in(m, c).inputMode); },
        [](DataModel& m, int c, int, const QVariant& v) {
            InputSetupEdits(m).setMode(c, quint32(v.toInt()));
        },
        setup);
    b.real(
        "input.%1.preamp.gain", analogue, range::InputGain, "dB",
        [](const DataModel& m, int c, int) { return double(in(m, c).inputGain); },
        [](DataModel& m, int c, int, const QVariant& v) {
            InputSetupEdits(m).setGain(c, float(v.toDouble()));
        },
        setup);
    b.flag(
        "input.%1.preamp.mute", analogue,
        [](const DataModel& m, int c, int) { return in(m, c).inputMute; },
        [](DataModel& m, int c, int, const QVariant& v) {
            InputSetupEdits(m).setMute(c, v.toBool());
        },
        setup);
    b.flag(
        "input.%1.phantom", analogue,
        [](const DataModel& m, int c, int) { return in(m, c).phantom; },
        [](DataModel& m, int c, int, const QVariant& v) {
            InputSetupEdits(m).setPhantom(c, v.toBool());
        },
        setup);
    b.real(
        "input.%1.delay", analogue, range::InputDelay, "ms",
        [](const DataModel& m, int c, int) { return double(in(m, c).delay); },
        [](DataModel& m, int c, int, const QVariant& v) {
            BlockEdits(m).setDelay(Side::Input, c, float(v.toDouble()));
        },
        whole({code::InputDelay}));

    addBlocks(b, Side::Input);

    const auto gate = [](const DataModel& m, int c, int) -> const Gate& { return in(m, c).gate; };
    const auto gateRead = perChannel(code::Gate);
    b.flag(
        "input.%1.gate.enabled", strips,
        [](const DataModel& m, int c, int) { return in(m, c).gate.enabled != 0; },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setGateEnabled(c, v.toBool());
        },
        gateRead);
    b.real(
        "input.%1.gate.threshold", strips, range::GateThreshold, "dB",
        [gate](const DataModel& m, int c, int) { return double(gate(m, c, 0).threshold); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setGateThreshold(c, float(v.toDouble()));
        },
        gateRead);
    b.real(
        "input.%1.gate.attack", strips, range::GateTime, "ms",
        [gate](const DataModel& m, int c, int) { return double(gate(m, c, 0).attack); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setGateAttack(c, float(v.toDouble()));
        },
        gateRead);
    b.real(
        "input.%1.gate.decay", strips, range::GateTime, "ms",
        [gate](const DataModel& m, int c, int) { return double(gate(m, c, 0).decay); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setGateDecay(c, float(v.toDouble()));
        },
        gateRead);

    const auto agcRead = perChannel(code::Agc);
    b.flag(
        "input.%1.agc.enabled", strips,
        [](const DataModel& m, int c, int) { return in(m, c).agc.enabled != 0; },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcEnabled(c, v.toBool());
        },
        agcRead);
    // Typed values: the threshold stays at or below the target, as in the editor's fields.
    b.real(
        "input.%1.agc.threshold", strips, range::AgcLevel, "dB",
        [](const DataModel& m, int c, int) { return double(in(m, c).agc.threshold); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcThreshold(c, float(v.toDouble()), DynamicsEdits::Cross::Held);
        },
        agcRead);
    b.real(
        "input.%1.agc.target", strips, range::AgcLevel, "dB",
        [](const DataModel& m, int c, int) { return double(in(m, c).agc.target); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcTarget(c, float(v.toDouble()), DynamicsEdits::Cross::Held);
        },
        agcRead);
    b.real(
        "input.%1.agc.ratio", strips, range::AgcRatio, "",
        [](const DataModel& m, int c, int) { return double(in(m, c).agc.ratio); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcRatio(c, float(v.toDouble()));
        },
        agcRead);
    b.real(
        "input.%1.agc.attack", strips, range::AgcTime, "ms",
        [](const DataModel& m, int c, int) { return double(in(m, c).agc.attack); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcAttack(c, float(v.toDouble()));
        },
        agcRead);
    b.real(
        "input.%1.agc.decay", strips, range::AgcTime, "ms",
        [](const DataModel& m, int c, int) { return double(in(m, c).agc.decay); },
        [](DataModel& m, int c, int, const QVariant& v) {
            DynamicsEdits(m).setAgcDecay(c, float(v.toDouble()));
        },
        agcRead);

    b.flag(
        "input.%1.feedback", analogue,
        [](const DataModel& m, int c, int) { return in(m, c).feedbackEnabled; },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setFeedback(c, v.toBool());
        },
        whole({code::Feedback}));
    const auto mixer = whole({code::AutoMixerWeights, code::AutoMixerGroups});
    b.real(
        "input.%1.automixer.weight", analogue, range::AutoMixerWeight, "dB",
        [](const DataModel& m, int c, int) { return double(m.autoMixer().weight[std::size_t(c)]); },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setAutoMixerWeight(c, float(v.toDouble()), Path::Now);
        },
        mixer);
    b.number(
        "input.%1.automixer.group", analogue, 0, kAutoMixerMaxGroup,
        [](const DataModel& m, int c, int) { return int(m.autoMixer().group[std::size_t(c)]); },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setAutoMixerGroup(c, v.toInt());
        },
        mixer);
    b.flag(
        "input.%1.echo.microphone", analogue,
        [](const DataModel& m, int c, int) { return ConferenceEdits::echoMicrophone(m, c); },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setEchoMicrophone(c, v.toBool());
        },
        whole({code::EchoCancellationSettings}));
    b.number(
        "input.%1.noisereduction", analogue, 0, kNoiseReductionLevels - 1,
        [](const DataModel& m, int c, int) {
            return int(m.noiseReduction().levels[std::size_t(c)]);
        },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setNoiseReduction(c, v.toInt());
        },
        whole({code::NoiseReduction}));
}

void addOutputs(QVector<KeyFamily>& all)
{
    Builder b{all, OutputSection};
    const int n = kOutputCount;
    const auto level = whole({code::OutputLevelMute, code::OutputLevelGain, code::OutputLevelInvert,
                              code::OutputLevelGroup, code::OutputFaderRange});
    b.real(
        "output.%1.gain", n, range::LevelGain, "dB",
        [](const DataModel& m, int c, int) { return double(out(m, c).levelGain); },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setOutputGain(c, float(v.toDouble()));
        },
        level);
    b.flag(
        "output.%1.mute", n, [](const DataModel& m, int c, int) { return out(m, c).levelMute; },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setOutputMute(c, v.toBool());
        },
        level);
    b.flag(
        "output.%1.invert", n, [](const DataModel& m, int c, int) { return out(m, c).levelInvert; },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setOutputInvert(c, v.toBool());
        },
        level);
    b.number(
        "output.%1.group", n, 0, kLevelGroups,
        [](const DataModel& m, int c, int) { return int(out(m, c).levelGroup); },
        [](DataModel& m, int c, int, const QVariant& v) {
            LevelEdits(m).setOutputGroup(c, quint8(v.toInt()));
        },
        level);
    b.real(
        "output.%1.delay", n, range::OutputDelay, "ms",
        [](const DataModel& m, int c, int) { return double(out(m, c).delay); },
        [](DataModel& m, int c, int, const QVariant& v) {
            BlockEdits(m).setDelay(Side::Output, c, float(v.toDouble()));
        },
        whole({code::OutputDelay}));
    addBlocks(b, Side::Output);
    b.flag(
        "output.%1.generator", n,
        [](const DataModel& m, int c, int) { return m.signalGenerator().routing[std::size_t(c)]; },
        [](DataModel& m, int c, int, const QVariant& v) {
            ConferenceEdits(m).setGeneratorRouting(c, v.toBool());
        },
        whole({code::GeneratorRouting}));
}

void addMatrix(QVector<KeyFamily>& all)
{
    Builder b{all, MatrixSection};
    const ParameterKeys::Reads reads = [](int, int output, QVector<ParameterRead>& o) {
        o.append({code::FormatGeneration, {}});
        o.append({code::MatrixEnable, bytes(output)});
        o.append({code::MatrixGain, bytes(output)});
    };
    // The USB play strip (input 17, the pair as one, as the reports carry it) reaches the
    // matrix in the wide format only.
    const ParameterKeys::Availability available = [](const DataModel& m, int input, int) {
        return input < kAnalogueInputs || !isNarrowFormat(m.formatGeneration());
    };
    b.add(
        "matrix.in%1.out%2", kInputStrips, kOutputCount, Type::Bool, 0, 1, "",
        [](const DataModel& m, int i, int o) { return in(m, i).mixEnabled[std::size_t(o)]; },
        [](DataModel& m, int i, int o, const QVariant& v) {
            MatrixEdits(m).setEnabled(o, bytes(i), v.toBool());
        },
        reads);
    all.last().available = available;
    b.add(
        "matrix.in%1.out%2.gain", kInputStrips, kOutputCount, Type::Integer,
        double(range::MatrixGain.lo), double(range::MatrixGain.hi), "dB",
        [](const DataModel& m, int i, int o) { return int(in(m, i).mixGain[std::size_t(o)]); },
        [](DataModel& m, int i, int o, const QVariant& v) {
            MatrixEdits(m).setGain(o, bytes(i), v.toInt());
        },
        reads);
    all.last().available = available;
}

void addGlobals(QVector<KeyFamily>& all)
{
    Builder gen{all, GeneratorSection};
    const auto generator = whole(
        {code::GeneratorOn, code::GeneratorType, code::GeneratorFrequency, code::GeneratorGain});
    gen.flag(
        "generator.on", 0, [](const DataModel& m, int, int) { return m.signalGenerator().on; },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setGeneratorOn(v.toBool());
        },
        generator);
    gen.number(
        "generator.type", 0, 0, kGeneratorTypes - 1,
        [](const DataModel& m, int, int) { return int(m.signalGenerator().type); },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setGeneratorType(v.toInt());
        },
        generator);
    gen.real(
        "generator.frequency", 0, range::GeneratorFrequency, "Hz",
        [](const DataModel& m, int, int) { return double(m.signalGenerator().frequency); },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setGeneratorFrequency(float(v.toDouble()), Path::Now);
        },
        generator);
    gen.real(
        "generator.gain", 0, range::GeneratorGain, "dB",
        [](const DataModel& m, int, int) { return double(m.signalGenerator().gain); },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setGeneratorGain(float(v.toDouble()), Path::Now);
        },
        generator);

    Builder conf{all, ConferenceSection};
    conf.flag(
        "echo.enabled", 0,
        [](const DataModel& m, int, int) { return m.echoCancellation().enabled; },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setEchoCancellation(v.toBool());
        },
        whole({code::EchoCancellation}));
    conf.number(
        "echo.level", 0, 0, kEchoCancellationLevels - 1,
        [](const DataModel& m, int, int) { return ConferenceEdits::echoLevel(m); },
        [](DataModel& m, int, int, const QVariant& v) {
            ConferenceEdits(m).setEchoLevel(v.toInt());
        },
        whole({code::EchoCancellationSettings}));
    conf.flag(
        "automixer.group%1.enabled", kAutoMixerGroups,
        [](const DataModel& m, int g, int) { return m.autoMixer().enabled[std::size_t(g)]; },
        [](DataModel& m, int g, int, const QVariant& v) {
            ConferenceEdits(m).setAutoMixerEnabled(g, v.toBool());
        },
        whole({code::AutoMixerSwitches}));
    // The input noise reduction works on; 1-based like every channel a user names.
    conf.number(
        "noisereduction.channel", 0, 1, kAnalogueInputs,
        [](const DataModel& m, int, int) { return int(m.noiseReduction().channel) + 1; },
        [](DataModel& m, int, int, const QVariant& v) {
            const int c = v.toInt() - 1;
            ConferenceEdits(m).setNoiseReduction(c, m.noiseReduction().levels[std::size_t(c)]);
        },
        whole({code::NoiseReduction}));

    Builder sys{all, SystemSection};
    // Not an edit of any window but the status bar's button, which writes and sends alike.
    sys.flag(
        "system.mute", 0, [](const DataModel& m, int, int) { return m.system().systemMute; },
        [](DataModel& m, int, int, const QVariant& v) {
            m.system().systemMute = v.toBool();
            deliver(m, cmd::systemMute(v.toBool()));
        },
        whole({code::SystemMute}));
}

QVector<KeyFamily> buildFamilies()
{
    QVector<KeyFamily> all;
    addInputs(all);
    addOutputs(all);
    addMatrix(all);
    addGlobals(all);
    return all;
}

QVector<ParameterKeys::Key> buildKeys()
{
    const QVector<KeyFamily>& families = ParameterKeys::families();
    QVector<ParameterKeys::Key> keys;
    for (int first = 0; first < families.size();) {
        int last = first;
        int channels = 1;
        while (last < families.size() && families[last].section == families[first].section) {
            channels = std::max(channels, families[last].count1);
            ++last;
        }
        // A section goes channel by channel (input.1.*, then input.2.*), and a run of
        // families with a second channel goes by that channel too (peq.1.*, then peq.2.*).
        for (int c1 = 0; c1 < channels; ++c1) {
            for (int f = first; f < last;) {
                const KeyFamily& family = families[f];
                int runEnd = f + 1;
                while (family.count2 > 0 && runEnd < last &&
                       families[runEnd].count2 == family.count2 &&
                       families[runEnd].count1 == family.count1)
                    ++runEnd;
                const bool present = family.count1 == 0 ? c1 == 0 : c1 < family.count1;
                const int i1 = family.count1 == 0 ? -1 : c1;
                if (present && family.count2 == 0)
                    keys.append({&family, i1, -1});
                for (int c2 = 0; present && c2 < family.count2; ++c2) {
                    for (int g = f; g < runEnd; ++g)
                        keys.append({&families[g], i1, c2});
                }
                f = runEnd;
            }
        }
        first = last;
    }
    return keys;
}

QString number(double v)
{
    return QString::number(v, 'g', 7);
}

} // namespace

QString ParameterKeys::Key::name() const
{
    if (!family)
        return {};
    QString name = family->pattern;
    if (index1 >= 0)
        name = name.arg(index1 + 1);
    if (index2 >= 0)
        name = name.arg(index2 + 1);
    return name;
}

const QVector<KeyFamily>& ParameterKeys::families()
{
    static const QVector<KeyFamily> all = buildFamilies();
    return all;
}

const QVector<ParameterKeys::Key>& ParameterKeys::all()
{
    static const QVector<Key> keys = buildKeys();
    return keys;
}

ParameterKeys::Key ParameterKeys::find(const QString& name)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QVector<Key>& keys = all();
        for (int i = 0; i < keys.size(); ++i)
            h.insert(keys[i].name(), i);
        return h;
    }();
    const int i = index.value(name.trimmed().toLower(), -1);
    return i < 0 ? Key{} : all()[i];
}

QString ParameterKeys::rangeText(const Key& key)
{
    if (!key.family)
        return {};
    const KeyFamily& f = *key.family;
    if (f.type == Type::Bool)
        return QStringLiteral("on|off");
    QString text = number(f.min) + QStringLiteral("..") + number(f.max);
    if (!f.unit.isEmpty())
        text += QLatin1Char(' ') + f.unit;
    return text;
}

QVariant ParameterKeys::parse(const Key& key, const QString& text, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("%1: %2 (accepted: %3)").arg(key.name(), why, rangeText(key));
        return QVariant();
    };
    if (!key.family)
        return fail(QStringLiteral("unknown key"));
    const KeyFamily& f = *key.family;
    const QString t = text.trimmed().toLower();
    if (f.type == Type::Bool) {
        static const QStringList on{QStringLiteral("on"), QStringLiteral("true"),
                                    QStringLiteral("1"), QStringLiteral("yes")};
        static const QStringList off{QStringLiteral("off"), QStringLiteral("false"),
                                     QStringLiteral("0"), QStringLiteral("no")};
        if (on.contains(t))
            return true;
        if (off.contains(t))
            return false;
        return fail(QStringLiteral("\"%1\" is not on or off").arg(text));
    }
    bool ok = false;
    const double v = f.type == Type::Integer ? double(t.toInt(&ok)) : t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return fail(QStringLiteral("\"%1\" is not %2")
                        .arg(text, f.type == Type::Integer ? QStringLiteral("a whole number")
                                                           : QStringLiteral("a number")));
    }
    if (v < f.min || v > f.max)
        return fail(QStringLiteral("%1 is out of range").arg(text.trimmed()));
    return f.type == Type::Integer ? QVariant(int(v)) : QVariant(v);
}

QString ParameterKeys::format(const Key& key, const QVariant& value)
{
    if (!key.family || !value.isValid())
        return {};
    switch (key.family->type) {
    case Type::Bool:
        return value.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    case Type::Integer:
        return QString::number(value.toInt());
    case Type::Real:
        break;
    }
    return number(value.toDouble());
}

QVariant ParameterKeys::read(const DataModel& model, const Key& key)
{
    if (!key.family)
        return {};
    return key.family->read(model, key.index1, key.index2);
}

bool ParameterKeys::available(const DataModel& model, const Key& key)
{
    return key.family &&
           (!key.family->available || key.family->available(model, key.index1, key.index2));
}

void ParameterKeys::write(DataModel& model, const Key& key, const QVariant& value)
{
    if (key.family && value.isValid())
        key.family->write(model, key.index1, key.index2, value);
}

bool ParameterKeys::same(const Key& key, const QVariant& wanted, const QVariant& held)
{
    if (!key.family)
        return false;
    switch (key.family->type) {
    case Type::Bool:
        return wanted.toBool() == held.toBool();
    case Type::Integer:
        return wanted.toInt() == held.toInt();
    case Type::Real:
        break;
    }
    // Values travel as 32-bit floats.
    const double a = double(float(wanted.toDouble()));
    const double b = held.toDouble();
    return std::abs(a - b) <= 1e-4 * std::max(1.0, std::abs(a));
}

QVector<ParameterRead> ParameterKeys::readsFor(const QVector<Key>& keys)
{
    QVector<ParameterRead> reads;
    QSet<QByteArray> seen;
    QVector<ParameterRead> one;
    for (const Key& key : keys) {
        if (!key.family || !key.family->reads)
            continue;
        one.clear();
        key.family->reads(key.index1, key.index2, one);
        for (const ParameterRead& r : qAsConst(one)) {
            const QByteArray id = QByteArray::number(r.code.key()) + ':' + r.payload;
            if (!seen.contains(id)) {
                seen.insert(id);
                reads.append(r);
            }
        }
    }
    return reads;
}
