#pragma once

#include "accessrule.h"
#include "keypattern.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QVariant>
#include <QVector>

class QUdpSocket;
class RemoteService;
class ServedUnit;

// OSC over UDP for consoles and show-control software. Keys are paths: input.3.gain is
// /kv/UNIT/input/3/gain, where UNIT is the served name, device ID, serial number or address.
//   /kv/UNIT/input/3/gain f -6.0     sets (f, d, i, h, T, F or a string); the answer carries the
//                                    value now held
//   /kv/UNIT/input/3/gain            gets; the answer is the same path with the value
//   /kv/UNIT/subscribe s PATTERN...  pushes each change of matching keys (meters included, at
//   /kv/UNIT/unsubscribe s PATTERN   most ten times a second) to the sender
//   /kv/UNIT/preset i N              recalls preset N; answered with the same path once loaded
//   /kv/auth s TOKEN                 admits the sender when a token is required
// Answers go to the sender's address and port; failures come as /kv/error s PATH s MESSAGE.
// Reals are sent as f, whole numbers and switches as i. Messages are encoded and decoded by
// liblo; the socket is the event loop's own, bound only to the address asked for.
class OscFront : public QObject
{
    Q_OBJECT
public:
    // Bounds what one spoofed datagram can make the daemon send to someone else.
    static constexpr int kMaxSubscribers = 32;

    OscFront(RemoteService& service, const AccessRule& access, QObject* parent = nullptr);
    ~OscFront() override;

    bool listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 port() const;

    // One OSC message, encoded by liblo; empty when a value cannot be carried.
    static QByteArray message(const QString& path, const QVariantList& arguments);
    // The arguments of one message (f and d as double, i, h, T, F, s); `path` stays empty when
    // the datagram is not one message, `understood` false when an argument is of another type.
    static QVariantList decode(const QByteArray& datagram, QString* path, bool* understood);

private:
    struct Peer
    {
        QHostAddress address;
        quint16 port = 0;
        friend bool operator==(const Peer& a, const Peer& b)
        {
            return a.address == b.address && a.port == b.port;
        }
    };
    struct Subscriber
    {
        Peer peer;
        QHash<QString, KeyPatternSet> patterns; // by the unit's served name
        // How the subscriber named each unit: pushes use the same path.
        QHash<QString, QString> segments;
    };

    void readDatagrams();
    void handle(const Peer& from, const QByteArray& datagram);
    void handleUnit(const Peer& from, ServedUnit* unit, const QString& unitSegment,
                    const QStringList& rest, const QVariantList& arguments);
    void reply(const Peer& to, const QString& path, const QVariantList& arguments);
    void fail(const Peer& to, const QString& path, const QString& message);
    void valuesChanged(ServedUnit* unit, const QVector<int>& keys);
    void metersChanged(ServedUnit* unit);
    void watch(ServedUnit* unit);
    void snapshot(const Peer& to, ServedUnit* unit, const QString& unitSegment,
                  const KeyPatternSet& patterns);
    Subscriber* subscriber(const Peer& peer);
    static QString peerName(const Peer& peer);

    RemoteService& m_service;
    AccessRule m_access;
    QUdpSocket* m_socket = nullptr;
    QSet<QString> m_admitted;
    QVector<Subscriber> m_subscribers;
    // The meter levels last pushed, per unit: only levels that moved are sent again.
    QHash<ServedUnit*, QVector<int>> m_lastMeters;
};
