#pragma once

#include "wire/codes.h"

#include <QByteArray>

class Replies;
class UnitCore;

// Reports of the DSP family: meters, per-group arrays of all channels, and the single-channel
// records selected by [channel] (or [channel, band], or [output] for the matrix).
class DspReports
{
public:
    // Adds the reports answering a read of `code`; false when the code is unknown or its
    // selector is missing or out of range.
    static bool build(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);

private:
    static bool meters(UnitCore& unit, wire::Code code, Replies& out);
    static bool inputs(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);
    static bool outputs(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);
    static bool globals(UnitCore& unit, wire::Code code, Replies& out);
};
