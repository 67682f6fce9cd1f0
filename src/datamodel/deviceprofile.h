#pragma once

#include <QtGlobal>

// The channels of the selected device version profile as every window with per-channel rows
// sees them: which are hidden, which are Dante channels (bit i = channel i), and which input
// and output carry USB playback and recording (-1 without USB).
struct DeviceProfile
{
    quint32 hiddenInputs = 0;
    quint32 hiddenOutputs = 0;
    quint32 danteInputs = 0;
    quint32 danteOutputs = 0;
    int usbPlayInput = -1;
    int usbRecordOutput = -1;

    bool inputShown(int channel) const { return !((hiddenInputs >> channel) & 1u); }
    bool outputShown(int channel) const { return !((hiddenOutputs >> channel) & 1u); }
    bool hasUsb() const { return usbPlayInput >= 0; }

    friend bool operator==(const DeviceProfile& a, const DeviceProfile& b)
    {
        return a.hiddenInputs == b.hiddenInputs && a.hiddenOutputs == b.hiddenOutputs &&
               a.danteInputs == b.danteInputs && a.danteOutputs == b.danteOutputs &&
               a.usbPlayInput == b.usbPlayInput && a.usbRecordOutput == b.usbRecordOutput;
    }
    friend bool operator!=(const DeviceProfile& a, const DeviceProfile& b) { return !(a == b); }
};
