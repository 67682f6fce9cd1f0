#pragma once

#include "wire/codes.h"

#include <QByteArray>

class Replies;
class UnitCore;
class UnitState;

// Commands of the DSP family. Each addresses one channel ([channel] then the value or record)
// or a global block; values are clamped to their ranges, and a command with an invalid
// channel, length or enumeration changes nothing.
class DspCommands
{
public:
    static bool apply(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);

private:
    static bool inputSetup(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool inputLevel(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool outputLevel(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool filters(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool limiters(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool agc(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool matrix(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool conference(UnitState& state, wire::Code code, const QByteArray& payload);
    static bool presets(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);
};
