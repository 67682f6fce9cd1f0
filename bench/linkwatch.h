#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

// Judges a control link that faults keep taking down. It is shown the link's state (up means
// connected and logged in) at every change and now and then, with the time of the last packet,
// and keeps every loss with the time until the link was up again. A loss that stays down
// longer than the deadline, a link that is up but hears nothing for that long, and a loss
// while no fault was injected are failures.
class LinkWatch
{
public:
    enum class Cause
    {
        Drop,       // the unit closed the connection
        Silence,    // the unit stopped answering; the watchdog gave the link up
        Unexpected, // nothing was injected that should take the link down
        Switch,     // the selection moved to another unit
    };

    struct Outage
    {
        Cause cause = Cause::Unexpected;
        qint64 lastDataMs = 0; // the last packet before the loss
        qint64 downMs = 0;     // when the link was found down
        qint64 upMs = -1;      // when it was up and logged in again; -1 while it is not
        bool failed = false;   // not up again within the deadline

        qint64 downtimeMs() const { return upMs < 0 ? -1 : upMs - downMs; }
        // From the last packet, i.e. including the time the fault took to be noticed.
        qint64 sinceDataMs() const { return upMs < 0 ? -1 : upMs - lastDataMs; }
    };

    explicit LinkWatch(qint64 deadlineMs) : m_deadlineMs(deadlineMs) {}

    // What a loss from now on is put down to.
    void setCause(Cause cause) { m_cause = cause; }
    Cause cause() const { return m_cause; }
    // The selection is about to move: the loss that follows is deliberate, and the next login
    // ends it. A loss still open is never recovered.
    void switchUnit(qint64 nowMs, qint64 lastDataMs);
    void observe(qint64 nowMs, bool up, qint64 lastDataMs);

    bool isUp() const { return m_up; }
    bool hasOpenOutage() const { return !m_outages.empty() && m_outages.back().upMs < 0; }
    const std::vector<Outage>& outages() const { return m_outages; }
    // Losses to a fault (not a switch) after which the link came up again.
    int reconnects() const;
    const QStringList& failures() const { return m_failures; }

    static QString name(Cause cause);

private:
    void open(Cause cause, qint64 nowMs, qint64 lastDataMs);

    qint64 m_deadlineMs;
    Cause m_cause = Cause::Unexpected;
    bool m_up = false;
    bool m_silenceFailed = false;
    std::vector<Outage> m_outages;
    QStringList m_failures;
};
