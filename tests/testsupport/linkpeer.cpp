#include "linkpeer.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtTest>

bool LinkPeer::listen(const QHostAddress& address, quint16 port)
{
    return m_server.listen(address, port);
}

bool LinkPeer::accept()
{
    if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(3000))
        return false;
    m_socket.reset(m_server.nextPendingConnection());
    m_cutter.clear();
    m_received.clear();
    if (!m_socket)
        return false;
    QObject::connect(m_socket.get(), &QTcpSocket::readyRead, [this] { readAll(); });
    return true;
}

bool LinkPeer::connectModel(DataModel& model)
{
    DataModel::UDPBrowsingPacket unit{};
    unit.deviceId = 9;
    unit.ipAddress = 0x7F000001;
    model.setTickTimerRunning(false);
    const int index = model.appendDevice(unit, true);
    model.selectDevice(index, false);
    if (!accept())
        return false;
    return QTest::qWaitFor([&] { return model.isConnected(); });
}

void LinkPeer::report(wire::Code code, const QByteArray& payload)
{
    if (m_socket)
        m_socket->write(wire::packet(code, wire::AccessReport, payload));
}

void LinkPeer::readAll()
{
    m_cutter.append(m_socket->readAll());
    m_cutter.cut([&](const wire::PacketHeader& h, const char* p) {
        const QByteArray payload(p, h.length);
        QString s = QStringLiteral("%1%2,%3,%4")
                        .arg(h.access == wire::AccessWrite ? QStringLiteral("w:") : QString())
                        .arg(h.type)
                        .arg(h.subType)
                        .arg(h.funcId);
        if (!payload.isEmpty())
            s += QLatin1Char('[') + QString::fromLatin1(payload.toHex()) + QLatin1Char(']');
        m_received << s;
        if (m_responder) {
            const QList<QByteArray> answers = m_responder(h, payload);
            for (const QByteArray& answer : answers)
                m_socket->write(answer);
        }
    });
}

QStringList LinkPeer::take()
{
    if (m_socket) {
        QCoreApplication::processEvents();
        while (m_socket->waitForReadyRead(50)) {
        }
        readAll();
    }
    QStringList got;
    got.swap(m_received);
    return got;
}
