#pragma once

#include <QtGlobal>

// The protocol's vocabulary: every (type, subType, funcId) the application reads, is reported
// or sends has one name here. The same code names a read request, a command and the unit's
// report. Nothing else in the project spells a code as numbers, except the golden tests.
namespace wire {

// A message family and its block: what echo suppression and report subscriptions group by.
struct Group
{
    quint8 type = 0;
    quint8 subType = 0;

    constexpr quint16 key() const { return quint16(type << 8 | subType); }
    friend constexpr bool operator==(Group a, Group b) { return a.key() == b.key(); }
    friend constexpr bool operator!=(Group a, Group b) { return !(a == b); }
};

struct Code
{
    quint8 type = 0;
    quint8 subType = 0;
    quint8 funcId = 0;

    constexpr Group group() const { return {type, subType}; }
    // One number per code, usable as a switch label and a hash key.
    constexpr quint32 key() const { return quint32(type) << 16 | quint32(subType) << 8 | funcId; }
    constexpr bool in(Group g) const { return group() == g; }
    friend constexpr bool operator==(Code a, Code b) { return a.key() == b.key(); }
    friend constexpr bool operator!=(Code a, Code b) { return !(a == b); }
    friend constexpr bool operator<(Code a, Code b) { return a.key() < b.key(); }
};

constexpr Code codeOf(quint8 type, quint8 subType, quint8 funcId)
{
    return {type, subType, funcId};
}

// Message families (the header's type byte).
enum Family : quint8
{
    UpgradeFamily = 1,
    SystemFamily = 2,
    DspFamily = 3,
    StatusFamily = 4,
};

namespace group {
constexpr Group Upgrade{1, 1};
constexpr Group UpgradeCounter{1, 2};
constexpr Group Login{2, 1};
constexpr Group System{2, 2};
constexpr Group Labels{2, 3};
constexpr Group StatusBlock{2, 4};
constexpr Group UsbMedia{2, 5};
constexpr Group TouchPanel{2, 6};
constexpr Group TouchMode{2, 16};
constexpr Group InputSetup{3, 1};
constexpr Group Gate{3, 2};
constexpr Group Feedback{3, 3};
constexpr Group InputFilter{3, 4};
constexpr Group InputLimiter{3, 5};
constexpr Group InputDelay{3, 6};
constexpr Group InputLevel{3, 7};
constexpr Group Matrix{3, 8};
constexpr Group Generator{3, 9};
constexpr Group OutputLevel{3, 11};
constexpr Group OutputFilter{3, 12};
constexpr Group OutputLimiter{3, 13};
constexpr Group OutputDelay{3, 14};
constexpr Group EchoCancellation{3, 15};
constexpr Group Agc{3, 16};
constexpr Group NoiseReduction{3, 17};
constexpr Group AutoMixer{3, 18};
constexpr Group Presets{3, 32};
constexpr Group StatusRecords{4, 1};
} // namespace group

namespace code {

// --- firmware upgrade: the funcId of a block is the kind of upgrade
constexpr Code UpgradeSystem{1, 1, 1}; // request, ready reply and the system image's blocks
constexpr Code UpgradeVerdict{1, 1, 2};
constexpr Code UpgradeDsp{1, 1, 3};
constexpr Code UpgradeForced{1, 1, 4};
constexpr Code UpgradeCounter{1, 2, 1};

// --- system
constexpr Code Login{2, 1, 1};
constexpr Code Model{2, 2, 1};
constexpr Code ArmVersion{2, 2, 2};
constexpr Code DspVersion{2, 2, 3};
constexpr Code SerialNumber{2, 2, 4};
constexpr Code ChannelMasks{2, 2, 5};
constexpr Code RunTime{2, 2, 6};
constexpr Code StatusWord{2, 2, 7};
constexpr Code BootCount{2, 2, 8};
constexpr Code Temperature{2, 2, 9};
constexpr Code Location{2, 2, 10};
constexpr Code Description{2, 2, 11};
constexpr Code DateTime{2, 2, 12};
constexpr Code NetworkSettings{2, 2, 13};
constexpr Code DeviceStatus{2, 2, 14};
constexpr Code PasswordChange{2, 2, 15};
constexpr Code SystemMute{2, 2, 16};
constexpr Code Rs232Baud{2, 2, 17};
constexpr Code Rs485Baud{2, 2, 18};
constexpr Code DspUsage{2, 2, 19};
constexpr Code ComponentStates{2, 2, 20};
constexpr Code FactoryReset{2, 2, 21};
constexpr Code GateReport{2, 2, 23};
constexpr Code BuildNumber{2, 2, 24};
constexpr Code StatusFlag25{2, 2, 25};
constexpr Code StatusFlag28{2, 2, 28};
constexpr Code DeviceId{2, 2, 29};
constexpr Code UsbStorage{2, 2, 32};
constexpr Code StatusValue33{2, 2, 33};
constexpr Code VersionText{2, 2, 34};
constexpr Code StatusWord35{2, 2, 35};
constexpr Code Fan{2, 2, 37};
constexpr Code DspVersionText{2, 2, 38};
constexpr Code MacAddress{2, 2, 39};
constexpr Code FormatGeneration{2, 2, 40};
constexpr Code StatusByte161{2, 2, 161};
constexpr Code InputLabels{2, 3, 1};
constexpr Code OutputLabels{2, 3, 2};
constexpr Code SecondaryLabels{2, 3, 3};
constexpr Code StatusBlock{2, 4, 1};
constexpr Code PlayFileCount{2, 5, 1};
constexpr Code PlayListEntry{2, 5, 2};
constexpr Code PlayState{2, 5, 3};
constexpr Code PlayControl{2, 5, 4};
constexpr Code PlayName{2, 5, 5};
constexpr Code RecordFileCount{2, 5, 16};
constexpr Code RecordListEntry{2, 5, 17};
constexpr Code RecordState{2, 5, 18};
constexpr Code RecordControl{2, 5, 19};
constexpr Code RecordName{2, 5, 20};
constexpr Code TouchBlock{2, 6, 1};
constexpr Code TouchMode{2, 16, 1};
constexpr Code TouchState{2, 16, 2};

// --- DSP parameters: inputs
constexpr Code InputPostFaderMeters{3, 1, 1};
constexpr Code InputMute{3, 1, 2};
constexpr Code InputMode{3, 1, 4};
constexpr Code Phantom{3, 1, 5};
constexpr Code InputGain{3, 1, 8};
constexpr Code GateStates{3, 2, 1};
constexpr Code Gate{3, 2, 2};
constexpr Code Feedback{3, 3, 1};
constexpr Code InputHpf{3, 4, 1};
constexpr Code InputLpf{3, 4, 2};
constexpr Code InputPeq{3, 4, 3};
constexpr Code InputFilterCopy{3, 4, 4};
constexpr Code InputFilterReset{3, 4, 5};
constexpr Code InputLimiter{3, 5, 1};
constexpr Code InputLimiterCopy{3, 5, 2};
constexpr Code InputLimiterReset{3, 5, 3};
constexpr Code InputDelay{3, 6, 1};
constexpr Code InputLevelMute{3, 7, 1};
constexpr Code InputLevelGain{3, 7, 2};
constexpr Code InputLevelInvert{3, 7, 3};
constexpr Code InputLevelGroup{3, 7, 4};
constexpr Code InputLevelStep{3, 7, 5};
constexpr Code InputFaderRange{3, 7, 6};
constexpr Code InputPreFaderMeters{3, 7, 7};
constexpr Code MatrixEnable{3, 8, 1};
constexpr Code MatrixGain{3, 8, 2};

// --- DSP parameters: signal generator
constexpr Code GeneratorRouting{3, 9, 1};
constexpr Code GeneratorFrequency{3, 9, 2};
constexpr Code GeneratorType{3, 9, 3};
constexpr Code GeneratorGain{3, 9, 4};
constexpr Code GeneratorOn{3, 9, 5};

// --- DSP parameters: outputs
constexpr Code OutputPostFaderMeters{3, 11, 1};
constexpr Code OutputLevelMute{3, 11, 2};
constexpr Code OutputLevelGain{3, 11, 3};
constexpr Code OutputLevelInvert{3, 11, 4};
constexpr Code OutputLevelGroup{3, 11, 5};
constexpr Code OutputLevelStep{3, 11, 6};
constexpr Code OutputFaderRange{3, 11, 7};
constexpr Code OutputPreFaderMeters{3, 11, 8};
constexpr Code OutputMeterMode{3, 11, 9};
constexpr Code OutputHpf{3, 12, 1};
constexpr Code OutputLpf{3, 12, 2};
constexpr Code OutputPeq{3, 12, 3};
constexpr Code OutputFilterCopy{3, 12, 4};
constexpr Code OutputFilterReset{3, 12, 5};
constexpr Code OutputLimiter{3, 13, 1};
constexpr Code OutputLimiterCopy{3, 13, 2};
constexpr Code OutputLimiterReset{3, 13, 3};
constexpr Code OutputDelay{3, 14, 1};

// --- DSP parameters: conference blocks
constexpr Code EchoCancellation{3, 15, 1};
constexpr Code EchoCancellationSettings{3, 15, 2};
constexpr Code Agc{3, 16, 1};
constexpr Code AgcCopy{3, 16, 2};
constexpr Code AgcReset{3, 16, 3};
constexpr Code NoiseReduction{3, 17, 1};
constexpr Code AutoMixerWeights{3, 18, 1};
constexpr Code AutoMixerGroups{3, 18, 2};
constexpr Code AutoMixerSwitches{3, 18, 3};
constexpr Code AutoMixerReset{3, 18, 4};
constexpr Code AutoMixerGainMeters{3, 18, 5};

// --- presets
constexpr Code PresetTable{3, 32, 1};
constexpr Code PresetSave{3, 32, 2};
constexpr Code PresetRecall{3, 32, 3};
constexpr Code PresetDelete{3, 32, 4};
constexpr Code PresetRename{3, 32, 5};
constexpr Code PresetLoad{3, 32, 9};
constexpr Code PresetExportAll{3, 32, 16};
constexpr Code PresetImportAll{3, 32, 17};
constexpr Code PresetExport{3, 32, 18};
constexpr Code PresetImport{3, 32, 19};

// --- status records; their edits are funcIds 17 to 19 of the same group
constexpr Code StatusRecord1{4, 1, 1};
constexpr Code StatusRecordValue{4, 1, 3};
constexpr Code StatusRecord4{4, 1, 4};
constexpr quint8 kStatusRecordEditFirst = 17;
constexpr quint8 kStatusRecordEditLast = 19;

} // namespace code
} // namespace wire
