#include "controlsession.h"

#include "deviceregistry.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTimer>

namespace {

// Answered like any read, never read by the periodic refresh: its report marks the end of a
// batch of reads, which the unit answers in order.
constexpr wire::Code kBarrier = wire::code::Model;

} // namespace

ControlSession::ControlSession(const cli::Options& options, QObject* parent)
    : QObject(parent), m_options(options), m_login(options.password), m_model([&options] {
          LinkSettings s;
          s.controlPort = options.port;
          s.broadcastPort = options.discoveryPort;
          return s;
      }())
{
    m_model.setListener([this](const wire::PacketHeader& header, const QByteArray&) {
        if (header.code() == kBarrier && header.access == wire::AccessReport &&
            m_barrierPending > 0)
            --m_barrierPending;
    });
    connect(&m_model, &DataModel::tcpLoginChanged, this, &ControlSession::loginAnswer);
}

ControlSession::~ControlSession()
{
    m_model.selectDevice(-1, true);
}

bool ControlSession::waitFor(const std::function<bool()>& done, int ms)
{
    if (done())
        return true;
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    bool finished = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        finished = done();
        if (finished || clock.elapsed() >= ms)
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    return finished;
}

int ControlSession::failWith(int code, const QString& message)
{
    m_error = message;
    return code;
}

int ControlSession::report(int code) const
{
    return cli::fail(code, m_error);
}

int ControlSession::find(const QString& unit)
{
    // Only dotted quads: a device ID alone would read as an address in its 32-bit form.
    static const QRegularExpression dotted(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));
    QHostAddress address;
    if (dotted.match(unit).hasMatch() && address.setAddress(unit)) {
        const quint32 ip = address.toIPv4Address();
        if (m_model.indexOfAddress(ip) < 0 && !m_model.addDeviceByAddress(ip))
            return -1;
        return m_model.indexOfAddress(ip);
    }
    bool isId = false;
    const uint id = unit.toUInt(&isId);
    int found = -1;
    const auto match = [&] {
        for (int i = 0; i < m_model.deviceCount(); ++i) {
            const wire::UDPBrowsingPacket& p = m_model.device(i)->packet;
            const QString serial =
                DeviceRegistry::fieldText(p.serialNumber, int(sizeof p.serialNumber));
            if ((isId && p.deviceId == id) || serial == unit) {
                found = i;
                return true;
            }
        }
        return false;
    };
    waitFor(match, m_options.seconds * 1000);
    return found;
}

int ControlSession::open(const QString& unit)
{
    if (unit.isEmpty())
        return failWith(cli::Usage, QStringLiteral("no unit given (see kvctl --help)"));
    const int index = find(unit);
    if (index < 0) {
        return failWith(cli::Unreachable,
                        QStringLiteral("no unit \"%1\" heard on port %2 within %3 s")
                            .arg(unit)
                            .arg(m_options.discoveryPort)
                            .arg(m_options.seconds));
    }
    m_login.restart();
    m_model.selectDevice(index, false);
    const QString where = QStringLiteral("%1 port %2")
                              .arg(QHostAddress(m_model.device(index)->packet.ipAddress).toString())
                              .arg(m_options.port);
    bool asked = false;
    waitFor(
        [&] {
            // A unit that says nothing about the login at connect is asked.
            if (!asked && m_login.state() == LoginSequence::State::Waiting &&
                m_model.isConnected()) {
                asked = true;
                m_model.sendQuery(wire::code::Login);
            }
            send(m_login.tick(QDateTime::currentMSecsSinceEpoch()));
            return m_login.isDone();
        },
        m_options.timeoutMs);
    switch (m_login.state()) {
    case LoginSequence::State::Accepted:
        return cli::Ok;
    case LoginSequence::State::Refused:
        return failWith(cli::LoginRefused,
                        m_options.password.isEmpty()
                            ? QStringLiteral("%1 asks for a password (--password)").arg(where)
                            : QStringLiteral("%1 refused the password").arg(where));
    default:
        break;
    }
    if (!m_model.isConnected())
        return failWith(cli::Unreachable, QStringLiteral("cannot connect to %1 within %2 s")
                                              .arg(where)
                                              .arg(m_options.timeoutMs / 1000));
    return failWith(cli::Unreachable, QStringLiteral("%1 does not answer the login").arg(where));
}

void ControlSession::loginAnswer(uchar answer)
{
    send(m_login.answer(answer, QDateTime::currentMSecsSinceEpoch()));
}

void ControlSession::send(LoginSequence::Send what)
{
    if (what == LoginSequence::Send::Guest)
        m_model.login(QString::fromLatin1(ControlLink::kGuestPassword), false);
    else if (what == LoginSequence::Send::Password)
        m_model.login(m_options.password, true);
}

int ControlSession::read(const QVector<ParameterRead>& reads)
{
    if (const int rc = settle(); rc != cli::Ok)
        return rc;
    for (const ParameterRead& r : reads)
        m_model.sendQuery(r.code, r.payload);
    ++m_barrierPending;
    m_model.sendQuery(kBarrier);
    const int ms = std::max(m_options.timeoutMs, int(reads.size()) * 20);
    if (!waitFor([this] { return m_barrierPending == 0 || !m_model.isConnected(); }, ms) ||
        m_barrierPending > 0) {
        m_barrierPending = 0;
        return failWith(cli::Unreachable, QStringLiteral("the unit stopped answering"));
    }
    return cli::Ok;
}

int ControlSession::settle()
{
    const int ms = int(RecentCommand::kHoldMs + PendingCommands::kDelayMs) + 1000;
    if (!waitFor(
            [this] {
                return m_model.pendingCommandCount() == 0 && m_model.recentCommand().time() == 0;
            },
            ms) ||
        !m_model.isConnected())
        return failWith(cli::Unreachable, QStringLiteral("the connection to the unit broke off"));
    return cli::Ok;
}
