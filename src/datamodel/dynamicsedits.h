#pragma once

#include "wire/records.h"

#include <QVector>

class DataModel;

// The edits of the input gates and automatic gain controls, as the unit takes them: each value
// is held within the range the unit accepts, written into the mirror of its channel, and sent
// only when the record changed. A gate goes at once; an AGC goes through the coalescing queue,
// its copy and reset at once.
class DynamicsEdits
{
public:
    // How a new AGC threshold or target meets the other one. Typed values stay on their side
    // (the threshold never above the target); knob turns pass it.
    enum class Cross
    {
        Free,
        Held,
    };

    explicit DynamicsEdits(DataModel& model) : m_model(model) {}

    static wire::AGC factoryAgc();
    // The 17 input strips.
    static bool validChannel(int channel);

    // Each returns whether the record changed (and was sent).
    bool setGateEnabled(int channel, bool on);
    bool setGateThreshold(int channel, float dB);
    bool setGateAttack(int channel, float ms);
    bool setGateDecay(int channel, float ms);

    bool setAgcEnabled(int channel, bool on);
    bool setAgcThreshold(int channel, float dB, Cross cross);
    bool setAgcTarget(int channel, float dB, Cross cross);
    bool setAgcRatio(int channel, float ratio);
    bool setAgcAttack(int channel, float ms);
    bool setAgcDecay(int channel, float ms);

    // Copies the source's AGC to every input whose bit is set and that the unit's format can
    // name (16 inputs in the narrow format, 17 in the wide one), and sends the copy. Returns the
    // inputs written.
    QVector<int> copyAgc(int source, quint32 inputMask);
    void resetAgc(int channel);

private:
    bool storeGate(int channel, const wire::Gate& gate);
    bool storeAgc(int channel, const wire::AGC& agc);

    DataModel& m_model;
};
