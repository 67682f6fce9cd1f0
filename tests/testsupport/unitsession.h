#pragma once

#include "virtualunit.h"
#include "wire/codes.h"
#include "wire/packet.h"

#include <QList>
#include <memory>

class DataModel;

// A virtual unit on loopback for tests that drive a model against it: the unit and the model
// share a test clock that only run() moves, every packet the unit receives is kept with the
// time it came, and settle() waits until the unit has read everything sent so far. The model's
// interfaces are loopback alone.
class UnitSession
{
public:
    struct Packet
    {
        wire::Code code;
        quint8 access = 0;
        QByteArray payload;
        qint64 at = 0;
    };

    explicit UnitSession(int profile = 0);
    ~UnitSession();

    // Starts the unit; false with `error` set when it cannot listen.
    bool start(QString* error);
    VirtualUnit& unit() { return *m_unit; }
    static quint16 freeUdpPort();

    // The model that run() and settle() drive; its heartbeat timer is stopped.
    void setModel(DataModel* model);
    qint64 now() const { return m_now; }
    // `ms` of the test clock in 10 ms ticks, the sockets working in between.
    void run(int ms);
    bool settle();

    // Everything received so far; an index into it marks a point to look from.
    const QList<Packet>& received() const { return m_received; }
    int mark() const { return int(m_received.size()); }
    QList<Packet> since(int from, wire::Code code, quint8 access = wire::AccessWrite) const;
    // The commands of the processing family received since `from`.
    QList<Packet> commandsSince(int from) const;

private:
    std::unique_ptr<VirtualUnit> m_unit;
    DataModel* m_model = nullptr;
    qint64 m_now;
    QList<Packet> m_received;
    int m_sentinels = 0;
};
