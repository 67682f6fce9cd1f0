#pragma once

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
        quint8 type = 0;
        quint8 subType = 0;
        quint8 funcId = 0;
        quint8 key1 = 0xFF;
        quint8 key2 = 0xFF;
        QByteArray payload;
    };

    // Replaces the payload of the entry with the same codes and keys (keeping its time), or
    // appends a new entry stamped `now`.
    void enqueue(qint64 now, quint8 type, quint8 subType, quint8 funcId, quint8 key1, quint8 key2,
                 const QByteArray& payload);
    // Removes and returns the entries due at `now`, walking from the newest to the oldest.
    QVector<Entry> takeDue(qint64 now);
    void clear() { m_entries.clear(); }
    int size() const { return int(m_entries.size()); }

private:
    QVector<Entry> m_entries;
};

// The last command the user interface sent; reports of its group are held back while it is
// recent so that an older report cannot pull an edited value back.
struct RecentCommand
{
    static constexpr qint64 kHoldMs = 1499;

    quint8 type = 0;
    quint8 subType = 0;
    quint8 funcId = 0;
    qint64 time = 0;

    void record(quint8 t, quint8 s, quint8 f, qint64 now)
    {
        type = t;
        subType = s;
        funcId = f;
        time = now;
    }
    void expire(qint64 now)
    {
        if (now - time > kHoldMs)
            *this = RecentCommand{};
    }
    bool holdsGroup(quint8 t, quint8 s) const { return type == t && subType == s; }
    bool holds(quint8 t, quint8 s, quint8 f) const { return holdsGroup(t, s) && funcId == f; }
};
