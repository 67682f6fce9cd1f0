#pragma once

#include "unitclient.h"
#include "virtualunit.h"

#include <QUdpSocket>
#include <memory>

// A virtual unit on 127.0.0.1 with an ephemeral control port, announcing into a sink socket
// of the test, and a client connected to it.
class UnitFixture
{
public:
    bool start(int profile = 0, const QString& password = {}, const FaultPlan& faults = {});

    VirtualUnit& unit() { return *m_unit; }
    UnitClient& client() { return *m_client; }
    // A fresh client on the same unit (which replaces the current connection).
    bool reconnect();

private:
    QUdpSocket m_sink;
    std::unique_ptr<VirtualUnit> m_unit;
    std::unique_ptr<UnitClient> m_client;
};
