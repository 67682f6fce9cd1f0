#include "controlsession.h"
#include "devicefaults.h"
#include "deviceregistry.h"
#include "parameterkeys.h"
#include "savedstate.h"
#include "verbs.h"
#include "wire/packetcutter.h"
#include "wire/vocabulary.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

QString version(const std::array<quint8, 3>& v)
{
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

void printJson(const QJsonValue& value)
{
    const QJsonDocument doc =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    cli::out() << doc.toJson(QJsonDocument::Indented);
}

// The command assistant's form: two upper-case digits per byte, one space between.
QString hexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

int runDiscover(const cli::Options& o)
{
    if (!o.arguments.isEmpty())
        return cli::fail(cli::Usage, QStringLiteral("discover takes no arguments"));
    LinkSettings settings;
    settings.broadcastPort = o.discoveryPort;
    ReportingModel model(settings);
    if (!model.isListening())
        return cli::fail(cli::Failed,
                         QStringLiteral("cannot listen on port %1").arg(o.discoveryPort));
    ControlSession::waitFor([] { return false; }, o.seconds * 1000);

    QJsonArray units;
    for (int i = 0; i < model.deviceCount(); ++i) {
        const wire::UDPBrowsingPacket& p = model.device(i)->packet;
        QJsonObject u;
        u.insert(QStringLiteral("id"), qint64(p.deviceId));
        u.insert(QStringLiteral("model"), DeviceRegistry::fieldText(p.model));
        u.insert(QStringLiteral("serial"), DeviceRegistry::fieldText(p.serialNumber));
        u.insert(QStringLiteral("address"), QHostAddress(p.ipAddress).toString());
        u.insert(QStringLiteral("online"), model.device(i)->online != 0);
        u.insert(QStringLiteral("preset"), DeviceRegistry::fieldText(p.preset));
        units.append(u);
    }
    if (o.json) {
        printJson(units);
        return cli::Ok;
    }
    cli::out() << QStringLiteral("%1  %2  %3  %4  %5  %6\n")
                      .arg(QStringLiteral("ID"), -10)
                      .arg(QStringLiteral("MODEL"), -18)
                      .arg(QStringLiteral("SERIAL"), -18)
                      .arg(QStringLiteral("ADDRESS"), -15)
                      .arg(QStringLiteral("STATE"), -7)
                      .arg(QStringLiteral("PRESET"));
    for (const QJsonValue& v : qAsConst(units)) {
        const QJsonObject u = v.toObject();
        cli::out() << QStringLiteral("%1  %2  %3  %4  %5  %6\n")
                          .arg(QString::number(qint64(u.value(QStringLiteral("id")).toDouble())),
                               -10)
                          .arg(u.value(QStringLiteral("model")).toString(), -18)
                          .arg(u.value(QStringLiteral("serial")).toString(), -18)
                          .arg(u.value(QStringLiteral("address")).toString(), -15)
                          .arg(u.value(QStringLiteral("online")).toBool()
                                   ? QStringLiteral("online")
                                   : QStringLiteral("offline"),
                               -7)
                          .arg(u.value(QStringLiteral("preset")).toString());
    }
    return cli::Ok;
}

int runStatus(const cli::Options& o)
{
    if (o.arguments.size() != 1)
        return cli::fail(cli::Usage, QStringLiteral("status takes one unit"));
    ControlSession session(o);
    if (const int rc = session.open(o.arguments[0]); rc != cli::Ok)
        return session.report(rc);
    namespace code = wire::code;
    const QVector<ParameterRead> reads{
        {code::Model, {}},       {code::SerialNumber, {}}, {code::DeviceId, {}},
        {code::ArmVersion, {}},  {code::BuildNumber, {}},  {code::DspVersion, {}},
        {code::VersionText, {}}, {code::Temperature, {}},  {code::Fan, {}},
        {code::DspUsage, {}},    {code::DeviceStatus, {}}, {code::SystemMute, {}},
        {code::PresetTable, {}}};
    if (const int rc = session.read(reads); rc != cli::Ok)
        return session.report(rc);

    const DataModel& m = session.model();
    const model::SystemState& s = m.system();
    QJsonObject status;
    status.insert(QStringLiteral("model"), s.model);
    status.insert(QStringLiteral("serial"), s.serialNumber);
    status.insert(QStringLiteral("id"), qint64(s.deviceId));
    QString arm = version(s.armVersion);
    if (s.buildNumber != 0)
        arm += QLatin1Char('-') + QString::number(s.buildNumber, 16);
    status.insert(QStringLiteral("armVersion"), arm);
    status.insert(QStringLiteral("dspVersion"), version(s.dspVersion));
    status.insert(QStringLiteral("versionText"), s.versionText);
    status.insert(QStringLiteral("temperature"), double(s.temperature));
    // 2 until the unit says: a unit without a fan never does.
    status.insert(QStringLiteral("fan"), s.fanState == 1   ? QStringLiteral("on")
                                         : s.fanState == 0 ? QStringLiteral("off")
                                                           : QStringLiteral("unknown"));
    status.insert(QStringLiteral("dspUsage"),
                  QJsonArray{double(s.statusWords[0]), double(s.statusWords[1])});
    status.insert(QStringLiteral("faults"),
                  QJsonArray::fromStringList(deviceFaultNames(s.deviceStatus)));
    status.insert(QStringLiteral("systemMute"), s.systemMute);
    status.insert(QStringLiteral("preset"), int(m.mirror().presets.current) + 1);
    if (o.json) {
        printJson(status);
        return cli::Ok;
    }
    auto& out = cli::out();
    out << "model:        " << s.model << '\n';
    out << "serial:       " << s.serialNumber << '\n';
    out << "id:           " << s.deviceId << '\n';
    out << "arm version:  " << arm << '\n';
    out << "dsp version:  " << version(s.dspVersion) << '\n';
    if (!s.versionText.isEmpty())
        out << "version text: " << s.versionText << '\n';
    out << "temperature:  " << QString::number(double(s.temperature), 'f', 1) << " C\n";
    out << "fan:          " << status.value(QStringLiteral("fan")).toString() << '\n';
    out << "dsp usage:    " << s.statusWords[0] << "%, " << s.statusWords[1] << "%\n";
    const QStringList faults = deviceFaultNames(s.deviceStatus);
    out << "faults:       "
        << (faults.isEmpty() ? QStringLiteral("none") : faults.join(QStringLiteral(", "))) << '\n';
    out << "system mute:  " << (s.systemMute ? "on" : "off") << '\n';
    out << "preset:       " << int(m.mirror().presets.current) + 1 << '\n';
    return cli::Ok;
}

int runDump(const cli::Options& o)
{
    const QVector<ParameterKeys::Key>& keys = ParameterKeys::all();
    if (o.arguments.value(0) == QLatin1String("--keys")) {
        for (const ParameterKeys::Key& k : keys)
            cli::out() << k.name() << ' ' << ParameterKeys::rangeText(k) << '\n';
        return cli::Ok;
    }
    if (o.arguments.size() != 1)
        return cli::fail(cli::Usage, QStringLiteral("dump takes one unit"));
    ControlSession session(o);
    if (const int rc = session.open(o.arguments[0]); rc != cli::Ok)
        return session.report(rc);
    if (const int rc = session.read(ParameterKeys::readsFor(keys)); rc != cli::Ok)
        return session.report(rc);
    const DataModel& m = session.model();
    if (o.json) {
        QJsonObject all;
        for (const ParameterKeys::Key& k : keys) {
            if (!ParameterKeys::available(m, k))
                continue;
            const QVariant v = ParameterKeys::read(m, k);
            // Reals as the text shows them: a float's binary tail (0.1 as 0.100000001) is noise.
            all.insert(k.name(), k.family->type == ParameterKeys::Type::Real
                                     ? QJsonValue(ParameterKeys::format(k, v).toDouble())
                                     : QJsonValue::fromVariant(v));
        }
        printJson(all);
        return cli::Ok;
    }
    // Only what this unit has: a value its reports do not carry would be made up.
    cli::out() << QString::fromUtf8(SavedState::text(m));
    return cli::Ok;
}

int runSet(const cli::Options& o)
{
    if (o.arguments.size() < 2)
        return cli::fail(cli::Usage, QStringLiteral("set takes a unit and KEY=VALUE pairs"));
    struct Change
    {
        ParameterKeys::Key key;
        QVariant value;
    };
    QVector<Change> changes;
    QVector<ParameterKeys::Key> keys;
    // Everything is checked before anything is sent: a script's typo changes nothing.
    for (const QString& pair : o.arguments.mid(1)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return cli::fail(cli::Usage, QStringLiteral("\"%1\" is not KEY=VALUE").arg(pair));
        const ParameterKeys::Key key = ParameterKeys::find(pair.left(eq));
        if (!key.isValid())
            return cli::fail(cli::Usage,
                             QStringLiteral("unknown key \"%1\" (kvctl dump --keys lists them)")
                                 .arg(pair.left(eq)));
        QString error;
        const QVariant value = ParameterKeys::parse(key, pair.mid(eq + 1), &error);
        if (!value.isValid())
            return cli::fail(cli::ValueRefused, error);
        // A key given twice takes its last value, as it would when typed twice.
        const int earlier = keys.indexOf(key);
        if (earlier >= 0) {
            changes[earlier].value = value;
            continue;
        }
        changes.append({key, value});
        keys.append(key);
    }

    ControlSession session(o);
    if (const int rc = session.open(o.arguments[0]); rc != cli::Ok)
        return session.report(rc);
    // The edits compare with what the unit holds and change single fields of whole records.
    const QVector<ParameterRead> reads = ParameterKeys::readsFor(keys);
    if (const int rc = session.read(reads); rc != cli::Ok)
        return session.report(rc);
    for (const Change& c : qAsConst(changes)) {
        if (!ParameterKeys::available(session.model(), c.key))
            return cli::fail(
                cli::ValueRefused,
                QStringLiteral("%1: this unit has no such parameter").arg(c.key.name()));
    }
    for (const Change& c : qAsConst(changes))
        ParameterKeys::write(session.model(), c.key, c.value);
    if (const int rc = session.read(reads); rc != cli::Ok)
        return session.report(rc);

    int code = cli::Ok;
    for (const Change& c : qAsConst(changes)) {
        const QVariant held = ParameterKeys::read(session.model(), c.key);
        if (ParameterKeys::same(c.key, c.value, held)) {
            cli::out() << c.key.name() << '=' << ParameterKeys::format(c.key, held) << '\n';
            continue;
        }
        code =
            cli::fail(cli::ValueRefused, QStringLiteral("%1: the unit holds %2, not %3")
                                             .arg(c.key.name(), ParameterKeys::format(c.key, held),
                                                  ParameterKeys::format(c.key, c.value)));
    }
    return code;
}

int runSend(const cli::Options& o)
{
    if (o.arguments.size() < 2)
        return cli::fail(cli::Usage, QStringLiteral("send takes a unit and a command string"));
    QString hex = o.arguments.mid(1).join(QString());
    hex.remove(QRegularExpression(QStringLiteral("\\s")));
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    const bool isHex = hex.size() % 2 == 0 &&
                       QRegularExpression(QStringLiteral("^[0-9A-Fa-f]+$")).match(hex).hasMatch();
    // The string must be exactly one packet: what the cutter takes is what the unit would.
    wire::PacketCutter cutter;
    cutter.append(bytes);
    QVector<wire::PacketHeader> headers;
    QVector<QByteArray> payloads;
    cutter.cut([&](const wire::PacketHeader& h, const char* payload) {
        headers.append(h);
        payloads.append(QByteArray(payload, h.length));
    });
    if (!isHex || headers.size() != 1 || cutter.size() != 0)
        return cli::fail(cli::Usage, QStringLiteral("\"%1\" is not one command string")
                                         .arg(o.arguments.mid(1).join(QLatin1Char(' '))));
    const wire::PacketHeader header = headers.constFirst();

    ControlSession session(o);
    if (const int rc = session.open(o.arguments[0]); rc != cli::Ok)
        return session.report(rc);
    // Without the periodic reads, every answer with this code is the unit's reply to it.
    session.model().setTickTimerRunning(false);
    QVector<QByteArray> answers;
    session.model().setListener([&](const wire::PacketHeader& h, const QByteArray& payload) {
        if (h.code() == header.code() && h.access == wire::AccessReport)
            answers.append(wire::packet(h.code(), h.access, payload, h.version));
    });
    const qint64 sent =
        session.model().sendPacket(header.type, header.subType, header.funcId, header.access,
                                   payloads.constFirst().constData(), header.length);
    if (sent < 0)
        return cli::fail(cli::Unreachable, QStringLiteral("the connection to the unit broke off"));
    const char* name = wire::nameOf(header.code());
    cli::err() << "sent " << (name ? name : "unnamed code") << " (" << header.type << ','
               << header.subType << ',' << header.funcId << ")" << Qt::endl;
    ControlSession::waitFor([] { return false; }, o.waitMs);
    for (const QByteArray& a : qAsConst(answers))
        cli::out() << hexText(a) << '\n';
    return cli::Ok;
}
