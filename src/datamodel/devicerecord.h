#pragma once

#include "wire/records.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>

// One known unit: its last status datagram, whether it is heard, and its control socket.
struct DeviceRecord
{
    wire::UDPBrowsingPacket packet{};
    quint8 online = 0;
    qint64 lastSeen = 0;
    QTcpSocket* socket = nullptr; // owned by the model
    QHostAddress localAddress;    // local address that last reached the unit
};
