#include "refresher.h"

#include "wire/ranges.h"

#include <algorithm>
#include <initializer_list>

using namespace wire;

namespace {

const Code kMeters[] = {code::InputPostFaderMeters, code::InputPreFaderMeters,
                        code::OutputPreFaderMeters, code::OutputPostFaderMeters,
                        code::AutoMixerGainMeters};

const Code kSystemValues[] = {
    code::FormatGeneration, code::ChannelMasks, code::StatusValue33,  code::VersionText,
    code::ArmVersion,       code::DspVersion,   code::DspVersionText, code::Location,
    code::Description,      code::DspUsage,     code::SystemMute,     code::BuildNumber,
    code::SerialNumber,     code::DeviceId,     code::DeviceStatus,   code::Temperature};

const Code kInputStripReads[] = {code::InputLevelMute, code::InputLevelInvert, code::InputLevelGain,
                                 code::InputLevelGroup, code::InputFaderRange};
const Code kOutputStripReads[] = {code::OutputLevelMute, code::OutputLevelInvert,
                                  code::OutputLevelGain, code::OutputLevelGroup,
                                  code::OutputFaderRange};
const Code kUsbMedia[] = {code::PlayName,   code::PlayFileCount,   code::PlayState,
                          code::RecordName, code::RecordFileCount, code::RecordState,
                          code::InputMode,  code::OutputMeterMode, code::UsbStorage};
const Code kDeviceSetup[] = {
    code::Model,     code::NetworkSettings, code::MacAddress, code::RunTime,   code::StatusWord,
    code::BootCount, code::DateTime,        code::Rs232Baud,  code::Rs485Baud, code::GateReport};
const Code kGenerator[] = {code::GeneratorOn, code::GeneratorType, code::GeneratorFrequency,
                           code::GeneratorGain, code::GeneratorRouting};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

bool Refresher::readsAlways(wire::Code code)
{
    const auto in = [code](const auto& codes) {
        return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
    };
    return in(kMeters) || in(kSystemValues) || in(kInputStripReads) || in(kOutputStripReads) ||
           code == code::InputMode || code == code::InputLabels || code == code::OutputLabels;
}

void Refresher::setPage(int page, int channel)
{
    m_page = page;
    m_channel = channel;
}

void Refresher::setFlag(Flag flag, bool on)
{
    m_flags = on ? quint8(m_flags | flag) : quint8(m_flags & ~flag);
}

void Refresher::refresh(quint64 tick, const RecentCommand& recent) const
{
    const auto readAll = [this](const auto& codes) {
        for (const Code& c : codes)
            read(c);
    };
    if (tick % 10 == 0)
        readAll(kMeters);

    if (tick % 20 == 0) {
        readAll(kSystemValues);
        if (!recent.holdsGroup(group::Labels)) {
            read(code::InputLabels);
            read(code::OutputLabels);
        }
        if (!recent.holdsGroup(group::TouchMode)) {
            read(code::TouchMode);
            read(code::TouchState);
        }
        if (!recent.holdsGroup(group::InputLevel))
            readAll(kInputStripReads);
        read(code::InputMode);
        if (!recent.holdsGroup(group::OutputLevel))
            readAll(kOutputStripReads);
        readPage(recent);
        readDialogs(recent);
    }

    if (tick % 50 == 0)
        read(code::Fan);
}

void Refresher::readPage(const RecentCommand& recent) const
{
    if (m_page < 0 || m_page >= kEditorPageCount)
        return;
    const auto page = EditorPage(m_page);
    if (recent.holdsGroup(pageGroup(page)))
        return;
    const int ch = m_channel;
    switch (page) {
    case EditorPage::InputSetup:
        for (Code c : {code::InputMute, code::InputMode, code::Phantom, code::InputGain})
            read(c);
        break;
    case EditorPage::Feedback:
        read(code::Feedback);
        break;
    case EditorPage::Agc:
        read(code::Agc, bytes({ch}));
        break;
    case EditorPage::Gate:
        read(code::GateStates);
        for (int c = 0; c < kInputCount; ++c)
            read(code::Gate, bytes({c}));
        break;
    case EditorPage::InputFilter:
    case EditorPage::OutputFilter: {
        const bool in = page == EditorPage::InputFilter;
        read(in ? code::InputHpf : code::OutputHpf, bytes({ch}));
        read(in ? code::InputLpf : code::OutputLpf, bytes({ch}));
        for (int band = 0; band < kPeqBands; ++band)
            read(in ? code::InputPeq : code::OutputPeq, bytes({ch, band}));
        break;
    }
    case EditorPage::InputLimiter:
        read(code::InputLimiter, bytes({ch}));
        break;
    case EditorPage::Matrix:
        for (int out = 0; out < kOutputCount; ++out) {
            read(code::MatrixEnable, bytes({out}));
            read(code::MatrixGain, bytes({out}));
        }
        break;
    case EditorPage::SignalGenerator:
        for (Code c : kGenerator)
            read(c);
        break;
    case EditorPage::EchoCancellation:
        read(code::EchoCancellationSettings);
        break;
    case EditorPage::AutoMixer:
        for (Code c : {code::AutoMixerWeights, code::AutoMixerGroups, code::AutoMixerSwitches})
            read(c);
        break;
    case EditorPage::OutputLimiter:
        read(code::OutputLimiter, bytes({ch}));
        break;
    case EditorPage::OutputDelay:
        read(code::OutputDelay);
        break;
    }
}

void Refresher::readDialogs(const RecentCommand& recent) const
{
    if ((m_flags & Labels) && !recent.holdsGroup(group::Labels))
        read(code::SecondaryLabels);
    if ((m_flags & Presets) && !recent.holds(code::PresetRename))
        read(code::PresetTable);
    if (m_flags & UsbMedia) {
        for (Code c : kUsbMedia)
            read(c);
    }
    if (m_flags & DeviceSetup) {
        for (Code c : kDeviceSetup)
            read(c);
        if (!recent.holds(code::InputFaderRange))
            read(code::InputFaderRange);
        if (!recent.holds(code::OutputFaderRange))
            read(code::OutputFaderRange);
        read(code::StatusFlag25);
        read(code::UsbStorage);
    }
    if ((m_flags & TouchPanel) && !recent.holdsGroup(group::TouchPanel))
        read(code::TouchBlock);
    if (m_flags & StatusRecords) {
        const bool editing = recent.holdsGroup(group::StatusRecords) &&
                             recent.code().funcId >= code::kStatusRecordEditFirst &&
                             recent.code().funcId <= code::kStatusRecordEditLast;
        if (!editing)
            read(code::StatusRecord1);
        read(code::StatusRecordValue);
        read(code::StatusRecord4);
    }
}
