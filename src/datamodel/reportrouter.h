#pragma once

#include "wire/codes.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <QVector>
#include <functional>

class DataModel;

// Brings each change the model announces to the windows that show it. A window subscribes to
// the codes (or whole groups) it shows, with a handler; the subscription ends with the window.
// Adding a window never touches the owner of the router.
class ReportRouter : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        wire::Code code;
        quint8 channel = 255; // 255: the whole group
        quint8 other = 255;   // a second index or a small value; 255: unused
        QVariant any;         // forwarded data, when the report carries some
    };
    using Handler = std::function<void(const Event&)>;

    explicit ReportRouter(DataModel& model, QObject* parent = nullptr);

    void subscribe(QObject* receiver, wire::Code code, Handler handler);
    void subscribe(QObject* receiver, wire::Group group, Handler handler);
    void unsubscribe(QObject* receiver);

    // Delivers one change to its subscribers, those of the code first, then those of its group.
    void deliver(const Event& event) const;

public slots:
    void tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar other,
                     QVariant any);

private:
    struct Subscription
    {
        QObject* receiver;
        Handler handler;
    };
    void watch(QObject* receiver);

    QHash<quint32, QVector<Subscription>> m_byCode;
    QHash<quint16, QVector<Subscription>> m_byGroup;
    QVector<QObject*> m_receivers;
};
