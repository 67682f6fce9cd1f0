#pragma once

#include <QByteArray>

class UnitCore;

// The 154-byte status datagram a unit announces itself with.
class StatusDatagram
{
public:
    // `presetName`: name of the current preset, empty when none is in use.
    static QByteArray build(const UnitCore& unit, const QByteArray& presetName);
};
