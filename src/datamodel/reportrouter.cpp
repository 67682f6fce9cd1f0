#include "reportrouter.h"

#include "datamodel.h"

#include <algorithm>

ReportRouter::ReportRouter(DataModel& model, QObject* parent) : QObject(parent)
{
    connect(&model, &DataModel::tcpSyncToUI, this, &ReportRouter::tcpSyncToUI);
}

void ReportRouter::watch(QObject* receiver)
{
    if (m_receivers.contains(receiver))
        return;
    m_receivers.append(receiver);
    connect(receiver, &QObject::destroyed, this, [this, receiver] { unsubscribe(receiver); });
}

void ReportRouter::subscribe(QObject* receiver, wire::Code code, Handler handler)
{
    watch(receiver);
    m_byCode[code.key()].append({receiver, std::move(handler)});
}

void ReportRouter::subscribe(QObject* receiver, wire::Group group, Handler handler)
{
    watch(receiver);
    m_byGroup[group.key()].append({receiver, std::move(handler)});
}

void ReportRouter::unsubscribe(QObject* receiver)
{
    const auto drop = [receiver](auto& table) {
        for (auto it = table.begin(); it != table.end();) {
            auto& list = it.value();
            list.erase(std::remove_if(
                           list.begin(), list.end(),
                           [receiver](const Subscription& s) { return s.receiver == receiver; }),
                       list.end());
            it = list.isEmpty() ? table.erase(it) : std::next(it);
        }
    };
    drop(m_byCode);
    drop(m_byGroup);
    m_receivers.removeAll(receiver);
}

void ReportRouter::deliver(const Event& event) const
{
    // Copies: a handler may subscribe or unsubscribe, even delete another receiver, while
    // the change is delivered; a receiver that is gone is skipped.
    const auto run = [this, &event](const QVector<Subscription>& list) {
        for (const Subscription& s : list) {
            if (m_receivers.contains(s.receiver))
                s.handler(event);
        }
    };
    const auto code = m_byCode.constFind(event.code.key());
    if (code != m_byCode.constEnd())
        run(QVector<Subscription>(code.value()));
    const auto group = m_byGroup.constFind(event.code.group().key());
    if (group != m_byGroup.constEnd())
        run(QVector<Subscription>(group.value()));
}

void ReportRouter::tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar other,
                               QVariant any)
{
    deliver({wire::codeOf(type, subType, funcId), channel, other, std::move(any)});
}
