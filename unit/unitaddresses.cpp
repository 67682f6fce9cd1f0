#include "unitaddresses.h"

namespace {

constexpr quint32 kHostsPerBlock = 254; // .1 to .254

} // namespace

QHostAddress UnitAddresses::at(const QHostAddress& first, int index)
{
    bool ok = false;
    const quint32 ip = first.toIPv4Address(&ok);
    if (!ok || index < 0)
        return {};
    const quint32 host = ip & 0xFF;
    if (host == 0 || host == 255)
        return {};
    // Count hosts linearly across the /24 blocks below the /8.
    const quint64 block = (ip >> 8) & 0xFFFF;
    const quint64 position = block * kHostsPerBlock + (host - 1) + quint64(index);
    const quint64 nextBlock = position / kHostsPerBlock;
    if (nextBlock > 0xFFFF)
        return {};
    return QHostAddress((ip & 0xFF000000u) | quint32(nextBlock << 8) |
                        quint32(position % kHostsPerBlock + 1));
}
