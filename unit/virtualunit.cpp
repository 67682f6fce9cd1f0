#include "virtualunit.h"

#include "announcer.h"
#include "controlserver.h"
#include "statusdatagram.h"
#include "unitcore.h"

#include <QLoggingCategory>
#include <QNetworkInterface>

Q_LOGGING_CATEGORY(lcUnit, "kv.unit", QtInfoMsg)

namespace {

// The address to announce when the unit listens on every address.
quint32 announcedAnyAddress(const QHostAddress& discoveryTarget)
{
    if (discoveryTarget.isLoopback())
        return QHostAddress(QHostAddress::LocalHost).toIPv4Address();
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (!(iface.flags() & QNetworkInterface::IsUp) ||
            (iface.flags() & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toIPv4Address();
        }
    }
    return QHostAddress(QHostAddress::LocalHost).toIPv4Address();
}

quint32 prefixMask(int prefix)
{
    return prefix <= 0 ? 0u : prefix >= 32 ? 0xFFFFFFFFu : ~((1u << (32 - prefix)) - 1u);
}

} // namespace

VirtualUnit::VirtualUnit(const UnitConfig& config, QObject* parent)
    : QObject(parent), m_config(config),
      m_core(new UnitCore(ChannelProfile::forIndex(config.profile), config.deviceId, this)),
      m_server(new ControlServer(*m_core, this)),
      m_announcer(new Announcer([this] { return statusDatagram(); }, this))
{
    UnitState::System& s = m_core->state().system;
    if (!config.model.isEmpty())
        s.model = config.model.toLocal8Bit();
    if (!config.serialNumber.isEmpty())
        s.serialNumber = config.serialNumber.toLocal8Bit();
    s.password = config.password.toLocal8Bit();
    if (listensEverywhere()) {
        s.ipAddress = announcedAnyAddress(config.discoveryTarget);
    } else {
        s.ipAddress = config.listenAddress.toIPv4Address();
        // Loopback units sit in 127.0.0.0/8; others get the usual /24 and its first host.
        s.netmask = config.listenAddress.isLoopback() ? prefixMask(8) : prefixMask(24);
        s.gateway = config.listenAddress.isLoopback() ? 0 : (s.ipAddress & s.netmask) | 1u;
    }
    m_server->setFaultPlan(config.faults);
    m_announcer->setTarget(config.discoveryTarget, config.discoveryPort);
    m_announcer->setInterval(config.announceIntervalMs);
    connect(m_core, &UnitCore::networkSettingsRequested, this, &VirtualUnit::applyNetworkSettings);
}

VirtualUnit::~VirtualUnit() = default;

bool VirtualUnit::start(QString* error)
{
    if (!m_server->listen(m_config.listenAddress, m_config.controlPort)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1:%2: %3")
                         .arg(m_config.listenAddress.toString())
                         .arg(m_config.controlPort)
                         .arg(m_server->errorString());
        return false;
    }
    m_announcer->setSource(m_config.listenAddress);
    m_announcer->start();
    return true;
}

void VirtualUnit::stop()
{
    m_announcer->stop();
    m_server->close();
}

quint32 VirtualUnit::deviceId() const
{
    return m_core->state().system.deviceId;
}

QHostAddress VirtualUnit::address() const
{
    return QHostAddress(m_core->state().system.ipAddress);
}

quint16 VirtualUnit::controlPort() const
{
    return m_server->port();
}

UnitState& VirtualUnit::state()
{
    return m_core->state();
}

bool VirtualUnit::listensEverywhere() const
{
    return m_config.listenAddress == QHostAddress::AnyIPv4 ||
           m_config.listenAddress == QHostAddress::Any;
}

void VirtualUnit::applyNetworkSettings(quint32 ipAddress, quint32 netmask, quint32 gateway)
{
    UnitState::System& s = m_core->state().system;
    s.netmask = netmask;
    s.gateway = gateway;
    if (ipAddress == s.ipAddress || listensEverywhere()) {
        s.ipAddress = ipAddress;
        return;
    }
    const QHostAddress target(ipAddress);
    if (!m_server->isListening()) {
        m_config.listenAddress = target;
        s.ipAddress = ipAddress;
        return;
    }
    if (!m_server->moveTo(target)) {
        qCWarning(lcUnit) << "Unit" << deviceId() << "cannot take the address" << target.toString()
                          << "and keeps" << address().toString();
        return;
    }
    s.ipAddress = ipAddress;
    m_announcer->setSource(target);
    qCInfo(lcUnit) << "Unit" << deviceId() << "moved to" << target.toString();
}

bool VirtualUnit::handleUdpCommand(quint32 id, quint32 ipAddress, quint32 netmask, quint32 gateway)
{
    if (id != deviceId())
        return false;
    applyNetworkSettings(ipAddress, netmask, gateway);
    return true;
}

void VirtualUnit::setSilent(bool silent)
{
    m_server->setSilent(silent);
}

void VirtualUnit::dropConnection()
{
    m_server->dropConnection();
}

void VirtualUnit::sendGarbage(int count)
{
    m_server->sendGarbage(count);
}

void VirtualUnit::setAnswerDelay(int ms)
{
    m_server->setAnswerDelay(ms);
}

QByteArray VirtualUnit::statusDatagram() const
{
    const PresetStore& presets = m_core->presets();
    const int current = presets.current();
    return StatusDatagram::build(*m_core,
                                 presets.isUsed(current) ? presets.name(current) : QByteArray());
}
