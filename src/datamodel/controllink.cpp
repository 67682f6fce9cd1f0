#include "controllink.h"

#include "clock.h"
#include "networkinterfaces.h"
#include "wire/commands.h"

#include <QTcpSocket>

#include <algorithm>

ControlLink::ControlLink(DeviceList& devices, QObject* parent) : QObject(parent), m_devices(devices)
{}

ControlLink::~ControlLink()
{
    for (DeviceRecord* record : m_devices)
        detach(*record);
}

void ControlLink::attach(DeviceRecord& record)
{
    record.socket = new QTcpSocket(this);
    connect(record.socket, &QTcpSocket::stateChanged, this, &ControlLink::tcpStateChanged);
    connect(record.socket, &QTcpSocket::readyRead, this, &ControlLink::tcpReadyRead);
    connect(record.socket, &QTcpSocket::connected, this, &ControlLink::tcpConnected);
}

void ControlLink::detach(DeviceRecord& record)
{
    if (!record.socket)
        return;
    record.socket->disconnect(this);
    record.socket->abort();
    record.socket->deleteLater();
    record.socket = nullptr;
}

QTcpSocket* ControlLink::currentSocket() const
{
    const DeviceRecord* record = m_devices.at(m_current);
    return record ? record->socket : nullptr;
}

bool ControlLink::isConnected() const
{
    const QTcpSocket* socket = currentSocket();
    return socket && socket->state() == QAbstractSocket::ConnectedState;
}

bool ControlLink::select(int index)
{
    if (index == m_current)
        return false;
    disconnectDevice();
    m_current = index < m_devices.size() ? index : -1;
    forgetPasswords();
    m_bindAddress.clear();
    m_firstBindAddress.clear();
    m_firstCycle = true;
    m_attempts = 0;
    if (m_current >= 0)
        connectToDevice();
    return true;
}

void ControlLink::unitCameOnline()
{
    m_firstBindAddress.clear();
    m_firstCycle = true;
    m_attempts = 0;
}

void ControlLink::connectToDevice()
{
    DeviceRecord* record = m_devices.at(m_current);
    if (!record)
        return;
    const QHostAddress target(record->packet.ipAddress);
    m_target = record->packet.ipAddress;
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
            detach(*record);
            attach(*record);
        }
    }
    record->socket->connectToHost(target, m_settings.controlPort, QIODevice::ReadWrite);
    m_tickCount = 0;
}

QHostAddress ControlLink::chooseBindAddress(const QHostAddress& target) const
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

void ControlLink::disconnectDevice()
{
    m_pending.clear();
    if (QTcpSocket* socket = currentSocket()) {
        socket->disconnectFromHost();
        socket->abort();
    }
}

// --- sending

qint64 ControlLink::sendPacket(wire::Code code, quint8 access, const char* payload, int length)
{
    QTcpSocket* socket = currentSocket();
    if (!socket)
        return -1;
    if (socket->state() != QAbstractSocket::ConnectedState)
        return socket->state();
    wire::PacketHeader header;
    header.version = m_settings.headerWord;
    header.setCode(code);
    header.access = access;
    if (!wire::buildPacket(m_sendBuffer, header, payload, length))
        return -1;
    socket->write(m_sendBuffer);
    return m_flushHolds > 0 ? 1 : socket->flush();
}

ControlLink::FlushHold::~FlushHold()
{
    if (--m_link.m_flushHolds == 0) {
        if (QTcpSocket* socket = m_link.currentSocket())
            socket->flush();
    }
}

qint64 ControlLink::sendCommand(wire::Code code, const QByteArray& payload)
{
    m_recent.record(code, Clock::now());
    return sendPacket(code, wire::AccessWrite, payload.constData(), int(payload.size()));
}

qint64 ControlLink::sendQuery(wire::Code code, const QByteArray& payload)
{
    return sendPacket(code, wire::AccessRead, payload.constData(), int(payload.size()));
}

void ControlLink::queueCommand(wire::Code code, quint8 key1, quint8 key2, const QByteArray& payload)
{
    const qint64 now = Clock::now();
    m_recent.record(code, now);
    m_pending.enqueue(now, code, key1, key2, payload);
}

void ControlLink::sendDueCommands()
{
    const auto due = m_pending.takeDue(Clock::now());
    for (const PendingCommands::Entry& e : due)
        sendPacket(e.code, wire::AccessWrite, e.payload.constData(), int(e.payload.size()));
}

// --- receiving

void ControlLink::tcpReadyRead()
{
    const int index = m_devices.indexOfSocket(sender());
    if (index < 0 || index != m_current)
        return; // another unit's data stays in its socket
    m_lastReceive = Clock::now();
    QTcpSocket* socket = m_devices.at(index)->socket;
    if (socket->bytesAvailable() <= 0)
        return;
    m_receive.append(socket->readAll());
    m_receive.cut([this](const wire::PacketHeader& header, const char* payload) {
        if (m_dispatch)
            m_dispatch(header, payload);
    });
}

void ControlLink::tcpConnected()
{
    if (m_devices.indexOfSocket(sender()) != m_current)
        return;
    // Small packets every few milliseconds: waiting to coalesce them would only add latency.
    currentSocket()->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_receive.clear();
    m_lastReceive = Clock::now();
    m_firstBindAddress.clear();
    m_firstCycle = true;
    m_attempts = 0;
    m_reloginSent = false;
}

void ControlLink::tcpStateChanged(QAbstractSocket::SocketState state)
{
    const int index = m_devices.indexOfSocket(sender());
    if (index < 0)
        return;
    if (index == m_current) {
        m_loggedIn = false;
        if (state == QAbstractSocket::ConnectedState)
            m_devices.at(index)->localAddress = m_bindAddress;
    }
    emit stateChanged(index);
}

// --- the heartbeat

bool ControlLink::tick()
{
    QTcpSocket* socket = currentSocket();
    if (!socket)
        return false;
    if (socket->state() != QAbstractSocket::ConnectedState) {
        if (m_tickCount > kConnectTimeoutTicks - 1)
            connectionTimedOut();
        return false;
    }
    const qint64 now = Clock::now();
    if (now - m_lastReceive > kLinkSilenceMs) {
        connectionTimedOut();
        return false;
    }
    sendDueCommands();
    m_recent.expire(now);
    return true;
}

int ControlLink::candidateCount()
{
    int count = 0;
    const auto interfaces = NetworkInterfaces::all();
    for (const LocalInterface& li : interfaces) {
        for (const QNetworkAddressEntry& e : li.entries)
            count += e.ip().protocol() == QAbstractSocket::IPv4Protocol ? 1 : 0;
    }
    return std::max(count, 1);
}

void ControlLink::connectionTimedOut()
{
    ++m_attempts;
    const bool sameAsFirst = m_bindAddress == m_firstBindAddress && !m_firstBindAddress.isNull();
    // A unit that keeps announcing itself refills the address it was heard on with every
    // datagram, so every attempt may start from that address and the round through the
    // interfaces never closes; counting the attempts closes it all the same.
    if ((sameAsFirst && !m_firstCycle) || m_attempts > candidateCount()) {
        m_attempts = 0;
        emit connectTimeout(true); // every local address has been tried once
    } else {
        if (sameAsFirst)
            m_firstCycle = false;
        emit connectTimeout(false);
    }
    connectToDevice();
}

// --- login

void ControlLink::login(const QString& password, bool remember)
{
    if (remember)
        m_password = password;
    // Not an edit: it leaves the record of the last edit alone.
    const wire::Command c = wire::cmd::login(password);
    sendPacket(c.code, c.access, c.payload.constData(), int(c.payload.size()));
}

bool ControlLink::addressChangedSinceLogin() const
{
    return !m_lastAcceptedPassword.isEmpty() && m_acceptedAt != m_target;
}

void ControlLink::forgetPasswords()
{
    m_password.clear();
    m_lastAcceptedPassword.clear();
}

bool ControlLink::takeLoginAnswer(quint8 answer)
{
    switch (answer) {
    case 1:
        m_loggedIn = true;
        if (!m_password.isEmpty()) {
            m_lastAcceptedPassword = m_password;
            m_acceptedAt = m_target;
        }
        return true;
    case 0:
        m_loggedIn = false;
        if (!m_lastAcceptedPassword.isEmpty() && !m_reloginSent && !addressChangedSinceLogin()) {
            m_reloginSent = true;
            login(m_lastAcceptedPassword, false);
        }
        return true;
    case 2:
        m_loggedIn = false;
        forgetPasswords();
        return true;
    default:
        return false;
    }
}
