#pragma once

#include <QHostAddress>

// Addresses of the units that one process runs side by side: consecutive host addresses
// from the first, skipping the .0 and .255 of every /24 (127.0.0.254 is followed by
// 127.0.1.1).
class UnitAddresses
{
public:
    // The address of unit `index`; null when the first address is not IPv4, or when the
    // sequence would leave the first address's /8 (the loopback network for loopback units).
    static QHostAddress at(const QHostAddress& first, int index);
};
