#include "parametermirror.h"

using namespace wire;

void ParameterMirror::fillDefaults()
{
    for (int i = 0; i < model::kInputCount; ++i) {
        inputs[std::size_t(i)] = model::InputChannel{};
        inputs[std::size_t(i)].defaultName = QStringLiteral("IN %1").arg(i + 1);
    }
    for (int i = 0; i < model::kOutputCount; ++i) {
        outputs[std::size_t(i)] = model::OutputChannel{};
        outputs[std::size_t(i)].defaultName = QStringLiteral("OUT %1").arg(i + 1);
    }
}

void ParameterMirror::applyChannelConfiguration(int usbPlayInput, int usbRecordOutput,
                                                int configuration)
{
    for (int i = 0; i < model::kInputCount; ++i) {
        const bool usbPlay = i == usbPlayInput;
        auto& in = inputs[std::size_t(i)];
        in.defaultName = usbPlay ? QStringLiteral("USB PLAY") : QStringLiteral("IN %1").arg(i + 1);
        in.faderMax = usbPlay ? kUsbPlayTop : kFaderTop;
    }
    for (int j = 0; j < model::kOutputCount; ++j) {
        outputs[std::size_t(j)].defaultName =
            j == usbRecordOutput ? QStringLiteral("USB REC") : QStringLiteral("OUT %1").arg(j + 1);
    }
    system.formatGeneration = configuration == 1 ? wire::kWideFormat : wire::kNarrowFormat;
}

QVector<Code> ParameterMirror::resetLiveValues()
{
    for (model::InputChannel& in : inputs) {
        in.preFaderMeter = -100;
        in.postFaderMeter = -100;
    }
    for (model::OutputChannel& out : outputs) {
        out.preFaderMeter = -100;
        out.postFaderMeter = -100;
    }
    autoMixer.gainMeter.fill(-100);
    system.armVersion.fill(0);
    system.dspVersion.fill(0);
    system.buildNumber = 0;
    system.versionText.clear();
    system.model.clear();
    system.serialNumber.clear();
    system.systemMute = false;
    system.deviceStatus = 0;
    system.statusWords.fill(0);
    system.temperature = 0.0f;
    system.fanState = 2;
    return {code::InputPostFaderMeters,
            code::InputPreFaderMeters,
            code::OutputPreFaderMeters,
            code::OutputPostFaderMeters,
            code::AutoMixerGainMeters,
            code::ArmVersion,
            code::DspVersion,
            code::VersionText,
            code::DspUsage,
            code::SerialNumber,
            code::SystemMute,
            code::DeviceStatus,
            code::Temperature,
            code::Fan};
}
