// The PC side of the namespace discovery test (discovery_netns.sh). Runs inside the PC's
// namespace, whose veth links each lead to one virtual unit broadcasting its status datagram,
// and checks with a real DataModel that every unit is heard on its own link, is reached from
// the PC's address on that link, follows the UDP network-settings command to a new address,
// and goes offline once its process is stopped.
//
//   discoveryprobe PORT ID,UNIT_IP,PC_IP,NEW_IP,PID [ID,UNIT_IP,PC_IP,NEW_IP,PID ...]
//
// PORT is the discovery port; PC_IP the PC's address on the unit's link; NEW_IP an address the
// unit can take (the test has put it on the unit's interface); PID the unit's process, stopped
// by the probe. Exit code 0 when every check holds, 1 otherwise, 2 on bad arguments.
#include "datamodel.h"
#include "wire/packet.h"
#include "wire/records.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/types.h>

namespace {

constexpr int kHearMs = 5000;
constexpr int kMoveMs = 4000;
constexpr int kOfflineMs = 5000;

struct Link
{
    quint32 deviceId = 0;
    QHostAddress unitIp;
    QHostAddress pcIp;
    QHostAddress newIp;
    qint64 pid = 0;
    // The PC's interface on the link.
    int interfaceIndex = -1;
    QHostAddress netmask;
};

// What the probe's own socket on the discovery port saw of one unit.
struct Heard
{
    QHostAddress sender;
    QHostAddress destination;
    int interfaceIndex = -1;
    quint32 ipField = 0;
    qint64 lastAt = 0;
};

int s_failures = 0;

void check(bool ok, const QString& what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", qPrintable(what));
    std::fflush(stdout);
    if (!ok)
        ++s_failures;
}

// Reads ID,UNIT_IP,PC_IP,NEW_IP,PID and finds the PC's interface holding PC_IP.
bool parseLink(const QString& text, Link& link)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5)
        return false;
    link.deviceId = parts[0].toUInt();
    link.unitIp = QHostAddress(parts[1]);
    link.pcIp = QHostAddress(parts[2]);
    link.newIp = QHostAddress(parts[3]);
    link.pid = parts[4].toLongLong();
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip() == link.pcIp) {
                link.interfaceIndex = iface.index();
                link.netmask = entry.netmask();
            }
        }
    }
    return link.deviceId > 0 && link.pid > 0 && !link.unitIp.isNull() && !link.newIp.isNull() &&
           link.interfaceIndex >= 0;
}

int indexOf(const DataModel& model, quint32 deviceId)
{
    for (int i = 0; i < model.deviceCount(); ++i) {
        if (model.device(i)->packet.deviceId == deviceId)
            return i;
    }
    return -1;
}

QByteArray networkCommand(quint32 deviceId, quint32 ip, quint32 netmask, quint32 gateway)
{
    QByteArray out;
    for (quint32 word : {deviceId, 2u, 12u, ip, netmask, gateway})
        wire::appendU32(out, word);
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    const quint16 port = quint16(args.value(0).toUInt());
    QList<Link> links;
    for (const QString& text : args.mid(1)) {
        Link link;
        if (!parseLink(text, link)) {
            std::fprintf(stderr, "discoveryprobe: bad unit %s\n", qPrintable(text));
            return 2;
        }
        links.append(link);
    }
    if (port == 0 || links.isEmpty()) {
        std::fprintf(stderr, "discoveryprobe: PORT and at least one unit are required\n");
        return 2;
    }

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 2;
    LinkSettings settings;
    settings.broadcastPort = port;
    QElapsedTimer clock;
    clock.start();

    // The probe's own view of the wire: every status datagram (the model's receiving socket
    // shares the port), and every UDP command as it leaves (the stack loops each broadcast
    // back to local sockets on the port).
    QHash<quint32, Heard> heard;
    QUdpSocket statusTap;
    QUdpSocket commandTap;
    const auto share = QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint;
    if (!statusTap.bind(QHostAddress::AnyIPv4, port, share) ||
        !commandTap.bind(QHostAddress::AnyIPv4, DataModel::kUdpCommandPort, share)) {
        std::fprintf(stderr, "discoveryprobe: cannot bind the taps\n");
        return 2;
    }
    QObject::connect(&statusTap, &QUdpSocket::readyRead, [&] {
        while (statusTap.hasPendingDatagrams()) {
            const QNetworkDatagram d = statusTap.receiveDatagram();
            if (d.data().size() != int(sizeof(wire::UDPBrowsingPacket)))
                continue;
            wire::UDPBrowsingPacket p;
            std::memcpy(&p, d.data().constData(), sizeof p);
            Heard& h = heard[p.deviceId];
            h.sender = d.senderAddress();
            h.destination = d.destinationAddress();
            h.interfaceIndex = int(d.interfaceIndex());
            h.ipField = p.ipAddress;
            h.lastAt = clock.elapsed();
        }
    });
    QList<QNetworkDatagram> commands;
    QObject::connect(&commandTap, &QUdpSocket::readyRead, [&] {
        while (commandTap.hasPendingDatagrams())
            commands.append(commandTap.receiveDatagram());
    });

    DataModel model(settings);
    check(model.isListening(), "the model receives on the discovery port");
    check(model.discoverySocketCount() == links.size(),
          QStringLiteral("one sending socket per link (%1)").arg(model.discoverySocketCount()));
    // The model's sending socket on a link: the one bound to the PC's address there.
    const auto socketOn = [&model](const Link& link) -> QUdpSocket* {
        const auto sockets = model.findChildren<QUdpSocket*>();
        for (QUdpSocket* s : sockets) {
            if (s->localAddress() == link.pcIp)
                return s;
        }
        return nullptr;
    };
    QHash<int, int> datagramsOf; // by record index, counted through the model
    QObject::connect(&model, &DataModel::deviceListRunTimeChanged,
                     [&](uint index, uint, uint) { ++datagramsOf[int(index)]; });

    // 1. Every unit is heard as a broadcast on its own link and reached from the PC's address
    // there.
    for (const Link& link : links) {
        const QString unit = QStringLiteral("unit %1").arg(link.deviceId);
        const bool listed = QTest::qWaitFor(
            [&] {
                const int i = indexOf(model, link.deviceId);
                return i >= 0 && datagramsOf.value(i) >= 1;
            },
            kHearMs);
        check(listed, unit + " is listed and heard again");
        if (!listed)
            return 1;
        const DeviceRecord* record = model.device(indexOf(model, link.deviceId));
        const Heard h = heard.value(link.deviceId);
        check(record->online == 1, unit + " is online");
        check(QHostAddress(record->packet.ipAddress) == link.unitIp,
              unit + " has the address " + QHostAddress(record->packet.ipAddress).toString());
        check(h.destination == QHostAddress(QHostAddress::Broadcast) && h.sender == link.unitIp &&
                  h.interfaceIndex == link.interfaceIndex,
              QStringLiteral("%1 arrives as a broadcast from %2 to %3 on interface %4")
                  .arg(unit, h.sender.toString(), h.destination.toString())
                  .arg(h.interfaceIndex));
        check(record->localAddress == link.pcIp,
              unit + " remembers the local address " + record->localAddress.toString());
        for (const Link& other : links) {
            const QHostAddress local = model.localAddressFor(socketOn(other), link.unitIp);
            const QHostAddress expected =
                other.interfaceIndex == link.interfaceIndex ? link.pcIp : QHostAddress();
            check(local == expected,
                  QStringLiteral("localAddressFor(socket on %1, %2) = '%3'")
                      .arg(other.pcIp.toString(), link.unitIp.toString(), local.toString()));
        }
    }

    // 2. The network-settings command leaves once through every link and moves the unit; its
    // later datagrams come from and carry the new address.
    for (const Link& link : links) {
        const QString unit = QStringLiteral("unit %1").arg(link.deviceId);
        const int index = indexOf(model, link.deviceId);
        const quint32 newIp = link.newIp.toIPv4Address();
        const quint32 netmask = link.netmask.toIPv4Address();
        const quint32 gateway = link.pcIp.toIPv4Address();
        commands.clear();
        model.setDeviceNetwork(index, newIp, netmask, gateway);
        const bool moved = QTest::qWaitFor(
            [&] {
                const Heard h = heard.value(link.deviceId);
                return h.sender == link.newIp && h.ipField == newIp;
            },
            kMoveMs);
        check(moved, unit + " announces from and with " + link.newIp.toString());
        const int before = datagramsOf.value(index);
        const bool heardAgain =
            QTest::qWaitFor([&] { return datagramsOf.value(index) >= before + 2; }, kMoveMs);
        const DeviceRecord* record = model.device(index);
        check(heardAgain && QHostAddress(record->packet.ipAddress) == link.newIp &&
                  record->online == 1,
              unit + " stays listed online at " +
                  QHostAddress(record->packet.ipAddress).toString());

        QStringList senders;
        bool sameBytes = true;
        for (const QNetworkDatagram& d : qAsConst(commands)) {
            senders << d.senderAddress().toString();
            sameBytes = sameBytes &&
                        d.data() == networkCommand(link.deviceId, newIp, netmask, gateway) &&
                        d.destinationAddress() == QHostAddress(QHostAddress::Broadcast);
        }
        senders.sort();
        QStringList expected;
        for (const Link& l : links)
            expected << l.pcIp.toString();
        expected.sort();
        check(senders == expected && sameBytes,
              unit + "'s command left once from each of " + senders.join(QLatin1Char(' ')));
    }

    // 3. Stopped units age to offline two to three seconds after their last datagram.
    QHash<quint32, qint64> offlineAt;
    QObject::connect(&model, &DataModel::deviceListNetworkChanged, [&](int index) {
        const DeviceRecord* record = model.device(index);
        if (record && !record->online)
            offlineAt.insert(record->packet.deviceId, clock.elapsed());
    });
    for (const Link& link : links)
        ::kill(pid_t(link.pid), SIGTERM);
    const bool allOffline =
        QTest::qWaitFor([&] { return offlineAt.size() == links.size(); }, kOfflineMs);
    check(allOffline, QStringLiteral("every unit goes offline"));
    for (const Link& link : links) {
        const QString unit = QStringLiteral("unit %1").arg(link.deviceId);
        if (!offlineAt.contains(link.deviceId))
            continue;
        // The tap hears each datagram at about the moment the model does; allow for that.
        const qint64 silence = offlineAt.value(link.deviceId) - heard.value(link.deviceId).lastAt;
        check(
            silence >= DataModel::kOfflineAfterMs - 50 &&
                silence <= DataModel::kOfflineAfterMs + 1500,
            QStringLiteral("%1 goes offline %2 ms after its last datagram").arg(unit).arg(silence));
    }

    std::printf("%s\n", s_failures == 0 ? "PASS" : "FAILED");
    return s_failures == 0 ? 0 : 1;
}
