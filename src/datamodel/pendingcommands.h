#pragma once

#include "wire/codes.h"

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// Commands from continuous controls (knob and fader drags, graph handles) wait here so that a
// drag sends at most one packet per key about every 180 ms, always with its latest value.
class PendingCommands
{
public:
    static constexpr qint64 kDelayMs = 179;

    struct Entry
    {
        qint64 time = 0;
        wire::Code code;
        quint8 key1 = 0xFF;
        quint8 key2 = 0xFF;
        QByteArray payload;
    };

    // Replaces the payload of the entry with the same code and keys (keeping its time), or
    // appends a new entry stamped `now`.
    void enqueue(qint64 now, wire::Code code, quint8 key1, quint8 key2, const QByteArray& payload);
    // Removes and returns the entries due at `now`, walking from the newest to the oldest.
    QVector<Entry> takeDue(qint64 now);
    void clear() { m_entries.clear(); }
    int size() const { return int(m_entries.size()); }

private:
    QVector<Entry> m_entries;
};

// The last command the user interface sent; reports of its group are held back while it is
// recent so that an older report cannot pull an edited value back.
class RecentCommand
{
public:
    static constexpr qint64 kHoldMs = 1499;

    void record(wire::Code code, qint64 now)
    {
        m_code = code;
        m_time = now;
    }
    void expire(qint64 now)
    {
        if (now - m_time > kHoldMs)
            *this = RecentCommand{};
    }
    wire::Code code() const { return m_code; }
    qint64 time() const { return m_time; }
    bool holdsGroup(wire::Group group) const { return m_code.group() == group; }
    bool holds(wire::Code code) const { return m_code == code; }

private:
    wire::Code m_code;
    qint64 m_time = 0;
};
