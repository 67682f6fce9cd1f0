#pragma once

#include <QByteArray>

class Replies;
class UnitCore;
class UnitState;

// Commands of type 3. Each addresses one channel ([channel] then the value or record) or a
// global block; values are clamped to their ranges, and a command with an invalid channel,
// length or enumeration changes nothing.
class DspCommands
{
public:
    static bool apply(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                      Replies& out);

    // The level a fader command leaves: at or below -56 dB the fader is off (-100 dB);
    // otherwise the value is held inside the channel's allowed range.
    static float faderLevel(float requested, float faderMin, float faderMax);

private:
    static bool inputSetup(UnitState& state, quint8 subType, quint8 funcId,
                           const QByteArray& payload);
    static bool inputLevel(UnitState& state, quint8 funcId, const QByteArray& payload);
    static bool outputLevel(UnitState& state, quint8 funcId, const QByteArray& payload);
    static bool filters(UnitState& state, bool output, quint8 funcId, const QByteArray& payload);
    static bool limiters(UnitState& state, bool output, quint8 funcId, const QByteArray& payload);
    static bool agc(UnitState& state, quint8 funcId, const QByteArray& payload);
    static bool matrix(UnitState& state, quint8 funcId, const QByteArray& payload);
    static bool conference(UnitState& state, quint8 subType, quint8 funcId,
                           const QByteArray& payload);
    static bool presets(UnitCore& unit, quint8 funcId, const QByteArray& payload, Replies& out);
};
