#include "controlserver.h"

#include "unitcore.h"

#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

Q_LOGGING_CATEGORY(lcControl, "kv.unit.control", QtInfoMsg)

namespace {

constexpr quint8 kLoginRequired = 0;
constexpr quint8 kLoginAccepted = 1;
constexpr quint8 kLoginRefused = 2;

QTimer* singleShotTimer(QObject* parent)
{
    auto* timer = new QTimer(parent);
    timer->setSingleShot(true);
    return timer;
}

} // namespace

ControlServer::ControlServer(UnitCore& unit, QObject* parent)
    : QObject(parent), m_unit(unit), m_server(new QTcpServer(this)),
      m_silentTimer(singleShotTimer(this)), m_dropTimer(singleShotTimer(this)),
      m_garbageTimer(new QTimer(this)), m_delayTimer(singleShotTimer(this))
{
    m_clock.start();
    connect(m_server, &QTcpServer::newConnection, this, &ControlServer::acceptConnection);
    connect(m_silentTimer, &QTimer::timeout, this, [this] { m_silentByPlan = true; });
    connect(m_dropTimer, &QTimer::timeout, this, &ControlServer::dropConnection);
    connect(m_garbageTimer, &QTimer::timeout, this, [this] {
        m_noise = m_noise * 1664525u + 1013904223u;
        sendGarbage(1 + int((m_noise >> 24) % 16));
    });
    connect(m_delayTimer, &QTimer::timeout, this, &ControlServer::flushDue);
}

ControlServer::~ControlServer()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

bool ControlServer::listen(const QHostAddress& address, quint16 port)
{
    m_server->close();
    if (!m_server->listen(address, port)) {
        qCWarning(lcControl) << "Cannot listen on" << address.toString() << port << ":"
                             << m_server->errorString();
        return false;
    }
    return true;
}

bool ControlServer::moveTo(const QHostAddress& address)
{
    const QHostAddress old = m_server->serverAddress();
    const quint16 port = m_server->serverPort();
    if (address == old)
        return true;
    if (listen(address, port))
        return true;
    listen(old, port);
    return false;
}

void ControlServer::close()
{
    m_server->close();
    dropConnection();
}

bool ControlServer::isListening() const
{
    return m_server->isListening();
}

QHostAddress ControlServer::address() const
{
    return m_server->serverAddress();
}

quint16 ControlServer::port() const
{
    return m_server->serverPort();
}

QString ControlServer::errorString() const
{
    return m_server->errorString();
}

bool ControlServer::hasConnection() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void ControlServer::setFaultPlan(const FaultPlan& plan)
{
    m_plan = plan;
    if (hasConnection())
        startPlanTimers();
}

void ControlServer::setSilent(bool silent)
{
    m_silent = silent;
    if (!silent) {
        m_silentByPlan = false;
        m_silentTimer->stop();
    }
}

void ControlServer::setAnswerDelay(int ms)
{
    m_plan.answerDelayMs = qMax(0, ms);
}

void ControlServer::dropConnection()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_socket = nullptr;
    connectionEnded();
}

void ControlServer::sendGarbage(int count)
{
    // Never 0x82, the first byte of a packet, so a reader resynchronises exactly at the next
    // real packet.
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        m_noise = m_noise * 1664525u + 1013904223u;
        const char b = char(m_noise >> 24);
        bytes.append(quint8(b) == 0x82 ? char(0x28) : b);
    }
    send(bytes);
}

void ControlServer::acceptConnection()
{
    while (QTcpSocket* next = m_server->nextPendingConnection()) {
        if (m_socket) {
            qCInfo(lcControl) << "New connection replaces the one from"
                              << m_socket->peerAddress().toString();
            dropConnection();
        }
        m_socket = next;
        // Reports are small and frequent; a unit answers each at once.
        next->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(next, &QTcpSocket::readyRead, this, &ControlServer::readConnection);
        connect(next, &QTcpSocket::disconnected, this, [this, next] {
            if (m_socket == next) {
                m_socket = nullptr;
                next->deleteLater();
                connectionEnded();
            }
        });
        m_cutter.clear();
        m_pending.clear();
        m_silentByPlan = false;
        m_loggedIn = m_unit.state().system.password.isEmpty();
        startPlanTimers();
        emit connectionOpened();
        sendReport(wire::code::Login,
                   QByteArray(1, char(m_loggedIn ? kLoginAccepted : kLoginRequired)));
    }
}

void ControlServer::connectionEnded()
{
    stopPlanTimers();
    m_pending.clear();
    m_delayTimer->stop();
    m_cutter.clear();
    m_loggedIn = false;
    emit connectionClosed();
}

void ControlServer::startPlanTimers()
{
    stopPlanTimers();
    if (m_plan.silentAfterMs >= 0)
        m_silentTimer->start(m_plan.silentAfterMs);
    if (m_plan.dropAfterMs >= 0)
        m_dropTimer->start(m_plan.dropAfterMs);
    if (m_plan.garbageEveryMs > 0)
        m_garbageTimer->start(m_plan.garbageEveryMs);
}

void ControlServer::stopPlanTimers()
{
    m_silentTimer->stop();
    m_dropTimer->stop();
    m_garbageTimer->stop();
}

void ControlServer::readConnection()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    // A silent unit is a hung unit: what arrives meanwhile is lost.
    if (isSilent())
        return;
    m_cutter.append(bytes);
    m_cutter.cut([this](const wire::PacketHeader& header, const char* payload) {
        handlePacket(header, payload);
    });
}

void ControlServer::handlePacket(const wire::PacketHeader& header, const char* payload)
{
    const QByteArray body(payload, header.length);
    emit packetReceived(header, body);
    if (header.code() == wire::code::Login) {
        if (header.access == wire::AccessWrite)
            handleLogin(body);
        else if (header.access == wire::AccessRead)
            sendReport(wire::code::Login,
                       QByteArray(1, char(m_loggedIn ? kLoginAccepted : kLoginRequired)));
        return;
    }
    Replies replies;
    if (header.access == wire::AccessRead)
        replies = m_unit.read(header, body);
    else if (header.access == wire::AccessWrite && m_loggedIn)
        replies = m_unit.command(header, body);
    for (const QByteArray& frame : replies.frames())
        send(frame);
}

void ControlServer::handleLogin(const QByteArray& password)
{
    const QByteArray& expected = m_unit.state().system.password;
    if (expected.isEmpty()) {
        m_loggedIn = true;
        sendReport(wire::code::Login, QByteArray(1, char(kLoginAccepted)));
        return;
    }
    if (password == expected) {
        m_loggedIn = true;
        sendReport(wire::code::Login, QByteArray(1, char(kLoginAccepted)));
        return;
    }
    if (password == kGuestPassword)
        return;
    m_loggedIn = false;
    sendReport(wire::code::Login, QByteArray(1, char(kLoginRefused)));
}

void ControlServer::sendReport(wire::Code code, const QByteArray& payload)
{
    send(wire::packet(code, wire::AccessReport, payload));
}

void ControlServer::send(const QByteArray& bytes)
{
    if (!hasConnection() || isSilent() || bytes.isEmpty())
        return;
    if (m_plan.answerDelayMs <= 0 && m_pending.isEmpty()) {
        writeNow(bytes);
        return;
    }
    m_pending.enqueue({m_clock.elapsed() + m_plan.answerDelayMs, bytes});
    if (!m_delayTimer->isActive())
        m_delayTimer->start(int(qMax<qint64>(0, m_pending.head().due - m_clock.elapsed())));
}

void ControlServer::flushDue()
{
    const qint64 now = m_clock.elapsed();
    while (!m_pending.isEmpty() && m_pending.head().due <= now) {
        const QByteArray bytes = m_pending.dequeue().bytes;
        if (!isSilent())
            writeNow(bytes);
    }
    if (!m_pending.isEmpty())
        m_delayTimer->start(int(qMax<qint64>(0, m_pending.head().due - now)));
}

void ControlServer::writeNow(const QByteArray& bytes)
{
    if (hasConnection())
        m_socket->write(bytes);
}
