#pragma once

#include "unitconfig.h"

#include <QHostAddress>
#include <QObject>

class Announcer;
class ControlServer;
class UnitCore;
class UnitState;

// One processor unit on the network: its state and protocol (UnitCore), its control port
// (ControlServer) and its status datagrams (Announcer). The public controls beyond start and
// stop are the test interface: state access, fault injection and immediate announcements.
class VirtualUnit : public QObject
{
    Q_OBJECT

public:
    explicit VirtualUnit(const UnitConfig& config, QObject* parent = nullptr);
    ~VirtualUnit() override;

    // Opens the control port and starts announcing; false (with `error` set) when the port
    // cannot be opened.
    bool start(QString* error = nullptr);
    void stop();

    const UnitConfig& config() const { return m_config; }
    quint32 deviceId() const;
    QHostAddress address() const;
    quint16 controlPort() const;

    UnitCore& core() { return *m_core; }
    UnitState& state();
    ControlServer& server() { return *m_server; }
    Announcer& announcer() { return *m_announcer; }

    // Network settings from the UDP command or the control connection's network settings
    // command. The unit takes an address only if it can listen there (or listens on every
    // address); otherwise it keeps the address it really uses, which is the one it goes on
    // reporting and announcing.
    void applyNetworkSettings(quint32 ipAddress, quint32 netmask, quint32 gateway);
    // Takes a UDP network-settings command when it carries this unit's device ID.
    bool handleUdpCommand(quint32 deviceId, quint32 ipAddress, quint32 netmask, quint32 gateway);

    // Fault injection.
    void setSilent(bool silent);
    void dropConnection();
    void sendGarbage(int count);
    void setAnswerDelay(int ms);

    QByteArray statusDatagram() const;

private:
    bool listensEverywhere() const;

    UnitConfig m_config;
    UnitCore* m_core;
    ControlServer* m_server;
    Announcer* m_announcer;
};
