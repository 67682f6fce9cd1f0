// Discovery: units heard from their status datagrams, the registry of known units, and the
// UDP network-settings command.
#include "datamodel.h"

#include "clock.h"
#include "networkinterfaces.h"
#include "systemsettings.h"

#include <QNetworkDatagram>
#include <cstring>

namespace {

quint16 discoveryPort()
{
    const SystemSettings* settings = SystemSettings::instance();
    return settings ? settings->broadcastPort() : SystemSettings::kDefaultBroadcastPort;
}

// Takes a text field of the datagram when its text (up to the first NUL) differs; the whole
// field is stored. Returns whether it changed.
template <std::size_t N> bool takeText(char (&stored)[N], const char (&incoming)[N])
{
    if (DeviceRegistry::fieldText(stored, N) == DeviceRegistry::fieldText(incoming, N))
        return false;
    std::memcpy(stored, incoming, N);
    return true;
}

template <std::size_t N> QString text(const char (&field)[N])
{
    return DeviceRegistry::fieldText(field, N);
}

} // namespace

void DataModel::openRegistry()
{
    const QList<UDPBrowsingPacket> known = m_registry.openRegistry();
    for (const UDPBrowsingPacket& packet : known)
        appendDevice(packet, false);
}

void DataModel::createUdpSockets()
{
    for (int i = int(m_discovery.size()) - 1; i >= 0; --i)
        delete m_discovery[i].socket;
    m_discovery.clear();
    delete m_discoveryReceiver;
    m_discoveryReceiver = nullptr;

    const quint16 port = discoveryPort();
    auto* receiver = new QUdpSocket(this);
    if (receiver->bind(QHostAddress::AnyIPv4, port,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        m_discoveryReceiver = receiver;
        connect(receiver, &QUdpSocket::readyRead, this, &DataModel::udpReadyRead);
    } else {
        delete receiver;
        m_activeInterfaceCount = -1; // try again at the next check
    }

    const auto interfaces = NetworkInterfaces::active();
    for (const LocalInterface& li : interfaces) {
        const QHostAddress ip = li.firstIPv4();
        if (ip.isNull())
            continue;
        auto* sender = new QUdpSocket(this);
        if (!sender->bind(ip, 0, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            delete sender;
            m_activeInterfaceCount = -1;
            continue;
        }
        m_discovery.append({li.index, li.entries, sender});
    }
}

void DataModel::udpReadyRead()
{
    QUdpSocket* receiver = m_discoveryReceiver;
    if (!receiver)
        return;
    while (receiver->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = receiver->receiveDatagram();
        // Attribute it to the interface it arrived on; loopback and unknown interfaces have no
        // sending socket, which leaves the unit without a preferred local address.
        QUdpSocket* socket = nullptr;
        for (const DiscoveryInterface& di : qAsConst(m_discovery)) {
            if (di.interfaceIndex == int(datagram.interfaceIndex()))
                socket = di.socket;
        }
        handleBrowsingPacket(socket, datagram.data());
    }
}

QHostAddress DataModel::localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const
{
    for (const DiscoveryInterface& di : m_discovery) {
        if (!socket || di.socket != socket)
            continue;
        for (const QNetworkAddressEntry& e : di.entries) {
            if (e.ip().protocol() != QAbstractSocket::IPv4Protocol ||
                e.netmask().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const QHostAddress subnet(e.ip().toIPv4Address() & e.netmask().toIPv4Address());
            if (unit.isInSubnet(subnet, e.prefixLength()))
                return e.ip();
        }
    }
    return {};
}

void DataModel::handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram)
{
    if (datagram.size() != int(sizeof(UDPBrowsingPacket)))
        return;
    UDPBrowsingPacket p;
    std::memcpy(&p, datagram.constData(), sizeof p);
    if (p.header != wire::kBrowsingHeader || p.tail != wire::kBrowsingTail ||
        (p.packetType & ~2u) != 4)
        return;

    int index = -1;
    for (int i = 0; i < m_devices.size(); ++i) {
        if (m_devices[i]->packet.deviceId == p.deviceId) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        m_registry.sqlAdd(p);
        appendDevice(p, true, localAddressFor(socket, QHostAddress(p.ipAddress)));
        emit deviceListAdd(&p, true);
        return;
    }

    DeviceRecord* record = m_devices[index];
    UDPBrowsingPacket& stored = record->packet;
    const uint i = uint(index);
    const uint id = stored.deviceId;
    record->lastSeen = Clock::now();
    if (stored.ipAddress != p.ipAddress) {
        stored.ipAddress = p.ipAddress;
        emit deviceListIPAddressChanged(i, p.ipAddress);
        m_registry.sqlUpdateIPAddress(id, p.ipAddress);
    }
    if (takeText(stored.model, p.model)) {
        emit deviceListModelChanged(i, text(p.model));
        m_registry.sqlUpdateModel(id, text(p.model));
    }
    if (takeText(stored.armVersion, p.armVersion)) {
        emit deviceListARMVersionChanged(i, text(p.armVersion));
        m_registry.sqlUpdateARMVersion(id, text(p.armVersion));
    }
    if (std::memcmp(stored.dspVersion, p.dspVersion, sizeof p.dspVersion) != 0) {
        std::memcpy(stored.dspVersion, p.dspVersion, sizeof p.dspVersion);
        emit deviceListDSPVersionChanged(i, p.dspVersion[0], p.dspVersion[1], p.dspVersion[2]);
        m_registry.sqlUpdateDSPVersion(id, p.dspVersion);
    }
    if (takeText(stored.serialNumber, p.serialNumber)) {
        emit deviceListSerialNumberChanged(i, text(p.serialNumber));
        m_registry.sqlUpdateSerialNumber(id, text(p.serialNumber));
    }
    if (takeText(stored.location, p.location)) {
        emit deviceListLocationChanged(i, text(p.location));
        m_registry.sqlUpdateLocation(id, text(p.location));
    }
    if (takeText(stored.description, p.description)) {
        emit deviceListDescriptionChanged(i, text(p.description));
        m_registry.sqlUpdateDescription(id, text(p.description));
    }
    if (stored.fault != p.fault) {
        stored.fault = p.fault;
        emit deviceListFaultChanged(i, p.fault != 0);
    }
    if (takeText(stored.preset, p.preset))
        emit deviceListPresetChanged(i, text(p.preset));
    emit deviceListRunTimeChanged(i, p.runTime, p.totalTime);
    if (!record->online) {
        record->online = 1;
        m_firstBindAddress.clear();
        m_firstCycle = true;
        emit deviceListNetworkChanged(index);
    }
    if (record->localAddress.toString().isEmpty())
        record->localAddress = localAddressFor(socket, QHostAddress(p.ipAddress));
}

QStringList DataModel::interfaceSignature(const QList<LocalInterface>& interfaces)
{
    QStringList signature;
    for (const LocalInterface& li : interfaces)
        signature << QString::number(li.index) + QLatin1Char('=') + li.firstIPv4().toString();
    return signature;
}

void DataModel::checkDiscovery()
{
    // An interface that changes its address (a DHCP renewal, a new static address) needs new
    // sockets as much as one that comes or goes, so the addresses are compared, not only the
    // number of interfaces.
    const auto interfaces = NetworkInterfaces::active();
    const QStringList signature = interfaceSignature(interfaces);
    if (int(interfaces.size()) != m_activeInterfaceCount ||
        signature != m_activeInterfaceSignature) {
        m_activeInterfaceCount = int(interfaces.size());
        m_activeInterfaceSignature = signature;
        createUdpSockets();
    }
    const qint64 now = Clock::now();
    for (int i = 0; i < m_devices.size(); ++i) {
        DeviceRecord* record = m_devices[i];
        if (!record->online || record->lastSeen + kOfflineAfterMs >= now)
            continue;
        record->online = 0;
        emit deviceListNetworkChanged(i);
        record->packet.fault = 0;
        emit deviceListFaultChanged(uint(i), false);
    }
}

void DataModel::setUdpCommandTarget(const QHostAddress& address, quint16 port)
{
    m_udpCommandTarget = address;
    m_udpCommandPort = port;
}

void DataModel::sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload)
{
    QByteArray datagram;
    wire::appendU32(datagram, deviceId);
    wire::appendU32(datagram, command);
    wire::appendU32(datagram, quint32(payload.size()));
    datagram += payload;
    for (const DiscoveryInterface& di : qAsConst(m_discovery))
        di.socket->writeDatagram(datagram, m_udpCommandTarget, m_udpCommandPort);
}

void DataModel::setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway)
{
    DeviceRecord* record = m_devices.value(index);
    if (!record)
        return;
    if (record->packet.ipAddress != ip) {
        record->packet.ipAddress = ip;
        emit deviceListIPAddressChanged(uint(index), ip);
        m_registry.sqlUpdateIPAddress(record->packet.deviceId, ip);
    }
    QByteArray payload;
    wire::appendU32(payload, ip);
    wire::appendU32(payload, netmask);
    wire::appendU32(payload, gateway);
    sendUdpCommand(record->packet.deviceId, 2, payload);
}

void DataModel::addDeviceByAddress(quint32 ip)
{
    quint32 id = 42215;
    for (bool taken = true; taken;) {
        taken = false;
        for (const DeviceRecord* record : qAsConst(m_devices)) {
            if (record->packet.deviceId == id) {
                taken = true;
                ++id;
                break;
            }
        }
    }
    UDPBrowsingPacket p{};
    p.deviceId = id;
    p.ipAddress = ip;
    m_registry.sqlAdd(p);
    appendDevice(p, false);
    emit deviceListAdd(&p, false);
}

void DataModel::removeDeviceAt(int index)
{
    if (index < 0 || index >= m_devices.size())
        return;
    m_registry.sqlRemove(m_devices[index]->packet.deviceId);
    if (index == m_currentDevice) {
        // Close the link before its socket goes away.
        selectDevice(-1, true);
    }
    DeviceRecord* record = m_devices.takeAt(index);
    record->socket->disconnect(this);
    record->socket->abort();
    record->socket->deleteLater();
    delete record;
    if (index < m_currentDevice) {
        --m_currentDevice;
        emit deviceListSelectionChanged(m_currentDevice, true);
    }
    emit deviceListRemove(index);
}
