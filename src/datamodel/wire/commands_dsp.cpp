// Builders of the DSP parameter commands (type 3), presets excepted.
#include "wire/commands_p.h"

#include <algorithm>
#include <cmath>

namespace wire::cmd {

using namespace detail;

namespace {

constexpr quint8 kDsp = 3;

enum SubType : quint8
{
    InputSetup = 1,
    GateBlock = 2,
    Feedback = 3,
    InputFilter = 4,
    InputLimiter = 5,
    InputDelay = 6,
    InputLevel = 7,
    Matrix = 8,
    Generator = 9,
    OutputLevel = 11,
    OutputFilter = 12,
    OutputLimiter = 13,
    OutputDelay = 14,
    EchoCancel = 15,
    AgcBlock = 16,
    NoiseReduction = 17,
    AutoMixer = 18,
};

// The older format (generation 4) has 16-bit channel masks and the short AEC block.
bool narrowFormat(quint16 generation)
{
    return generation == 4;
}

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
    if (narrowFormat(generation))
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
    const float limited = std::clamp(dB, kFaderBottom, 12.0f);
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
    return now(kDsp, InputSetup, 2, bytes({channel, on}));
}

Command inputMode(quint8 channel, quint8 mode)
{
    return now(kDsp, InputSetup, 4, bytes({channel, mode}));
}

Command inputPhantom(quint8 channel, bool on)
{
    return now(kDsp, InputSetup, 5, bytes({channel, on}));
}

Command inputGain(quint8 channel, float dB, Path path)
{
    return routed(path, kDsp, InputSetup, 8, withFloat(bytes({channel}), dB), channel);
}

Command gate(quint8 channel, const Gate& gate)
{
    return now(kDsp, GateBlock, 2, withRecord(bytes({channel}), gate));
}

Command feedbackSuppression(quint8 channel, bool on)
{
    return now(kDsp, Feedback, 1, bytes({channel, on}));
}

// --- input filters, limiter, delay

Command inputHpf(quint8 channel, const HLPF& hpf)
{
    return queued(kDsp, InputFilter, 1, withRecord(bytes({channel}), hpf), channel);
}

Command inputLpf(quint8 channel, const HLPF& lpf)
{
    return queued(kDsp, InputFilter, 2, withRecord(bytes({channel}), lpf), channel);
}

Command inputPeq(quint8 channel, quint8 band, const PEQ& peq)
{
    return queued(kDsp, InputFilter, 3, withRecord(bytes({channel, band}), peq), channel, band);
}

// The wide format replaces both masks by one 32-bit input mask.
Command copyInputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    if (narrowFormat(generation))
        return now(kDsp, InputFilter, 4, narrowCopy(source, inputMask, outputMask));
    QByteArray p = copyHead(source);
    appendU32(p, inputMask);
    return now(kDsp, InputFilter, 4, p);
}

Command resetInputFilter(quint8 channel)
{
    return now(kDsp, InputFilter, 5, bytes({channel}));
}

Command inputLimiter(quint8 channel, const Limiter& limiter)
{
    return queued(kDsp, InputLimiter, 1, withRecord(bytes({channel}), limiter), channel);
}

Command copyInputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    return now(kDsp, InputLimiter, 2, limiterCopy(source, inputMask, outputMask, generation));
}

Command resetInputLimiter(quint8 channel)
{
    return now(kDsp, InputLimiter, 3, bytes({channel}));
}

Command inputDelay(quint8 channel, float ms)
{
    return queued(kDsp, InputDelay, 1, withFloat(bytes({channel}), ms), channel);
}

// --- output filters, limiter, delay

Command outputHpf(quint8 channel, const HLPF& hpf)
{
    return queued(kDsp, OutputFilter, 1, withRecord(bytes({channel}), hpf), channel);
}

Command outputLpf(quint8 channel, const HLPF& lpf)
{
    return queued(kDsp, OutputFilter, 2, withRecord(bytes({channel}), lpf), channel);
}

Command outputPeq(quint8 channel, quint8 band, const PEQ& peq)
{
    return queued(kDsp, OutputFilter, 3, withRecord(bytes({channel, band}), peq), channel, band);
}

// The wide format carries only the 16-bit output mask.
Command copyOutputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    if (narrowFormat(generation))
        return now(kDsp, OutputFilter, 4, narrowCopy(source, inputMask, outputMask));
    QByteArray p = copyHead(source);
    appendU16(p, quint16(outputMask));
    return now(kDsp, OutputFilter, 4, p);
}

Command resetOutputFilter(quint8 channel)
{
    return now(kDsp, OutputFilter, 5, bytes({channel}));
}

Command outputLimiter(quint8 channel, const Limiter& limiter)
{
    return queued(kDsp, OutputLimiter, 1, withRecord(bytes({channel}), limiter), channel);
}

Command copyOutputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation)
{
    return now(kDsp, OutputLimiter, 2, limiterCopy(source, inputMask, outputMask, generation));
}

Command resetOutputLimiter(quint8 channel)
{
    return now(kDsp, OutputLimiter, 3, bytes({channel}));
}

Command outputDelay(quint8 channel, float ms)
{
    return queued(kDsp, OutputDelay, 1, withFloat(bytes({channel}), ms), channel);
}

// --- level strips

Command inputLevelMute(quint8 channel, bool on)
{
    return now(kDsp, InputLevel, 1, bytes({channel, on}));
}

Command inputLevelGain(quint8 channel, float dB)
{
    return queued(kDsp, InputLevel, 2, withFloat(bytes({channel}), levelValue(dB)), channel);
}

Command inputLevelInvert(quint8 channel, bool on)
{
    return now(kDsp, InputLevel, 3, bytes({channel, on}));
}

Command inputLevelGroup(quint8 channel, quint8 group)
{
    return now(kDsp, InputLevel, 4, bytes({channel, group}));
}

Command relativeInputLevel(quint8 channel, float stepDb)
{
    return now(kDsp, InputLevel, 5, withFloat(bytes({channel}), stepDb));
}

Command inputFaderRange(quint8 channel, float faderMax, float faderMin)
{
    return now(kDsp, InputLevel, 6, faderRange(channel, faderMax, faderMin));
}

Command outputLevelMute(quint8 channel, bool on)
{
    return now(kDsp, OutputLevel, 2, bytes({channel, on}));
}

Command outputLevelGain(quint8 channel, float dB)
{
    return queued(kDsp, OutputLevel, 3, withFloat(bytes({channel}), levelValue(dB)), channel);
}

Command outputLevelInvert(quint8 channel, bool on)
{
    return now(kDsp, OutputLevel, 4, bytes({channel, on}));
}

Command outputLevelGroup(quint8 channel, quint8 group)
{
    return now(kDsp, OutputLevel, 5, bytes({channel, group}));
}

Command relativeOutputLevel(quint8 channel, float stepDb)
{
    return now(kDsp, OutputLevel, 6, withFloat(bytes({channel}), stepDb));
}

Command outputFaderRange(quint8 channel, float faderMax, float faderMin)
{
    return now(kDsp, OutputLevel, 7, faderRange(channel, faderMax, faderMin));
}

// --- matrix

Command matrixEnable(quint8 output, const QByteArray& selectedInputs, bool on)
{
    return now(kDsp, Matrix, 1, matrixPayload(output, selectedInputs, on));
}

// Queued per output: a knob drag over a selection keeps replacing one pending packet.
Command matrixGain(quint8 output, const QByteArray& selectedInputs, int dB)
{
    const qint8 value = dB < kMatrixOffBelow ? kMatrixOff : qint8(std::min(dB, 12));
    return queued(kDsp, Matrix, 2, matrixPayload(output, selectedInputs, quint8(value)), output);
}

// --- signal generator

Command signalGeneratorRouting(quint8 output, bool on)
{
    return now(kDsp, Generator, 1, bytes({output, on}));
}

Command signalGeneratorFrequency(float hz, Path path)
{
    return routed(path, kDsp, Generator, 2, withFloat({}, hz), 0xFF);
}

Command signalGeneratorType(quint8 type)
{
    return now(kDsp, Generator, 3, bytes({type}));
}

Command signalGeneratorGain(float dB, Path path)
{
    return routed(path, kDsp, Generator, 4, withFloat({}, dB), 0xFF);
}

Command signalGeneratorOn(bool on)
{
    return now(kDsp, Generator, 5, bytes({on}));
}

// --- conference blocks

Command echoCancellation(bool on)
{
    return now(kDsp, EchoCancel, 1, bytes({on}));
}

Command echoCancellationSettings(const EchoCancellationBlock& block, quint16 generation)
{
    const int size = narrowFormat(generation) ? kEchoCancellationNarrowBytes : int(block.size());
    return now(kDsp, EchoCancel, 2, QByteArray(reinterpret_cast<const char*>(block.data()), size));
}

Command agc(quint8 channel, const AGC& agc)
{
    return queued(kDsp, AgcBlock, 1, withRecord(bytes({channel}), agc), channel);
}

// The AGC copy has the wide layout in every format.
Command copyAgc(quint8 source, quint32 inputMask, quint32 outputMask)
{
    QByteArray p = copyHead(source);
    appendU32(p, inputMask);
    appendU16(p, quint16(outputMask));
    return now(kDsp, AgcBlock, 2, p);
}

Command resetAgc(quint8 channel)
{
    return now(kDsp, AgcBlock, 3, bytes({channel}));
}

Command noiseReduction(quint8 channel, quint8 level)
{
    return now(kDsp, NoiseReduction, 1, bytes({channel, level}));
}

Command autoMixerWeight(quint8 channel, float weight, Path path)
{
    return routed(path, kDsp, AutoMixer, 1, withFloat(bytes({channel}), weight), channel);
}

Command autoMixerGroup(quint8 channel, quint8 group)
{
    return now(kDsp, AutoMixer, 2, bytes({channel, group}));
}

Command autoMixerEnable(quint8 group, bool on)
{
    return now(kDsp, AutoMixer, 3, bytes({group, on}));
}

Command autoMixerReset()
{
    return now(kDsp, AutoMixer, 4);
}

} // namespace wire::cmd
