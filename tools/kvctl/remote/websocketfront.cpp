#include "websocketfront.h"

#include "meterkeys.h"
#include "remoteservice.h"
#include "servedunit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>
#include <QWebSocket>
#include <QWebSocketServer>

namespace {

const QString kType = QStringLiteral("type");
const QString kUnit = QStringLiteral("unit");
const QString kValues = QStringLiteral("values");

QStringList patternList(const QJsonValue& v)
{
    QStringList list;
    if (v.isString())
        list.append(v.toString());
    for (const QJsonValue& item : v.toArray())
        list.append(item.toString());
    return list;
}

} // namespace

WebSocketFront::WebSocketFront(RemoteService& service, const AccessRule& access, QObject* parent)
    : QObject(parent), m_service(service), m_access(access)
{
    m_clock.start();
    for (ServedUnit* u : service.units())
        watch(u);
    connect(&service, &RemoteService::unitAdded, this, &WebSocketFront::watch);
}

WebSocketFront::~WebSocketFront()
{
    for (Client* c : qAsConst(m_clients)) {
        c->socket->disconnect(this);
        delete c;
    }
}

bool WebSocketFront::listen(const QHostAddress& address, quint16 port, QString* error)
{
    m_server = new QWebSocketServer(QStringLiteral("kvctl"), QWebSocketServer::NonSecureMode, this);
    connect(m_server, &QWebSocketServer::newConnection, this, &WebSocketFront::accept);
    if (!m_server->listen(address, port)) {
        if (error)
            *error = QStringLiteral("cannot listen for WebSocket clients on %1 port %2: %3")
                         .arg(address.toString())
                         .arg(port)
                         .arg(m_server->errorString());
        return false;
    }
    return true;
}

quint16 WebSocketFront::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

void WebSocketFront::watch(ServedUnit* unit)
{
    connect(unit, &ServedUnit::valuesChanged, this, &WebSocketFront::valuesChanged);
    connect(unit, &ServedUnit::metersChanged, this, &WebSocketFront::metersChanged);
    connect(unit, &ServedUnit::linkChanged, this, &WebSocketFront::linkChanged);
}

void WebSocketFront::accept()
{
    while (QWebSocket* socket = m_server->nextPendingConnection()) {
        const QNetworkRequest request = socket->request();
        QString token = QUrlQuery(request.url()).queryItemValue(QStringLiteral("token"));
        if (token.isEmpty())
            token = AccessRule::bearer(QString::fromLatin1(request.rawHeader("Authorization")));
        if (!m_access.accepts(token)) {
            const QJsonObject refusal{
                {kType, QStringLiteral("error")},
                {QStringLiteral("message"),
                 QStringLiteral("an access token is required (?token=TOKEN)")}};
            socket->sendTextMessage(
                QString::fromUtf8(QJsonDocument(refusal).toJson(QJsonDocument::Compact)));
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated,
                          QStringLiteral("access token required"));
            socket->deleteLater();
            continue;
        }
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(quint64(kMaxMessageBytes));
        auto* client = new Client;
        client->socket = socket;
        m_clients.append(client);
        connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString& m) {
            if (Client* c = clientOf(socket))
                received(*c, m);
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            if (Client* c = clientOf(socket)) {
                m_clients.removeOne(c);
                delete c;
            }
            socket->deleteLater();
        });
        // What is served, and how each unit's link stands.
        for (ServedUnit* u : m_service.units())
            send(*client, QJsonObject{{kType, QStringLiteral("link")},
                                      {kUnit, u->name()},
                                      {QStringLiteral("link"), ServedUnit::linkName(u->link())},
                                      {QStringLiteral("synced"), u->isSynced()}});
    }
}

WebSocketFront::Client* WebSocketFront::clientOf(QObject* socket)
{
    for (Client* c : qAsConst(m_clients)) {
        if (c->socket == socket)
            return c;
    }
    return nullptr;
}

void WebSocketFront::received(Client& client, const QString& text)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        sendError(client, QStringLiteral("a message is a JSON object"));
        return;
    }
    const QJsonObject m = doc.object();
    if (m.contains(QStringLiteral("meterRate"))) {
        const double rate = m.value(QStringLiteral("meterRate")).toDouble(-1);
        if (rate < 1 || rate > kMaxMeterRate || rate != int(rate)) {
            sendError(client,
                      QStringLiteral("meterRate takes a whole number from 1 to %1 per second")
                          .arg(kMaxMeterRate));
            return;
        }
        client.meterRate = int(rate);
    }
    if (m.contains(QStringLiteral("subscribe")))
        subscribe(client, m, true);
    else if (m.contains(QStringLiteral("unsubscribe")))
        subscribe(client, m, false);
    else if (m.contains(QStringLiteral("set")))
        set(client, m);
    else if (!m.contains(QStringLiteral("meterRate")))
        sendError(client, QStringLiteral("a message holds subscribe, unsubscribe, set or "
                                         "meterRate"));
}

void WebSocketFront::subscribe(Client& client, const QJsonObject& m, bool add)
{
    QString scope;
    if (m.contains(kUnit)) {
        ServedUnit* unit = m_service.find(m.value(kUnit).toString());
        if (!unit) {
            sendError(client,
                      QStringLiteral("no unit \"%1\" is served").arg(m.value(kUnit).toString()));
            return;
        }
        scope = unit->name();
    }
    const QStringList patterns =
        patternList(m.value(add ? QStringLiteral("subscribe") : QStringLiteral("unsubscribe")));
    if (!add) {
        client.patterns[scope].remove(patterns);
        return;
    }
    KeyPatternSet added;
    QString invalid;
    if (patterns.isEmpty() || !added.add(patterns, &invalid)) {
        sendError(client, QStringLiteral("\"%1\" is not a key pattern (keys are dotted, \"*\" "
                                         "stands for whole segments)")
                              .arg(invalid));
        return;
    }
    client.patterns[scope].add(patterns);
    // The keys just subscribed to, as they stand now.
    for (ServedUnit* u : m_service.units()) {
        if (!scope.isEmpty() && u->name() != scope)
            continue;
        if (!u->isSynced())
            continue;
        send(client, QJsonObject{{kType, QStringLiteral("snapshot")},
                                 {kUnit, u->name()},
                                 {kValues, RemoteService::values(*u, &added)}});
        const QJsonObject meters = RemoteService::meters(*u, &added);
        if (!meters.isEmpty())
            send(client, QJsonObject{{kType, QStringLiteral("meters")},
                                     {kUnit, u->name()},
                                     {kValues, meters}});
    }
}

void WebSocketFront::set(Client& client, const QJsonObject& m)
{
    const QJsonObject what = m.value(QStringLiteral("set")).toObject();
    ApiResult result;
    ServedUnit* unit = m_service.ready(m.value(kUnit).toString(), &result);
    if (unit)
        result = m_service.write(*unit, what.value(QStringLiteral("key")).toString(),
                                 what.value(QStringLiteral("value")));
    QJsonObject answer = result.body.toObject();
    answer.insert(kType, result.isError() ? QStringLiteral("error") : QStringLiteral("set"));
    answer.insert(QStringLiteral("status"), result.status);
    if (result.isError())
        answer.insert(QStringLiteral("message"), answer.take(QStringLiteral("error")));
    if (unit)
        answer.insert(kUnit, unit->name());
    send(client, answer);
}

bool WebSocketFront::wants(const Client& client, const ServedUnit* unit, const QString& key)
{
    const auto every = client.patterns.constFind(QString());
    if (every != client.patterns.constEnd() && every->matches(key))
        return true;
    const auto own = client.patterns.constFind(unit->name());
    return own != client.patterns.constEnd() && own->matches(key);
}

QString WebSocketFront::signature(const Client& client, const ServedUnit* unit)
{
    return client.patterns.value(QString()).texts().join(QLatin1Char(',')) + QLatin1Char('|') +
           client.patterns.value(unit->name()).texts().join(QLatin1Char(','));
}

void WebSocketFront::valuesChanged(ServedUnit* unit, const QVector<int>& keys)
{
    if (m_clients.isEmpty())
        return;
    const QVector<ParameterKeys::Key>& all = ParameterKeys::all();
    QVector<QString> names;
    names.reserve(keys.size());
    for (int i : keys)
        names.append(all[i].name());
    for (Client* c : qAsConst(m_clients)) {
        QJsonObject values;
        for (int n = 0; n < keys.size(); ++n) {
            if (wants(*c, unit, names[n]))
                values.insert(names[n], RemoteService::toJson(all[keys[n]], unit->value(keys[n])));
        }
        if (!values.isEmpty())
            send(*c, QJsonObject{{kType, QStringLiteral("changes")},
                                 {kUnit, unit->name()},
                                 {kValues, values}});
    }
}

void WebSocketFront::metersChanged(ServedUnit* unit)
{
    const qint64 now = m_clock.elapsed();
    // Clients that want the same meters get the same text, made once.
    QHash<QString, QString> made;
    for (Client* c : qAsConst(m_clients)) {
        // A little early is on time: meter reports come every 100 ms give or take a tick.
        const qint64 interval = 1000 / c->meterRate - 20;
        const auto sent = c->metersSentAt.constFind(unit);
        if ((sent != c->metersSentAt.constEnd() && now - *sent < interval) ||
            c->socket->bytesToWrite() > kMaxBacklogBytes)
            continue;
        const QString key = signature(*c, unit);
        auto it = made.find(key);
        if (it == made.end()) {
            QJsonObject values;
            for (const MeterKeys::Meter* m : unit->availableMeters()) {
                if (wants(*c, unit, m->name))
                    values.insert(m->name, MeterKeys::level(unit->model(), *m));
            }
            QString text;
            if (!values.isEmpty())
                text =
                    QString::fromUtf8(QJsonDocument(QJsonObject{{kType, QStringLiteral("meters")},
                                                                {kUnit, unit->name()},
                                                                {kValues, values}})
                                          .toJson(QJsonDocument::Compact));
            it = made.insert(key, text);
        }
        if (it->isEmpty())
            continue;
        c->metersSentAt.insert(unit, now);
        c->socket->sendTextMessage(*it);
    }
}

void WebSocketFront::linkChanged(ServedUnit* unit)
{
    for (Client* c : qAsConst(m_clients))
        send(*c, QJsonObject{{kType, QStringLiteral("link")},
                             {kUnit, unit->name()},
                             {QStringLiteral("link"), ServedUnit::linkName(unit->link())},
                             {QStringLiteral("synced"), unit->isSynced()}});
}

void WebSocketFront::send(Client& client, const QJsonObject& message)
{
    client.socket->sendTextMessage(
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

void WebSocketFront::sendError(Client& client, const QString& message)
{
    send(client,
         QJsonObject{{kType, QStringLiteral("error")}, {QStringLiteral("message"), message}});
}
