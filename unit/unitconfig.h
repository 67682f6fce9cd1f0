#pragma once

#include "faultplan.h"

#include <QHostAddress>
#include <QString>

// How one virtual unit is set up.
struct UnitConfig
{
    QHostAddress listenAddress = QHostAddress(QHostAddress::LocalHost);
    quint16 controlPort = 2698; // 0 picks a free port
    QHostAddress discoveryTarget = QHostAddress(QHostAddress::LocalHost);
    quint16 discoveryPort = 30068;
    int announceIntervalMs = 1000;
    quint32 deviceId = 20001;
    int profile = 0;
    QString model;        // empty: the profile's model name
    QString serialNumber; // empty: derived from the device ID
    QString password;     // empty: every login is accepted
    FaultPlan faults;
};
