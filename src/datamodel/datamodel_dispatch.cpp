// Inbound packets: every packet cut from the stream is consumed here, by type.
#include "datamodel.h"

void DataModel::dispatchPacket(const wire::PacketHeader& header, const char* payload)
{
    switch (header.type) {
    case 1:
        handleUpgradePacket(header, payload);
        break;
    case 2:
        handleSystemPacket(header, payload);
        break;
    case 3:
        handleDspPacket(header, payload);
        break;
    case 4:
        handleStatusPacket(header, payload);
        break;
    default:
        break; // unknown families are consumed without effect
    }
}

void DataModel::handleUpgradePacket(const wire::PacketHeader& header, const char* payload)
{
    Q_UNUSED(payload)
    if (header.access != wire::AccessReport || header.subType < 1 || header.subType > 2)
        return;
}

void DataModel::handleSystemPacket(const wire::PacketHeader& header, const char* payload)
{
    Q_UNUSED(payload)
    if (header.access != wire::AccessReport || header.subType < 1 || header.subType > 16)
        return;
}

void DataModel::handleDspPacket(const wire::PacketHeader& header, const char* payload)
{
    Q_UNUSED(payload)
    if (header.access != wire::AccessReport || header.subType < 1 || header.subType > 32)
        return;
}

void DataModel::handleStatusPacket(const wire::PacketHeader& header, const char* payload)
{
    Q_UNUSED(payload)
    if (header.access != wire::AccessReport || header.subType != 1)
        return;
}
