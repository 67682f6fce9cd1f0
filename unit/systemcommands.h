#pragma once

#include <QByteArray>

class Replies;
class UnitCore;

// Commands of type 2: identity texts, clock, network, password, serial ports, system mute,
// factory reset, fan test, labels, USB transport and the stored status blocks.
class SystemCommands
{
public:
    // Applies (2, subType, funcId); false when unknown or malformed (nothing changes).
    static bool apply(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                      Replies& out);

private:
    static bool applySystem(UnitCore& unit, quint8 funcId, const QByteArray& payload, Replies& out);
    static bool applyLabel(UnitCore& unit, quint8 funcId, const QByteArray& payload);
};
