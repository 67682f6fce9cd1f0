#include "unitoptions.h"

#include "channelprofile.h"
#include "unitaddresses.h"

#include <QCommandLineParser>

namespace {

bool toNumber(const QString& text, qint64 minimum, qint64 maximum, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok && value >= minimum && value <= maximum;
}

} // namespace

bool UnitOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Stands in for networked audio matrix processors: serves the control protocol on TCP "
        "and announces each unit with its status datagram.");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption listen(
        {"l", "listen"},
        "Address of the (first) unit (default 127.0.0.1, with --broadcast 0.0.0.0).", "address");
    const QCommandLineOption port({"p", "port"}, "Control port (default 2698; 0: any free port).",
                                  "port", "2698");
    const QCommandLineOption discoveryPort(
        "discovery-port", "Port the datagrams go to (default 30068).", "port", "30068");
    const QCommandLineOption broadcast(
        "broadcast", "Announce to 255.255.255.255 instead of 127.0.0.1 (real LANs only).");
    const QCommandLineOption interval(
        "announce-interval", "Milliseconds between datagrams (default 1000).", "ms", "1000");
    const QCommandLineOption deviceId(
        {"i", "device-id"}, "Device ID of the (first) unit (default 20001).", "id", "20001");
    const QCommandLineOption model({"m", "model"}, "Model name (default: the profile's).", "text");
    const QCommandLineOption serial({"s", "serial"}, "Serial number (default: from the ID).",
                                    "text");
    const QCommandLineOption password("password", "Login password (default: none).", "text");
    const QCommandLineOption profile(
        "profile",
        "Channel configuration (default 0): 0 16x16, 1 16x8 with USB, 2 8x8 with USB, 3 4x8, "
        "4 12x12 with Dante.",
        "0-4", "0");
    const QCommandLineOption count({"n", "count"}, "Number of units, on consecutive addresses.",
                                   "N", "1");
    const QCommandLineOption commandPort(
        "command-port", "UDP command port (default 6001; 0: none).", "port", "6001");
    const QCommandLineOption silentAfter("silent-after",
                                         "Fall silent this long after each connection.", "ms");
    const QCommandLineOption dropAfter("drop-after", "Drop each connection after this long.", "ms");
    const QCommandLineOption garbageEvery("garbage-every",
                                          "Send a burst of garbage bytes this often.", "ms");
    const QCommandLineOption answerDelay("answer-delay", "Answer every request this late.", "ms",
                                         "0");
    const QCommandLineOption runFor("run-for", "Exit after this many seconds (0: never).", "s",
                                    "0");
    parser.addOptions({help, listen, port, discoveryPort, broadcast, interval, deviceId, model,
                       serial, password, profile, count, commandPort, silentAfter, dropAfter,
                       garbageEvery, answerDelay, runFor});
    m_helpText = parser.helpText();
    m_units.clear();
    m_error.clear();
    if (!parser.parse(arguments)) {
        m_error = parser.errorText();
        return false;
    }
    m_help = parser.isSet(help);
    if (!parser.positionalArguments().isEmpty()) {
        m_error = "unexpected argument " + parser.positionalArguments().first();
        return false;
    }

    qint64 v = 0;
    const auto number = [&](const QCommandLineOption& option, qint64 lo, qint64 hi,
                            qint64 fallback) -> qint64 {
        if (!m_error.isEmpty())
            return fallback;
        if (!parser.isSet(option) && option.defaultValues().isEmpty())
            return fallback;
        if (!toNumber(parser.value(option), lo, hi, v)) {
            m_error = QStringLiteral("--%1 must be a number from %2 to %3")
                          .arg(option.names().last())
                          .arg(lo)
                          .arg(hi);
            return fallback;
        }
        return v;
    };

    UnitConfig base;
    // On a real LAN the unit answers on every address unless told otherwise.
    const QString listenText = parser.isSet(listen)      ? parser.value(listen)
                               : parser.isSet(broadcast) ? QStringLiteral("0.0.0.0")
                                                         : QStringLiteral("127.0.0.1");
    base.listenAddress = QHostAddress(listenText);
    base.controlPort = quint16(number(port, 0, 65535, 2698));
    base.discoveryPort = quint16(number(discoveryPort, 1, 65535, 30068));
    base.discoveryTarget =
        QHostAddress(parser.isSet(broadcast) ? QHostAddress::Broadcast : QHostAddress::LocalHost);
    base.announceIntervalMs = int(number(interval, 10, 60000, 1000));
    base.deviceId = quint32(number(deviceId, 1, 0xFFFFFFFFLL, 20001));
    base.profile = int(number(profile, 0, ChannelProfile::kCount - 1, 0));
    base.model = parser.value(model);
    base.password = parser.value(password);
    base.faults.silentAfterMs = int(number(silentAfter, 0, 86400000, -1));
    base.faults.dropAfterMs = int(number(dropAfter, 0, 86400000, -1));
    base.faults.garbageEveryMs = int(number(garbageEvery, 1, 86400000, -1));
    base.faults.answerDelayMs = int(number(answerDelay, 0, 60000, 0));
    const int units = int(number(count, 1, kMaxCount, 1));
    m_commandPort = quint16(number(commandPort, 0, 65535, 6001));
    m_runForSeconds = int(number(runFor, 0, 86400 * 365, 0));
    if (!m_error.isEmpty())
        return false;
    if (base.listenAddress.protocol() != QAbstractSocket::IPv4Protocol) {
        m_error = "--listen must be an IPv4 address";
        return false;
    }
    const bool any = base.listenAddress == QHostAddress::AnyIPv4;
    if (any && units > 1) {
        m_error = "--count needs a concrete --listen address";
        return false;
    }
    if (quint64(base.deviceId) + quint64(units) - 1 > 0xFFFFFFFFull) {
        m_error = "--device-id leaves no room for --count units";
        return false;
    }

    for (int i = 0; i < units; ++i) {
        UnitConfig unit = base;
        if (!any) {
            unit.listenAddress = UnitAddresses::at(base.listenAddress, i);
            if (unit.listenAddress.isNull()) {
                m_error = QStringLiteral("no address left for unit %1 after %2")
                              .arg(i + 1)
                              .arg(base.listenAddress.toString());
                return false;
            }
        }
        unit.deviceId = base.deviceId + quint32(i);
        if (parser.isSet(serial))
            unit.serialNumber = units > 1
                                    ? QStringLiteral("%1-%2").arg(parser.value(serial)).arg(i + 1)
                                    : parser.value(serial);
        m_units.append(unit);
    }
    return true;
}
