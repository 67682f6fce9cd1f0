#pragma once

#include "wire/ranges.h"

#include <QtGlobal>

// The channel configuration a unit is built in: which inputs and outputs exist, whether four
// of them are Dante channels, which pair carries USB playback and which output USB recording,
// and the payload format generation that goes with it.
class ChannelProfile
{
public:
    static constexpr int kCount = 5;

    // Profiles outside 0..4 fall back to profile 0 (the full 16 x 16 unit).
    static ChannelProfile forIndex(int index);

    int index() const { return m_index; }
    quint32 inputMask() const { return m_inputMask; }
    quint32 outputMask() const { return m_outputMask; }
    bool dante() const { return m_dante; }
    bool hasUsb() const { return m_usbPlayInput >= 0; }
    // Left channel of the stereo USB play pair (the right one follows it); -1 without USB.
    int usbPlayInput() const { return m_usbPlayInput; }
    int usbRecordOutput() const { return m_usbRecordOutput; }
    quint16 formatGeneration() const
    {
        return m_index == 1 ? wire::kWideFormat : wire::kNarrowFormat;
    }
    const char* defaultModel() const { return m_model; }

    bool hasInput(int channel) const;
    bool hasOutput(int channel) const;

private:
    int m_index = 0;
    quint32 m_inputMask = 0xFFFF;
    quint32 m_outputMask = 0xFFFF;
    bool m_dante = false;
    int m_usbPlayInput = -1;
    int m_usbRecordOutput = -1;
    const char* m_model = "";
};
