#pragma once

#include "faultplan.h"
#include "wire/packet.h"
#include "wire/packetcutter.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QQueue>

class QTcpServer;
class QTcpSocket;
class QTimer;
class UnitCore;

// The unit's TCP side: it listens on the control port and serves one connection at a time
// (a new connection replaces the one before, so a client that lost its link is never locked
// out by a half-dead socket). It frames every packet with access 0x80, runs the login, answers
// reads at any time, applies commands only once the connection is logged in, and injects the
// faults of its plan.
class ControlServer : public QObject
{
    Q_OBJECT

public:
    // Sent by the application's device panel before it asks the user; it is never answered
    // when a password is set, since a "password required" answer would bring it straight back.
    static constexpr const char* kGuestPassword = "%+guest+";

    ControlServer(UnitCore& unit, QObject* parent = nullptr);
    ~ControlServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    // Moves the listener to another address on the same port; an established connection
    // stays. On failure the old listener is restored and false returned.
    bool moveTo(const QHostAddress& address);
    void close();
    bool isListening() const;
    QHostAddress address() const;
    quint16 port() const;
    QString errorString() const;

    bool hasConnection() const;
    bool isLoggedIn() const { return m_loggedIn; }

    void setFaultPlan(const FaultPlan& plan);
    const FaultPlan& faultPlan() const { return m_plan; }
    // Test controls; each acts on the current connection at once.
    void setSilent(bool silent);
    bool isSilent() const { return m_silent || m_silentByPlan; }
    void dropConnection();
    void sendGarbage(int count);
    void setAnswerDelay(int ms);

signals:
    // Every packet that arrives on the control connection, before it is acted on.
    void packetReceived(const wire::PacketHeader& header, const QByteArray& payload);
    void connectionOpened();
    void connectionClosed();

private:
    void acceptConnection();
    void readConnection();
    void connectionEnded();
    void handlePacket(const wire::PacketHeader& header, const char* payload);
    void handleLogin(const QByteArray& password);
    void send(const QByteArray& bytes);
    void sendReport(wire::Code code, const QByteArray& payload);
    void writeNow(const QByteArray& bytes);
    void flushDue();
    void startPlanTimers();
    void stopPlanTimers();

    struct Pending
    {
        qint64 due;
        QByteArray bytes;
    };

    UnitCore& m_unit;
    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_socket;
    wire::PacketCutter m_cutter;
    bool m_loggedIn = false;
    FaultPlan m_plan;
    bool m_silent = false;
    bool m_silentByPlan = false;
    QTimer* m_silentTimer = nullptr;
    QTimer* m_dropTimer = nullptr;
    QTimer* m_garbageTimer = nullptr;
    QTimer* m_delayTimer = nullptr;
    QQueue<Pending> m_pending;
    QElapsedTimer m_clock;
    quint32 m_noise = 0x2545F491;
};
