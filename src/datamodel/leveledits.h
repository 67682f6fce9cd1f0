#pragma once

#include "deviceprofile.h"
#include "wire/codes.h"
#include "wire/levelrules.h"

#include <QVector>

class DataModel;

// The edits of the level strips, as the unit applies them: each writes the mirror of the edited
// channel and of the channels that follow it (the rest of its level group, the linked input
// pair), keeps every level inside its channel's fader travel, and sends the command for the
// edited channel. Each returns the followers whose value changed, so that the views refresh
// them.
class LevelEdits
{
public:
    explicit LevelEdits(DataModel& model) : m_model(model) {}

    // The USB play strip stops at unity.
    void setProfile(const DeviceProfile& profile) { m_profile = profile; }

    // A strip's travel: the unit's configured range within the strip's own limits.
    wire::FaderTravel inputTravel(int channel) const;
    wire::FaderTravel outputTravel(int channel) const;

    QVector<int> setInputGain(int channel, float dB);
    QVector<int> setInputMute(int channel, bool on);
    QVector<int> setInputInvert(int channel, bool on);
    QVector<int> setInputGroup(int channel, quint8 group);
    QVector<int> setOutputGain(int channel, float dB);
    QVector<int> setOutputMute(int channel, bool on);
    QVector<int> setOutputInvert(int channel, bool on);
    QVector<int> setOutputGroup(int channel, quint8 group);

private:
    template <typename T, typename Set>
    void note(const QString& key, const QString& name, wire::Code code, int channel, T before,
              T after, Set set);
    QVector<int> inputFollowers(int channel, bool withGroup) const;
    QVector<int> outputFollowers(int channel) const;

    DataModel& m_model;
    DeviceProfile m_profile;
};
