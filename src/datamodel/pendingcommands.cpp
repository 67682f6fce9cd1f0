#include "pendingcommands.h"

void PendingCommands::enqueue(qint64 now, wire::Code code, quint8 key1, quint8 key2,
                              const QByteArray& payload)
{
    for (Entry& e : m_entries) {
        if (e.code == code && e.key1 == key1 && e.key2 == key2) {
            e.payload = payload;
            return;
        }
    }
    m_entries.append(Entry{now, code, key1, key2, payload});
}

QVector<PendingCommands::Entry> PendingCommands::takeDue(qint64 now)
{
    QVector<Entry> due;
    for (int i = int(m_entries.size()) - 1; i >= 0; --i) {
        if (m_entries[i].time + kDelayMs < now) {
            due.append(m_entries[i]);
            m_entries.remove(i);
        }
    }
    return due;
}
