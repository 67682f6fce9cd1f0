#pragma once

#include "linksettings.h"
#include "parameterkeys.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QVector>
#include <memory>

class KeyPatternSet;
class ReportingModel;
class ServedUnit;

// An answer of the remote API, whatever carries it: a status in HTTP's terms and a JSON body
// ({"error": "..."} for failures).
struct ApiResult
{
    int status = 200;
    QJsonValue body;

    static ApiResult error(int status, const QString& message);
    bool isError() const { return status >= 400; }
};

// The units served to remote clients and what every front (HTTP, WebSocket, OSC) does with
// them: find a unit by name, turn values into JSON and back with the keys' ranges, write and
// step values, take snapshots.
class RemoteService : public QObject
{
    Q_OBJECT
public:
    explicit RemoteService(const LinkSettings& settings, QObject* parent = nullptr);
    ~RemoteService() override;

    // A unit by address (ADDRESS or ADDRESS:PORT), serial number or device ID.
    ServedUnit* addUnit(const QString& name, const QString& password);
    // Serves every unit heard on the discovery port from now on, with this password.
    void serveEveryUnit(const QString& password);
    const QVector<ServedUnit*>& units() const { return m_units; }
    ServedUnit* find(const QString& name) const;

    // The unit by name, logged in and read whole; otherwise 404 or 503 in `error`.
    ServedUnit* ready(const QString& name, ApiResult* error) const;
    // The key by name, on a unit that has it; otherwise 404 in `error`.
    static ParameterKeys::Key key(const ServedUnit& unit, const QString& name, ApiResult* error);

    static QJsonValue toJson(const ParameterKeys::Key& key, const QVariant& value);
    // A JSON value for the key: 400 when it is of the wrong kind, 422 (naming the range) when
    // it is outside the range.
    static QVariant fromJson(const ParameterKeys::Key& key, const QJsonValue& json,
                             ApiResult* error);

    // Writes one key; the value now held, or the error.
    ApiResult write(ServedUnit& unit, const QString& keyName, const QJsonValue& value);
    // Moves a number by `by`, stopping at the ends of its range (a button held at the top
    // stays at the top).
    ApiResult step(ServedUnit& unit, const QString& keyName, const QJsonValue& by);
    static ApiResult value(const ServedUnit& unit, const QString& keyName);
    // Every key the unit has (matching `patterns` when given), as name: value.
    static QJsonObject values(const ServedUnit& unit, const KeyPatternSet* patterns = nullptr);
    static QJsonObject meters(const ServedUnit& unit, const KeyPatternSet* patterns = nullptr);

signals:
    void unitAdded(ServedUnit* unit);

private:
    LinkSettings m_settings;
    QVector<ServedUnit*> m_units;
    // Every unit heard on the discovery port.
    std::unique_ptr<ReportingModel> m_discovery;
    bool m_everyUnit = false;
    QString m_everyUnitPassword;
};
