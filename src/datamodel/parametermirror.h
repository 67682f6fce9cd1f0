#pragma once

#include "modelrecords.h"
#include "wire/codes.h"

#include <QVector>

// The mirror of the selected unit's parameters: one record per channel and block, filled with
// the unit's factory values until the unit reports its own.
struct ParameterMirror
{
    ParameterMirror() { fillDefaults(); }

    void fillDefaults();
    // Names the USB channels of the configuration and picks its payload format.
    void applyChannelConfiguration(int usbPlayInput, int usbRecordOutput, int configuration);
    // Blanks what only a live unit can tell (meters, versions, status); returns the codes whose
    // views must blank.
    QVector<wire::Code> resetLiveValues();

    std::array<model::InputChannel, model::kInputCount> inputs;
    std::array<model::OutputChannel, model::kOutputCount> outputs;
    model::SignalGenerator generator;
    model::EchoCancellation echo;
    model::NoiseReduction noiseReduction;
    model::AutoMixer autoMixer;
    quint8 outputMeterMode = 0;
    model::PresetTable presets;
    model::SystemState system;
    model::UsbMediaState usb;
    model::StatusRecords statusRecords;
};
