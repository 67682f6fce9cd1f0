#pragma once

#include "wire/codes.h"

#include <QByteArray>

class Replies;
class UnitCore;

// Reports of the system family (system values, labels, USB media, status and touch blocks) and
// of the status records.
class SystemReports
{
public:
    // Adds the reports answering a read of `code`; false when the code is unknown or its
    // selector is out of range.
    static bool build(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);

    // The channel masks: 18 input bytes and 16 output bytes (1 = channel present), then one
    // byte that is 1 when four of the channels each way are Dante channels. The input part
    // always has its full 18 bytes, so a reader that takes (length - 16, at most 18) input
    // bytes and the next 16 as outputs reads both masks right and never mistakes the Dante
    // byte for one.
    static QByteArray channelMasks(const UnitCore& unit);
    static QByteArray dateTime(const UnitCore& unit);

private:
    static bool systemValue(UnitCore& unit, wire::Code code, Replies& out);
    static bool usbValue(UnitCore& unit, wire::Code code, const QByteArray& payload, Replies& out);
};
