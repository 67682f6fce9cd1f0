#include "wire/vocabulary.h"

#include <algorithm>

namespace wire {

namespace {

#define KV_CODE(name)                                                                              \
    NamedCode                                                                                      \
    {                                                                                              \
        code::name, #name                                                                          \
    }
#define KV_GROUP(name)                                                                             \
    NamedGroup                                                                                     \
    {                                                                                              \
        group::name, #name                                                                         \
    }

// Every name of codes.h, once, in its order; vocabulary() sorts them for lookups.
const NamedCode kCodes[] = {
    KV_CODE(UpgradeSystem),
    KV_CODE(UpgradeVerdict),
    KV_CODE(UpgradeDsp),
    KV_CODE(UpgradeForced),
    KV_CODE(UpgradeCounter),
    KV_CODE(Login),
    KV_CODE(Model),
    KV_CODE(ArmVersion),
    KV_CODE(DspVersion),
    KV_CODE(SerialNumber),
    KV_CODE(ChannelMasks),
    KV_CODE(RunTime),
    KV_CODE(StatusWord),
    KV_CODE(BootCount),
    KV_CODE(Temperature),
    KV_CODE(Location),
    KV_CODE(Description),
    KV_CODE(DateTime),
    KV_CODE(NetworkSettings),
    KV_CODE(DeviceStatus),
    KV_CODE(PasswordChange),
    KV_CODE(SystemMute),
    KV_CODE(Rs232Baud),
    KV_CODE(Rs485Baud),
    KV_CODE(DspUsage),
    KV_CODE(ComponentStates),
    KV_CODE(FactoryReset),
    KV_CODE(GateReport),
    KV_CODE(BuildNumber),
    KV_CODE(StatusFlag25),
    KV_CODE(StatusFlag28),
    KV_CODE(DeviceId),
    KV_CODE(UsbStorage),
    KV_CODE(StatusValue33),
    KV_CODE(VersionText),
    KV_CODE(StatusWord35),
    KV_CODE(Fan),
    KV_CODE(DspVersionText),
    KV_CODE(MacAddress),
    KV_CODE(FormatGeneration),
    KV_CODE(StatusByte161),
    KV_CODE(InputLabels),
    KV_CODE(OutputLabels),
    KV_CODE(SecondaryLabels),
    KV_CODE(StatusBlock),
    KV_CODE(PlayFileCount),
    KV_CODE(PlayListEntry),
    KV_CODE(PlayState),
    KV_CODE(PlayControl),
    KV_CODE(PlayName),
    KV_CODE(RecordFileCount),
    KV_CODE(RecordListEntry),
    KV_CODE(RecordState),
    KV_CODE(RecordControl),
    KV_CODE(RecordName),
    KV_CODE(TouchBlock),
    KV_CODE(TouchMode),
    KV_CODE(TouchState),
    KV_CODE(InputPostFaderMeters),
    KV_CODE(InputMute),
    KV_CODE(InputMode),
    KV_CODE(Phantom),
    KV_CODE(InputGain),
    KV_CODE(GateStates),
    KV_CODE(Gate),
    KV_CODE(Feedback),
    KV_CODE(InputHpf),
    KV_CODE(InputLpf),
    KV_CODE(InputPeq),
    KV_CODE(InputFilterCopy),
    KV_CODE(InputFilterReset),
    KV_CODE(InputLimiter),
    KV_CODE(InputLimiterCopy),
    KV_CODE(InputLimiterReset),
    KV_CODE(InputDelay),
    KV_CODE(InputLevelMute),
    KV_CODE(InputLevelGain),
    KV_CODE(InputLevelInvert),
    KV_CODE(InputLevelGroup),
    KV_CODE(InputLevelStep),
    KV_CODE(InputFaderRange),
    KV_CODE(InputPreFaderMeters),
    KV_CODE(MatrixEnable),
    KV_CODE(MatrixGain),
    KV_CODE(GeneratorRouting),
    KV_CODE(GeneratorFrequency),
    KV_CODE(GeneratorType),
    KV_CODE(GeneratorGain),
    KV_CODE(GeneratorOn),
    KV_CODE(OutputPostFaderMeters),
    KV_CODE(OutputLevelMute),
    KV_CODE(OutputLevelGain),
    KV_CODE(OutputLevelInvert),
    KV_CODE(OutputLevelGroup),
    KV_CODE(OutputLevelStep),
    KV_CODE(OutputFaderRange),
    KV_CODE(OutputPreFaderMeters),
    KV_CODE(OutputMeterMode),
    KV_CODE(OutputHpf),
    KV_CODE(OutputLpf),
    KV_CODE(OutputPeq),
    KV_CODE(OutputFilterCopy),
    KV_CODE(OutputFilterReset),
    KV_CODE(OutputLimiter),
    KV_CODE(OutputLimiterCopy),
    KV_CODE(OutputLimiterReset),
    KV_CODE(OutputDelay),
    KV_CODE(EchoCancellation),
    KV_CODE(EchoCancellationSettings),
    KV_CODE(Agc),
    KV_CODE(AgcCopy),
    KV_CODE(AgcReset),
    KV_CODE(NoiseReduction),
    KV_CODE(AutoMixerWeights),
    KV_CODE(AutoMixerGroups),
    KV_CODE(AutoMixerSwitches),
    KV_CODE(AutoMixerReset),
    KV_CODE(AutoMixerGainMeters),
    KV_CODE(PresetTable),
    KV_CODE(PresetSave),
    KV_CODE(PresetRecall),
    KV_CODE(PresetDelete),
    KV_CODE(PresetRename),
    KV_CODE(PresetLoad),
    KV_CODE(PresetExportAll),
    KV_CODE(PresetImportAll),
    KV_CODE(PresetExport),
    KV_CODE(PresetImport),
    KV_CODE(StatusRecord1),
    KV_CODE(StatusRecordValue),
    KV_CODE(StatusRecord4),
};

const NamedGroup kGroups[] = {
    KV_GROUP(Upgrade),
    KV_GROUP(UpgradeCounter),
    KV_GROUP(Login),
    KV_GROUP(System),
    KV_GROUP(Labels),
    KV_GROUP(StatusBlock),
    KV_GROUP(UsbMedia),
    KV_GROUP(TouchPanel),
    KV_GROUP(TouchMode),
    KV_GROUP(InputSetup),
    KV_GROUP(Gate),
    KV_GROUP(Feedback),
    KV_GROUP(InputFilter),
    KV_GROUP(InputLimiter),
    KV_GROUP(InputDelay),
    KV_GROUP(InputLevel),
    KV_GROUP(Matrix),
    KV_GROUP(Generator),
    KV_GROUP(OutputLevel),
    KV_GROUP(OutputFilter),
    KV_GROUP(OutputLimiter),
    KV_GROUP(OutputDelay),
    KV_GROUP(EchoCancellation),
    KV_GROUP(Agc),
    KV_GROUP(NoiseReduction),
    KV_GROUP(AutoMixer),
    KV_GROUP(Presets),
    KV_GROUP(StatusRecords),
};

#undef KV_CODE
#undef KV_GROUP

} // namespace

const std::vector<NamedCode>& vocabulary()
{
    static const std::vector<NamedCode> sorted = [] {
        std::vector<NamedCode> v(std::begin(kCodes), std::end(kCodes));
        std::stable_sort(v.begin(), v.end(),
                         [](const NamedCode& a, const NamedCode& b) { return a.code < b.code; });
        return v;
    }();
    return sorted;
}

const std::vector<NamedGroup>& groups()
{
    static const std::vector<NamedGroup> all(std::begin(kGroups), std::end(kGroups));
    return all;
}

const char* nameOf(Code code)
{
    const auto& v = vocabulary();
    const auto it = std::lower_bound(v.begin(), v.end(), code,
                                     [](const NamedCode& e, Code c) { return e.code < c; });
    return it != v.end() && it->code == code ? it->name : nullptr;
}

const char* nameOf(Group group)
{
    for (const NamedGroup& g : groups()) {
        if (g.group == group)
            return g.name;
    }
    return nullptr;
}

} // namespace wire
