#pragma once

#include "wire/codes.h"
#include "wire/packet.h"
#include "wire/ranges.h"
#include "wire/records.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

class QDateTime;

namespace wire {

// One outbound message, ready for the model: its code, its payload and the way it travels.
// Continuous controls go through the coalescing queue (keyed by key1/key2, which are never
// sent); discrete actions go at once. A few preset-transfer steps are read requests.
struct Command
{
    Code code;
    QByteArray payload;
    bool queued = false;
    quint8 key1 = 0xFF; // channel (matrix: output) or 0xFF
    quint8 key2 = 0xFF; // PEQ band or 0xFF
    quint8 access = AccessWrite;

    // The framed packet as it goes on the wire, e.g. for the command assistant's hex text.
    QByteArray packet() const;
};

// Hands a command to whatever sends it (the model, in practice) by the route it asks for.
template <typename Sender> void deliver(Sender& sender, const Command& c)
{
    if (c.access == AccessRead)
        sender.sendQuery(c.code, c.payload);
    else if (c.queued)
        sender.queueCommand(c.code, c.key1, c.key2, c.payload);
    else
        sender.sendCommand(c.code, c.payload);
}

// For the few values that are edited both ways: typed values go at once, drags are queued.
enum class Path
{
    Now,
    Queued,
};

// Preset and firmware files travel in blocks of this size.
constexpr int kTransferBlockBytes = 512;

// Echo cancellation settings: level (0..3), one local-microphone flag per input 1..16, then
// two bytes that only the wider format carries.
using EchoCancellationBlock = std::array<quint8, 19>;
constexpr int kEchoCancellationNarrowBytes = 17;

enum class UpgradeKind : quint8
{
    System = 1,
    Dsp = 3,
    Forced = 4,
};

// Encodes text in the local 8-bit code page. With maxBytes >= 0 the result is cut to at most
// that many bytes, always between characters: half a double-byte character would show as
// garbage on the unit. Editors compare encodeLocalText(text).size() with the limit to refuse
// over-long input before it gets here.
QByteArray encodeLocalText(const QString& text, int maxBytes = -1);

namespace cmd {

// --- input setup, feedback, gate
Command inputMute(quint8 channel, bool on);
Command inputMode(quint8 channel, quint8 mode);
Command inputPhantom(quint8 channel, bool on);
Command inputGain(quint8 channel, float dB, Path path);
Command gate(quint8 channel, const Gate& gate);
Command feedbackSuppression(quint8 channel, bool on);

// --- filters, limiters, delays; copy masks: bit i = channel i
Command inputHpf(quint8 channel, const HLPF& hpf);
Command inputLpf(quint8 channel, const HLPF& lpf);
Command inputPeq(quint8 channel, quint8 band, const PEQ& peq);
Command copyInputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation);
Command resetInputFilter(quint8 channel);
Command inputLimiter(quint8 channel, const Limiter& limiter);
Command copyInputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation);
Command resetInputLimiter(quint8 channel);
Command inputDelay(quint8 channel, float ms);

Command outputHpf(quint8 channel, const HLPF& hpf);
Command outputLpf(quint8 channel, const HLPF& lpf);
Command outputPeq(quint8 channel, quint8 band, const PEQ& peq);
Command copyOutputFilter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation);
Command resetOutputFilter(quint8 channel);
Command outputLimiter(quint8 channel, const Limiter& limiter);
Command copyOutputLimiter(quint8 source, quint32 inputMask, quint32 outputMask, quint16 generation);
Command resetOutputLimiter(quint8 channel);
Command outputDelay(quint8 channel, float ms);

// --- level strips. Gains at or below kFaderBottom are sent as kLevelOff. Fader ranges are
// sent as whole dB, truncated toward zero.
Command inputLevelMute(quint8 channel, bool on);
Command inputLevelGain(quint8 channel, float dB);
Command inputLevelInvert(quint8 channel, bool on);
Command inputLevelGroup(quint8 channel, quint8 group);
Command relativeInputLevel(quint8 channel, float stepDb);
Command inputFaderRange(quint8 channel, float faderMax, float faderMin);

Command outputLevelMute(quint8 channel, bool on);
Command outputLevelGain(quint8 channel, float dB);
Command outputLevelInvert(quint8 channel, bool on);
Command outputLevelGroup(quint8 channel, quint8 group);
Command relativeOutputLevel(quint8 channel, float stepDb);
Command outputFaderRange(quint8 channel, float faderMax, float faderMin);

// --- matrix: one output, the listed inputs (one channel number per byte)
Command matrixEnable(quint8 output, const QByteArray& selectedInputs, bool on);
Command matrixGain(quint8 output, const QByteArray& selectedInputs, int dB);

// --- signal generator
Command signalGeneratorRouting(quint8 output, bool on);
Command signalGeneratorFrequency(float hz, Path path);
Command signalGeneratorType(quint8 type);
Command signalGeneratorGain(float dB, Path path);
Command signalGeneratorOn(bool on);

// --- conference blocks
Command echoCancellation(bool on);
Command echoCancellationSettings(const EchoCancellationBlock& block, quint16 generation);
Command agc(quint8 channel, const AGC& agc);
// Inputs only: a 16-bit mask in the narrow format, 32-bit in the wide one.
Command copyAgc(quint8 source, quint32 inputMask, quint16 generation);
Command resetAgc(quint8 channel);
Command noiseReduction(quint8 channel, quint8 level);
Command autoMixerWeight(quint8 channel, float weight, Path path);
Command autoMixerGroup(quint8 channel, quint8 group);
Command autoMixerEnable(quint8 group, bool on);
Command autoMixerReset();

// --- presets (index 0..31)
Command presetSave(quint8 index);
Command presetRecall(quint8 index);
Command presetDelete(quint8 index);
Command presetRename(quint8 index, const QString& name);
Command presetLoad(quint8 index);
// Transfer to and from preset files; allPresets picks the whole-table variant.
Command presetExportStart(quint8 index);
Command presetExportAllStart();
Command presetExportBlockRequest(bool allPresets, quint16 block);
Command presetImportStart(quint8 index);
Command presetImportAllStart();
// At most kTransferBlockBytes of data are sent.
Command presetImportBlock(bool allPresets, quint16 block, const QByteArray& data);

// --- system
Command login(const QString& password);
Command location(const QString& text);
Command description(const QString& text);
Command timeSet(const QDateTime& localTime);
// Addresses as a.b.c.d = a<<24 | b<<16 | c<<8 | d (QHostAddress::toIPv4Address()).
Command networkSettings(quint32 ip, quint32 netmask, quint32 gateway);
Command passwordChange(const QString& newPassword);
Command systemMute(bool on);
Command rs232BaudRate(quint32 baud);
Command factoryReset();
Command gateReport(bool on);
Command fanTest(bool on);
Command inputLabel(quint8 channel, const QString& text);
Command outputLabel(quint8 channel, const QString& text);
Command inputSecondaryLabel(quint8 channel, const QString& text);

// --- USB record and playback; file names travel as UTF-8
Command usbStop();
Command usbPlay();
Command usbPause();
Command usbPlayFile(const QString& name);
Command usbPrevious();
Command usbNext();
Command usbSeek(quint16 seconds);
Command usbPlayMode(quint8 mode);
Command usbRecordStart(const QString& name);
Command usbRecordStop();
Command usbRecordSelect(const QString& name);

// --- firmware upgrade
Command upgradeRequest();
// At most kTransferBlockBytes of data are sent.
Command upgradeBlock(UpgradeKind kind, quint16 block, const QByteArray& data);

} // namespace cmd
} // namespace wire
