// The control connection: device records and their sockets, sending, receiving and the tick.
#include "datamodel.h"

#include "clock.h"
#include "networkinterfaces.h"
#include "systemsettings.h"

#include <QDateTime>

int DataModel::appendDevice(const UDPBrowsingPacket& packet, bool online,
                            const QHostAddress& localAddress)
{
    auto* record = new DeviceRecord;
    record->packet = packet;
    record->online = online ? 1 : 0;
    record->lastSeen = Clock::now();
    record->localAddress = localAddress;
    attachSocket(record);
    m_devices.append(record);
    return int(m_devices.size()) - 1;
}

const DeviceRecord* DataModel::device(int index) const
{
    return index >= 0 && index < m_devices.size() ? m_devices[index] : nullptr;
}

void DataModel::attachSocket(DeviceRecord* record)
{
    record->socket = new QTcpSocket(this);
    connect(record->socket, &QTcpSocket::stateChanged, this, &DataModel::tcpStateChanged);
    connect(record->socket, &QTcpSocket::readyRead, this, &DataModel::tcpReadyRead);
    connect(record->socket, &QTcpSocket::connected, this, &DataModel::tcpConnected);
}

QTcpSocket* DataModel::currentSocket() const
{
    const DeviceRecord* record = device(m_currentDevice);
    return record ? record->socket : nullptr;
}

int DataModel::indexOfSocket(const QObject* socket) const
{
    for (int i = 0; i < m_devices.size(); ++i) {
        if (m_devices[i]->socket == socket)
            return i;
    }
    return -1;
}

void DataModel::selectDevice(int index, bool flag)
{
    if (index == m_currentDevice)
        return;
    disconnectDevice();
    m_currentDevice = index < m_devices.size() ? index : -1;
    m_password.clear();
    m_lastAcceptedPassword.clear();
    m_bindAddress.clear();
    m_firstBindAddress.clear();
    m_firstCycle = true;
    if (m_currentDevice >= 0)
        connectToDevice();
    emit deviceListSelectionChanged(m_currentDevice, flag);
}

void DataModel::connectToDevice()
{
    DeviceRecord* record = m_devices.value(m_currentDevice);
    if (!record)
        return;
    const QHostAddress target(record->packet.ipAddress);
    disconnectDevice();

    QHostAddress chosen;
    if (!record->localAddress.isNull()) {
        // The address that reached this unit last time is tried first.
        chosen = record->localAddress;
        record->localAddress.clear();
    } else {
        chosen = chooseBindAddress(target);
        if (!chosen.isNull() && m_firstBindAddress.isNull())
            m_firstBindAddress = chosen;
    }
    if (!chosen.isNull()) {
        m_bindAddress = chosen;
        if (!record->socket->bind(chosen, 0, QAbstractSocket::ReuseAddressHint)) {
            // A socket whose bind failed cannot connect; start over with a fresh one.
            record->socket->disconnect(this);
            record->socket->deleteLater();
            attachSocket(record);
        }
    }
    record->socket->connectToHost(target, controlPort(), QIODevice::ReadWrite);
    m_tickCount = 0;
}

QHostAddress DataModel::chooseBindAddress(const QHostAddress& target) const
{
    struct Candidate
    {
        QHostAddress ip;
        bool reachesTarget;
    };
    QList<Candidate> candidates;
    const auto interfaces = NetworkInterfaces::all();
    for (const LocalInterface& li : interfaces) {
        for (const QNetworkAddressEntry& e : li.entries) {
            if (e.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            const QHostAddress subnet(e.ip().toIPv4Address() & e.netmask().toIPv4Address());
            candidates.append({e.ip(), target.isInSubnet(subnet, e.prefixLength())});
        }
    }
    if (candidates.isEmpty())
        return {};
    // After a failed attempt the next local address is tried, round and round.
    const QString current = m_bindAddress.toString();
    for (int i = 0; i < candidates.size(); ++i) {
        if (candidates[i].ip.toString() == current)
            return candidates[(i + 1) % candidates.size()].ip;
    }
    for (const Candidate& c : qAsConst(candidates)) {
        if (c.reachesTarget)
            return c.ip;
    }
    return candidates.first().ip;
}

void DataModel::disconnectDevice()
{
    m_pending.clear();
    if (QTcpSocket* socket = currentSocket()) {
        socket->disconnectFromHost();
        socket->abort();
    }
}

qint64 DataModel::sendPacket(quint8 type, quint8 subType, quint8 funcId, quint8 access,
                             const char* payload, quint16 length)
{
    QTcpSocket* socket = currentSocket();
    if (!socket)
        return -1;
    if (socket->state() != QAbstractSocket::ConnectedState)
        return socket->state();
    wire::PacketHeader header;
    const SystemSettings* settings = SystemSettings::instance();
    header.version = settings ? settings->headerWord() : 1;
    header.type = type;
    header.subType = subType;
    header.funcId = funcId;
    header.access = access;
    if (!wire::buildPacket(m_sendBuffer, header, payload, length))
        return -1;
    socket->write(m_sendBuffer);
    return socket->flush();
}

qint64 DataModel::sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    m_recent.record(type, subType, funcId, Clock::now());
    return sendPacket(type, subType, funcId, wire::AccessWrite, payload.constData(),
                      quint16(qMin(payload.size(), 0xFFFF)));
}

qint64 DataModel::sendQuery(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    return sendPacket(type, subType, funcId, wire::AccessRead, payload.constData(),
                      quint16(qMin(payload.size(), 0xFFFF)));
}

void DataModel::queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 key1, quint8 key2,
                             const QByteArray& payload)
{
    const qint64 now = Clock::now();
    m_recent.record(type, subType, funcId, now);
    m_pending.enqueue(now, type, subType, funcId, key1, key2, payload);
}

void DataModel::sendDueCommands()
{
    const auto due = m_pending.takeDue(Clock::now());
    for (const PendingCommands::Entry& e : due) {
        sendPacket(e.type, e.subType, e.funcId, wire::AccessWrite, e.payload.constData(),
                   quint16(qMin(e.payload.size(), 0xFFFF)));
    }
}

void DataModel::tcpReadyRead()
{
    const int index = indexOfSocket(sender());
    if (index < 0 || index != m_currentDevice)
        return; // another unit's data stays in its socket
    m_lastReceive = Clock::now();
    QTcpSocket* socket = m_devices[index]->socket;
    if (socket->bytesAvailable() <= 0)
        return;
    m_receive.append(socket->readAll());
    m_receive.cut([this](const wire::PacketHeader& header, const char* payload) {
        dispatchPacket(header, payload);
    });
}

void DataModel::tcpConnected()
{
    if (indexOfSocket(sender()) != m_currentDevice)
        return;
    // Small packets every few milliseconds: waiting to coalesce them would only add latency.
    currentSocket()->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_receive.clear();
    m_lastReceive = Clock::now();
    m_firstBindAddress.clear();
    m_firstCycle = true;
}

void DataModel::tcpStateChanged(QAbstractSocket::SocketState state)
{
    const int index = indexOfSocket(sender());
    if (index < 0)
        return;
    if (index == m_currentDevice) {
        m_loggedIn = false;
        if (state == QAbstractSocket::ConnectedState)
            m_devices[index]->localAddress = m_bindAddress;
    }
    emit deviceListNetworkChanged(index);
}

void DataModel::timeout()
{
    ++m_tickCount;
    if (m_tickCount % 100 == 0)
        checkDiscovery();
    QTcpSocket* socket = currentSocket();
    if (!socket)
        return;
    if (socket->state() != QAbstractSocket::ConnectedState) {
        if (m_tickCount > kConnectTimeoutTicks - 1)
            connectionTimedOut();
        return;
    }
    const qint64 now = Clock::now();
    if (now - m_lastReceive > kLinkSilenceMs) {
        connectionTimedOut();
        return;
    }
    sendDueCommands();
    m_recent.expire(now);
    refresh();
}

void DataModel::connectionTimedOut()
{
    const bool sameAsFirst = m_bindAddress == m_firstBindAddress && !m_firstBindAddress.isNull();
    if (sameAsFirst && !m_firstCycle) {
        emit tcpConnectTimeout(true); // every local address has been tried once
    } else {
        if (sameAsFirst)
            m_firstCycle = false;
        emit tcpConnectTimeout(false);
    }
    connectToDevice();
}

void DataModel::login(const QString& password, bool remember)
{
    if (remember)
        m_password = password;
    const QByteArray bytes = password.toLocal8Bit();
    sendPacket(2, 1, 1, wire::AccessWrite, bytes.constData(), quint16(qMin(bytes.size(), 0xFFFF)));
}

void DataModel::forgetPasswords()
{
    m_password.clear();
    m_lastAcceptedPassword.clear();
}

void DataModel::handleLoginAnswer(const QByteArray& payload)
{
    if (payload.size() != 1)
        return;
    switch (quint8(payload[0])) {
    case 1: {
        m_loggedIn = true;
        // Zeroed so that the next reports after login count as changes and reach the views.
        m_usb.playFileCount = 0;
        m_usb.recordFileCount = 0;
        m_system.deviceId = 0;
        if (!m_password.isEmpty())
            m_lastAcceptedPassword = m_password;
        emit tcpSyncToUI(2, 5, 1);
        emit tcpSyncToUI(2, 5, 16);
        emit tcpSyncToUI(2, 2, 29);
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(Clock::now());
        const QDate date = local.date();
        const QTime time = local.time();
        QByteArray stamp;
        stamp.append(char(time.second()));
        stamp.append(char(time.minute()));
        stamp.append(char(time.hour()));
        stamp.append(char(date.day()));
        stamp.append(char(0));
        stamp.append(char(date.month() - 1));
        stamp.append(char(date.year() - 1900));
        sendCommand(2, 2, 12, stamp);
        emit deviceListNetworkChanged(m_currentDevice);
        emit tcpLoginChanged(1);
        break;
    }
    case 0:
        m_loggedIn = false;
        if (!m_lastAcceptedPassword.isEmpty())
            login(m_lastAcceptedPassword, false);
        emit deviceListNetworkChanged(m_currentDevice);
        emit tcpLoginChanged(0);
        break;
    case 2:
        m_loggedIn = false;
        forgetPasswords();
        emit deviceListNetworkChanged(m_currentDevice);
        emit tcpLoginChanged(2);
        break;
    default:
        break;
    }
}

void DataModel::mergeReportedDeviceId(quint32 id)
{
    DeviceRecord* current = m_devices.value(m_currentDevice);
    if (!current || current->packet.deviceId == id)
        return;
    for (int i = 0; i < m_devices.size(); ++i) {
        DeviceRecord* other = m_devices[i];
        if (i == m_currentDevice || other->packet.deviceId != id)
            continue;
        // The unit is already known under this ID: that entry takes over the address in use.
        if (other->packet.ipAddress != current->packet.ipAddress) {
            other->packet.ipAddress = current->packet.ipAddress;
            emit deviceListIPAddressChanged(uint(i), other->packet.ipAddress);
            m_registry.sqlUpdateIPAddress(id, other->packet.ipAddress);
        }
        selectDevice(i, false);
        return;
    }
    m_registry.sqlUpdateDeviceId(current->packet.deviceId, id);
    current->packet.deviceId = id;
    emit deviceListDeviceIDChanged(uint(m_currentDevice), id);
}
