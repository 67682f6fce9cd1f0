#include "unitsession.h"

#include "clock.h"
#include "controlserver.h"
#include "datamodel.h"
#include "networkinterfaces.h"
#include "unitcore.h"

#include <QCoreApplication>
#include <QTest>
#include <QUdpSocket>

namespace {

constexpr qint64 kStart = 1'760'000'000'000;
// A code the unit reads and ignores: everything sent before it has arrived once it has.
constexpr quint8 kSentinel = 0x7E;

} // namespace

UnitSession::UnitSession(int profile) : m_now(kStart)
{
    UnitConfig config;
    config.controlPort = 0;
    config.discoveryPort = freeUdpPort();
    config.profile = profile;
    m_unit = std::make_unique<VirtualUnit>(config);
    m_unit->core().setClock([this] { return m_now - kStart; });
    QObject::connect(&m_unit->server(), &ControlServer::packetReceived, m_unit.get(),
                     [this](const wire::PacketHeader& h, const QByteArray& payload) {
                         if (h.type == kSentinel)
                             ++m_sentinels;
                         else
                             m_received.append({h.code(), h.access, payload, m_now});
                     });
    Clock::setSource([this] { return m_now; });
    NetworkInterfaces::setSource([] {
        LocalInterface li;
        li.index = 1;
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QHostAddress::LocalHost));
        e.setPrefixLength(8);
        li.entries = {e};
        return QList<LocalInterface>{li};
    });
}

UnitSession::~UnitSession()
{
    m_unit.reset();
    NetworkInterfaces::resetSource();
    Clock::resetSource();
}

bool UnitSession::start(QString* error)
{
    return m_unit->start(error);
}

quint16 UnitSession::freeUdpPort()
{
    QUdpSocket probe;
    return probe.bind(QHostAddress::LocalHost, 0) ? probe.localPort() : 0;
}

void UnitSession::setModel(DataModel* model)
{
    m_model = model;
    if (m_model)
        m_model->setTickTimerRunning(false);
}

void UnitSession::run(int ms)
{
    for (int t = 0; t < ms; t += 10) {
        m_now += 10;
        if (m_model)
            m_model->timeout();
        QCoreApplication::processEvents();
    }
}

bool UnitSession::settle()
{
    if (!m_model)
        return false;
    const int expected = m_sentinels + 1;
    m_model->sendQuery(kSentinel, kSentinel, kSentinel);
    for (int i = 0; i < 500 && m_sentinels < expected; ++i)
        QTest::qWait(5);
    return m_sentinels >= expected;
}

QList<UnitSession::Packet> UnitSession::since(int from, wire::Code code, quint8 access) const
{
    QList<Packet> out;
    for (int i = from; i < m_received.size(); ++i) {
        if (m_received[i].code == code && m_received[i].access == access)
            out << m_received[i];
    }
    return out;
}

QList<UnitSession::Packet> UnitSession::commandsSince(int from) const
{
    QList<Packet> out;
    for (int i = from; i < m_received.size(); ++i) {
        const Packet& p = m_received[i];
        if (p.code.type == wire::DspFamily && p.access == wire::AccessWrite)
            out << p;
    }
    return out;
}
