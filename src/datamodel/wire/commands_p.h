#pragma once

#include "wire/commands.h"

#include <initializer_list>
#include <utility>

// Small assembly helpers shared by the command builders; not part of the wire API.
namespace wire::detail {

inline Command now(Code code, QByteArray payload = {})
{
    Command c;
    c.code = code;
    c.payload = std::move(payload);
    return c;
}

inline Command queued(Code code, QByteArray payload, quint8 key1, quint8 key2 = 0xFF)
{
    Command c = now(code, std::move(payload));
    c.queued = true;
    c.key1 = key1;
    c.key2 = key2;
    return c;
}

inline Command routed(Path path, Code code, QByteArray payload, quint8 key1)
{
    if (path == Path::Queued)
        return queued(code, std::move(payload), key1);
    return now(code, std::move(payload));
}

inline QByteArray bytes(std::initializer_list<quint8> values)
{
    QByteArray out;
    out.reserve(int(values.size()));
    for (quint8 v : values)
        out.append(char(v));
    return out;
}

inline QByteArray withFloat(QByteArray head, float value)
{
    appendF32(head, value);
    return head;
}

// A packed record's byte image is its wire layout.
template <typename Record> QByteArray withRecord(QByteArray head, const Record& record)
{
    head.append(reinterpret_cast<const char*>(&record), int(sizeof record));
    return head;
}

} // namespace wire::detail
