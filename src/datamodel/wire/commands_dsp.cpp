// Builders of the DSP parameter commands (type 3), presets excepted.
#include "wire/commands_p.h"

#include <algorithm>
#include <cmath>

namespace wire::cmd {

using namespace detail;

namespace {

QByteArray copyHead(quint8 source)
{
    return bytes({source});
}

// [source, u16 inputs, u16 outputs]
QByteArray narrowCopy(quint8 source, quint32 inputMask, quint32 outputMask)
{
    QByteArray p = copyHead(source);
    appendU16(p, quint16(inputMask));
    appendU16(p, quint16(outputMask));
    return p;
}

// [source, inputs (u16 narrow, u32 wide), u16 outputs]
QByteArray limiterCopy(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    if (isNarrowFormat(generation))
        return narrowCopy(source, inputMask, outputMask);
    QByteArray p = copyHead(source);
    appendU32(p, inputMask);
    appendU16(p, quint16(outputMask));
    return p;
}

// The fader bottom means "off", which the unit knows as -100 dB.
float levelValue(float dB)
{
    return dB > kFaderBottom ? dB : kLevelOff;
}

// Fader limits travel as signed whole dB, truncated toward zero; clamping first keeps odd
// values (NaN, huge) from wrapping around in the byte.
quint8 wholeDb(float dB)
{
    if (std::isnan(dB))
        return 0;
    const float limited = range::FaderLimit.clamp(dB);
    return quint8(qint8(std::trunc(limited)));
}

QByteArray faderRange(quint8 channel, float faderMax, float faderMin)
{
    return bytes({channel, wholeDb(faderMax), wholeDb(faderMin)});
}

QByteArray matrixPayload(quint8 output, const QByteArray& inputs, quint8 value)
{
    QByteArray p = bytes({output});
    p.append(inputs);
    p.append(char(value));
    return p;
}

} // namespace

// --- input setup, feedback, gate

Command inputMute(quint8 channel, bool on)
{
    return now(code::InputMute, bytes({channel, on}));
}

Command inputMode(quint8 channel, quint8 mode)
{
    return now(code::InputMode, bytes({channel, mode}));
}

Command inputPhantom(quint8 channel, bool on)
{
    return now(code::Phantom, bytes({channel, on}));
}

Command inputGain(quint8 channel, float dB, Path path)
{
    return routed(path, code::InputGain, withFloat(bytes({channel}), dB), channel);
}

Command gate(quint8 channel, const Gate& gate)
{
    return now(code::Gate, withRecord(bytes({channel}), gate));
}

Command feedbackSuppression(quint8 channel, bool on)
{
    return now(code::Feedback, bytes({channel, on}));
}

// --- input filters, limiter, delay

Command inputHpf(quint8 channel, const HLPF& hpf)
{
    return queued(code::InputHpf, withRecord(bytes({channel}), hpf), channel);
}

Command inputLpf(quint8 channel, const HLPF& lpf)
{
    return queued(code::InputLpf, withRecord(bytes({channel}), lpf), channel);
}

Command inputPeq(quint8 channel, quint8 band, const PEQ& peq)
{
    return queued(code::InputPeq, withRecord(bytes({channel, band}), peq), channel, band);
}

// The wide format replaces both masks by one 32-bit input mask.
Command copyInputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    if (isNarrowFormat(generation))
        return now(code::InputFilterCopy, narrowCopy(source, inputMask, outputMask));
    QByteArray p = copyHead(source);
    appendU32(p, inputMask);
    return now(code::InputFilterCopy, p);
}

Command resetInputFilter(quint8 channel)
{
    return now(code::InputFilterReset, bytes({channel}));
}

Command inputLimiter(quint8 channel, const Limiter& limiter)
{
    return queued(code::InputLimiter, withRecord(bytes({channel}), limiter), channel);
}

Command copyInputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    return now(code::InputLimiterCopy, limiterCopy(source, inputMask, outputMask, generation));
}

Command resetInputLimiter(quint8 channel)
{
    return now(code::InputLimiterReset, bytes({channel}));
}

Command inputDelay(quint8 channel, float ms)
{
    return queued(code::InputDelay, withFloat(bytes({channel}), ms), channel);
}

// --- output filters, limiter, delay

Command outputHpf(quint8 channel, const HLPF& hpf)
{
    return queued(code::OutputHpf, withRecord(bytes({channel}), hpf), channel);
}

Command outputLpf(quint8 channel, const HLPF& lpf)
{
    return queued(code::OutputLpf, withRecord(bytes({channel}), lpf), channel);
}

Command outputPeq(quint8 channel, quint8 band, const PEQ& peq)
{
    return queued(code::OutputPeq, withRecord(bytes({channel, band}), peq), channel, band);
}

// The wide format carries only the 16-bit output mask.
Command copyOutputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    if (isNarrowFormat(generation))
        return now(code::OutputFilterCopy, narrowCopy(source, inputMask, outputMask));
    QByteArray p = copyHead(source);
    appendU16(p, quint16(outputMask));
    return now(code::OutputFilterCopy, p);
}

Command resetOutputFilter(quint8 channel)
{
    return now(code::OutputFilterReset, bytes({channel}));
}

Command outputLimiter(quint8 channel, const Limiter& limiter)
{
    return queued(code::OutputLimiter, withRecord(bytes({channel}), limiter), channel);
}

Command copyOutputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    return now(code::OutputLimiterCopy, limiterCopy(source, inputMask, outputMask, generation));
}

Command resetOutputLimiter(quint8 channel)
{
    return now(code::OutputLimiterReset, bytes({channel}));
}

Command outputDelay(quint8 channel, float ms)
{
    return queued(code::OutputDelay, withFloat(bytes({channel}), ms), channel);
}

// --- level strips

Command inputLevelMute(quint8 channel, bool on)
{
    return now(code::InputLevelMute, bytes({channel, on}));
}

Command inputLevelGain(quint8 channel, float dB)
{
    return queued(code::InputLevelGain, withFloat(bytes({channel}), levelValue(dB)), channel);
}

Command inputLevelInvert(quint8 channel, bool on)
{
    return now(code::InputLevelInvert, bytes({channel, on}));
}

Command inputLevelGroup(quint8 channel, quint8 group)
{
    return now(code::InputLevelGroup, bytes({channel, group}));
}

Command relativeInputLevel(quint8 channel, float stepDb)
{
    return now(code::InputLevelStep, withFloat(bytes({channel}), stepDb));
}

Command inputFaderRange(quint8 channel, float faderMax, float faderMin)
{
    return now(code::InputFaderRange, faderRange(channel, faderMax, faderMin));
}

Command outputLevelMute(quint8 channel, bool on)
{
    return now(code::OutputLevelMute, bytes({channel, on}));
}

Command outputLevelGain(quint8 channel, float dB)
{
    return queued(code::OutputLevelGain, withFloat(bytes({channel}), levelValue(dB)), channel);
}

Command outputLevelInvert(quint8 channel, bool on)
{
    return now(code::OutputLevelInvert, bytes({channel, on}));
}

Command outputLevelGroup(quint8 channel, quint8 group)
{
    return now(code::OutputLevelGroup, bytes({channel, group}));
}

Command relativeOutputLevel(quint8 channel, float stepDb)
{
    return now(code::OutputLevelStep, withFloat(bytes({channel}), stepDb));
}

Command outputFaderRange(quint8 channel, float faderMax, float faderMin)
{
    return now(code::OutputFaderRange, faderRange(channel, faderMax, faderMin));
}

// --- matrix

Command matrixEnable(quint8 output, const QByteArray& selectedInputs, bool on)
{
    return now(code::MatrixEnable, matrixPayload(output, selectedInputs, on));
}

// Queued per output: a knob drag over a selection keeps replacing one pending packet.
Command matrixGain(quint8 output, const QByteArray& selectedInputs, int dB)
{
    const qint8 value =
        dB < kMatrixOffBelow ? kMatrixOff : qint8(std::min(dB, int(range::MatrixGain.hi)));
    return queued(code::MatrixGain, matrixPayload(output, selectedInputs, quint8(value)), output);
}

// --- signal generator

Command signalGeneratorRouting(quint8 output, bool on)
{
    return now(code::GeneratorRouting, bytes({output, on}));
}

Command signalGeneratorFrequency(float hz, Path path)
{
    return routed(path, code::GeneratorFrequency, withFloat({}, hz), 0xFF);
}

Command signalGeneratorType(quint8 type)
{
    return now(code::GeneratorType, bytes({type}));
}

Command signalGeneratorGain(float dB, Path path)
{
    return routed(path, code::GeneratorGain, withFloat({}, dB), 0xFF);
}

Command signalGeneratorOn(bool on)
{
    return now(code::GeneratorOn, bytes({on}));
}

// --- conference blocks

Command echoCancellation(bool on)
{
    return now(code::EchoCancellation, bytes({on}));
}

Command echoCancellationSettings(const EchoCancellationBlock& block, quint16 generation)
{
    const int size = isNarrowFormat(generation) ? kEchoCancellationNarrowBytes : int(block.size());
    return now(code::EchoCancellationSettings,
               QByteArray(reinterpret_cast<const char*>(block.data()), size));
}

Command agc(quint8 channel, const AGC& agc)
{
    return queued(code::Agc, withRecord(bytes({channel}), agc), channel);
}

// The AGC exists on inputs only: the copy carries the input mask alone, in the width of the
// unit's format.
Command copyAgc(quint8 source, quint32 inputMask, quint16 generation)
{
    QByteArray p = copyHead(source);
    if (isNarrowFormat(generation))
        appendU16(p, quint16(inputMask));
    else
        appendU32(p, inputMask);
    return now(code::AgcCopy, p);
}

Command resetAgc(quint8 channel)
{
    return now(code::AgcReset, bytes({channel}));
}

Command noiseReduction(quint8 channel, quint8 level)
{
    return now(code::NoiseReduction, bytes({channel, level}));
}

Command autoMixerWeight(quint8 channel, float weight, Path path)
{
    return routed(path, code::AutoMixerWeights, withFloat(bytes({channel}), weight), channel);
}

Command autoMixerGroup(quint8 channel, quint8 group)
{
    return now(code::AutoMixerGroups, bytes({channel, group}));
}

Command autoMixerEnable(quint8 group, bool on)
{
    return now(code::AutoMixerSwitches, bytes({group, on}));
}

Command autoMixerReset()
{
    return now(code::AutoMixerReset);
}

} // namespace wire::cmd
