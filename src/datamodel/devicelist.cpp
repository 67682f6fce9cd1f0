#include "devicelist.h"

DeviceList::~DeviceList()
{
    qDeleteAll(m_records);
}

DeviceRecord* DeviceList::at(int index) const
{
    return index >= 0 && index < m_records.size() ? m_records[index] : nullptr;
}

int DeviceList::indexOfId(quint32 deviceId) const
{
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->packet.deviceId == deviceId)
            return i;
    }
    return -1;
}

int DeviceList::indexOfAddress(quint32 ip) const
{
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->packet.ipAddress == ip)
            return i;
    }
    return -1;
}

int DeviceList::indexOfSocket(const QObject* socket) const
{
    for (int i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->socket == socket)
            return i;
    }
    return -1;
}

int DeviceList::append(const wire::UDPBrowsingPacket& packet, bool online, qint64 now,
                       const QHostAddress& localAddress)
{
    auto* record = new DeviceRecord;
    record->packet = packet;
    record->online = online ? 1 : 0;
    record->lastSeen = now;
    record->localAddress = localAddress;
    if (m_onAppend)
        m_onAppend(*record);
    m_records.append(record);
    return int(m_records.size()) - 1;
}

DeviceRecord* DeviceList::takeAt(int index)
{
    return index >= 0 && index < m_records.size() ? m_records.takeAt(index) : nullptr;
}
