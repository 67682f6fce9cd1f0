#pragma once

#include "linksettings.h"
#include "loginsequence.h"
#include "meterkeys.h"
#include "parameterkeys.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QQueue>
#include <QSet>
#include <QTimer>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class DataModel;
class ReportingModel;

// One unit kept live for remote clients: found by address (optionally ADDRESS:PORT), serial
// number or device ID, connected, logged in as the application does, read whole, and then
// kept in step: the model's own periodic reads bring meters, strips and system values, and a
// slow sweep reads every other block so that changes made elsewhere (the front panel, another
// program) show up too. The link reconnects by itself; every new login reads the unit whole
// again. Values are published per key: subscribers hear each key whose value changed.
class ServedUnit : public QObject
{
    Q_OBJECT
public:
    enum class Link
    {
        Searching, // not heard on the discovery port yet
        Connecting,
        Online, // connected, logging in
        LoggedIn,
        TimedOut, // the unit did not answer the connection, or fell silent
        Refused,  // the unit refused the password, or asks for one none was given for
    };

    static constexpr int kPollMs = 100;
    // Every block outside the periodic reads is read again within about this long.
    static constexpr int kSweepMs = 3000;
    static constexpr qint64 kLoginRetryMs = 2000;

    // `directory` lists the units heard on the discovery port; it finds units named by
    // serial number or device ID.
    ServedUnit(const QString& name, const QString& password, const LinkSettings& settings,
               const DataModel* directory, QObject* parent = nullptr);
    ~ServedUnit() override;

    // The name the unit was asked for by.
    const QString& name() const { return m_name; }
    // By the name it was asked for, its device ID, serial number or address.
    bool matches(const QString& name) const;
    Link link() const { return m_link; }
    static QString linkName(Link link);
    // Logged in and read whole since: values can be trusted and written.
    bool isSynced() const { return m_synced; }
    DataModel& model();
    const DataModel& model() const;
    // Identity and link state; never the password.
    QJsonObject describe() const;

    // Indexes into ParameterKeys::all() of the keys this unit has; known once synced.
    const QVector<int>& availableKeys() const { return m_availableKeys; }
    const QVector<const MeterKeys::Meter*>& availableMeters() const { return m_availableMeters; }
    // The value last published for a key (index into ParameterKeys::all()).
    QVariant value(int key) const { return m_published.value(key); }

    // Writes through the same edits as the application (coalesced, with its echo rules) and
    // publishes what changed in the mirror at once.
    void write(const ParameterKeys::Key& key, const QVariant& value);
    // Loads a preset; `done(true)` once the unit lists it as the current one.
    void recallPreset(int slot, std::function<void(bool)> done);
    // Sends the reads and a marker behind them; `done(true)` once the unit has answered them
    // all, `done(false)` when the link breaks first.
    void afterReads(const QVector<ParameterRead>& reads, std::function<void(bool)> done);

    static int keyIndex(const ParameterKeys::Key& key);

signals:
    void linkChanged(ServedUnit* unit);
    // Keys (indexes into ParameterKeys::all()) whose published value changed.
    void valuesChanged(ServedUnit* unit, const QVector<int>& keys);
    void metersChanged(ServedUnit* unit);

private:
    void poll();
    void findUnit();
    void updateLink();
    void askLogin();
    void loginAnswer(uchar answer);
    void sendLogin(LoginSequence::Send what);
    void resync();
    void sweep();
    void reportSeen(wire::Code code);
    void publishDirty();
    void publish(const QVector<int>& keys);
    void sendRead(const ParameterRead& read);
    void failBarriers();

    QString m_name;
    quint32 m_address = 0; // when named by address
    const DataModel* m_directory = nullptr;
    std::unique_ptr<ReportingModel> m_model;
    LoginSequence m_login;
    Link m_link = Link::Searching;
    bool m_wasConnected = false;
    bool m_timedOut = false;
    bool m_synced = false;
    qint64 m_loginAskedAt = 0;
    quint32 m_knownId = 0;
    QString m_knownSerial;
    QTimer m_poll;
    QTimer m_publishTimer;

    QQueue<std::function<void(bool)>> m_barriers;
    // Reads of the marker's code sent as reads, whose answers are not markers.
    int m_markerReadsAnswering = 0;
    QVector<ParameterRead> m_wholeReads; // every block, after each login
    QVector<ParameterRead> m_sweepReads; // those the model's periodic reads leave out
    int m_sweepNext = 0;
    qint64 m_lastSweepAt = 0;

    QVector<QVariant> m_published;
    QVector<int> m_availableKeys;
    QVector<const MeterKeys::Meter*> m_availableMeters;
    QSet<quint32> m_dirtyCodes;
    bool m_dirtyAll = false;
    bool m_metersDirty = false;
};
