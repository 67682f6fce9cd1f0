#include "testenvironment.h"
#include "udpcommandreceiver.h"
#include "unitaddresses.h"
#include "unitoptions.h"
#include "unitstate.h"
#include "virtualunit.h"
#include "wire/packet.h"
#include "wire/records.h"

#include <QDeadlineTimer>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

// Waits for the next status datagram on `socket`.
bool nextDatagram(QUdpSocket& socket, wire::UDPBrowsingPacket& packet, QHostAddress* sender,
                  int ms = 3000)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            if (d.data().size() != int(sizeof packet))
                return false;
            std::memcpy(&packet, d.data().constData(), sizeof packet);
            if (sender)
                *sender = d.senderAddress();
            return true;
        }
        socket.waitForReadyRead(10);
    }
    return false;
}

QByteArray commandDatagram(quint32 deviceId, quint32 command, quint32 ip)
{
    QByteArray out;
    wire::appendU32(out, deviceId);
    wire::appendU32(out, command);
    wire::appendU32(out, 12);
    wire::appendU32(out, ip);
    wire::appendU32(out, 0xFFFFFF00);
    wire::appendU32(out, (ip & 0xFFFFFF00) | 1);
    return out;
}

// A unit on `address` announcing every `intervalMs` to the listener's port.
std::unique_ptr<VirtualUnit> startUnit(const QUdpSocket& listener, const QString& address,
                                       quint32 deviceId, int intervalMs, int profile = 0)
{
    UnitConfig config;
    config.listenAddress = QHostAddress(address);
    config.controlPort = 0;
    config.discoveryPort = listener.localPort();
    config.announceIntervalMs = intervalMs;
    config.deviceId = deviceId;
    config.profile = profile;
    auto unit = std::make_unique<VirtualUnit>(config);
    return unit->start() ? std::move(unit) : nullptr;
}

} // namespace

class TestUnitDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void datagram_data();
    void datagram();
    void networkCommand_data();
    void networkCommand();
    void addresses_data();
    void addresses();
    void options_data();
    void options();
};

void TestUnitDiscovery::datagram_data()
{
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("address");
    QTest::addColumn<quint32>("packetType");
    QTest::addColumn<QByteArray>("model");
    QTest::newRow("profile 0") << 0 << "127.0.0.21" << 4u << QByteArray("VU-1616");
    QTest::newRow("profile 1") << 1 << "127.0.1.22" << 6u << QByteArray("VU-1608U");
}

void TestUnitDiscovery::datagram()
{
    QFETCH(int, profile);
    QFETCH(QString, address);
    QFETCH(quint32, packetType);
    QFETCH(QByteArray, model);

    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress(QHostAddress::LocalHost), 0));
    auto unit = startUnit(listener, address, 4711, 100, profile);
    QVERIFY(unit);

    wire::UDPBrowsingPacket p;
    QHostAddress sender;
    QVERIFY(nextDatagram(listener, p, &sender));
    QCOMPARE(p.header, wire::kBrowsingHeader);
    QCOMPARE(p.tail, wire::kBrowsingTail);
    QCOMPARE(p.deviceId, 4711u);
    QCOMPARE(p.packetType, packetType);
    QCOMPARE(QHostAddress(p.ipAddress), QHostAddress(address));
    QCOMPARE(sender, QHostAddress(address));
    QCOMPARE(QByteArray(p.model), model);
    QCOMPARE(QByteArray(p.armVersion).left(1), QByteArray("V"));
    const UnitState::System& s = unit->state().system;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.dspVersion), 3),
             QByteArray(reinterpret_cast<const char*>(s.dspVersion.data()), 3));
    QCOMPARE(QByteArray(p.serialNumber), s.serialNumber);
    QCOMPARE(p.fault, 0u);

    // What changes on the unit shows in a later datagram, about once per interval, so well
    // within the two seconds a receiver waits.
    unit->state().system.location = "Hall B";
    unit->state().system.deviceStatus = 0x80;
    while (listener.hasPendingDatagrams()) // sent before the change
        listener.receiveDatagram();
    QVERIFY(nextDatagram(listener, p, nullptr, 1000));
    QCOMPARE(QByteArray(p.location), QByteArray("Hall B"));
    QCOMPARE(p.fault, 0x80u);
}

void TestUnitDiscovery::networkCommand_data()
{
    QTest::addColumn<quint32>("idOffset");
    QTest::addColumn<quint32>("command");
    QTest::addColumn<QString>("newAddress");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, quint32 idOffset, quint32 command, const char* to,
                        const char* expected) {
        QTest::newRow(name) << idOffset << command << to << expected;
    };
    row("own ID", 0, 2, "127.0.0.78", "127.0.0.78");
    row("other ID", 1, 2, "127.0.0.79", "127.0.0.77");
    row("other command", 0, 3, "127.0.0.80", "127.0.0.77");
    row("address it cannot take", 0, 2, "192.0.2.10", "127.0.0.77");
}

void TestUnitDiscovery::networkCommand()
{
    QFETCH(quint32, idOffset);
    QFETCH(quint32, command);
    QFETCH(QString, newAddress);
    QFETCH(QString, expected);

    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress(QHostAddress::LocalHost), 0));
    auto unit = startUnit(listener, "127.0.0.77", 900, 50);
    QVERIFY(unit);
    UdpCommandReceiver receiver;
    QVERIFY(receiver.bind(QHostAddress(QHostAddress::LocalHost), 0));
    connect(&receiver, &UdpCommandReceiver::networkSettingsReceived, unit.get(),
            [&unit](const UdpCommandReceiver::NetworkSettings& s) {
                unit->handleUdpCommand(s.deviceId, s.ipAddress, s.netmask, s.gateway);
            });

    QUdpSocket sender;
    const QByteArray datagram =
        commandDatagram(900 + idOffset, command, QHostAddress(newAddress).toIPv4Address());
    QCOMPARE(sender.writeDatagram(datagram, QHostAddress(QHostAddress::LocalHost), receiver.port()),
             qint64(datagram.size()));
    QTest::qWait(100);
    while (listener.hasPendingDatagrams())
        listener.receiveDatagram();

    wire::UDPBrowsingPacket p;
    QHostAddress from;
    QVERIFY(nextDatagram(listener, p, &from));
    QCOMPARE(QHostAddress(p.ipAddress), QHostAddress(expected));
    QCOMPARE(from, QHostAddress(expected));
    // The control port follows the address the unit announces.
    QTcpSocket control;
    control.connectToHost(QHostAddress(expected), unit->controlPort());
    QVERIFY(control.waitForConnected(2000));
}

void TestUnitDiscovery::addresses_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected"); // empty: no address
    QTest::newRow("first") << "127.0.0.1" << 0 << "127.0.0.1";
    QTest::newRow("last of the block") << "127.0.0.1" << 253 << "127.0.0.254";
    QTest::newRow("into the next block") << "127.0.0.1" << 254 << "127.0.1.1";
    QTest::newRow("from .254") << "127.0.0.254" << 1 << "127.0.1.1";
    QTest::newRow("two blocks on") << "127.0.0.1" << 508 << "127.0.2.1";
    QTest::newRow("across the third octet") << "127.0.255.254" << 1 << "127.1.0.1";
    QTest::newRow("end of the network") << "127.255.255.254" << 1 << "";
    QTest::newRow("network address") << "127.0.0.0" << 0 << "";
    QTest::newRow("negative index") << "127.0.0.1" << -1 << "";
}

void TestUnitDiscovery::addresses()
{
    QFETCH(QString, first);
    QFETCH(int, index);
    QFETCH(QString, expected);
    const QHostAddress address = UnitAddresses::at(QHostAddress(first), index);
    QCOMPARE(address.isNull() ? QString() : address.toString(), expected);
}

void TestUnitDiscovery::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastAddress");
    QTest::addColumn<quint32>("lastId");

    QTest::newRow("defaults") << QStringList() << true << 1 << "127.0.0.1" << 20001u;
    QTest::newRow("count") << QStringList{"--count", "256", "--device-id", "100"} << true << 256
                           << "127.0.1.2" << 355u;
    QTest::newRow("count from an address")
        << QStringList{"-n", "3", "--listen", "127.0.0.253"} << true << 3 << "127.0.1.1" << 20003u;
    QTest::newRow("bad profile") << QStringList{"--profile", "5"} << false << 0 << "" << 0u;
    QTest::newRow("count on every address")
        << QStringList{"--listen", "0.0.0.0", "--count", "2"} << false << 0 << "" << 0u;
    QTest::newRow("no such option") << QStringList{"--bogus"} << false << 0 << "" << 0u;
    QTest::newRow("not a number") << QStringList{"--port", "x"} << false << 0 << "" << 0u;
}

void TestUnitDiscovery::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(int, count);
    QFETCH(QString, lastAddress);
    QFETCH(quint32, lastId);

    UnitOptions options;
    QCOMPARE(options.parse(QStringList{"virtual-unit"} + arguments), ok);
    QCOMPARE(options.error().isEmpty(), ok);
    if (!ok)
        return;
    QCOMPARE(options.units().size(), count);
    QCOMPARE(options.units().last().listenAddress, QHostAddress(lastAddress));
    QCOMPARE(options.units().last().deviceId, lastId);
}

KV_TEST_GUILESS_MAIN(TestUnitDiscovery)
#include "tst_unitdiscovery.moc"
