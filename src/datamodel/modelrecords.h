#pragma once

#include "wire/ranges.h"
#include "wire/records.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <bitset>

// The mirror of one unit's parameters. Field ranges are those the unit accepts; defaults are
// the unit's factory values.
namespace model {

constexpr int kInputCount = wire::kInputCount;
constexpr int kOutputCount = wire::kOutputCount;
constexpr int kPeqBands = wire::kPeqBands;
constexpr int kPresetCount = wire::kPresetCount;

// A channel name on one line, as buttons and narrow labels show it.
inline QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

template <typename T, std::size_t N> constexpr std::array<T, N> filled(T value)
{
    std::array<T, N> a{};
    for (auto& v : a)
        v = value;
    return a;
}

// Factory PEQ bands: all on, flat, Q index 43, spread over the audio band.
constexpr std::array<wire::PEQ, kPeqBands> defaultPeqBands()
{
    constexpr float freqs[kPeqBands] = {100, 300, 500, 800, 1000, 3000, 5000, 8000};
    std::array<wire::PEQ, kPeqBands> bands{};
    for (int i = 0; i < kPeqBands; ++i)
        bands[i] = wire::PEQ{1, 0, freqs[i], 0.0f, 43};
    return bands;
}

struct InputChannel
{
    QString label;
    QString defaultName;
    QString extraText;
    qint8 preFaderMeter = -100;
    qint8 postFaderMeter = -100;
    bool phantom = false;
    bool inputMute = false;
    float inputGain = 0.0f; // 0..50 dB
    quint8 levelGroup = 0;  // 0 (none)..8
    bool levelInvert = false;
    bool levelMute = false;
    float levelGain = 0.0f; // -56..+12 dB
    float faderMin = -56.0f;
    float faderMax = 12.0f;
    bool feedbackEnabled = false;
    quint32 inputMode = 0; // 0..2
    bool gateState = false;
    wire::Gate gate{1, -65.0f, 1.0f, 20.0f};
    wire::AGC agc{0, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f};
    wire::HLPF hpf{0, 0, 0, 20.0f};
    wire::HLPF lpf{0, 0, 0, 20000.0f};
    std::array<wire::PEQ, kPeqBands> peq = defaultPeqBands();
    wire::Limiter limiter{0, 0.0f, 2.0f, 1.0f, 5.0f};
    std::array<bool, kOutputCount> mixEnabled{};
    std::array<qint8, kOutputCount> mixGain{}; // -56..+12 dB
    float delay = 0.0f;                        // 0..1000 ms
};

struct OutputChannel
{
    QString label;
    QString defaultName;
    qint8 preFaderMeter = -100;
    qint8 postFaderMeter = -100;
    bool levelMute = false;
    float levelGain = 0.0f;
    float faderMin = -56.0f;
    float faderMax = 12.0f;
    quint8 levelGroup = 0;
    bool levelInvert = false;
    wire::HLPF hpf{0, 0, 0, 20.0f};
    wire::HLPF lpf{0, 0, 0, 20000.0f};
    std::array<wire::PEQ, kPeqBands> peq = defaultPeqBands();
    wire::Limiter limiter{0, 0.0f, 2.0f, 1.0f, 5.0f};
    float delay = 0.0f; // 0..300 ms
};

struct SignalGenerator
{
    bool on = false;
    quint8 type = 1;           // 0..2
    float frequency = 1000.0f; // 0..24000 Hz
    float gain = -30.0f;       // -70..+12 dB
    std::array<bool, kOutputCount> routing{};
};

struct EchoCancellation
{
    bool enabled = false;
    std::array<quint8, 19> settings{};
};

// Noise reduction runs on one input at a time, at a level kept per input.
struct NoiseReduction
{
    quint8 channel = 0;                                 // 0..15
    std::array<quint8, wire::kAnalogueInputs> levels{}; // 0..3
};

struct AutoMixer
{
    std::array<float, 16> weight{}; // -12..+12
    std::array<quint8, 16> group{}; // 0..2
    std::array<bool, 2> enabled{};
    std::array<qint8, 32> gainMeter = filled<qint8, 32>(-100);
};

struct PresetEntry
{
    bool used = false;
    QString name;
};

struct PresetTable
{
    quint8 current = 0;
    std::array<PresetEntry, kPresetCount> entries{};
};

// What the unit reports about itself under type 2.
struct SystemState
{
    QString model;
    std::array<quint8, 3> armVersion{};
    std::array<quint8, 3> dspVersion{};
    QString serialNumber;
    quint32 inputMask = 0x3FF;
    quint32 outputMask = 0x1FF;
    bool dante = false; // from the selected device version profile
    quint32 runTime = 0;
    quint32 statusWord = 0;
    quint32 bootCount = 0;
    float temperature = 0.0f;
    QString location;
    QString description;
    std::array<quint8, 7> dateTime{}; // second, minute, hour, day, 0, month-1, year-1900
    quint32 ipAddress = 0;
    quint32 netmask = 0;
    quint32 gateway = 0;
    quint8 deviceStatus = 0;
    bool systemMute = false;
    quint32 rs232Baud = 115200;
    quint32 rs485Baud = 19200;
    std::array<quint32, 2> statusWords{};    // DSP usage
    std::array<quint8, 5> componentStates{}; // each 0..2
    bool gateReport = false;
    quint32 buildNumber = 0;
    bool statusFlag25 = false;
    bool statusFlag28 = false;
    quint32 deviceId = 0;
    quint8 usbStorage = 0;
    quint16 statusValue33 = 0;
    QString versionText;
    quint32 statusWord35 = 0;
    quint8 fanState = 2; // 2: unknown until the unit reports
    QString textField38;
    QString macAddress;
    quint16 formatGeneration = wire::kNarrowFormat;
    quint8 formatExtra = 0;
    quint8 statusByte161 = 0;
    QByteArray statusBlock; // u32, u16
    std::array<QByteArray, 8> block61{};
    quint8 touchMode = 0; // 0..2
    quint32 touchValue = 0;
    quint8 touchState = 0; // 0..2
    // funcIds of the (2,2,x) reports that were announced at least once; some are announced on
    // their first report even when the value equals the default.
    std::bitset<256> announced;
};

// USB record and playback on the unit.
struct UsbMediaState
{
    quint32 playFileCount = 0;
    quint8 mode = 0;  // 0..3
    quint8 state = 0; // 0..2
    quint16 position = 0;
    quint16 duration = 0;
    QString currentPlayName;
    quint32 recordFileCount = 0;
    bool recording = false;
    qint32 recordValue = 0;
    QString currentRecordName;
};

// Status records of type 4.
struct StatusRecords
{
    QByteArray block1;
    quint16 value3 = 0;
    std::array<QByteArray, 4> block4{};
};

} // namespace model
