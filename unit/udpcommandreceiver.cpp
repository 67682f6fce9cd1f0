#include "udpcommandreceiver.h"

#include "wire/packet.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

UdpCommandReceiver::UdpCommandReceiver(QObject* parent)
    : QObject(parent), m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpCommandReceiver::readPending);
}

bool UdpCommandReceiver::bind(const QHostAddress& address, quint16 port)
{
    m_socket->abort();
    return m_socket->bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
}

quint16 UdpCommandReceiver::port() const
{
    return m_socket->localPort();
}

QString UdpCommandReceiver::errorString() const
{
    return m_socket->errorString();
}

bool UdpCommandReceiver::parse(const QByteArray& datagram, NetworkSettings& settings)
{
    if (datagram.size() != 24)
        return false;
    const char* p = datagram.constData();
    if (wire::readU32(p + 4) != kNetworkSettings || wire::readU32(p + 8) != 12)
        return false;
    settings.deviceId = wire::readU32(p);
    settings.ipAddress = wire::readU32(p + 12);
    settings.netmask = wire::readU32(p + 16);
    settings.gateway = wire::readU32(p + 20);
    return true;
}

void UdpCommandReceiver::readPending()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        NetworkSettings settings;
        if (parse(datagram.data(), settings))
            emit networkSettingsReceived(settings);
    }
}
