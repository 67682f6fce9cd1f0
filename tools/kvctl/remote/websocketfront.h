#pragma once

#include "accessrule.h"
#include "keypattern.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QVector>

class QWebSocket;
class QWebSocketServer;
class RemoteService;
class ServedUnit;

// The push channel of the remote API. A client sends JSON messages:
//   {"subscribe": ["input.*.gain", "*.meter"], "unit": "20001"}   (no "unit": every unit)
//   {"unsubscribe": ["input.*.gain"], "unit": "20001"}
//   {"meterRate": 5}                        meter messages per second, 1..10 (default 10)
//   {"set": {"key": "input.3.gain", "value": -6}, "unit": "20001"}
// and receives {"type": "snapshot" | "changes" | "meters", "unit": ..., "values": {...}},
// {"type": "link", "unit": ..., "link": ..., "synced": ...}, {"type": "set", ...} answers and
// {"type": "error", "message": ...}. A snapshot of the keys a subscription adds comes at once;
// then every change the unit reports, whoever made it.
class WebSocketFront : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxMeterRate = 10;
    static constexpr qint64 kMaxMessageBytes = 64 * 1024;
    // Meter messages wait while a client has this much unread: a slow reader never makes the
    // daemon hoard memory.
    static constexpr qint64 kMaxBacklogBytes = 1024 * 1024;

    WebSocketFront(RemoteService& service, const AccessRule& access, QObject* parent = nullptr);
    ~WebSocketFront() override;

    bool listen(const QHostAddress& address, quint16 port, QString* error);
    quint16 port() const;
    int clientCount() const { return m_clients.size(); }

private:
    struct Client
    {
        QWebSocket* socket = nullptr;
        // By the unit's served name; "" for every unit.
        QHash<QString, KeyPatternSet> patterns;
        int meterRate = kMaxMeterRate;
        QHash<ServedUnit*, qint64> metersSentAt;
    };

    void accept();
    void received(Client& client, const QString& message);
    void subscribe(Client& client, const QJsonObject& message, bool add);
    void set(Client& client, const QJsonObject& message);
    void valuesChanged(ServedUnit* unit, const QVector<int>& keys);
    void metersChanged(ServedUnit* unit);
    void linkChanged(ServedUnit* unit);
    void watch(ServedUnit* unit);
    // Whether the client subscribed to this key of this unit.
    static bool wants(const Client& client, const ServedUnit* unit, const QString& key);
    // What tells apart the clients that want the same keys of the unit.
    static QString signature(const Client& client, const ServedUnit* unit);
    void send(Client& client, const QJsonObject& message);
    void sendError(Client& client, const QString& message);
    Client* clientOf(QObject* socket);

    RemoteService& m_service;
    AccessRule m_access;
    QWebSocketServer* m_server = nullptr;
    QVector<Client*> m_clients;
    QElapsedTimer m_clock;
};
