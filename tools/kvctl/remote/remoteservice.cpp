#include "remoteservice.h"

#include "keypattern.h"
#include "meterkeys.h"
#include "reportingmodel.h"
#include "servedunit.h"

#include <cmath>

ApiResult ApiResult::error(int status, const QString& message)
{
    return {status, QJsonObject{{QStringLiteral("error"), message}}};
}

RemoteService::RemoteService(const LinkSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_discovery(std::make_unique<ReportingModel>(settings))
{
    // Only the status datagrams: it never connects.
    m_discovery->setTickTimerRunning(false);
    connect(m_discovery.get(), &DataModel::deviceListAdd, this,
            [this](DataModel::UDPBrowsingPacket* packet, bool) {
                if (m_everyUnit)
                    addUnit(QString::number(packet->deviceId), m_everyUnitPassword);
            });
}

RemoteService::~RemoteService() = default;

ServedUnit* RemoteService::addUnit(const QString& name, const QString& password)
{
    if (ServedUnit* known = find(name))
        return known;
    auto* unit = new ServedUnit(name, password, m_settings, m_discovery.get(), this);
    m_units.append(unit);
    emit unitAdded(unit);
    return unit;
}

void RemoteService::serveEveryUnit(const QString& password)
{
    m_everyUnit = true;
    m_everyUnitPassword = password;
    for (int i = 0; i < m_discovery->deviceCount(); ++i)
        addUnit(QString::number(m_discovery->device(i)->packet.deviceId), password);
}

ServedUnit* RemoteService::find(const QString& name) const
{
    for (ServedUnit* u : m_units) {
        if (u->name() == name)
            return u;
    }
    for (ServedUnit* u : m_units) {
        if (u->matches(name))
            return u;
    }
    return nullptr;
}

ServedUnit* RemoteService::ready(const QString& name, ApiResult* error) const
{
    ServedUnit* unit = find(name);
    if (!unit) {
        *error = ApiResult::error(404, QStringLiteral("no unit \"%1\" is served").arg(name));
        return nullptr;
    }
    if (!unit->isSynced()) {
        *error = ApiResult::error(503, QStringLiteral("unit \"%1\" is offline (%2)")
                                           .arg(name, unit->link() == ServedUnit::Link::LoggedIn
                                                          ? QStringLiteral("being read")
                                                          : ServedUnit::linkName(unit->link())));
        return nullptr;
    }
    return unit;
}

ParameterKeys::Key RemoteService::key(const ServedUnit& unit, const QString& name, ApiResult* error)
{
    const ParameterKeys::Key k = ParameterKeys::find(name);
    if (!k.isValid()) {
        *error = ApiResult::error(404, QStringLiteral("unknown key \"%1\"").arg(name));
        return {};
    }
    if (!unit.availableKeys().contains(ServedUnit::keyIndex(k))) {
        *error =
            ApiResult::error(404, QStringLiteral("%1: this unit has no such parameter").arg(name));
        return {};
    }
    return k;
}

QJsonValue RemoteService::toJson(const ParameterKeys::Key& key, const QVariant& value)
{
    if (!value.isValid())
        return QJsonValue::Null;
    switch (key.family->type) {
    case ParameterKeys::Type::Bool:
        return value.toBool();
    case ParameterKeys::Type::Integer:
        return value.toInt();
    case ParameterKeys::Type::Real:
        break;
    }
    // As the text shows it: a float's binary tail (0.1 as 0.100000001) is noise.
    return ParameterKeys::format(key, value).toDouble();
}

QVariant RemoteService::fromJson(const ParameterKeys::Key& key, const QJsonValue& json,
                                 ApiResult* error)
{
    QString text;
    if (key.family->type == ParameterKeys::Type::Bool) {
        if (json.isBool())
            text = json.toBool() ? QStringLiteral("on") : QStringLiteral("off");
        else if (json.isDouble() && (json.toDouble() == 0 || json.toDouble() == 1))
            text = QString::number(json.toInt());
        else if (json.isString())
            text = json.toString();
    } else if (json.isDouble()) {
        text = QString::number(json.toDouble(), 'g', 17);
    } else if (json.isString()) {
        text = json.toString();
    }
    if (text.isEmpty()) {
        *error = ApiResult::error(
            400, QStringLiteral("%1 takes %2").arg(key.name(), ParameterKeys::rangeText(key)));
        return {};
    }
    QString message;
    const QVariant v = ParameterKeys::parse(key, text, &message);
    if (!v.isValid()) {
        // A value of the right kind outside the range, or one that is no value at all.
        bool number = json.isDouble();
        if (json.isString())
            text.trimmed().toDouble(&number);
        const bool outOfRange = key.family->type != ParameterKeys::Type::Bool && number;
        *error = ApiResult::error(outOfRange ? 422 : 400, message);
    }
    return v;
}

ApiResult RemoteService::write(ServedUnit& unit, const QString& keyName, const QJsonValue& json)
{
    ApiResult result;
    const ParameterKeys::Key k = key(unit, keyName, &result);
    if (!k.isValid())
        return result;
    const QVariant v = fromJson(k, json, &result);
    if (!v.isValid())
        return result;
    unit.write(k, v);
    return value(unit, keyName);
}

ApiResult RemoteService::step(ServedUnit& unit, const QString& keyName, const QJsonValue& by)
{
    ApiResult result;
    const ParameterKeys::Key k = key(unit, keyName, &result);
    if (!k.isValid())
        return result;
    if (k.family->type == ParameterKeys::Type::Bool)
        return ApiResult::error(400,
                                QStringLiteral("%1 is a switch; only numbers step").arg(keyName));
    if (!by.isDouble() || !std::isfinite(by.toDouble()))
        return ApiResult::error(400, QStringLiteral("\"by\" takes a number"));
    const double now = ParameterKeys::read(unit.model(), k).toDouble();
    double next = std::clamp(now + by.toDouble(), k.family->min, k.family->max);
    if (k.family->type == ParameterKeys::Type::Integer)
        next = std::round(next);
    const QVariant v = ParameterKeys::parse(k, ParameterKeys::format(k, next), nullptr);
    if (v.isValid())
        unit.write(k, v);
    return value(unit, keyName);
}

ApiResult RemoteService::value(const ServedUnit& unit, const QString& keyName)
{
    ApiResult result;
    const ParameterKeys::Key k = key(unit, keyName, &result);
    if (!k.isValid())
        return result;
    return {200,
            QJsonObject{{QStringLiteral("key"), keyName},
                        {QStringLiteral("value"), toJson(k, ParameterKeys::read(unit.model(), k))},
                        {QStringLiteral("range"), ParameterKeys::rangeText(k)}}};
}

QJsonObject RemoteService::values(const ServedUnit& unit, const KeyPatternSet* patterns)
{
    QJsonObject all;
    const QVector<ParameterKeys::Key>& keys = ParameterKeys::all();
    for (int i : unit.availableKeys()) {
        const QString name = keys[i].name();
        if (!patterns || patterns->matches(name))
            all.insert(name, toJson(keys[i], unit.value(i)));
    }
    return all;
}

QJsonObject RemoteService::meters(const ServedUnit& unit, const KeyPatternSet* patterns)
{
    QJsonObject all;
    for (const MeterKeys::Meter* m : unit.availableMeters()) {
        if (!patterns || patterns->matches(m->name))
            all.insert(m->name, MeterKeys::level(unit.model(), *m));
    }
    return all;
}
