#include "unitstate.h"

#include <cstring>

UnitState::UnitState(const ChannelProfile& profile, quint32 deviceId) : m_profile(profile)
{
    dsp = defaultDsp();

    System& s = system;
    s.model = QByteArray(profile.defaultModel());
    s.serialNumber = QByteArray("VU") + QByteArray::number(deviceId).rightJustified(8, '0');
    s.versionText = QByteArray("R1#07 virtual");
    s.dspVersionText = QByteArray("VU");
    s.controllerVersion = {1, 2, 7};
    s.buildNumber = 0x1A3;
    s.dspVersion = {2, 1, 0};
    s.bootCount = 17;
    s.totalTimeBase = 3600u * 1200u;
    s.statusWord = 0;
    s.dspLoad = {38, 52};
    s.components = {1, 1, 1, 1, 1};
    s.deviceStatus = 0;
    s.statusFlag25 = 0;
    s.statusFlag28 = 0;
    s.statusValue33 = quint16(0x0100 + profile.index());
    s.statusWord35 = 0;
    s.statusByte161 = 0;
    s.ipAddress = 0x7F000001; // 127.0.0.1
    s.netmask = 0xFF000000;
    s.gateway = 0;
    // A locally administered address derived from the device ID.
    s.mac = {0x02,
             0x56,
             quint8(deviceId >> 24),
             quint8(deviceId >> 16),
             quint8(deviceId >> 8),
             quint8(deviceId)};
    s.rs232Baud = 115200;
    s.rs485Baud = 19200;
    s.gateReport = 0;
    s.systemMute = 0;
    s.fanTest = 0;
    s.usbStorage = profile.hasUsb() ? 1 : 0;
    s.inputMask = profile.inputMask();
    s.outputMask = profile.outputMask();
    s.dante = profile.dante() ? 1 : 0;
    s.formatGeneration = profile.formatGeneration();
    s.formatExtra = 0;
    s.deviceId = deviceId;
    s.clockOffsetSeconds = 0;
    s.statusBlock = {};
    for (auto& block : s.touchBlocks)
        block = {};
    s.touchMode = 0;
    s.touchModeValue = 0;
    s.touchState = 0;
    s.statusRecord1 = {};
    s.statusRecordValue = 0;
    for (auto& record : s.statusRecords4)
        record = {};
}

void UnitState::restoreFactoryDsp()
{
    dsp = defaultDsp();
    labels = Labels();
    system.location.clear();
    system.description.clear();
    system.rs232Baud = 115200;
    system.gateReport = 0;
    system.systemMute = 0;
    system.fanTest = 0;
}

wire::HLPF UnitState::defaultHpf()
{
    return wire::HLPF{0, 0, 0, 20.0f};
}

wire::HLPF UnitState::defaultLpf()
{
    return wire::HLPF{0, 0, 0, 20000.0f};
}

wire::PEQ UnitState::defaultPeq(int band)
{
    static constexpr float frequencies[wire::kPeqBands] = {100,  300,  500,  800,
                                                           1000, 3000, 5000, 8000};
    return wire::PEQ{1, 0, frequencies[band & 7], 0.0f, 43};
}

wire::Limiter UnitState::defaultLimiter()
{
    return wire::Limiter{0, 0.0f, 2.0f, 1.0f, 5.0f};
}

wire::Gate UnitState::defaultGate()
{
    return wire::Gate{1, -65.0f, 1.0f, 20.0f};
}

wire::AGC UnitState::defaultAgc()
{
    return wire::AGC{0, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f};
}

UnitState::Input UnitState::defaultInput()
{
    Input in;
    std::memset(&in, 0, sizeof in);
    in.gate = defaultGate();
    in.agc = defaultAgc();
    in.hpf = defaultHpf();
    in.lpf = defaultLpf();
    for (int band = 0; band < wire::kPeqBands; ++band)
        in.peq[std::size_t(band)] = defaultPeq(band);
    in.limiter = defaultLimiter();
    in.faderMin = wire::kFaderBottom;
    in.faderMax = wire::kFaderTop;
    return in;
}

UnitState::Output UnitState::defaultOutput()
{
    Output out;
    std::memset(&out, 0, sizeof out);
    out.faderMin = wire::kFaderBottom;
    out.faderMax = wire::kFaderTop;
    out.hpf = defaultHpf();
    out.lpf = defaultLpf();
    for (int band = 0; band < wire::kPeqBands; ++band)
        out.peq[std::size_t(band)] = defaultPeq(band);
    out.limiter = defaultLimiter();
    return out;
}

UnitState::Dsp UnitState::defaultDsp()
{
    Dsp d;
    // Zero the padding too, so that preset images of equal states are equal byte for byte.
    std::memset(&d, 0, sizeof d);
    for (auto& in : d.inputs)
        in = defaultInput();
    for (auto& out : d.outputs)
        out = defaultOutput();
    d.generator.type = 1;
    d.generator.frequency = 1000.0f;
    d.generator.gain = -30.0f;
    return d;
}
