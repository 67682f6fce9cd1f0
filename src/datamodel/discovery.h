#pragma once

#include "devicelist.h"
#include "deviceregistry.h"
#include "networkinterfaces.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QObject>

class QUdpSocket;

// Units heard from their status datagrams: the list and the registry follow every datagram,
// silent units go offline, and the UDP network-settings command leaves through every
// interface. Datagrams are received on the wildcard address (a socket bound to a unicast
// address never sees broadcasts on Linux) and attributed to the interface they arrived on.
class Discovery : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 kUdpCommandPort = 6001;
    static constexpr qint64 kOfflineAfterMs = 2000;
    // Far above any real installation; a flood of made-up IDs stops here.
    static constexpr int kMaxUnits = 1024;
    static constexpr qint64 kFullWarningEveryMs = 60000;

    Discovery(DeviceList& devices, DeviceRegistry& registry, QObject* parent = nullptr);

    // The port units announce themselves on; the sockets are opened again when it changes.
    void setPort(quint16 port);
    void createUdpSockets();
    int socketCount() const { return int(m_interfaces.size()); }
    bool isListening() const { return m_receiver != nullptr; }

    void handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram);
    QHostAddress localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const;
    // Once a second: new sockets when the interfaces changed, and silent units go offline.
    void check(qint64 now);

    void sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload);
    void setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway);
    // Where UDP commands go; the broadcast address unless a test points them elsewhere.
    void setUdpCommandTarget(const QHostAddress& address, quint16 port);
    // A unit known only by its address, under the first free device ID from 42215; false when
    // the list is full.
    bool addDeviceByAddress(quint32 ip, qint64 now);
    bool isFull() const { return m_devices.size() >= kMaxUnits; }

signals:
    void deviceListAdd(wire::UDPBrowsingPacket* packet, bool online);
    void deviceListIPAddressChanged(uint index, uint ip);
    void deviceListModelChanged(uint index, QString model);
    void deviceListARMVersionChanged(uint index, QString version);
    void deviceListDSPVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void deviceListSerialNumberChanged(uint index, QString serialNumber);
    void deviceListLocationChanged(uint index, QString location);
    void deviceListDescriptionChanged(uint index, QString description);
    void deviceListFaultChanged(uint index, bool fault);
    void deviceListPresetChanged(uint index, QString preset);
    void deviceListRunTimeChanged(uint index, uint runTime, uint totalTime);
    void deviceListNetworkChanged(int index);
    // An offline unit is heard again.
    void unitCameOnline(int index);

public slots:
    void udpReadyRead();

private:
    static QStringList signatureOf(const QList<LocalInterface>& interfaces);
    // Says, at most once a minute, that newcomers are dropped.
    void warnFull(qint64 now);

    struct Interface
    {
        int index;
        QList<QNetworkAddressEntry> entries;
        QUdpSocket* socket;
    };
    DeviceList& m_devices;
    DeviceRegistry& m_registry;
    quint16 m_port = 0;
    QList<Interface> m_interfaces;
    QUdpSocket* m_receiver = nullptr;
    int m_activeCount = -1;
    QStringList m_signature;
    QHostAddress m_commandTarget{QHostAddress::Broadcast};
    quint16 m_commandPort = kUdpCommandPort;
    qint64 m_lastFullWarning = 0;
    bool m_warnedFull = false;
};
