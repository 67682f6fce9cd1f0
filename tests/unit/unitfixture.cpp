#include "unitfixture.h"

bool UnitFixture::start(int profile, const QString& password, const FaultPlan& faults)
{
    if (!m_sink.bind(QHostAddress(QHostAddress::LocalHost), 0))
        return false;
    UnitConfig config;
    config.controlPort = 0;
    config.discoveryPort = m_sink.localPort();
    config.profile = profile;
    config.password = password;
    config.faults = faults;
    m_unit = std::make_unique<VirtualUnit>(config);
    if (!m_unit->start())
        return false;
    return reconnect();
}

bool UnitFixture::reconnect()
{
    m_client = std::make_unique<UnitClient>();
    return m_client->connectTo(QHostAddress(QHostAddress::LocalHost), m_unit->controlPort());
}
