#include "networkinterfaces.h"

#include <QNetworkInterface>

namespace {
std::function<QList<LocalInterface>()>& source()
{
    static std::function<QList<LocalInterface>()> s_source;
    return s_source;
}

QList<LocalInterface> systemInterfaces()
{
    QList<LocalInterface> result;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& ni : interfaces) {
        LocalInterface li;
        li.index = ni.index();
        li.name = ni.name();
        const auto flags = ni.flags();
        li.active = (flags & (QNetworkInterface::IsUp | QNetworkInterface::IsRunning)) &&
                    !(flags & QNetworkInterface::IsLoopBack);
        li.entries = ni.addressEntries();
        result.append(li);
    }
    return result;
}
} // namespace

QHostAddress LocalInterface::firstIPv4() const
{
    for (const QNetworkAddressEntry& e : entries) {
        if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
            return e.ip();
    }
    return {};
}

namespace NetworkInterfaces {

QList<LocalInterface> all()
{
    return source() ? source()() : systemInterfaces();
}

QList<LocalInterface> active()
{
    QList<LocalInterface> result;
    const auto interfaces = all();
    for (const LocalInterface& li : interfaces) {
        if (li.active)
            result.append(li);
    }
    return result;
}

void setSource(std::function<QList<LocalInterface>()> newSource)
{
    source() = std::move(newSource);
}

void resetSource()
{
    source() = nullptr;
}

} // namespace NetworkInterfaces
