#include "httproutes.h"

#include "datamodel.h"
#include "servedunit.h"
#include "wire/ranges.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace {

const QString kGet = QStringLiteral("GET");
const QString kPut = QStringLiteral("PUT");
const QString kPost = QStringLiteral("POST");

// The body's object, or a 400 in `error`.
QJsonObject bodyObject(const QByteArray& body, ApiResult* error)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = ApiResult::error(400, QStringLiteral("the body is not a JSON object"));
        return {};
    }
    return doc.object();
}

ApiResult wrongMethod(const QString& method, const QString& allowed)
{
    return ApiResult::error(405,
                            QStringLiteral("%1 is not taken here (only %2)").arg(method, allowed));
}

} // namespace

void HttpRoutes::handle(const QString& method, const QString& path, const QByteArray& body,
                        const Reply& reply)
{
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.value(0) != QLatin1String("api") || parts.value(1) != QLatin1String("units")) {
        reply(ApiResult::error(404, QStringLiteral("no such route: %1").arg(path)));
        return;
    }
    if (parts.size() == 2) {
        if (method != kGet) {
            reply(wrongMethod(method, kGet));
            return;
        }
        QJsonArray list;
        for (const ServedUnit* u : m_service.units())
            list.append(u->describe());
        reply({200, list});
        return;
    }
    unitRoute(method, parts.mid(2), body, reply);
}

void HttpRoutes::unitRoute(const QString& method, const QStringList& parts, const QByteArray& body,
                           const Reply& reply)
{
    const QString& name = parts[0];
    const QString what = parts.value(1);
    ApiResult error;
    if (parts.size() == 1) {
        ServedUnit* unit = m_service.find(name);
        if (!unit)
            reply(ApiResult::error(404, QStringLiteral("no unit \"%1\" is served").arg(name)));
        else if (method != kGet)
            reply(wrongMethod(method, kGet));
        else
            reply({200, unit->describe()});
        return;
    }
    const bool known =
        (what == QLatin1String("state") && parts.size() == 2) ||
        (what == QLatin1String("meters") && parts.size() == 2) ||
        (what == QLatin1String("mute") && parts.size() == 2) ||
        (what == QLatin1String("presets") &&
         (parts.size() == 2 || (parts.size() == 4 && parts[3] == QLatin1String("recall")))) ||
        (what == QLatin1String("keys") &&
         (parts.size() == 3 || (parts.size() == 4 && parts[3] == QLatin1String("step"))));
    if (!known) {
        reply(ApiResult::error(
            404, QStringLiteral("no such route: /api/units/%1").arg(parts.join(QLatin1Char('/')))));
        return;
    }
    ServedUnit* unit = m_service.ready(name, &error);
    if (!unit) {
        reply(error);
        return;
    }

    if (what == QLatin1String("state") || what == QLatin1String("meters")) {
        if (method != kGet)
            reply(wrongMethod(method, kGet));
        else
            reply({200, what == QLatin1String("state") ? RemoteService::values(*unit)
                                                       : RemoteService::meters(*unit)});
        return;
    }
    if (what == QLatin1String("keys")) {
        const QString& key = parts[2];
        const bool stepping = parts.size() == 4;
        if (stepping && method != kPost) {
            reply(wrongMethod(method, kPost));
            return;
        }
        if (!stepping && method == kGet) {
            reply(RemoteService::value(*unit, key));
            return;
        }
        if (!stepping && method != kPut) {
            reply(wrongMethod(method, QStringLiteral("GET, PUT")));
            return;
        }
        const QJsonObject o = bodyObject(body, &error);
        const QString field = stepping ? QStringLiteral("by") : QStringLiteral("value");
        if (!error.isError() && !o.contains(field))
            error = ApiResult::error(400, QStringLiteral("the body has no \"%1\"").arg(field));
        if (error.isError()) {
            reply(error);
            return;
        }
        reply(stepping ? m_service.step(*unit, key, o.value(field))
                       : m_service.write(*unit, key, o.value(field)));
        return;
    }
    if (what == QLatin1String("mute")) {
        const QString key = QStringLiteral("system.mute");
        if (method == kGet) {
            const ApiResult r = RemoteService::value(*unit, key);
            reply({200, QJsonObject{{QStringLiteral("mute"), r.body[QLatin1String("value")]}}});
            return;
        }
        if (method != kPut) {
            reply(wrongMethod(method, QStringLiteral("GET, PUT")));
            return;
        }
        const QJsonObject o = bodyObject(body, &error);
        if (!error.isError() && !o.value(QStringLiteral("mute")).isBool())
            error = ApiResult::error(400, QStringLiteral("\"mute\" takes true or false"));
        if (error.isError()) {
            reply(error);
            return;
        }
        const ApiResult r = m_service.write(*unit, key, o.value(QStringLiteral("mute")));
        reply(r.isError() ? r
                          : ApiResult{200, QJsonObject{{QStringLiteral("mute"),
                                                        r.body[QLatin1String("value")]}}});
        return;
    }
    // Presets.
    const model::PresetTable& table = unit->model().mirror().presets;
    if (parts.size() == 2) {
        if (method != kGet) {
            reply(wrongMethod(method, kGet));
            return;
        }
        QJsonArray list;
        for (int i = 0; i < wire::kPresetCount; ++i) {
            const model::PresetEntry& e = table.entries[std::size_t(i)];
            list.append(QJsonObject{{QStringLiteral("number"), i + 1},
                                    {QStringLiteral("used"), e.used},
                                    {QStringLiteral("name"), e.name},
                                    {QStringLiteral("current"), table.current == i}});
        }
        reply({200, list});
        return;
    }
    if (method != kPost) {
        reply(wrongMethod(method, kPost));
        return;
    }
    bool isNumber = false;
    const int number = parts[2].toInt(&isNumber);
    if (!isNumber || number < 1 || number > wire::kPresetCount) {
        reply(ApiResult::error(404, QStringLiteral("no preset \"%1\" (presets are 1..%2)")
                                        .arg(parts[2])
                                        .arg(wire::kPresetCount)));
        return;
    }
    if (!table.entries[std::size_t(number - 1)].used) {
        reply(ApiResult::error(422, QStringLiteral("preset %1 is empty").arg(number)));
        return;
    }
    unit->recallPreset(number - 1, [reply, number](bool loaded) {
        if (loaded)
            reply({200, QJsonObject{{QStringLiteral("preset"), number}}});
        else
            reply(ApiResult::error(502,
                                   QStringLiteral("the unit did not load preset %1").arg(number)));
    });
}
