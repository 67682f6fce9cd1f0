#pragma once

#include <QHostAddress>
#include <QObject>
#include <functional>

class QTimer;
class QUdpSocket;

// Sends the unit's status datagram to the discovery port at a fixed interval: by default as
// a unicast to a loopback address, on a real LAN as a broadcast. The datagram leaves from the
// unit's own address, so a receiver sees the sender it would see from real hardware.
class Announcer : public QObject
{
    Q_OBJECT

public:
    using Builder = std::function<QByteArray()>;

    Announcer(Builder builder, QObject* parent = nullptr);

    void setTarget(const QHostAddress& address, quint16 port);
    // Binds the sending socket to `address` (any port); false when that is impossible, in
    // which case datagrams leave from whatever address the system picks.
    bool setSource(const QHostAddress& address);
    void setInterval(int ms);
    void start();
    void stop();
    bool isRunning() const;
    // Sends one datagram now; returns whether it was written.
    bool announce();

private:
    Builder m_builder;
    QUdpSocket* m_socket;
    QTimer* m_timer;
    QHostAddress m_target = QHostAddress(QHostAddress::LocalHost);
    quint16 m_port = 30068;
};
