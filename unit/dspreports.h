#pragma once

#include <QByteArray>

class Replies;
class UnitCore;

// Reports of type 3: meters, per-group arrays of all channels, and the single-channel
// records selected by [channel] (or [channel, band], or [output] for the matrix).
class DspReports
{
public:
    // Adds the reports answering a read of (3, subType, funcId); false when the code is
    // unknown or its selector is missing or out of range.
    static bool build(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                      Replies& out);

private:
    static bool meters(UnitCore& unit, quint8 subType, quint8 funcId, Replies& out);
    static bool inputs(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                       Replies& out);
    static bool outputs(UnitCore& unit, quint8 subType, quint8 funcId, const QByteArray& payload,
                        Replies& out);
    static bool globals(UnitCore& unit, quint8 subType, quint8 funcId, Replies& out);
};
