#pragma once

#include "devicerecord.h"

#include <QList>
#include <functional>

// The known units in list order; every deviceList* signal addresses a unit by its index here.
// The list owns its records; whoever needs to equip a new record (the control link gives it a
// socket) sets the hook.
class DeviceList
{
public:
    DeviceList() = default;
    ~DeviceList();
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    int size() const { return int(m_records.size()); }
    // Null outside the list.
    DeviceRecord* at(int index) const;
    int indexOfId(quint32 deviceId) const;
    int indexOfAddress(quint32 ip) const;
    int indexOfSocket(const QObject* socket) const;

    // Appends a record for a unit and returns its index.
    int append(const wire::UDPBrowsingPacket& packet, bool online, qint64 now,
               const QHostAddress& localAddress = {});
    // Removes the record from the list; the caller owns it.
    DeviceRecord* takeAt(int index);

    void setAppendHook(std::function<void(DeviceRecord&)> hook) { m_onAppend = std::move(hook); }

    QList<DeviceRecord*>::const_iterator begin() const { return m_records.begin(); }
    QList<DeviceRecord*>::const_iterator end() const { return m_records.end(); }

private:
    QList<DeviceRecord*> m_records;
    std::function<void(DeviceRecord&)> m_onAppend;
};
