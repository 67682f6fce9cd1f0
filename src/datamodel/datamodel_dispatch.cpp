// Inbound packets: every packet cut from the stream is consumed here, by type. What each code
// means, how long it may be and when it is held back is stated once, in the report rules.
#include "datamodel.h"
#include "reportrules.h"

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
    reports::apply(*this, header, payload);
}

void DataModel::handleSystemPacket(const wire::PacketHeader& header, const char* payload)
{
    reports::apply(*this, header, payload);
}

void DataModel::handleDspPacket(const wire::PacketHeader& header, const char* payload)
{
    reports::apply(*this, header, payload);
}

void DataModel::handleStatusPacket(const wire::PacketHeader& header, const char* payload)
{
    reports::apply(*this, header, payload);
}
