#include "channelprofile.h"

ChannelProfile ChannelProfile::forIndex(int index)
{
    struct Row
    {
        quint32 inputs;
        quint32 outputs;
        bool dante;
        int usbPlay;
        int usbRecord;
        const char* model;
    };
    static constexpr Row rows[kCount] = {
        {0xFFFF, 0xFFFF, false, -1, -1, "VU-1616"}, {0x3FFFF, 0x1FF, false, 16, 8, "VU-1608U"},
        {0x3FF, 0x1FF, false, 8, 8, "VU-0808U"},    {0xF, 0xFF, false, -1, -1, "VU-0408"},
        {0xFFF, 0xFFF, true, -1, -1, "VU-1212D"},
    };
    if (index < 0 || index >= kCount)
        index = 0;
    const Row& row = rows[index];
    ChannelProfile profile;
    profile.m_index = index;
    profile.m_inputMask = row.inputs;
    profile.m_outputMask = row.outputs;
    profile.m_dante = row.dante;
    profile.m_usbPlayInput = row.usbPlay;
    profile.m_usbRecordOutput = row.usbRecord;
    profile.m_model = row.model;
    return profile;
}

bool ChannelProfile::hasInput(int channel) const
{
    return channel >= 0 && channel < 32 && (m_inputMask >> channel) & 1u;
}

bool ChannelProfile::hasOutput(int channel) const
{
    return channel >= 0 && channel < 32 && (m_outputMask >> channel) & 1u;
}
