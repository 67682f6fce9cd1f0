#include "discovery.h"

#include "clock.h"
#include "wire/packet.h"

#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <cstring>

Q_LOGGING_CATEGORY(lcDiscovery, "kv.discovery", QtWarningMsg)

namespace {

// Takes a text field of the datagram when its text (up to the first NUL) differs; the whole
// field is stored. Returns whether it changed.
template <std::size_t N> bool takeText(char (&stored)[N], const char (&incoming)[N])
{
    if (DeviceRegistry::fieldText(stored, N) == DeviceRegistry::fieldText(incoming, N))
        return false;
    std::memcpy(stored, incoming, N);
    return true;
}

} // namespace

Discovery::Discovery(DeviceList& devices, DeviceRegistry& registry, QObject* parent)
    : QObject(parent), m_devices(devices), m_registry(registry)
{
    const auto interfaces = NetworkInterfaces::active();
    m_activeCount = int(interfaces.size());
    m_signature = signatureOf(interfaces);
}

void Discovery::setPort(quint16 port)
{
    if (port == m_port && m_receiver)
        return;
    m_port = port;
    createUdpSockets();
}

void Discovery::createUdpSockets()
{
    for (const Interface& i : qAsConst(m_interfaces))
        delete i.socket;
    m_interfaces.clear();
    delete m_receiver;
    m_receiver = nullptr;

    auto* receiver = new QUdpSocket(this);
    if (receiver->bind(QHostAddress::AnyIPv4, m_port,
                       QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        m_receiver = receiver;
        connect(receiver, &QUdpSocket::readyRead, this, &Discovery::udpReadyRead);
    } else {
        delete receiver;
        m_activeCount = -1; // try again at the next check
    }

    const auto interfaces = NetworkInterfaces::active();
    for (const LocalInterface& li : interfaces) {
        const QHostAddress ip = li.firstIPv4();
        if (ip.isNull())
            continue;
        auto* sender = new QUdpSocket(this);
        if (!sender->bind(ip, 0, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            delete sender;
            m_activeCount = -1;
            continue;
        }
        m_interfaces.append({li.index, li.entries, sender});
    }
}

void Discovery::udpReadyRead()
{
    QUdpSocket* receiver = m_receiver;
    if (!receiver)
        return;
    while (receiver->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = receiver->receiveDatagram();
        // Attribute it to the interface it arrived on; loopback and unknown interfaces have no
        // sending socket, which leaves the unit without a preferred local address.
        QUdpSocket* socket = nullptr;
        for (const Interface& i : qAsConst(m_interfaces)) {
            if (i.index == int(datagram.interfaceIndex()))
                socket = i.socket;
        }
        handleBrowsingPacket(socket, datagram.data());
    }
}

QHostAddress Discovery::localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const
{
    for (const Interface& i : m_interfaces) {
        if (!socket || i.socket != socket)
            continue;
        for (const QNetworkAddressEntry& e : i.entries) {
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

void Discovery::handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram)
{
    if (datagram.size() != int(sizeof(wire::UDPBrowsingPacket)))
        return;
    wire::UDPBrowsingPacket p;
    std::memcpy(&p, datagram.constData(), sizeof p);
    if (p.header != wire::kBrowsingHeader || p.tail != wire::kBrowsingTail ||
        (p.packetType & ~2u) != 4)
        return;

    const int index = m_devices.indexOfId(p.deviceId);
    if (index < 0) {
        if (isFull()) {
            warnFull(Clock::now());
            return;
        }
        m_registry.sqlAdd(p);
        m_devices.append(p, true, Clock::now(), localAddressFor(socket, QHostAddress(p.ipAddress)));
        emit deviceListAdd(&p, true);
        return;
    }

    DeviceRecord* record = m_devices.at(index);
    wire::UDPBrowsingPacket& stored = record->packet;
    const uint i = uint(index);
    const uint id = stored.deviceId;
    record->lastSeen = Clock::now();
    if (stored.ipAddress != p.ipAddress) {
        stored.ipAddress = p.ipAddress;
        emit deviceListIPAddressChanged(i, p.ipAddress);
        m_registry.sqlUpdateIPAddress(id, p.ipAddress);
    }
    if (takeText(stored.model, p.model)) {
        emit deviceListModelChanged(i, DeviceRegistry::fieldText(p.model));
        m_registry.sqlUpdateModel(id, DeviceRegistry::fieldText(p.model));
    }
    if (takeText(stored.armVersion, p.armVersion)) {
        emit deviceListARMVersionChanged(i, DeviceRegistry::fieldText(p.armVersion));
        m_registry.sqlUpdateARMVersion(id, DeviceRegistry::fieldText(p.armVersion));
    }
    if (std::memcmp(stored.dspVersion, p.dspVersion, sizeof p.dspVersion) != 0) {
        std::memcpy(stored.dspVersion, p.dspVersion, sizeof p.dspVersion);
        emit deviceListDSPVersionChanged(i, p.dspVersion[0], p.dspVersion[1], p.dspVersion[2]);
        m_registry.sqlUpdateDSPVersion(id, p.dspVersion);
    }
    if (takeText(stored.serialNumber, p.serialNumber)) {
        emit deviceListSerialNumberChanged(i, DeviceRegistry::fieldText(p.serialNumber));
        m_registry.sqlUpdateSerialNumber(id, DeviceRegistry::fieldText(p.serialNumber));
    }
    if (takeText(stored.location, p.location)) {
        emit deviceListLocationChanged(i, DeviceRegistry::fieldText(p.location));
        m_registry.sqlUpdateLocation(id, DeviceRegistry::fieldText(p.location));
    }
    if (takeText(stored.description, p.description)) {
        emit deviceListDescriptionChanged(i, DeviceRegistry::fieldText(p.description));
        m_registry.sqlUpdateDescription(id, DeviceRegistry::fieldText(p.description));
    }
    if (stored.fault != p.fault) {
        stored.fault = p.fault;
        emit deviceListFaultChanged(i, p.fault != 0);
    }
    if (takeText(stored.preset, p.preset))
        emit deviceListPresetChanged(i, DeviceRegistry::fieldText(p.preset));
    emit deviceListRunTimeChanged(i, p.runTime, p.totalTime);
    if (!record->online) {
        record->online = 1;
        emit unitCameOnline(index);
        emit deviceListNetworkChanged(index);
    }
    if (record->localAddress.toString().isEmpty())
        record->localAddress = localAddressFor(socket, QHostAddress(p.ipAddress));
}

void Discovery::warnFull(qint64 now)
{
    if (m_warnedFull && now - m_lastFullWarning < kFullWarningEveryMs)
        return;
    m_warnedFull = true;
    m_lastFullWarning = now;
    qCWarning(lcDiscovery).noquote()
        << QStringLiteral("The list holds %1 units; units heard for the first time are ignored.")
               .arg(kMaxUnits);
}

QStringList Discovery::signatureOf(const QList<LocalInterface>& interfaces)
{
    QStringList signature;
    for (const LocalInterface& li : interfaces)
        signature << QString::number(li.index) + QLatin1Char('=') + li.firstIPv4().toString();
    return signature;
}

void Discovery::check(qint64 now)
{
    // An interface that changes its address (a DHCP renewal, a new static address) needs new
    // sockets as much as one that comes or goes, so the addresses are compared, not only the
    // number of interfaces.
    const auto interfaces = NetworkInterfaces::active();
    const QStringList signature = signatureOf(interfaces);
    if (int(interfaces.size()) != m_activeCount || signature != m_signature) {
        m_activeCount = int(interfaces.size());
        m_signature = signature;
        createUdpSockets();
    }
    for (int i = 0; i < m_devices.size(); ++i) {
        DeviceRecord* record = m_devices.at(i);
        if (!record->online || record->lastSeen + kOfflineAfterMs >= now)
            continue;
        record->online = 0;
        emit deviceListNetworkChanged(i);
        record->packet.fault = 0;
        emit deviceListFaultChanged(uint(i), false);
    }
}

void Discovery::setUdpCommandTarget(const QHostAddress& address, quint16 port)
{
    m_commandTarget = address;
    m_commandPort = port;
}

void Discovery::sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload)
{
    QByteArray datagram;
    wire::appendU32(datagram, deviceId);
    wire::appendU32(datagram, command);
    wire::appendU32(datagram, quint32(payload.size()));
    datagram += payload;
    for (const Interface& i : qAsConst(m_interfaces))
        i.socket->writeDatagram(datagram, m_commandTarget, m_commandPort);
}

void Discovery::setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway)
{
    DeviceRecord* record = m_devices.at(index);
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

bool Discovery::addDeviceByAddress(quint32 ip, qint64 now)
{
    if (isFull())
        return false;
    quint32 id = 42215;
    while (m_devices.indexOfId(id) >= 0)
        ++id;
    wire::UDPBrowsingPacket p{};
    p.deviceId = id;
    p.ipAddress = ip;
    m_registry.sqlAdd(p);
    m_devices.append(p, false, now);
    emit deviceListAdd(&p, false);
    return true;
}
