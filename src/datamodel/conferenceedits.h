#pragma once

#include "wire/commands.h"

class DataModel;

// The edits of the blocks that are not one record per channel: feedback suppression, echo
// cancellation, the auto mixer, the signal generator and noise reduction. Each clamps its value
// to what the unit takes, writes the mirror and sends the command; an edit that leaves the
// mirror as it was sends nothing and returns false.
class ConferenceEdits
{
public:
    explicit ConferenceEdits(DataModel& model) : m_model(model) {}

    // Inputs 0..15.
    bool setFeedback(int channel, bool on);

    // The level and the microphone flags travel together: either sends the whole block, in the
    // length the unit's format generation takes.
    bool setEchoCancellation(bool on);
    bool setEchoLevel(int level);
    bool setEchoMicrophone(int channel, bool on);
    static int echoLevel(const DataModel& model);
    static bool echoMicrophone(const DataModel& model, int channel);

    bool setAutoMixerWeight(int channel, float weight, wire::Path path);
    // 0 none, 1 and 2 the groups.
    bool setAutoMixerGroup(int channel, int group);
    // Group index 0 or 1.
    bool setAutoMixerEnabled(int group, bool on);
    // The unit takes every weight to 0, every channel out of its group and both groups off;
    // the mirror follows at once.
    void resetAutoMixer();

    bool setGeneratorOn(bool on);
    bool setGeneratorType(int type);
    bool setGeneratorFrequency(float hz, wire::Path path);
    bool setGeneratorGain(float dB, wire::Path path);
    bool setGeneratorRouting(int output, bool on);

    // Noise reduction on `channel` (0..15) at `level` (0..3): the level is kept per channel.
    bool setNoiseReduction(int channel, int level);

private:
    template <typename T, typename Apply>
    bool storeNoted(T& field, const T& value, const QString& key, const QString& name,
                    wire::Code code, Apply apply);
    void sendEchoBlock();

    DataModel& m_model;
};
