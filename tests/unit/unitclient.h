#pragma once

#include "wire/packet.h"
#include "wire/packetcutter.h"

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>
#include <QVector>

// A bare control-protocol client for the unit tests: a QTcpSocket that frames requests and
// collects every packet (and every raw byte) the unit sends.
class UnitClient
{
public:
    struct Packet
    {
        wire::PacketHeader header;
        QByteArray payload;
    };

    bool connectTo(const QHostAddress& address, quint16 port);
    bool isConnected() const;
    // Waits up to `ms` for the unit to close the connection.
    bool waitForDisconnect(int ms);

    void send(wire::Code code, quint8 access, const QByteArray& payload = {});
    void read(wire::Code code, const QByteArray& payload = {})
    {
        send(code, wire::AccessRead, payload);
    }
    void command(wire::Code code, const QByteArray& payload = {})
    {
        send(code, wire::AccessWrite, payload);
    }

    // Waits up to `ms` until `count` packets of the code have arrived since the last take and
    // returns them (fewer on time-out).
    QVector<Packet> take(wire::Code code, int count = 1, int ms = 2000);
    // Lets the event loop run for `ms` and returns the number of bytes that arrived meanwhile.
    int idle(int ms);
    QByteArray rawBytes() const { return m_raw; }
    void clear();

private:
    void pump(int ms);

    QTcpSocket m_socket;
    wire::PacketCutter m_cutter;
    QVector<Packet> m_packets;
    QByteArray m_raw;
};
