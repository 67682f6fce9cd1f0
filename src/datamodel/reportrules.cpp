// The vocabulary of the unit's reports: one row per code with its length rule, its echo
// suppression and the handler that stores it. Rows are sorted by code.
#include "reportrules.h"

#include <algorithm>

namespace reports {

using namespace wire;

namespace {

using In = model::InputChannel;
using Out = model::OutputChannel;
using R = const Report&;

model::SystemState& sys(R r)
{
    return r.model.system();
}

model::SignalGenerator& generator(R r)
{
    return r.model.signalGenerator();
}

// clang-format off
const Rule kRules[] = {
    // Firmware upgrade: forwarded to the upgrade dialog; its transfer must never be held back.
    {code::UpgradeSystem, anyLength(), never(), forward},
    {code::UpgradeVerdict, exactly(1), never(), [](R r) { r.sync(255, r.u8(0)); }},
    {code::UpgradeDsp, anyLength(), never(), forward},
    {code::UpgradeForced, anyLength(), never(), forward},
    {code::UpgradeCounter, exactly(2), never(), [](R r) { r.sync(255, 255, int(r.u16(0)) + 1); }},

    // System state: only the rows the user edits in place are held back, by their own code.
    {code::Login, exactly(1), never(), [](R r) { r.model.handleLoginAnswer(r.bytes()); }},
    {code::Model, anyLength(), never(), [](R r) { text(r, sys(r).model); }},
    {code::ArmVersion, exactly(3), never(), [](R r) { byteGroup(r, sys(r).armVersion); }},
    {code::DspVersion, exactly(3), never(), [](R r) { byteGroup(r, sys(r).dspVersion); }},
    {code::SerialNumber, anyLength(), never(), [](R r) { text(r, sys(r).serialNumber); }},
    {code::ChannelMasks, atLeast(32), never(), system::channelMasks},
    {code::RunTime, exactly(4), never(), [](R r) { scalar(r, sys(r).runTime, r.u32(0)); }},
    {code::StatusWord, exactly(4), never(), [](R r) { scalar(r, sys(r).statusWord, r.u32(0)); }},
    {code::BootCount, exactly(4), never(), [](R r) { scalar(r, sys(r).bootCount, r.u32(0)); }},
    {code::Temperature, exactly(4), never(), [](R r) {
         float& t = sys(r).temperature;
         scalar(r, t, std::isfinite(r.f32(0)) ? r.f32(0) : t);
     }},
    {code::Location, anyLength(), byFunc(10), [](R r) { text(r, sys(r).location); }},
    {code::Description, anyLength(), byFunc(11), [](R r) { text(r, sys(r).description); }},
    {code::DateTime, exactly(7), never(), [](R r) { byteGroup(r, sys(r).dateTime); }},
    {code::NetworkSettings, exactly(12), byFunc(13), system::network},
    {code::DeviceStatus, exactly(1), never(), [](R r) { scalar(r, sys(r).deviceStatus, r.u8(0)); },
     AnnounceFirst},
    {code::PasswordChange, anyLength(), never(), [](R r) { r.model.forgetPasswords(); }},
    {code::SystemMute, exactly(1), byFunc(16), [](R r) { scalar(r, sys(r).systemMute, r.u8(0) != 0); }},
    {code::Rs232Baud, exactly(4), byFunc(17), system::rs232Baud},
    {code::Rs485Baud, exactly(4), byFunc(18), [](R r) { scalar(r, sys(r).rs485Baud, r.u32(0)); }},
    {code::DspUsage, exactly(8), never(), system::statusWords},
    {code::ComponentStates, exactly(5), never(), system::componentStates, AnnounceFirst},
    {code::GateReport, exactly(1), byFunc(23), [](R r) { scalar(r, sys(r).gateReport, r.u8(0) != 0); }},
    {code::BuildNumber, exactly(4), never(), [](R r) { scalar(r, sys(r).buildNumber, r.u32(0)); }},
    {code::StatusFlag25, exactly(1), never(), [](R r) { scalar(r, sys(r).statusFlag25, r.u8(0) != 0); },
     AnnounceFirst},
    {code::StatusFlag28, exactly(1), never(), [](R r) { scalar(r, sys(r).statusFlag28, r.u8(0) != 0); },
     AnnounceFirst},
    {code::DeviceId, exactly(4), never(), system::deviceId},
    {code::UsbStorage, exactly(1), never(), [](R r) { scalar(r, sys(r).usbStorage, r.u8(0)); }},
    {code::StatusValue33, exactly(2), never(), [](R r) { scalar(r, sys(r).statusValue33, r.u16(0)); },
     AnnounceFirst},
    {code::VersionText, anyLength(), never(), system::versionText, AnyAccess},
    {code::StatusWord35, exactly(4), never(), [](R r) { scalar(r, sys(r).statusWord35, r.u32(0)); },
     AnnounceFirst},
    {code::Fan, exactly(1), never(), [](R r) { scalar(r, sys(r).fanState, r.u8(0)); }},
    {code::DspVersionText, anyLength(), never(), [](R r) { text(r, sys(r).textField38); }},
    {code::MacAddress, exactly(6), never(), system::macAddress},
    {code::FormatGeneration, atMost(3), never(), system::formatGeneration},
    {code::StatusByte161, exactly(1), never(), system::statusByte161, AnyAccess},
    {code::InputLabels, atLeast(256), byFunc(1), system::inputLabels},
    {code::OutputLabels, exactly(256), byFunc(2), system::outputLabels},
    {code::SecondaryLabels, atLeast(160), byFunc(3), system::extraLabels},
    {code::StatusBlock, exactly(6), group(), [](R r) { scalar(r, sys(r).statusBlock, r.bytes()); }},
    // USB media: only the play mode has an echo rule, inside its handler.
    {code::PlayFileCount, exactly(4), never(), system::playFileCount},
    {code::PlayListEntry, atLeast(4), never(), system::playListEntry},
    {code::PlayState, exactly(6), never(), system::playState},
    {code::PlayName, anyLength(), never(), system::playName},
    {code::RecordFileCount, exactly(4), never(), system::recordFileCount},
    {code::RecordListEntry, atLeast(8), never(), system::recordListEntry},
    {code::RecordState, exactly(5), never(), system::recordState},
    {code::RecordName, anyLength(), never(), system::recordName},
    {code::TouchBlock, exactly(66), byFunc(1), system::block61},
    {code::TouchMode, exactly(5), group(), system::touchMode},
    {code::TouchState, exactly(1), group(), [](R r) {
         scalar(r, sys(r).touchState, validBelow(r.u8(0), 3, sys(r).touchState));
     }},

    // DSP parameters: held back while their block is being edited; meters never are.
    {code::InputPostFaderMeters, between(16, 18), never(), [](R r) { meters(r, kInputCount, inputs(&In::postFaderMeter)); }},
    {code::InputMute, atLeast(16), group(), [](R r) { flags(r, kAnalogueInputs, inputs(&In::inputMute)); }},
    {code::InputMode, atLeast(16), group(), [](R r) { choices(r, kAnalogueInputs, kInputModes, inputs(&In::inputMode)); }},
    {code::Phantom, atLeast(16), group(), [](R r) { flags(r, kAnalogueInputs, inputs(&In::phantom)); }},
    {code::InputGain, atLeast(64), group(), [](R r) { levels(r, kAnalogueInputs, range::InputGain, inputs(&In::inputGain)); }},
    {code::GateStates, atLeast(16), group(), [](R r) { flags(r, kInputStrips, inputs(&In::gateState)); }},
    {code::Gate, exactly(14), group(), dsp::inputGate},
    {code::Feedback, atLeast(16), group(), [](R r) { flags(r, kAnalogueInputs, inputs(&In::feedbackEnabled)); }},
    {code::InputHpf, exactly(8), group(), dsp::inputHpf},
    {code::InputLpf, exactly(8), group(), dsp::inputLpf},
    {code::InputPeq, exactly(13), group(), dsp::inputPeq},
    {code::InputLimiter, exactly(18), group(), dsp::inputLimiter},
    {code::InputDelay, atLeast(64), group(), [](R r) { levels(r, kAnalogueInputs, range::InputDelay, inputs(&In::delay)); }},
    {code::InputLevelMute, atLeast(16), group(), [](R r) { flags(r, kInputStrips, inputs(&In::levelMute)); }},
    {code::InputLevelGain, atLeast(64), group(), [](R r) { levels(r, kInputStrips, range::LevelGain, inputs(&In::levelGain)); }},
    {code::InputLevelInvert, atLeast(16), group(), [](R r) { flags(r, kInputStrips, inputs(&In::levelInvert)); }},
    {code::InputLevelGroup, atLeast(16), group(), [](R r) { choices(r, kInputStrips, kLevelGroups + 1, inputs(&In::levelGroup)); }},
    {code::InputFaderRange, atLeast(128), group(), dsp::inputFaderRanges},
    {code::InputPreFaderMeters, between(16, 18), never(), [](R r) { meters(r, kInputCount, inputs(&In::preFaderMeter)); }},
    {code::MatrixEnable, atLeast(17), group(), dsp::matrixEnabled},
    {code::MatrixGain, atLeast(17), group(), dsp::matrixGain},
    {code::GeneratorRouting, exactly(16), group(), [](R r) {
         flags(r, kOutputCount, [](DataModel& m, int i) -> bool& { return m.signalGenerator().routing[i]; });
     }},
    {code::GeneratorFrequency, exactly(4), group(), [](R r) {
         float& f = generator(r).frequency;
         scalar(r, f, clamped(r.f32(0), range::GeneratorFrequency, f));
     }},
    {code::GeneratorType, exactly(1), group(), [](R r) {
         quint8& type = generator(r).type;
         scalar(r, type, validBelow(r.u8(0), kGeneratorTypes, type));
     }},
    {code::GeneratorGain, exactly(4), group(), [](R r) {
         float& gain = generator(r).gain;
         scalar(r, gain, clamped(r.f32(0), range::GeneratorGain, gain));
     }},
    {code::GeneratorOn, exactly(1), group(), [](R r) { scalar(r, generator(r).on, r.u8(0) != 0); }},
    {code::OutputPostFaderMeters, exactly(16), never(), [](R r) { meters(r, kOutputCount, outputs(&Out::postFaderMeter)); }},
    {code::OutputLevelMute, exactly(16), group(), [](R r) { flags(r, kOutputCount, outputs(&Out::levelMute)); }},
    {code::OutputLevelGain, exactly(64), group(), [](R r) { levels(r, kOutputCount, range::LevelGain, outputs(&Out::levelGain)); }},
    {code::OutputLevelInvert, exactly(16), group(), [](R r) { flags(r, kOutputCount, outputs(&Out::levelInvert)); }},
    {code::OutputLevelGroup, exactly(16), group(), [](R r) { choices(r, kOutputCount, kLevelGroups + 1, outputs(&Out::levelGroup)); }},
    {code::OutputFaderRange, exactly(128), group(), dsp::outputFaderRanges},
    {code::OutputPreFaderMeters, exactly(16), never(), [](R r) { meters(r, kOutputCount, outputs(&Out::preFaderMeter)); }},
    {code::OutputMeterMode, exactly(1), group(), dsp::outputMeterMode},
    {code::OutputHpf, exactly(8), group(), dsp::outputHpf},
    {code::OutputLpf, exactly(8), group(), dsp::outputLpf},
    {code::OutputPeq, exactly(13), group(), dsp::outputPeq},
    {code::OutputLimiter, exactly(18), group(), dsp::outputLimiter},
    {code::OutputDelay, exactly(64), group(), [](R r) { levels(r, kOutputCount, range::OutputDelay, outputs(&Out::delay)); }},
    {code::EchoCancellation, exactly(1), group(), [](R r) {
         scalar(r, r.model.echoCancellation().enabled, r.u8(0) != 0);
     }},
    {code::EchoCancellationSettings, between(17, 19), group(), dsp::echoSettings},
    {code::Agc, exactly(22), group(), dsp::inputAgc},
    {code::NoiseReduction, exactly(2), group(), dsp::noiseReduction},
    {code::AutoMixerWeights, atLeast(64), group(), [](R r) {
         levels(r, kAnalogueInputs, range::AutoMixerWeight,
                [](DataModel& m, int i) -> float& { return m.autoMixer().weight[i]; });
     }},
    {code::AutoMixerGroups, atLeast(16), group(), [](R r) {
         perChannel(r, kAnalogueInputs, 1, [](DataModel& m, int i) -> quint8& { return m.autoMixer().group[i]; },
                    [](const char* p, quint8) { return qMin<quint8>(quint8(*p), kAutoMixerMaxGroup); });
     }},
    {code::AutoMixerSwitches, exactly(2), group(), dsp::autoMixerSwitches},
    {code::AutoMixerGainMeters, atLeast(32), never(), [](R r) {
         meters(r, 2 * kAnalogueInputs, [](DataModel& m, int i) -> qint8& { return m.autoMixer().gainMeter[i]; });
     }},
    // Presets: only the table is held back, and only by a rename; the transfer never is.
    {code::PresetTable, exactly(545), byFunc(5), dsp::presetTable},
    {code::PresetLoad, exactly(1), never(), [](R r) { r.sync(r.u8(0)); }},
    {code::PresetExportAll, moreThan(2), never(), forward},
    {code::PresetImportAll, moreThan(3), never(), forward},
    {code::PresetExport, moreThan(2), never(), forward},
    {code::PresetImport, moreThan(3), never(), forward},

    // Status records
    {code::StatusRecord1, between(81, 94), byFuncs(17, 18), [](R r) {
         scalar(r, r.model.statusRecords().block1, r.bytes());
     }},
    {code::StatusRecordValue, exactly(2), never(), [](R r) {
         scalar(r, r.model.statusRecords().value3, r.u16(0));
     }},
    {code::StatusRecord4, moreThan(64), never(), status::block4},
};
// clang-format on

} // namespace

RuleTable rules()
{
    return {std::begin(kRules), std::end(kRules)};
}

const Rule* findRule(Code code)
{
    const Rule* it =
        std::lower_bound(std::begin(kRules), std::end(kRules), code,
                         [](const Rule& rule, Code wanted) { return rule.code < wanted; });
    return it != std::end(kRules) && it->code == code ? it : nullptr;
}

bool isHeld(const Rule& rule, const RecentCommand& recent)
{
    if (!recent.holdsGroup(rule.code.group()))
        return false;
    switch (rule.hold.kind) {
    case Hold::Never:
        return false;
    case Hold::Group:
        return true;
    case Hold::FuncIds:
        return recent.code().funcId >= rule.hold.from && recent.code().funcId <= rule.hold.to;
    }
    return false;
}

void apply(DataModel& model, const wire::PacketHeader& header, const char* payload)
{
    const Rule* rule = findRule(header.code());
    if (!rule)
        return;
    const bool report = header.access == wire::AccessReport;
    if (!report && !(rule->flags & AnyAccess))
        return;
    // Length and echo rules concern reports; the other forms carry no value.
    if (report && (header.length < rule->length.min || header.length > rule->length.max ||
                   isHeld(*rule, model.recentCommand())))
        return;
    const Report r{model,   rule->code,    header.access,
                   payload, header.length, (rule->flags & AnnounceFirst) != 0};
    rule->handle(r);
}

bool Report::firstSight() const
{
    return announces && !model.system().announced.test(code.funcId);
}

void Report::sync(quint8 channel, quint8 other, const QVariant& any) const
{
    if (announces)
        model.system().announced.set(code.funcId);
    model.sync(code, channel, other, any);
}

QString localText(const char* data, int size)
{
    return QString::fromLocal8Bit(data, int(qstrnlen(data, uint(size))));
}

QString utf8Text(const char* data, int size)
{
    return QString::fromUtf8(data, int(qstrnlen(data, uint(size))));
}

void forward(const Report& r)
{
    r.sync(255, 255, r.bytes());
}

} // namespace reports
