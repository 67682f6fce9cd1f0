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

// The unit's own link: its port, and no discovery socket of its own (one socket per unit
// would share the port, and a datagram sent to one address reaches only one of them).
LinkSettings linkFor(LinkSettings settings, const QString& name)
{
    settings.broadcastPort = 0;
    static const QRegularExpression withPort(QStringLiteral("^[0-9.]+:(\\d+)$"));
    const QRegularExpressionMatch m = withPort.match(name);
    if (m.hasMatch())
        settings.controlPort = quint16(m.captured(1).toUInt());
    return settings;
}

} // namespace

ServedUnit::ServedUnit(const QString& name, const QString& password, const LinkSettings& settings,
                       const DataModel* directory, QObject* parent)
    : QObject(parent), m_name(name), m_directory(directory),
      m_model(std::make_unique<ReportingModel>(linkFor(settings, name))), m_login(password)
{
    // Only dotted quads name an address: a device ID alone would read as one in its 32-bit form.
    static const QRegularExpression dotted(QStringLiteral("^(\\d+\\.\\d+\\.\\d+\\.\\d+)(:\\d+)?$"));
    const QRegularExpressionMatch m = dotted.match(name);
    QHostAddress address;
    if (m.hasMatch() && address.setAddress(m.captured(1)))
        m_address = address.toIPv4Address();

    m_published.resize(ParameterKeys::all().size());
    // Who the unit is, from its own answers: a name by address says nothing of it.
    for (wire::Code c : {wire::code::DeviceId, wire::code::Model, wire::code::SerialNumber,
                         wire::code::Location, wire::code::Description})
        m_sweepReads.append({c, {}});
    m_wholeReads = m_sweepReads;
    for (const ParameterRead& r : ParameterKeys::readsFor(ParameterKeys::all())) {
        m_wholeReads.append(r);
        // What the model reads every cycle anyway is not read again.
        if (!Refresher::readsAlways(r.code))
            m_sweepReads.append(r);
    }
    m_wholeReads.append({wire::code::PresetTable, {}});
    m_sweepReads.append({wire::code::PresetTable, {}});

    m_model->setListener([this](const wire::PacketHeader& header, const QByteArray&) {
        if (header.access != wire::AccessReport)
            return;
        if (header.code() != kBarrier)
            return;
        // Answers come in order: those of the marker's own reads come first.
        if (m_markerReadsAnswering > 0)
            --m_markerReadsAnswering;
        else if (!m_barriers.isEmpty())
            m_barriers.dequeue()(true);
    });
    connect(m_model.get(), &DataModel::tcpLoginChanged, this, &ServedUnit::loginAnswer);
    // Every change of the connection, however brief: a reconnection inside one poll must still
    // be seen as one.
    connect(m_model.get(), &DataModel::deviceListNetworkChanged, this, [this](int index) {
        if (index == m_model->currentDevice())
            updateLink();
    });
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
    bool isNumber = false;
    const uint id = name.toUInt(&isNumber);
    return (isNumber && m_knownId != 0 && m_knownId == id) ||
           (!m_knownSerial.isEmpty() && m_knownSerial == name) ||
           QHostAddress(m_model->device(index)->packet.ipAddress).toString() == name;
}

QJsonObject ServedUnit::describe() const
{
    QJsonObject o{{QStringLiteral("name"), m_name},
                  {QStringLiteral("link"), linkName(m_link)},
                  {QStringLiteral("synced"), m_synced}};
    const int index = m_model->currentDevice();
    if (index >= 0) {
        o.insert(QStringLiteral("address"),
                 QHostAddress(m_model->device(index)->packet.ipAddress).toString());
        o.insert(QStringLiteral("port"), m_model->controlPort());
    }
    if (m_synced) {
        const model::SystemState& s = m_model->system();
        o.insert(QStringLiteral("id"), qint64(m_model->device(index)->packet.deviceId));
        o.insert(QStringLiteral("serial"), s.serialNumber);
        o.insert(QStringLiteral("model"), s.model);
        o.insert(QStringLiteral("location"), s.location);
        o.insert(QStringLiteral("description"), s.description);
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
    if (m_model->isConnected()) {
        const qint64 now = Clock::now();
        sendLogin(m_login.tick(now));
        // A login answer lost (the unit was busy or silent when asked) is asked for again.
        if (!m_login.isDone() && m_login.state() != LoginSequence::State::Guest &&
            now - m_loginAskedAt > kLoginRetryMs)
            askLogin();
    }
    sweep();
}

void ServedUnit::findUnit()
{
    quint32 address = m_address;
    if (address == 0 && m_directory) {
        bool isId = false;
        const uint id = m_name.toUInt(&isId);
        for (int i = 0; i < m_directory->deviceCount() && address == 0; ++i) {
            const wire::UDPBrowsingPacket& p = m_directory->device(i)->packet;
            if ((isId && p.deviceId == id) || DeviceRegistry::fieldText(p.serialNumber) == m_name)
                address = p.ipAddress;
        }
    }
    if (address == 0)
        return;
    int found = m_model->indexOfAddress(address);
    if (found < 0 && m_model->addDeviceByAddress(address))
        found = m_model->indexOfAddress(address);
    if (found >= 0)
        m_model->selectDevice(found, false);
}

void ServedUnit::updateLink()
{
    const bool connected = m_model->isConnected();
    if (connected && !m_wasConnected) {
        m_timedOut = false;
        // A unit that says nothing about the login at connect is asked.
        askLogin();
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

void ServedUnit::askLogin()
{
    m_login.restart();
    m_loginAskedAt = Clock::now();
    m_model->sendQuery(wire::code::Login);
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
    const auto together = m_model->holdFlush();
    for (const ParameterRead& r : reads)
        sendRead(r);
    m_barriers.enqueue(std::move(done));
    m_model->sendQuery(kBarrier);
}

void ServedUnit::sendRead(const ParameterRead& read)
{
    if (read.code == kBarrier)
        ++m_markerReadsAnswering;
    m_model->sendQuery(read.code, read.payload);
}

void ServedUnit::failBarriers()
{
    m_markerReadsAnswering = 0;
    while (!m_barriers.isEmpty())
        m_barriers.dequeue()(false);
}

void ServedUnit::resync()
{
    m_synced = false;
    m_sweepNext = 0;
    afterReads(m_wholeReads, [this](bool answered) {
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
        // Kept while the link is down: clients go on naming the unit the same way.
        m_knownId = m_model->device(m_model->currentDevice())->packet.deviceId;
        m_knownSerial = m_model->system().serialNumber;
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
    const auto together = m_model->holdFlush();
    for (int i = 0; i < batch; ++i) {
        sendRead(m_sweepReads[m_sweepNext]);
        m_sweepNext = (m_sweepNext + 1) % m_sweepReads.size();
    }
}

void ServedUnit::write(const ParameterKeys::Key& key, const QVariant& value)
{
    ParameterKeys::write(*m_model, key, value);
    // A queued value leaves when its delay is over, not up to a tick later.
    if (m_model->pendingCommandCount() > 0)
        QTimer::singleShot(int(PendingCommands::kDelayMs) + 1, Qt::PreciseTimer, this,
                           [this] { m_model->sendDueCommands(); });
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
