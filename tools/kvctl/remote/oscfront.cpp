#include "oscfront.h"

#include "datamodel.h"
#include "meterkeys.h"
#include "remoteservice.h"
#include "servedunit.h"
#include "wire/ranges.h"

#include <lo/lo.h>

#include <QJsonObject>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <cstring>
#include <memory>

namespace {

struct MessageFree
{
    void operator()(lo_message m) const { lo_message_free(m); }
};
using Message = std::unique_ptr<std::remove_pointer_t<lo_message>, MessageFree>;

// liblo's arguments point into the message at 4-byte steps, so a double or a 64-bit value may
// sit where its type may not be read in place: every value is copied out byte by byte.
template <typename T> T valueAt(const lo_arg* a)
{
    T v;
    std::memcpy(&v, a, sizeof v);
    return v;
}

QVariantList argumentsOf(lo_message m, bool* understood)
{
    QVariantList list;
    *understood = true;
    const char* types = lo_message_get_types(m);
    lo_arg** argv = lo_message_get_argv(m);
    const int argc = lo_message_get_argc(m);
    for (int i = 0; i < argc; ++i) {
        const lo_arg* a = argv[i];
        switch (types[i]) {
        case LO_FLOAT:
            list.append(double(valueAt<float>(a)));
            break;
        case LO_DOUBLE:
            list.append(valueAt<double>(a));
            break;
        case LO_INT32:
            list.append(valueAt<qint32>(a));
            break;
        case LO_INT64:
            list.append(valueAt<qint64>(a));
            break;
        case LO_TRUE:
            list.append(true);
            break;
        case LO_FALSE:
            list.append(false);
            break;
        case LO_STRING:
        case LO_SYMBOL:
            list.append(QString::fromUtf8(reinterpret_cast<const char*>(a)));
            break;
        default:
            *understood = false;
            break;
        }
    }
    return list;
}

QJsonValue jsonOf(const QVariant& v)
{
    switch (v.userType()) {
    case QMetaType::Bool:
        return v.toBool();
    case QMetaType::QString:
        return v.toString();
    default:
        return v.toDouble();
    }
}

// The key's value as OSC carries it: reals as f, the rest as i.
QVariant oscValue(const ParameterKeys::Key& key, const QVariant& value)
{
    if (key.family->type == ParameterKeys::Type::Real)
        return float(RemoteService::toJson(key, value).toDouble());
    if (key.family->type == ParameterKeys::Type::Bool)
        return value.toBool() ? 1 : 0;
    return value.toInt();
}

QString keyPath(const QString& unit, const QString& key)
{
    return QStringLiteral("/kv/") + unit + QLatin1Char('/') +
           QString(key).replace(QLatin1Char('.'), QLatin1Char('/'));
}

} // namespace

OscFront::OscFront(RemoteService& service, const AccessRule& access, QObject* parent)
    : QObject(parent), m_service(service), m_access(access)
{
    for (ServedUnit* u : service.units())
        watch(u);
    connect(&service, &RemoteService::unitAdded, this, &OscFront::watch);
}

OscFront::~OscFront() = default;

bool OscFront::listen(const QHostAddress& address, quint16 port, QString* error)
{
    m_socket = new QUdpSocket(this);
    if (!m_socket->bind(address, port)) {
        if (error)
            *error = QStringLiteral("cannot listen for OSC on %1 port %2: %3")
                         .arg(address.toString())
                         .arg(port)
                         .arg(m_socket->errorString());
        return false;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &OscFront::readDatagrams);
    return true;
}

quint16 OscFront::port() const
{
    return m_socket ? m_socket->localPort() : 0;
}

void OscFront::watch(ServedUnit* unit)
{
    connect(unit, &ServedUnit::valuesChanged, this, &OscFront::valuesChanged);
    connect(unit, &ServedUnit::metersChanged, this, &OscFront::metersChanged);
}

QString OscFront::peerName(const Peer& peer)
{
    return peer.address.toString() + QLatin1Char(':') + QString::number(peer.port);
}

QByteArray OscFront::message(const QString& path, const QVariantList& arguments)
{
    Message m(lo_message_new());
    for (const QVariant& a : arguments) {
        switch (a.userType()) {
        case QMetaType::Float:
            lo_message_add_float(m.get(), a.toFloat());
            break;
        case QMetaType::Double:
            lo_message_add_double(m.get(), a.toDouble());
            break;
        case QMetaType::Int:
            lo_message_add_int32(m.get(), a.toInt());
            break;
        case QMetaType::QString:
            lo_message_add_string(m.get(), a.toString().toUtf8().constData());
            break;
        default:
            return {};
        }
    }
    const QByteArray p = path.toUtf8();
    size_t size = 0;
    void* data = lo_message_serialise(m.get(), p.constData(), nullptr, &size);
    if (!data)
        return {};
    QByteArray bytes(static_cast<const char*>(data), int(size));
    free(data);
    return bytes;
}

void OscFront::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        if (d.isValid())
            handle({d.senderAddress(), quint16(d.senderPort())}, d.data());
    }
}

void OscFront::reply(const Peer& to, const QString& path, const QVariantList& arguments)
{
    const QByteArray bytes = message(path, arguments);
    if (!bytes.isEmpty())
        m_socket->writeDatagram(bytes, to.address, to.port);
}

void OscFront::fail(const Peer& to, const QString& path, const QString& message)
{
    reply(to, QStringLiteral("/kv/error"), {path, message});
}

QVariantList OscFront::decode(const QByteArray& datagram, QString* path, bool* understood)
{
    path->clear();
    *understood = false;
    QByteArray data = datagram;
    int result = 0;
    Message m(lo_message_deserialise(data.data(), size_t(data.size()), &result));
    if (!m)
        return {};
    const char* rawPath = lo_get_path(data.data(), data.size());
    if (!rawPath)
        return {};
    *path = QString::fromUtf8(rawPath);
    return argumentsOf(m.get(), understood);
}

void OscFront::handle(const Peer& from, const QByteArray& datagram)
{
    // Bundles and anything liblo does not take as one message are dropped unanswered.
    QString path;
    bool understood = false;
    const QVariantList arguments = decode(datagram, &path, &understood);
    if (path.isEmpty())
        return;
    if (!understood) {
        fail(from, path, QStringLiteral("takes f, d, i, h, T, F or s arguments"));
        return;
    }
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.value(0) != QLatin1String("kv") || parts.size() < 2) {
        fail(from, path, QStringLiteral("addresses start with /kv/UNIT/"));
        return;
    }
    if (parts.size() == 2 && parts[1] == QLatin1String("auth")) {
        if (arguments.size() == 1 && m_access.accepts(arguments[0].toString())) {
            m_admitted.insert(peerName(from));
            reply(from, path, {1});
        } else {
            fail(from, path, QStringLiteral("wrong access token"));
        }
        return;
    }
    if (m_access.tokenRequired() && !m_admitted.contains(peerName(from))) {
        fail(from, path, QStringLiteral("an access token is required (/kv/auth s TOKEN)"));
        return;
    }
    ServedUnit* unit = m_service.find(parts[1]);
    if (!unit) {
        fail(from, path, QStringLiteral("no unit \"%1\" is served").arg(parts[1]));
        return;
    }
    handleUnit(from, unit, parts[1], parts.mid(2), arguments);
}

void OscFront::handleUnit(const Peer& from, ServedUnit* unit, const QString& unitSegment,
                          const QStringList& rest, const QVariantList& arguments)
{
    const QString path =
        QStringLiteral("/kv/") + unitSegment + QLatin1Char('/') + rest.join(QLatin1Char('/'));
    const QString verb = rest.value(0);
    if (rest.size() == 1 &&
        (verb == QLatin1String("subscribe") || verb == QLatin1String("unsubscribe"))) {
        QStringList patterns;
        for (const QVariant& a : arguments)
            patterns.append(a.toString());
        Subscriber* s = subscriber(from);
        if (verb == QLatin1String("unsubscribe")) {
            if (s)
                s->patterns[unit->name()].remove(patterns);
            return;
        }
        KeyPatternSet added;
        QString invalid;
        if (patterns.isEmpty() || !added.add(patterns, &invalid)) {
            fail(from, path, QStringLiteral("\"%1\" is not a key pattern").arg(invalid));
            return;
        }
        if (!s) {
            if (m_subscribers.size() >= kMaxSubscribers) {
                fail(from, path, QStringLiteral("too many subscribers"));
                return;
            }
            m_subscribers.append({from, {}, {}});
            s = &m_subscribers.last();
        }
        s->patterns[unit->name()].add(patterns);
        s->segments.insert(unit->name(), unitSegment);
        snapshot(from, unit, unitSegment, added);
        return;
    }

    ApiResult error;
    if (!m_service.ready(unitSegment, &error)) {
        fail(from, path, error.body[QLatin1String("error")].toString());
        return;
    }
    if (rest.size() == 1 && verb == QLatin1String("preset")) {
        const int number = arguments.value(0).toInt();
        if (arguments.size() != 1 || number < 1 || number > wire::kPresetCount ||
            !unit->model().mirror().presets.entries[std::size_t(number - 1)].used) {
            fail(from, path,
                 QStringLiteral("takes the number of a preset in use (1..%1)")
                     .arg(wire::kPresetCount));
            return;
        }
        unit->recallPreset(number - 1, [this, from, path, number](bool loaded) {
            if (loaded)
                reply(from, path, {number});
            else
                fail(from, path, QStringLiteral("the unit did not load preset %1").arg(number));
        });
        return;
    }
    const QString keyName = rest.join(QLatin1Char('.'));
    const ParameterKeys::Key key = RemoteService::key(*unit, keyName, &error);
    if (!key.isValid()) {
        fail(from, path, error.body[QLatin1String("error")].toString());
        return;
    }
    if (arguments.size() > 1) {
        fail(from, path, QStringLiteral("takes one value to set, or none to get"));
        return;
    }
    if (arguments.size() == 1) {
        const ApiResult r = m_service.write(*unit, keyName, jsonOf(arguments[0]));
        if (r.isError()) {
            fail(from, path, r.body[QLatin1String("error")].toString());
            return;
        }
    }
    reply(from, path, {oscValue(key, ParameterKeys::read(unit->model(), key))});
}

OscFront::Subscriber* OscFront::subscriber(const Peer& peer)
{
    for (Subscriber& s : m_subscribers) {
        if (s.peer == peer)
            return &s;
    }
    return nullptr;
}

void OscFront::snapshot(const Peer& to, ServedUnit* unit, const QString& unitSegment,
                        const KeyPatternSet& patterns)
{
    if (!unit->isSynced())
        return;
    const QVector<ParameterKeys::Key>& all = ParameterKeys::all();
    for (int i : unit->availableKeys()) {
        const QString name = all[i].name();
        if (patterns.matches(name))
            reply(to, keyPath(unitSegment, name), {oscValue(all[i], unit->value(i))});
    }
    for (const MeterKeys::Meter* m : unit->availableMeters()) {
        if (patterns.matches(m->name))
            reply(to, keyPath(unitSegment, m->name), {MeterKeys::level(unit->model(), *m)});
    }
}

void OscFront::valuesChanged(ServedUnit* unit, const QVector<int>& keys)
{
    const QVector<ParameterKeys::Key>& all = ParameterKeys::all();
    for (const Subscriber& s : qAsConst(m_subscribers)) {
        const auto patterns = s.patterns.constFind(unit->name());
        if (patterns == s.patterns.constEnd())
            continue;
        for (int i : keys) {
            const QString name = all[i].name();
            if (patterns->matches(name))
                reply(s.peer, keyPath(s.segments.value(unit->name()), name),
                      {oscValue(all[i], unit->value(i))});
        }
    }
}

void OscFront::metersChanged(ServedUnit* unit)
{
    const QVector<const MeterKeys::Meter*>& meters = unit->availableMeters();
    QVector<int>& last = m_lastMeters[unit];
    last.resize(meters.size());
    QVector<int> moved;
    for (int i = 0; i < meters.size(); ++i) {
        const int level = MeterKeys::level(unit->model(), *meters[i]);
        if (level != last[i]) {
            last[i] = level;
            moved.append(i);
        }
    }
    for (const Subscriber& s : qAsConst(m_subscribers)) {
        const auto patterns = s.patterns.constFind(unit->name());
        if (patterns == s.patterns.constEnd())
            continue;
        for (int i : qAsConst(moved)) {
            if (patterns->matches(meters[i]->name))
                reply(s.peer, keyPath(s.segments.value(unit->name()), meters[i]->name), {last[i]});
        }
    }
}
