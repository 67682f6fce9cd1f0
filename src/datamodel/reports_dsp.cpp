// Handlers of the DSP reports (type 3) that need more than one generic call: the packed
// channel records, fader ranges, the matrix, echo cancellation, noise reduction and the preset
// table.
#include "reportrules.h"

namespace reports::dsp {

using namespace wire;

namespace {

// Each reported field is clamped or validated into `out`, which holds the mirror's record;
// a field that is out of range keeps the mirror's value.
void sanitize(const wire::HLPF& in, wire::HLPF& out)
{
    out.enabled = in.enabled != 0;
    out.type = validBelow(in.type, kFilterTypes, out.type);
    out.slope = validBelow(in.slope, kFilterSlopes, out.slope);
    out.freq = clamped(in.freq, range::FilterFrequency, out.freq);
}

void sanitize(const wire::PEQ& in, wire::PEQ& out)
{
    out.enabled = in.enabled != 0;
    out.type = validBelow(in.type, kFilterTypes, out.type);
    out.freq = clamped(in.freq, range::FilterFrequency, out.freq);
    out.gain = clamped(in.gain, range::PeqGain, out.gain);
    out.q = qMin<quint8>(in.q, kPeqMaxQIndex);
}

void sanitize(const wire::Limiter& in, wire::Limiter& out)
{
    out.enabled = in.enabled != 0;
    out.threshold = clamped(in.threshold, range::LimiterThreshold, out.threshold);
    out.ratio = clamped(in.ratio, range::LimiterRatio, out.ratio);
    out.attack = clamped(in.attack, range::LimiterTime, out.attack);
    out.decay = clamped(in.decay, range::LimiterTime, out.decay);
}

void sanitize(const wire::Gate& in, wire::Gate& out)
{
    out.enabled = in.enabled != 0;
    out.threshold = clamped(in.threshold, range::GateThreshold, out.threshold);
    out.attack = clamped(in.attack, range::GateTime, out.attack);
    out.decay = clamped(in.decay, range::GateTime, out.decay);
}

void sanitize(const wire::AGC& in, wire::AGC& out)
{
    out.enabled = in.enabled != 0;
    out.threshold = clamped(in.threshold, range::AgcLevel, out.threshold);
    out.target = clamped(in.target, range::AgcLevel, out.target);
    out.ratio = clamped(in.ratio, range::AgcRatio, out.ratio);
    out.attack = clamped(in.attack, range::AgcTime, out.attack);
    out.decay = clamped(in.decay, range::AgcTime, out.decay);
}

// Stores `incoming` over `*current` after sanitising; compares the whole byte image.
template <typename Record> bool store(Record* current, const char* image)
{
    Record incoming;
    std::memcpy(&incoming, image, sizeof incoming);
    Record next = *current;
    sanitize(incoming, next);
    if (std::memcmp(&next, current, sizeof next) == 0)
        return false;
    *current = next;
    return true;
}

// [channel] then the record; a channel beyond `channels` drops the whole report.
template <typename Record>
void channelRecord(const Report& r, int channels, Record* (DataModel::*get)(int))
{
    const quint8 channel = r.u8(0);
    if (r.size != 1 + int(sizeof(Record)) || channel >= channels)
        return;
    if (store((r.model.*get)(channel), r.data + 1))
        r.sync(channel);
}

// [channel, band] then the band; `other` carries the band.
void peqRecord(const Report& r, int channels, wire::PEQ* (DataModel::*get)(int, int))
{
    const quint8 channel = r.u8(0);
    const quint8 band = r.u8(1);
    if (r.size != 2 + int(sizeof(wire::PEQ)) || channel >= channels || band >= model::kPeqBands)
        return;
    if (store((r.model.*get)(channel, band), r.data + 2))
        r.sync(channel, band);
}

// Two floats per channel, the maximum first.
template <typename At> void faderRanges(const Report& r, int cap, At at)
{
    const int count = qMin(cap, r.size / 8);
    for (int i = 0; i < count; ++i) {
        auto& channel = at(r.model, i);
        bool changed =
            update(channel.faderMax, clamped(r.f32(8 * i), range::FaderLimit, channel.faderMax));
        changed |= update(channel.faderMin,
                          clamped(r.f32(8 * i + 4), range::FaderLimit, channel.faderMin));
        if (changed)
            r.sync(quint8(i));
    }
}

// [output] then one byte per input: a column of the matrix.
template <typename Decode> void matrixColumn(const Report& r, Decode decode)
{
    const quint8 output = r.u8(0);
    if (output >= model::kOutputCount)
        return;
    const int count = qMin(r.size - 1, kInputStrips);
    for (int i = 0; i < count; ++i) {
        if (decode(r.model.input(i), output, r.data[1 + i]))
            r.sync(quint8(i), output);
    }
}

} // namespace

void inputHpf(const Report& r)
{
    channelRecord(r, kInputStrips, &DataModel::inputHpf);
}

void inputLpf(const Report& r)
{
    channelRecord(r, kInputStrips, &DataModel::inputLpf);
}

void inputPeq(const Report& r)
{
    peqRecord(r, kInputStrips, &DataModel::inputPeq);
}

void inputLimiter(const Report& r)
{
    channelRecord(r, kInputStrips, &DataModel::inputLimiter);
}

void inputGate(const Report& r)
{
    channelRecord(r, kInputStrips, &DataModel::inputGate);
}

void inputAgc(const Report& r)
{
    channelRecord(r, kAnalogueInputs, &DataModel::inputAgc);
}

void outputHpf(const Report& r)
{
    channelRecord(r, model::kOutputCount, &DataModel::outputHpf);
}

void outputLpf(const Report& r)
{
    channelRecord(r, model::kOutputCount, &DataModel::outputLpf);
}

void outputPeq(const Report& r)
{
    peqRecord(r, model::kOutputCount, &DataModel::outputPeq);
}

void outputLimiter(const Report& r)
{
    channelRecord(r, model::kOutputCount, &DataModel::outputLimiter);
}

void inputFaderRanges(const Report& r)
{
    faderRanges(r, kInputStrips,
                [](DataModel& m, int i) -> model::InputChannel& { return m.input(i); });
}

void outputFaderRanges(const Report& r)
{
    faderRanges(r, model::kOutputCount,
                [](DataModel& m, int i) -> model::OutputChannel& { return m.output(i); });
}

void matrixEnabled(const Report& r)
{
    matrixColumn(r, [](model::InputChannel& in, int output, char byte) {
        return update(in.mixEnabled[std::size_t(output)], byte != 0);
    });
}

void matrixGain(const Report& r)
{
    matrixColumn(r, [](model::InputChannel& in, int output, char byte) {
        return update(
            in.mixGain[std::size_t(output)],
            qint8(qBound(int(range::MatrixGain.lo), int(qint8(byte)), int(range::MatrixGain.hi))));
    });
}

void outputMeterMode(const Report& r)
{
    const quint8 current = r.model.outputMeterMode();
    const quint8 mode = validBelow(r.u8(0), kOutputMeterModes, current);
    if (mode == current)
        return;
    r.model.setOutputMeterMode(mode);
    r.sync();
}

void echoSettings(const Report& r)
{
    auto& settings = r.model.echoCancellation().settings;
    const std::size_t count = qMin(std::size_t(r.size), settings.size());
    if (std::memcmp(settings.data(), r.data, count) == 0)
        return;
    std::memcpy(settings.data(), r.data, count);
    r.sync();
}

void noiseReduction(const Report& r)
{
    // [channel, level]: the input noise reduction runs on and its level there. A channel or
    // level the unit cannot have drops the report.
    const quint8 channel = r.u8(0);
    const quint8 level = r.u8(1);
    if (channel >= kAnalogueInputs || level >= kNoiseReductionLevels)
        return;
    auto& nr = r.model.noiseReduction();
    bool changed = update(nr.channel, channel);
    changed |= update(nr.levels[channel], level);
    if (changed)
        r.sync(channel, level);
}

void autoMixerSwitches(const Report& r)
{
    scalar(r, r.model.autoMixer().enabled, std::array<bool, 2>{r.u8(0) != 0, r.u8(1) != 0});
}

void presetTable(const Report& r)
{
    // The current preset, then {used, 16-byte name} per slot.
    auto& table = r.model.presets();
    bool changed = update(table.current, r.u8(0));
    for (int i = 0; i < model::kPresetCount; ++i) {
        const char* entry = r.data + 1 + 17 * i;
        auto& slot = table.entries[std::size_t(i)];
        changed |= update(slot.used, entry[0] != 0);
        changed |= update(slot.name, localText(entry + 1, 16));
    }
    if (changed)
        r.sync();
}

} // namespace reports::dsp

namespace reports::status {

void block4(const Report& r)
{
    // [index] then a 64-byte block kept per index.
    const quint8 index = r.u8(0);
    if (index >= 4)
        return;
    if (update(r.model.statusRecords().block4[index], QByteArray(r.data + 1, 64)))
        r.sync(255, index);
}

} // namespace reports::status
