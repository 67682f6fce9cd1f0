#include "linkwatch.h"

namespace {

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000, 'f', 1) + QStringLiteral(" s");
}

} // namespace

void LinkWatch::switchUnit(qint64 nowMs, qint64 lastDataMs)
{
    // A loss still open stays unrecovered: the next unit's login says nothing about it.
    if (hasOpenOutage() && m_outages.back().cause != Cause::Switch && !m_outages.back().failed) {
        m_outages.back().failed = true;
        m_failures << QStringLiteral("link lost at %1 (%2) still down when the unit was left")
                          .arg(seconds(m_outages.back().downMs), name(m_outages.back().cause));
    }
    open(Cause::Switch, nowMs, lastDataMs);
    m_up = false;
}

void LinkWatch::observe(qint64 nowMs, bool up, qint64 lastDataMs)
{
    if (m_up && !up) {
        open(m_cause, nowMs, lastDataMs);
    } else if (!m_up && up && hasOpenOutage()) {
        m_outages.back().upMs = nowMs;
    }
    m_up = up;

    if (hasOpenOutage()) {
        Outage& o = m_outages.back();
        if (!o.failed && nowMs - o.downMs > m_deadlineMs) {
            o.failed = true;
            m_failures << QStringLiteral(
                              "link lost at %1 (%2) not up and logged in again within %3")
                              .arg(seconds(o.downMs), name(o.cause), seconds(m_deadlineMs));
        }
    }
    // The watchdog gives a silent link up after a few seconds; one that stays up much longer
    // without a packet is a watchdog that failed.
    if (up && nowMs - lastDataMs > m_deadlineMs) {
        if (!m_silenceFailed)
            m_failures << QStringLiteral("link up but silent since %1, not given up within %2")
                              .arg(seconds(lastDataMs), seconds(m_deadlineMs));
        m_silenceFailed = true;
    } else {
        m_silenceFailed = false;
    }
}

void LinkWatch::open(Cause cause, qint64 nowMs, qint64 lastDataMs)
{
    Outage o;
    o.cause = cause;
    o.lastDataMs = lastDataMs;
    o.downMs = nowMs;
    m_outages.push_back(o);
    if (cause == Cause::Unexpected)
        m_failures << QStringLiteral("link lost at %1 while no fault should take it down")
                          .arg(seconds(nowMs));
}

int LinkWatch::reconnects() const
{
    int n = 0;
    for (const Outage& o : m_outages)
        n += o.cause != Cause::Switch && o.upMs >= 0 ? 1 : 0;
    return n;
}

QString LinkWatch::name(Cause cause)
{
    switch (cause) {
    case Cause::Drop:
        return QStringLiteral("drop");
    case Cause::Silence:
        return QStringLiteral("silence");
    case Cause::Unexpected:
        return QStringLiteral("unexpected");
    case Cause::Switch:
        return QStringLiteral("switch");
    }
    return {};
}
