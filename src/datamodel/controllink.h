#pragma once

#include "devicelist.h"
#include "linksettings.h"
#include "pendingcommands.h"
#include "wire/packet.h"
#include "wire/packetcutter.h"

#include <QAbstractSocket>
#include <QHostAddress>
#include <QObject>
#include <functional>

class QTcpSocket;

// The TCP control connection to the selected unit: choosing the local interface and cycling
// through them, the connection and link watchdogs, sending (at once or through the coalescing
// queue), cutting the received stream into packets, and the login's passwords.
class ControlLink : public QObject
{
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutTicks = 300;
    static constexpr qint64 kLinkSilenceMs = 3000;
    // The built-in password tried first when a unit asks for one.
    static constexpr const char* kGuestPassword = "%+guest+";

    ControlLink(DeviceList& devices, QObject* parent = nullptr);
    ~ControlLink() override;

    void setSettings(const LinkSettings& settings) { m_settings = settings; }
    quint16 controlPort() const { return m_settings.controlPort; }
    // Every complete packet of the selected unit goes here.
    using Dispatch = std::function<void(const wire::PacketHeader&, const char* payload)>;
    void setDispatch(Dispatch dispatch) { m_dispatch = std::move(dispatch); }

    // Gives a unit's record its control socket, or takes it away before the record goes.
    void attach(DeviceRecord& record);
    void detach(DeviceRecord& record);

    int current() const { return m_current; }
    // Makes `index` the selected unit (-1: none) and connects; false when it already is.
    bool select(int index);
    // Shifts the selection after the record before it was removed.
    void currentMovedTo(int index) { m_current = index; }
    void connectToDevice();
    void disconnectDevice();
    bool isConnected() const;
    // A unit that was offline is heard again: the next full round of interfaces starts anew.
    void unitCameOnline();

    // --- sending
    qint64 sendPacket(wire::Code code, quint8 access, const char* payload, int length);
    qint64 sendCommand(wire::Code code, const QByteArray& payload = {});
    qint64 sendQuery(wire::Code code, const QByteArray& payload = {});
    void queueCommand(wire::Code code, quint8 key1, quint8 key2, const QByteArray& payload);
    const RecentCommand& recentCommand() const { return m_recent; }
    int pendingCommandCount() const { return m_pending.size(); }
    // Sends the queued commands whose delay has passed; the heartbeat does it every tick.
    void sendDueCommands();

    // Packets sent while a hold stands leave together when the last hold ends: a burst of reads
    // costs one system call and one segment instead of one each.
    class FlushHold
    {
    public:
        explicit FlushHold(ControlLink& link) : m_link(link) { ++m_link.m_flushHolds; }
        ~FlushHold();
        FlushHold(const FlushHold&) = delete;
        FlushHold& operator=(const FlushHold&) = delete;

    private:
        ControlLink& m_link;
    };

    // --- login
    void login(const QString& password, bool remember);
    void forgetPasswords();
    bool isLoggedIn() const { return m_loggedIn; }
    // The unit's one-byte answer to a login: 1 accepted, 0 a password is needed, 2 wrong.
    // Other answers change nothing and return false. On 0 the accepted password is sent again
    // by itself at most once per connection, and only to the address that accepted it: a
    // unit that asks again and again, or a unit that now answers from another address (a
    // status datagram can move it), is asked for by the user instead.
    bool takeLoginAnswer(quint8 answer);
    // A password was accepted at another address than the one connected to now.
    bool addressChangedSinceLogin() const;
    quint32 loginAddress() const { return m_acceptedAt; }
    quint32 targetAddress() const { return m_target; }

    // --- the heartbeat
    quint64 tickCount() const { return m_tickCount; }
    void advanceTick() { ++m_tickCount; }
    // The rest of one 10 ms tick: watchdogs, then the due commands. True while the link
    // stands, when the periodic reads are due.
    bool tick();
    QHostAddress bindAddress() const { return m_bindAddress; }

signals:
    void connectTimeout(bool allInterfacesTried);
    // The connection state of the unit at `index` changed.
    void stateChanged(int index);

public slots:
    void tcpConnected();
    void tcpReadyRead();
    void tcpStateChanged(QAbstractSocket::SocketState state);

private:
    QTcpSocket* currentSocket() const;
    QHostAddress chooseBindAddress(const QHostAddress& target) const;
    // The local addresses an attempt can start from, at least one.
    static int candidateCount();
    void connectionTimedOut();

    DeviceList& m_devices;
    LinkSettings m_settings;
    int m_flushHolds = 0;
    Dispatch m_dispatch;
    int m_current = -1;
    bool m_loggedIn = false;
    QString m_password;
    QString m_lastAcceptedPassword;
    quint64 m_tickCount = 0;
    qint64 m_lastReceive = 0;
    QHostAddress m_bindAddress;
    QHostAddress m_firstBindAddress;
    bool m_firstCycle = false;
    // Attempts that timed out since the round began.
    int m_attempts = 0;
    // The unit's address of the current attempt, and where the password was accepted.
    quint32 m_target = 0;
    quint32 m_acceptedAt = 0;
    // The accepted password was sent again on this connection already.
    bool m_reloginSent = false;

    wire::PacketCutter m_receive;
    QByteArray m_sendBuffer;
    PendingCommands m_pending;
    RecentCommand m_recent;
};
