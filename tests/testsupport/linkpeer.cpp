#include "linkpeer.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QtTest>

bool LinkPeer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

bool LinkPeer::accept()
{
    if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(3000))
        return false;
    m_socket.reset(m_server.nextPendingConnection());
    m_cutter.clear();
    return m_socket != nullptr;
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

QStringList LinkPeer::take()
{
    QStringList got;
    if (!m_socket)
        return got;
    QCoreApplication::processEvents();
    while (m_socket->waitForReadyRead(50))
        m_cutter.append(m_socket->readAll());
    m_cutter.append(m_socket->readAll());
    m_cutter.cut([&](const wire::PacketHeader& h, const char* p) {
        QString s = QStringLiteral("%1%2,%3,%4")
                        .arg(h.access == wire::AccessWrite ? QStringLiteral("w:") : QString())
                        .arg(h.type)
                        .arg(h.subType)
                        .arg(h.funcId);
        if (h.length > 0)
            s += QLatin1Char('[') + QString::fromLatin1(QByteArray(p, h.length).toHex()) +
                 QLatin1Char(']');
        got << s;
    });
    return got;
}
