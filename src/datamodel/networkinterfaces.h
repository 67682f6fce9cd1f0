#pragma once

#include <QList>
#include <QNetworkAddressEntry>
#include <QString>
#include <functional>

// The PC's network interfaces as discovery and the connection see them. Tests replace the
// source to stand for machines with other interfaces.
struct LocalInterface
{
    int index = 0;
    QString name;
    bool active = false; // up or running, and not loopback
    QList<QNetworkAddressEntry> entries;

    // The first IPv4 address entry, or null.
    QHostAddress firstIPv4() const;
};

namespace NetworkInterfaces {
QList<LocalInterface> all();
QList<LocalInterface> active();
void setSource(std::function<QList<LocalInterface>()> source);
void resetSource();
} // namespace NetworkInterfaces
