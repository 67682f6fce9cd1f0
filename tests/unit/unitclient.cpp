#include "unitclient.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

bool UnitClient::connectTo(const QHostAddress& address, quint16 port)
{
    m_socket.connectToHost(address, port);
    return m_socket.waitForConnected(2000);
}

bool UnitClient::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

bool UnitClient::waitForDisconnect(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (isConnected() && !deadline.hasExpired())
        pump(10);
    return !isConnected();
}

void UnitClient::send(wire::Code code, quint8 access, const QByteArray& payload)
{
    m_socket.write(wire::packet(code, access, payload));
    m_socket.flush();
}

void UnitClient::pump(int ms)
{
    // The unit lives in this thread, so the event loop must run for it to answer.
    QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    if (m_socket.bytesAvailable() == 0)
        m_socket.waitForReadyRead(qMax(1, ms));
    QCoreApplication::processEvents();
    const QByteArray bytes = m_socket.readAll();
    if (bytes.isEmpty())
        return;
    m_raw.append(bytes);
    m_cutter.append(bytes);
    m_cutter.cut([this](const wire::PacketHeader& header, const char* payload) {
        m_packets.append({header, QByteArray(payload, header.length)});
    });
}

QVector<UnitClient::Packet> UnitClient::take(wire::Code code, int count, int ms)
{
    const auto matching = [&] {
        QVector<Packet> found;
        for (const Packet& p : m_packets) {
            if (p.header.code() == code)
                found.append(p);
        }
        return found;
    };
    const QDeadlineTimer deadline(ms);
    while (matching().size() < count && !deadline.hasExpired())
        pump(5);
    const QVector<Packet> found = matching();
    QVector<Packet> rest;
    for (const Packet& p : m_packets) {
        if (p.header.code() != code)
            rest.append(p);
    }
    m_packets = rest;
    return found;
}

int UnitClient::idle(int ms)
{
    const int before = m_raw.size();
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        pump(5);
    return m_raw.size() - before;
}

void UnitClient::clear()
{
    pump(1);
    m_packets.clear();
    m_raw.clear();
}
