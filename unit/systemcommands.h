#pragma once

#include "wire/codes.h"

#include <QByteArray>

class Replies;
class UnitCore;

// Commands of the system family: identity texts, clock, network, password, serial ports,
// system mute, factory reset, fan test, labels, USB transport and the stored touch blocks.
class SystemCommands
{
public:
    // Applies `code`; false when unknown or malformed (nothing changes).
    static bool apply(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);

private:
    static bool applySystem(UnitCore& unit, wire::Code code, const QByteArray& payload,
                            Replies& out);
    static bool applyLabel(UnitCore& unit, wire::Code code, const QByteArray& payload);
};
