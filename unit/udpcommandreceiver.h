#pragma once

#include <QHostAddress>
#include <QObject>

class QUdpSocket;

// Receives the UDP command datagrams (port 6001 on a real LAN): {u32 device ID, u32 command,
// u32 length, payload}. Command 2 carries the new IPv4 address, netmask and gateway. One
// receiver serves every unit of a process; each unit picks the datagrams with its own ID.
class UdpCommandReceiver : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 6001;
    static constexpr quint32 kNetworkSettings = 2;

    struct NetworkSettings
    {
        quint32 deviceId = 0;
        quint32 ipAddress = 0;
        quint32 netmask = 0;
        quint32 gateway = 0;
    };

    explicit UdpCommandReceiver(QObject* parent = nullptr);

    bool bind(const QHostAddress& address, quint16 port);
    quint16 port() const;
    QString errorString() const;

    // False for anything but a well-formed network-settings command.
    static bool parse(const QByteArray& datagram, NetworkSettings& settings);

signals:
    void networkSettingsReceived(const UdpCommandReceiver::NetworkSettings& settings);

private:
    void readPending();

    QUdpSocket* m_socket;
};
