#include "announcer.h"

#include <QLoggingCategory>
#include <QTimer>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcAnnouncer, "kv.unit.announce", QtInfoMsg)

Announcer::Announcer(Builder builder, QObject* parent)
    : QObject(parent), m_builder(std::move(builder)), m_socket(new QUdpSocket(this)),
      m_timer(new QTimer(this))
{
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &Announcer::announce);
}

void Announcer::setTarget(const QHostAddress& address, quint16 port)
{
    m_target = address;
    m_port = port;
}

bool Announcer::setSource(const QHostAddress& address)
{
    m_socket->abort();
    if (address.isNull() || address == QHostAddress::AnyIPv4 || address == QHostAddress::Any)
        return true;
    if (!m_socket->bind(address, 0)) {
        qCWarning(lcAnnouncer) << "Cannot send from" << address.toString() << ":"
                               << m_socket->errorString();
        return false;
    }
    return true;
}

void Announcer::setInterval(int ms)
{
    m_timer->setInterval(qMax(10, ms));
}

void Announcer::start()
{
    m_timer->start();
    announce();
}

void Announcer::stop()
{
    m_timer->stop();
}

bool Announcer::isRunning() const
{
    return m_timer->isActive();
}

bool Announcer::announce()
{
    const QByteArray datagram = m_builder();
    return m_socket->writeDatagram(datagram, m_target, m_port) == datagram.size();
}
