#include "servedunit.h"

#include "clock.h"
#include "deviceregistry.h"
#include "presetedits.h"
#include "reportingmodel.h"

#include <QDateTime>
#include <QHostAddress>
#include <QRegularExpression>

namespace {

// Answered like any read and never read periodically: its report marks the end of a batch.
constexpr wire::Code kBarrier = wire::code::Model;

bool isMeter(wire::Code c)
{
    return c == wire::code::InputPostFaderMeters || c == wire::code::InputPreFaderMeters ||
           c == wire::code::OutputPostFaderMeters || c == wire::code::OutputPreFaderMeters;
}

// For each report code, the keys whose values it carries.
const QHash<quint32, QVector<int>>& keysByCode()
{
    static const QHash<quint32, QVector<int>> map = [] {
        QHash<quint32, QVector<int>> m;
        const QVector<ParameterKeys::Key>& keys = ParameterKeys::all();
        for (int i = 0; i < keys.size(); ++i) {
            for (const ParameterRead& r : ParameterKeys::readsFor({keys[i]})) {
                QVector<int>& list = m[r.code.key()];
                if (list.isEmpty() || list.constLast() != i)
                    list.append(i);
            }
        }
        return m;
    }();
    return map;
}

template <std::size_t N> QString text(const char (&field)[N])
{
    return DeviceRegistry::fieldText(field, int(N));
}

LinkSettings withPort(LinkSettings settings, const QString& name)
{
    static const QRegularExpression withPort(QStringLiteral("^[0-9.]+:(\\d+)$"));
    const QRegularExpressionMatch m = withPort.match(name);
    if (m.hasMatch())
        settings.controlPort = quint16(m.captured(1).toUInt());
    return settings;
}

} // namespace

ServedUnit::ServedUnit(const QString& name, const QString& password, const LinkSettings& settings,
                       QObject* parent)
    : QObject(parent), m_name(name),
      m_model(std::make_unique<ReportingModel>(withPort(settings, name))), m_login(password)
{
    // Only dotted quads name an address: a device ID alone would read as one in its 32-bit form.
    static const QRegularExpression dotted(QStringLiteral("^(\\d+\\.\\d+\\.\\d+\\.\\d+)(:\\d+)?$"));
    const QRegularExpressionMatch m = dotted.match(name);
    QHostAddress address;
    if (m.hasMatch() && address.setAddress(m.captured(1)))
        m_address = address.toIPv4Address();

    m_published.resize(ParameterKeys::all().size());
    for (const ParameterRead& r : ParameterKeys::readsFor(ParameterKeys::all()))
        m_sweepReads.append(r);
    m_sweepReads.append({wire::code::PresetTable, {}});

    m_model->setListener([this](const wire::PacketHeader& header, const QByteArray&) {
        if (header.access != wire::AccessReport)
            return;
        if (header.code() == kBarrier && !m_barriers.isEmpty())
            m_barriers.dequeue()(true);
    });
    connect(m_model.get(), &DataModel::tcpLoginChanged, this, &ServedUnit::loginAnswer);
    connect(m_model.get(), &DataModel::tcpConnectTimeout, this, [this] {
        m_timedOut = true;
        updateLink();
    });
    connect(m_model.get(), &DataModel::tcpSyncToUI, this,
            [this](uchar type, uchar subType, uchar funcId) {
                reportSeen(wire::codeOf(type, subType, funcId));
            });
    // No page is on screen: the sweep reads the blocks.
    m_model->setCurrentPage(-1, 0);

    m_publishTimer.setSingleShot(true);
    m_publishTimer.setInterval(0);
    connect(&m_publishTimer, &QTimer::timeout, this, &ServedUnit::publishDirty);
    connect(&m_poll, &QTimer::timeout, this, &ServedUnit::poll);
    m_poll.start(kPollMs);
    poll();
}

ServedUnit::~ServedUnit()
{
    failBarriers();
    m_model->selectDevice(-1, true);
}

DataModel& ServedUnit::model()
{
    return *m_model;
}

const DataModel& ServedUnit::model() const
{
    return *m_model;
}

int ServedUnit::keyIndex(const ParameterKeys::Key& key)
{
    return ParameterKeys::all().indexOf(key);
}

QString ServedUnit::linkName(Link link)
{
    switch (link) {
    case Link::Searching:
        return QStringLiteral("searching");
    case Link::Connecting:
        return QStringLiteral("connecting");
    case Link::Online:
        return QStringLiteral("online");
    case Link::LoggedIn:
        return QStringLiteral("logged in");
    case Link::TimedOut:
        return QStringLiteral("timed out");
    case Link::Refused:
        return QStringLiteral("refused");
    }
    return {};
}

bool ServedUnit::matches(const QString& name) const
{
    if (name == m_name)
        return true;
    const int index = m_model->currentDevice();
    if (index < 0)
        return false;
    const wire::UDPBrowsingPacket& p = m_model->device(index)->packet;
    bool isNumber = false;
    const uint id = name.toUInt(&isNumber);
    return (isNumber && p.deviceId == id) || text(p.serialNumber) == name ||
           QHostAddress(p.ipAddress).toString() == name;
}

QJsonObject ServedUnit::describe() const
{
    QJsonObject o{{QStringLiteral("name"), m_name},
                  {QStringLiteral("link"), linkName(m_link)},
                  {QStringLiteral("synced"), m_synced}};
    const int index = m_model->currentDevice();
    if (index >= 0) {
        const wire::UDPBrowsingPacket& p = m_model->device(index)->packet;
        o.insert(QStringLiteral("id"), qint64(p.deviceId));
        o.insert(QStringLiteral("serial"), text(p.serialNumber));
        o.insert(QStringLiteral("model"), text(p.model));
        o.insert(QStringLiteral("address"), QHostAddress(p.ipAddress).toString());
        o.insert(QStringLiteral("port"), m_model->controlPort());
        o.insert(QStringLiteral("location"), text(p.location));
        o.insert(QStringLiteral("description"), text(p.description));
    }
    if (m_synced)
        o.insert(QStringLiteral("preset"), int(m_model->mirror().presets.current) + 1);
    return o;
}

void ServedUnit::poll()
{
    if (m_model->currentDevice() < 0)
        findUnit();
    updateLink();
    if (m_model->isConnected())
        sendLogin(m_login.tick(Clock::now()));
    sweep();
}

void ServedUnit::findUnit()
{
    int found = -1;
    if (m_address != 0) {
        found = m_model->indexOfAddress(m_address);
        if (found < 0 && m_model->addDeviceByAddress(m_address))
            found = m_model->indexOfAddress(m_address);
    } else {
        bool isId = false;
        const uint id = m_name.toUInt(&isId);
        for (int i = 0; i < m_model->deviceCount() && found < 0; ++i) {
            const wire::UDPBrowsingPacket& p = m_model->device(i)->packet;
            if ((isId && p.deviceId == id) || text(p.serialNumber) == m_name)
                found = i;
        }
    }
    if (found >= 0)
        m_model->selectDevice(found, false);
}

void ServedUnit::updateLink()
{
    const bool connected = m_model->isConnected();
    if (connected && !m_wasConnected) {
        m_timedOut = false;
        m_login.restart();
        // A unit that says nothing about the login at connect is asked.
        m_model->sendQuery(wire::code::Login);
    } else if (!connected && m_wasConnected) {
        m_synced = false;
        failBarriers();
    }
    m_wasConnected = connected;

    Link link = Link::Searching;
    if (m_model->currentDevice() < 0)
        link = Link::Searching;
    else if (!connected)
        link = m_timedOut ? Link::TimedOut : Link::Connecting;
    else if (m_login.state() == LoginSequence::State::Accepted)
        link = Link::LoggedIn;
    else if (m_login.state() == LoginSequence::State::Refused)
        link = Link::Refused;
    else
        link = Link::Online;
    if (link == m_link)
        return;
    const bool loggedIn = link == Link::LoggedIn;
    m_link = link;
    if (loggedIn)
        resync();
    emit linkChanged(this);
}

void ServedUnit::loginAnswer(uchar answer)
{
    sendLogin(m_login.answer(answer, Clock::now()));
    updateLink();
}

void ServedUnit::sendLogin(LoginSequence::Send what)
{
    if (what == LoginSequence::Send::Guest)
        m_model->login(QString::fromLatin1(ControlLink::kGuestPassword), false);
    else if (what == LoginSequence::Send::Password)
        m_model->login(m_login.password(), true);
}

void ServedUnit::afterReads(const QVector<ParameterRead>& reads, std::function<void(bool)> done)
{
    if (!m_model->isConnected()) {
        done(false);
        return;
    }
    for (const ParameterRead& r : reads)
        m_model->sendQuery(r.code, r.payload);
    m_barriers.enqueue(std::move(done));
    m_model->sendQuery(kBarrier);
}

void ServedUnit::failBarriers()
{
    while (!m_barriers.isEmpty())
        m_barriers.dequeue()(false);
}

void ServedUnit::resync()
{
    m_synced = false;
    m_sweepNext = 0;
    afterReads(m_sweepReads, [this](bool answered) {
        if (!answered)
            return;
        m_availableKeys.clear();
        const QVector<ParameterKeys::Key>& keys = ParameterKeys::all();
        for (int i = 0; i < keys.size(); ++i) {
            if (ParameterKeys::available(*m_model, keys[i]))
                m_availableKeys.append(i);
        }
        m_availableMeters.clear();
        for (const MeterKeys::Meter& m : MeterKeys::all()) {
            if (MeterKeys::available(*m_model, m))
                m_availableMeters.append(&m);
        }
        m_synced = true;
        m_lastSweepAt = Clock::now();
        publish(m_availableKeys);
        emit linkChanged(this);
    });
}

void ServedUnit::sweep()
{
    // Reads wait while an edit is on its way: an older report must not show between.
    if (!m_synced || !m_barriers.isEmpty() || m_model->pendingCommandCount() > 0 ||
        m_model->recentCommand().time() != 0 || m_sweepReads.isEmpty())
        return;
    const qint64 now = Clock::now();
    if (now - m_lastSweepAt < kPollMs)
        return;
    m_lastSweepAt = now;
    const int batch = int(m_sweepReads.size() * qint64(kPollMs) / kSweepMs) + 1;
    for (int i = 0; i < batch; ++i) {
        const ParameterRead& r = m_sweepReads[m_sweepNext];
        m_model->sendQuery(r.code, r.payload);
        m_sweepNext = (m_sweepNext + 1) % m_sweepReads.size();
    }
}

void ServedUnit::write(const ParameterKeys::Key& key, const QVariant& value)
{
    ParameterKeys::write(*m_model, key, value);
    // The edit may have moved others with it (a level group, a linked pair).
    for (const ParameterRead& r : ParameterKeys::readsFor({key}))
        m_dirtyCodes.insert(r.code.key());
    publishDirty();
}

void ServedUnit::recallPreset(int slot, std::function<void(bool)> done)
{
    PresetEdits(*m_model).load(slot);
    afterReads({{wire::code::PresetTable, {}}}, [this, slot, done](bool answered) {
        const bool loaded = answered && m_model->mirror().presets.current == slot;
        done(loaded);
        if (loaded)
            resync();
    });
}

void ServedUnit::reportSeen(wire::Code code)
{
    if (isMeter(code)) {
        m_metersDirty = true;
    } else if (keysByCode().contains(code.key())) {
        m_dirtyCodes.insert(code.key());
    } else {
        // A report no key is read by may still carry keys' values (a group's spread).
        m_dirtyAll = true;
    }
    if (!m_publishTimer.isActive())
        m_publishTimer.start();
}

void ServedUnit::publishDirty()
{
    if (m_metersDirty) {
        m_metersDirty = false;
        if (m_synced)
            emit metersChanged(this);
    }
    if (!m_synced) {
        m_dirtyCodes.clear();
        m_dirtyAll = false;
        return;
    }
    if (m_dirtyAll) {
        m_dirtyAll = false;
        m_dirtyCodes.clear();
        publish(m_availableKeys);
        return;
    }
    if (m_dirtyCodes.isEmpty())
        return;
    QVector<int> keys;
    for (quint32 code : qAsConst(m_dirtyCodes))
        keys += keysByCode().value(code);
    m_dirtyCodes.clear();
    publish(keys);
}

void ServedUnit::publish(const QVector<int>& keys)
{
    const QVector<ParameterKeys::Key>& all = ParameterKeys::all();
    QVector<int> changed;
    for (int i : keys) {
        const QVariant v = ParameterKeys::read(*m_model, all[i]);
        if (v != m_published[i]) {
            m_published[i] = v;
            changed.append(i);
        }
    }
    if (!changed.isEmpty()) {
        std::sort(changed.begin(), changed.end());
        changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
        emit valuesChanged(this, changed);
    }
}
