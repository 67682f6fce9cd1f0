#pragma once

#include "remoteservice.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The HTTP API's routes over the served units, on the thread of the units. Answers come
// through `reply`, at once or once the unit has answered (a preset recall).
//   GET  /api/units                               every unit served, with its link state
//   GET  /api/units/{unit}                        one unit
//   GET  /api/units/{unit}/state                  every parameter, keys as kvctl dump
//   GET  /api/units/{unit}/keys/{key}             one value with its range
//   PUT  /api/units/{unit}/keys/{key}             {"value": ...}
//   POST /api/units/{unit}/keys/{key}/step        {"by": -3}
//   GET  /api/units/{unit}/presets                the preset list
//   POST /api/units/{unit}/presets/{n}/recall
//   GET  /api/units/{unit}/mute, PUT {"mute": true}  system mute
//   GET  /api/units/{unit}/meters                 every meter in dBFS
class HttpRoutes
{
public:
    using Reply = std::function<void(const ApiResult& result)>;

    explicit HttpRoutes(RemoteService& service) : m_service(service) {}

    void handle(const QString& method, const QString& path, const QByteArray& body,
                const Reply& reply);

private:
    void unitRoute(const QString& method, const QStringList& parts, const QByteArray& body,
                   const Reply& reply);

    RemoteService& m_service;
};
