#pragma once

#include "networkinterfaces.h"

// A network interface of the PC as a test wants it: one IPv4 address with its prefix.
// Addresses in 127.0.0.0/8 can really be bound, so sockets on them work.
inline LocalInterface fakeInterface(int index, const char* ip, int prefixLength, bool active = true)
{
    LocalInterface li;
    li.index = index;
    li.name = QStringLiteral("fake%1").arg(index);
    li.active = active;
    QNetworkAddressEntry entry;
    entry.setIp(QHostAddress(QString::fromLatin1(ip)));
    entry.setPrefixLength(prefixLength);
    li.entries = {entry};
    return li;
}
