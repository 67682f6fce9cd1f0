#pragma once

#include "channelprofile.h"
#include "wire/commands.h"
#include "wire/ranges.h"
#include "wire/records.h"

#include <QByteArray>
#include <array>
#include <type_traits>

// The complete parameter and system state of one processor unit. The DSP part is a plain
// byte-copyable image (flags are bytes, never bool) so that presets can snapshot it whole.
class UnitState
{
public:
    // Inputs that carry the per-channel auto mixer, input setup and echo-cancellation flags.
    static constexpr int kConferenceInputs = wire::kAnalogueInputs;

    struct Input
    {
        quint8 inputMode;
        quint8 phantom;
        quint8 inputMute;
        float inputGain;
        quint8 feedback;
        wire::Gate gate;
        wire::AGC agc;
        wire::HLPF hpf;
        wire::HLPF lpf;
        std::array<wire::PEQ, wire::kPeqBands> peq;
        wire::Limiter limiter;
        float delay;
        quint8 levelMute;
        quint8 levelInvert;
        quint8 levelGroup;
        float levelGain;
        float faderMin;
        float faderMax;
        std::array<quint8, wire::kOutputCount> mixEnabled;
        std::array<qint8, wire::kOutputCount> mixGain;
        float amWeight;
        quint8 amGroup;
    };

    struct Output
    {
        quint8 levelMute;
        quint8 levelInvert;
        quint8 levelGroup;
        float levelGain;
        float faderMin;
        float faderMax;
        wire::HLPF hpf;
        wire::HLPF lpf;
        std::array<wire::PEQ, wire::kPeqBands> peq;
        wire::Limiter limiter;
        float delay;
    };

    struct Generator
    {
        quint8 on;
        quint8 type;
        float frequency;
        float gain;
        std::array<quint8, wire::kOutputCount> routing;
    };

    // Everything a preset holds.
    struct Dsp
    {
        std::array<Input, wire::kInputCount> inputs;
        std::array<Output, wire::kOutputCount> outputs;
        Generator generator;
        quint8 aecOn;
        wire::EchoCancellationBlock aec;
        quint8 ancChannel;
        quint8 ancLevel;
        std::array<quint8, 2> autoMixerEnabled;
        quint8 outputMeterMode;
    };
    static_assert(std::is_trivially_copyable<Dsp>::value, "presets copy the DSP state as bytes");

    struct Labels
    {
        std::array<QByteArray, wire::kInputCount> inputs;
        std::array<QByteArray, wire::kInputCount> inputExtras;
        std::array<QByteArray, wire::kOutputCount> outputs;
    };

    // What the unit reports in the system family (and the status records) besides labels and USB
    // media; the names follow the codes.
    struct System
    {
        QByteArray model;
        QByteArray serialNumber;
        QByteArray location;
        QByteArray description;
        QByteArray versionText;    // controller version text, first word "R1#07"
        QByteArray dspVersionText; // the text shown after the DSP version
        QByteArray password;
        std::array<quint8, 3> controllerVersion;
        quint32 buildNumber;
        std::array<quint8, 3> dspVersion;
        quint32 bootCount;
        quint32 totalTimeBase; // operating seconds before this run
        quint32 statusWord;
        std::array<quint32, 2> dspLoad; // DSP usage in percent, then peak usage
        std::array<quint8, 5> components;
        quint8 deviceStatus; // bit 0 DSP ... bit 7 Ethernet; set bits are faults
        quint8 statusFlag25;
        quint8 statusFlag28;
        quint16 statusValue33;
        quint32 statusWord35;
        quint8 statusByte161;
        quint32 ipAddress;
        quint32 netmask;
        quint32 gateway;
        std::array<quint8, 6> mac;
        quint32 rs232Baud;
        quint32 rs485Baud;
        quint8 gateReport;
        quint8 systemMute;
        quint8 fanTest;
        quint8 usbStorage;
        quint32 inputMask;
        quint32 outputMask;
        quint8 dante;
        quint16 formatGeneration;
        quint8 formatExtra;
        quint32 deviceId;
        qint64 clockOffsetSeconds;                         // unit time minus host local time
        std::array<quint8, 6> statusBlock;                 // u32, u16
        std::array<std::array<quint8, 65>, 8> touchBlocks; // per index
        quint8 touchMode;
        quint32 touchModeValue;
        quint8 touchState;
        std::array<quint8, 81> statusRecord1;
        quint16 statusRecordValue;
        std::array<std::array<quint8, 64>, 4> statusRecords4; // per index
    };

    explicit UnitState(const ChannelProfile& profile = ChannelProfile::forIndex(0),
                       quint32 deviceId = 0);

    const ChannelProfile& profile() const { return m_profile; }

    // Factory defaults: DSP state and labels; the identity, network and password stay.
    void restoreFactoryDsp();
    static Dsp defaultDsp();
    static Input defaultInput();
    static Output defaultOutput();
    static wire::HLPF defaultHpf();
    static wire::HLPF defaultLpf();
    static wire::PEQ defaultPeq(int band);
    static wire::Limiter defaultLimiter();
    static wire::Gate defaultGate();
    static wire::AGC defaultAgc();

    Dsp dsp;
    Labels labels;
    System system;

private:
    ChannelProfile m_profile;
};
