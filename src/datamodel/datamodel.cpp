#include "datamodel.h"

#include "clock.h"
#include "reportrules.h"
#include "wire/commands.h"

#include <QDateTime>
#include <QNetworkProxy>

// The core holds no widgets: windows come above it, never inside it.
#if defined(QT_WIDGETS_LIB)
#error "the model's library must not link Qt Widgets"
#endif

Q_LOGGING_CATEGORY(lcModel, "kv.model", QtWarningMsg)

DataModel::DataModel(const LinkSettings& settings, QObject* parent)
    : DataModel(settings, Registry::WorkingDirectory, parent)
{}

DataModel::DataModel(const LinkSettings& settings, Registry registry, QObject* parent)
    : QObject(parent), m_settings(settings), m_link(m_devices, this),
      m_discovery(m_devices, m_registry, this),
      m_refresher(
          [this](wire::Code code, const QByteArray& payload) { m_link.sendQuery(code, payload); })
{
    qRegisterMetaType<DataModel::UDPBrowsingPacket*>("DataModel::UDPBrowsingPacket*");
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    m_link.setSettings(m_settings);
    wireParts();
    const QList<UDPBrowsingPacket> known =
        registry == Registry::InMemory
            ? m_registry.openRegistry(Discovery::kMaxUnits,
                                      QString::fromLatin1(DeviceRegistry::kMemory))
            : m_registry.openRegistry(Discovery::kMaxUnits);
    for (const UDPBrowsingPacket& packet : known)
        appendDevice(packet, false);
    m_discovery.setPort(m_settings.broadcastPort);
    connect(&m_timer, &QTimer::timeout, this, &DataModel::timeout);
    m_timer.start(kTickMs);
}

DataModel::~DataModel()
{
    m_timer.stop();
    for (DeviceRecord* record : m_devices)
        m_link.detach(*record);
}

void DataModel::wireParts()
{
    m_devices.setAppendHook([this](DeviceRecord& record) { m_link.attach(record); });
    m_link.setDispatch([this](const wire::PacketHeader& header, const char* payload) {
        dispatchPacket(header, payload);
    });
    connect(&m_link, &ControlLink::connectTimeout, this, &DataModel::tcpConnectTimeout);
    connect(&m_link, &ControlLink::stateChanged, this, &DataModel::deviceListNetworkChanged);
    // A link that opens, drops or comes back may meet a unit that changed meanwhile.
    connect(&m_link, &ControlLink::stateChanged, this, [this](int index) {
        if (index == m_link.current())
            m_journal.clear(EditJournal::Reason::Connection);
    });

    connect(&m_discovery, &Discovery::unitCameOnline, &m_link, &ControlLink::unitCameOnline);
    connect(&m_discovery, &Discovery::deviceListAdd, this, &DataModel::deviceListAdd);
    connect(&m_discovery, &Discovery::deviceListIPAddressChanged, this,
            &DataModel::deviceListIPAddressChanged);
    connect(&m_discovery, &Discovery::deviceListModelChanged, this,
            &DataModel::deviceListModelChanged);
    connect(&m_discovery, &Discovery::deviceListARMVersionChanged, this,
            &DataModel::deviceListARMVersionChanged);
    connect(&m_discovery, &Discovery::deviceListDSPVersionChanged, this,
            &DataModel::deviceListDSPVersionChanged);
    connect(&m_discovery, &Discovery::deviceListSerialNumberChanged, this,
            &DataModel::deviceListSerialNumberChanged);
    connect(&m_discovery, &Discovery::deviceListLocationChanged, this,
            &DataModel::deviceListLocationChanged);
    connect(&m_discovery, &Discovery::deviceListDescriptionChanged, this,
            &DataModel::deviceListDescriptionChanged);
    connect(&m_discovery, &Discovery::deviceListFaultChanged, this,
            &DataModel::deviceListFaultChanged);
    connect(&m_discovery, &Discovery::deviceListPresetChanged, this,
            &DataModel::deviceListPresetChanged);
    connect(&m_discovery, &Discovery::deviceListRunTimeChanged, this,
            &DataModel::deviceListRunTimeChanged);
    connect(&m_discovery, &Discovery::deviceListNetworkChanged, this,
            &DataModel::deviceListNetworkChanged);
}

void DataModel::setLinkSettings(const LinkSettings& settings)
{
    m_settings = settings;
    m_link.setSettings(settings);
    m_discovery.setPort(settings.broadcastPort);
}

// --- sending

qint64 DataModel::sendPacket(quint8 type, quint8 subType, quint8 funcId, quint8 access,
                             const char* payload, quint16 length)
{
    return m_link.sendPacket(wire::codeOf(type, subType, funcId), access, payload, length);
}

qint64 DataModel::sendCommand(wire::Code code, const QByteArray& payload)
{
    return m_link.sendCommand(code, payload);
}

qint64 DataModel::sendQuery(wire::Code code, const QByteArray& payload)
{
    return m_link.sendQuery(code, payload);
}

void DataModel::queueCommand(wire::Code code, quint8 key1, quint8 key2, const QByteArray& payload)
{
    m_link.queueCommand(code, key1, key2, payload);
}

qint64 DataModel::sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    return sendCommand(wire::codeOf(type, subType, funcId), payload);
}

qint64 DataModel::sendQuery(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload)
{
    return sendQuery(wire::codeOf(type, subType, funcId), payload);
}

void DataModel::queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 key1, quint8 key2,
                             const QByteArray& payload)
{
    queueCommand(wire::codeOf(type, subType, funcId), key1, key2, payload);
}

// --- discovery and the device list

void DataModel::handleBrowsingPacket(QUdpSocket* socket, const QByteArray& datagram)
{
    m_discovery.handleBrowsingPacket(socket, datagram);
}

QHostAddress DataModel::localAddressFor(QUdpSocket* socket, const QHostAddress& unit) const
{
    return m_discovery.localAddressFor(socket, unit);
}

void DataModel::sendUdpCommand(quint32 deviceId, quint32 command, const QByteArray& payload)
{
    m_discovery.sendUdpCommand(deviceId, command, payload);
}

void DataModel::setDeviceNetwork(int index, quint32 ip, quint32 netmask, quint32 gateway)
{
    m_discovery.setDeviceNetwork(index, ip, netmask, gateway);
}

bool DataModel::addDeviceByAddress(quint32 ip)
{
    return m_discovery.addDeviceByAddress(ip, Clock::now());
}

void DataModel::setUdpCommandTarget(const QHostAddress& address, quint16 port)
{
    m_discovery.setUdpCommandTarget(address, port);
}

int DataModel::appendDevice(const UDPBrowsingPacket& packet, bool online,
                            const QHostAddress& localAddress)
{
    return m_devices.append(packet, online, Clock::now(), localAddress);
}

void DataModel::selectDevice(int index, bool flag)
{
    if (m_link.select(index)) {
        m_journal.clear(EditJournal::Reason::Connection);
        emit deviceListSelectionChanged(m_link.current(), flag);
    }
}

void DataModel::removeDeviceAt(int index)
{
    DeviceRecord* record = m_devices.at(index);
    if (!record)
        return;
    m_registry.sqlRemove(record->packet.deviceId);
    if (index == m_link.current())
        selectDevice(-1, true); // the link closes before its socket goes away
    m_link.detach(*record);
    delete m_devices.takeAt(index);
    if (index < m_link.current()) {
        m_link.currentMovedTo(m_link.current() - 1);
        emit deviceListSelectionChanged(m_link.current(), true);
    }
    emit deviceListRemove(index);
}

// --- the unit's answers

void DataModel::handleLoginAnswer(const QByteArray& payload)
{
    if (payload.size() != 1 || !m_link.takeLoginAnswer(quint8(payload[0])))
        return;
    const quint8 answer = quint8(payload[0]);
    if (answer == 1) {
        m_journal.clear(EditJournal::Reason::Connection);
        // Zeroed so that the next reports after login count as changes and reach the views.
        m_mirror.usb.playFileCount = 0;
        m_mirror.usb.recordFileCount = 0;
        m_mirror.system.deviceId = 0;
        sync(wire::code::PlayFileCount);
        sync(wire::code::RecordFileCount);
        sync(wire::code::DeviceId);
        wire::deliver(*this, wire::cmd::timeSet(QDateTime::fromMSecsSinceEpoch(Clock::now())));
    }
    emit deviceListNetworkChanged(m_link.current());
    emit tcpLoginChanged(answer);
}

void DataModel::mergeReportedDeviceId(quint32 id)
{
    const int currentIndex = m_link.current();
    DeviceRecord* current = m_devices.at(currentIndex);
    if (!current || current->packet.deviceId == id)
        return;
    const int known = m_devices.indexOfId(id);
    if (known >= 0) {
        // The unit is already known under this ID: that entry takes over the address in use.
        DeviceRecord* other = m_devices.at(known);
        if (other->packet.ipAddress != current->packet.ipAddress) {
            other->packet.ipAddress = current->packet.ipAddress;
            emit deviceListIPAddressChanged(uint(known), other->packet.ipAddress);
            m_registry.sqlUpdateIPAddress(id, other->packet.ipAddress);
        }
        selectDevice(known, false);
        return;
    }
    m_registry.sqlUpdateDeviceId(current->packet.deviceId, id);
    current->packet.deviceId = id;
    emit deviceListDeviceIDChanged(uint(currentIndex), id);
}

// --- the mirror

void DataModel::applyChannelConfiguration(int usbPlayInput, int usbRecordOutput, int configuration)
{
    m_mirror.applyChannelConfiguration(usbPlayInput, usbRecordOutput, configuration);
}

void DataModel::resetLiveValues()
{
    const QVector<wire::Code> blanked = m_mirror.resetLiveValues();
    for (wire::Code code : blanked)
        sync(code);
}

// --- the heartbeat and the inbound packets

void DataModel::setTickTimerRunning(bool running)
{
    if (running)
        m_timer.start(kTickMs);
    else
        m_timer.stop();
}

void DataModel::timeout()
{
    m_link.advanceTick();
    if (m_link.tickCount() % 100 == 0)
        m_discovery.check(Clock::now());
    if (m_link.tick()) {
        const ControlLink::FlushHold together(m_link);
        m_refresher.refresh(m_link.tickCount(), m_link.recentCommand());
    }
}

void DataModel::dispatchPacket(const wire::PacketHeader& header, const char* payload)
{
    // Families other than upgrade, system, DSP and status are consumed without effect.
    if (header.type >= wire::UpgradeFamily && header.type <= wire::StatusFamily)
        reports::apply(*this, header, payload);
}
