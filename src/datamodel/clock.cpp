#include "clock.h"

#include <QDateTime>

namespace {
std::function<qint64()>& source()
{
    static std::function<qint64()> s_source;
    return s_source;
}
} // namespace

namespace Clock {

qint64 now()
{
    return source() ? source()() : QDateTime::currentMSecsSinceEpoch();
}

void setSource(std::function<qint64()> newSource)
{
    source() = std::move(newSource);
}

void resetSource()
{
    source() = nullptr;
}

} // namespace Clock
