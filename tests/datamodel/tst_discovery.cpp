// Discovery of units from their status datagrams, the registry, and the UDP command.
#include "clock.h"
#include "datamodel.h"
#include "fakeinterface.h"
#include "fixedtext.h"
#include "networkinterfaces.h"
#include "testenvironment.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUdpSocket>
#include <QtTest>
#include <cstring>

namespace {

DataModel::UDPBrowsingPacket unit(quint32 id, const char* model = "KV-88")
{
    DataModel::UDPBrowsingPacket p{};
    p.header = wire::kBrowsingHeader;
    p.tail = wire::kBrowsingTail;
    p.packetType = 4;
    p.deviceId = id;
    p.ipAddress = 0x7F000001;
    putFixedText(p.model, model);
    putFixedText(p.armVersion, "2.0.1");
    p.dspVersion[0] = 1;
    p.dspVersion[2] = 25;
    putFixedText(p.serialNumber, "SN0001");
    return p;
}

QByteArray bytes(const DataModel::UDPBrowsingPacket& p)
{
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

int rowCount(DataModel& model, quint32 deviceId)
{
    QSqlQuery q(QSqlDatabase::database(model.registry().connectionName()));
    q.exec(QStringLiteral("select count(*) from devices where DeviceID = %1").arg(deviceId));
    return q.next() ? q.value(0).toInt() : -1;
}

// The stored row of a unit, read through a connection of its own: DeviceID, IPAddress, Model,
// ARMVersion, DSPVersion (hex), Location, Description, SerialNumber, texts up to their first
// NUL; empty when there is no such row.
QStringList storedRow(quint32 deviceId)
{
    QStringList row;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "reopened");
        db.setDatabaseName(QStringLiteral("devices.db"));
        if (!db.open())
            return row;
        QSqlQuery q(db);
        q.exec(QStringLiteral("select * from devices where DeviceID = %1").arg(deviceId));
        if (q.next()) {
            for (int column = 1; column <= 8; ++column) {
                const QVariant v = q.value(column);
                row << (column == 5 ? QString::fromLatin1(v.toByteArray().toHex())
                                    : v.toString().section(QChar(0), 0, 0));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reopened"));
    return row;
}

// A model whose tests hand it the unit's reports directly.
class ReportedModel : public DataModel
{
public:
    using DataModel::DataModel;
    void report(wire::Code code, const QByteArray& payload)
    {
        wire::PacketHeader h;
        h.setCode(code);
        h.access = wire::AccessReport;
        h.length = quint16(payload.size());
        dispatchPacket(h, payload.constData());
    }
};

QStringList names(const QSignalSpy& spy)
{
    QStringList out;
    for (const auto& args : spy)
        out << args.value(0).toString();
    return out;
}

} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT
    LinkSettings m_link;
    qint64 m_now = 5'000'000;

    // Runs the once-a-second discovery check at the current time.
    static void secondTick(DataModel& model)
    {
        for (int i = 0; i < 100; ++i)
            model.timeout();
    }

private slots:
    void initTestCase()
    {
        // A discovery port of this test's own, so that no other unit on the PC is heard.
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
        m_link.broadcastPort = probe.localPort();
        probe.close();
        // The first interface is the real loopback, so that datagrams sent on it are
        // attributed to it.
        const int lo = QNetworkInterface::interfaceIndexFromName(QStringLiteral("lo"));
        QVERIFY(lo > 0);
        NetworkInterfaces::setSource([lo] {
            return QList<LocalInterface>{fakeInterface(lo, "127.0.0.2", 8),
                                         fakeInterface(102, "127.0.0.3", 8)};
        });
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase()
    {
        Clock::resetSource();
        NetworkInterfaces::resetSource();
    }

    void init() { QFile::remove(QStringLiteral("devices.db")); }

    void dropsMalformedDatagrams_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        const auto good = unit(7);
        QTest::newRow("153 bytes") << bytes(good).left(153);
        QTest::newRow("155 bytes") << bytes(good) + '\0';
        auto p = good;
        p.packetType = 5;
        QTest::newRow("packet type 5") << bytes(p);
        p = good;
        p.header = 0xACA8;
        QTest::newRow("header") << bytes(p);
        p = good;
        p.tail = 0;
        QTest::newRow("tail") << bytes(p);
    }

    void dropsMalformedDatagrams()
    {
        QFETCH(QByteArray, datagram);
        DataModel model(m_link);
        QSignalSpy added(&model, &DataModel::deviceListAdd);
        model.handleBrowsingPacket(nullptr, datagram);
        QCOMPARE(model.deviceCount(), 0);
        QCOMPARE(added.count(), 0);
        QCOMPARE(rowCount(model, 7), 0);
    }

    void firstAndLaterDatagrams()
    {
        DataModel model(m_link);
        QSignalSpy added(&model, &DataModel::deviceListAdd);
        QSignalSpy runTime(&model, &DataModel::deviceListRunTimeChanged);
        QSignalSpy modelName(&model, &DataModel::deviceListModelChanged);
        QSignalSpy fault(&model, &DataModel::deviceListFaultChanged);
        QSignalSpy network(&model, &DataModel::deviceListNetworkChanged);

        auto p = unit(7);
        p.packetType = 6; // both packet types announce a unit
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added[0][1].toBool(), true);
        QCOMPARE(runTime.count(), 0);
        QCOMPARE(rowCount(model, 7), 1);

        // A change behind the first NUL of a text field is no change.
        p.model[10] = 'x';
        p.runTime = 60;
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(modelName.count(), 0);
        QCOMPARE(runTime.count(), 1);
        QCOMPARE(runTime[0][1].toUInt(), 60u);

        // Fields change one by one, each with its signal, in the record's order.
        QSignalSpy all(&model, &DataModel::deviceListIPAddressChanged);
        putFixedText(p.model, "KV-1616");
        p.ipAddress = 0x7F000009;
        p.fault = 3;
        m_now += 1500;
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(names(modelName), QStringList() << QStringLiteral("0"));
        QCOMPARE(modelName[0][1].toString(), QStringLiteral("KV-1616"));
        QCOMPARE(all.count(), 1);
        QCOMPARE(fault.count(), 1);
        QCOMPARE(fault[0][1].toBool(), true);
        QCOMPARE(rowCount(model, 7), 1);
        QCOMPARE(model.deviceCount(), 1);

        // Silence: offline after more than 2 s, with its fault indication cleared.
        m_now += 2000;
        secondTick(model);
        QCOMPARE(network.count(), 0);
        m_now += 1;
        secondTick(model);
        QCOMPARE(network.count(), 1);
        QCOMPARE(int(model.device(0)->online), 0);
        QCOMPARE(fault.count(), 2);
        QCOMPARE(fault[1][1].toBool(), false);

        // Back again: online once, with what changed meanwhile.
        p.dspVersion[1] = 4;
        QSignalSpy dsp(&model, &DataModel::deviceListDSPVersionChanged);
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(network.count(), 2);
        QCOMPARE(dsp.count(), 1);
        QCOMPARE(fault.count(), 3);
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(network.count(), 2);
    }

    void registrySurvivesARestart()
    {
        {
            DataModel model(m_link);
            auto p = unit(21, "KV-88");
            model.handleBrowsingPacket(nullptr, bytes(p));
            model.handleBrowsingPacket(nullptr, bytes(unit(22)));
            putFixedText(p.model, "KV-1608");
            p.dspVersion[1] = 3;
            model.handleBrowsingPacket(nullptr, bytes(p)); // updated in place
            model.removeDeviceAt(1);
            model.addDeviceByAddress(0xC0000201);
        }
        {
            // A stored text longer than its field loads as its first 18 bytes.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "direct");
            db.setDatabaseName(QStringLiteral("devices.db"));
            QVERIFY(db.open());
            QSqlQuery direct(db);
            QVERIFY(direct.exec(QStringLiteral("insert into devices values (NULL, 30, 0, "
                                               "'ABCDEFGHIJKLMNOPQRSTUV', '', '', '', '', '')")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("direct"));

        DataModel model(m_link);
        QCOMPARE(model.deviceCount(), 3);
        const DeviceRecord* first = model.device(0);
        QCOMPARE(first->packet.deviceId, 21u);
        QCOMPARE(int(first->online), 0);
        QCOMPARE(DeviceRegistry::fieldText(first->packet.model, 18), QStringLiteral("KV-1608"));
        QCOMPARE(DeviceRegistry::fieldText(first->packet.serialNumber, 18),
                 QStringLiteral("SN0001"));
        QCOMPARE(int(first->packet.dspVersion[0]), 1);
        QCOMPARE(int(first->packet.dspVersion[1]), 3);
        QCOMPARE(int(first->packet.dspVersion[2]), 25);
        QCOMPARE(model.device(1)->packet.deviceId, 42215u);
        QCOMPARE(model.device(1)->packet.ipAddress, 0xC0000201u);
        QCOMPARE(QByteArray(model.device(2)->packet.model, 18), QByteArray("ABCDEFGHIJKLMNOPQR"));
        QCOMPARE(rowCount(model, 22), 0);

        // A new device ID from the unit moves the row, keeping everything else.
        model.registry().sqlUpdateDeviceId(21, 99);
        QSqlQuery q(QSqlDatabase::database(model.registry().connectionName()));
        q.exec(QStringLiteral("select ID, Model from devices where DeviceID = 99"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QVERIFY(q.value(1).toString().startsWith(QStringLiteral("KV-1608")));
    }

    // Each change of a unit reaches its own column of its own row, and nothing else.
    void everyUpdateReachesItsColumn()
    {
        DataModel model(m_link);
        auto p = unit(21, "KV-88");
        model.handleBrowsingPacket(nullptr, bytes(p));
        model.handleBrowsingPacket(nullptr, bytes(unit(22, "KV-44")));
        const QStringList other = storedRow(22);
        QCOMPARE(storedRow(21), (QStringList{"21", QString::number(0x7F000001), "KV-88", "2.0.1",
                                             "010019", "", "", "SN0001"}));

        p.ipAddress = 0x7F000005;
        putFixedText(p.model, "KV-1608");
        putFixedText(p.armVersion, "2.1.0");
        p.dspVersion[1] = 7;
        putFixedText(p.serialNumber, "SN0002");
        putFixedText(p.location, "Hall A");
        putFixedText(p.description, "Stage left");
        model.handleBrowsingPacket(nullptr, bytes(p));
        QCOMPARE(storedRow(21), (QStringList{"21", QString::number(0x7F000005), "KV-1608", "2.1.0",
                                             "010719", "Hall A", "Stage left", "SN0002"}));
        QCOMPARE(storedRow(22), other);

        // A new address given from the panel.
        model.setDeviceNetwork(0, 0xC0000207, 0xFFFFFF00, 0xC0000201);
        QCOMPARE(storedRow(21).value(1), QString::number(0xC0000207));
        QCOMPARE(storedRow(22), other);
    }

    // A connected unit that reports another device ID: its row moves to the new ID; when the
    // new ID is already listed, that row takes over the address in use.
    void reportedDeviceIdMovesTheRow()
    {
        ReportedModel model(m_link);
        model.handleBrowsingPacket(nullptr, bytes(unit(31, "KV-88")));
        auto known = unit(32, "KV-44");
        known.ipAddress = 0x7F000020;
        model.handleBrowsingPacket(nullptr, bytes(known));
        const QStringList before = storedRow(31);
        model.selectDevice(0, false);

        model.report(wire::code::DeviceId, wire::bytesU32(40));
        QVERIFY(storedRow(31).isEmpty());
        QCOMPARE(storedRow(40), QStringList{"40"} + before.mid(1));
        QCOMPARE(model.device(0)->packet.deviceId, 40u);

        model.report(wire::code::DeviceId, wire::bytesU32(32));
        QCOMPARE(model.currentDevice(), 1);
        QCOMPARE(storedRow(32).value(1), QString::number(0x7F000001));
        QCOMPARE(storedRow(32).value(2), QStringLiteral("KV-44"));
        QCOMPARE(storedRow(40), QStringList{"40"} + before.mid(1));
        model.selectDevice(-1, false);
    }

    // A flood of made-up IDs stops at the list's bound: the list, the registry and the next
    // start stay small, and the log says so once a minute, not once a datagram.
    void aFloodOfUnitsStopsAtTheBound()
    {
        static int warnings = 0;
        warnings = 0;
        const QtMessageHandler old =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
                warnings += type == QtWarningMsg;
            });
        {
            DataModel model(m_link);
            const int bound = Discovery::kMaxUnits;
            for (int i = 0; i < bound + 100; ++i)
                model.handleBrowsingPacket(nullptr, bytes(unit(quint32(1000 + i))));
            QCOMPARE(model.deviceCount(), bound);
            QCOMPARE(warnings, 1);
            QVERIFY(!model.addDeviceByAddress(0x7F000009));
            m_now += Discovery::kFullWarningEveryMs;
            model.handleBrowsingPacket(nullptr, bytes(unit(50000)));
            QCOMPARE(warnings, 2);
            // A unit already listed is still heard.
            auto known = unit(1000);
            known.runTime = 77;
            QSignalSpy runTime(&model, &DataModel::deviceListRunTimeChanged);
            model.handleBrowsingPacket(nullptr, bytes(known));
            QCOMPARE(runTime.count(), 1);
        }
        qInstallMessageHandler(old);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "direct");
            db.setDatabaseName(QStringLiteral("devices.db"));
            QVERIFY(db.open());
            QSqlQuery direct(db);
            QVERIFY(direct.exec(QStringLiteral("select count(*) from devices")) && direct.next());
            QCOMPARE(direct.value(0).toInt(), Discovery::kMaxUnits);
            // A file that grew beyond the bound before it existed keeps its oldest rows.
            for (int i = 0; i < 50; ++i)
                QVERIFY(direct.exec(QStringLiteral("insert into devices values (NULL, %1, 0, '', "
                                                   "'', '', '', '', '')")
                                        .arg(90000 + i)));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("direct"));
        DataModel model(m_link);
        QCOMPARE(model.deviceCount(), Discovery::kMaxUnits);
        QCOMPARE(model.device(0)->packet.deviceId, 1000u);
        QCOMPARE(rowCount(model, 90000), 0);
    }

    // A damaged devices.db is kept aside under a dated name and a fresh list starts, which
    // loads and saves again.
    void aDamagedRegistryIsKeptAsideAndStartedAfresh()
    {
        const QByteArray garbage = QByteArray("not a database, ") + QByteArray(5000, '\x5A');
        {
            QFile file(QStringLiteral("devices.db"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("devices.db was damaged"));
        {
            DataModel model(m_link);
            const QString copy = model.registry().damagedCopy();
            QVERIFY(copy.startsWith(QStringLiteral("devices.db.damaged-")));
            QFile kept(copy);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), garbage);
            QCOMPARE(model.deviceCount(), 0);
            model.handleBrowsingPacket(nullptr, bytes(unit(61)));
        }
        DataModel again(m_link);
        QVERIFY(again.registry().damagedCopy().isEmpty());
        QCOMPARE(again.deviceCount(), 1);
        QCOMPARE(again.device(0)->packet.deviceId, 61u);
    }

    void addingAndRemovingByHand()
    {
        DataModel model(m_link);
        model.addDeviceByAddress(0x7F000001);
        model.addDeviceByAddress(0x7F000001);
        model.handleBrowsingPacket(nullptr, bytes(unit(42217)));
        model.addDeviceByAddress(0x7F000002);
        QCOMPARE(model.deviceCount(), 4);
        QCOMPARE(model.device(0)->packet.deviceId, 42215u);
        QCOMPARE(model.device(1)->packet.deviceId, 42216u);
        QCOMPARE(model.device(3)->packet.deviceId, 42218u);

        model.selectDevice(2, false);
        QSignalSpy selection(&model, &DataModel::deviceListSelectionChanged);
        QSignalSpy removed(&model, &DataModel::deviceListRemove);
        model.removeDeviceAt(0);
        QCOMPARE(model.currentDevice(), 1);
        QCOMPARE(model.device(1)->packet.deviceId, 42217u);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection[0][0].toInt(), 1);
        model.removeDeviceAt(1); // the current unit: deselected first
        QCOMPARE(model.currentDevice(), -1);
        model.removeDeviceAt(7); // outside the list
        QCOMPARE(removed.count(), 2);
        QCOMPARE(model.deviceCount(), 2);
    }

    void commandLeavesOncePerInterfaceAndLocalAddressFollowsTheSubnet()
    {
        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress::LocalHost, 0));
        DataModel model(m_link);
        QCOMPARE(model.discoverySocketCount(), 2);
        model.setUdpCommandTarget(QHostAddress::LocalHost, listener.localPort());
        model.handleBrowsingPacket(nullptr, bytes(unit(5)));
        QSignalSpy ip(&model, &DataModel::deviceListIPAddressChanged);
        model.setDeviceNetwork(0, 0xC0000205, 0xFFFFFF00, 0xC0000201);
        QCOMPARE(ip.count(), 1);
        QCOMPARE(model.device(0)->packet.ipAddress, 0xC0000205u);

        QList<QByteArray> got;
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     while (listener.hasPendingDatagrams())
                                         got << listener.receiveDatagram().data();
                                     return got.size() >= 2;
                                 }()),
                                 3000);
        // The same command through each interface; its bytes are checked in tst_device_panel.
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[0].size(), 24);
        QCOMPARE(got[1], got[0]);

        // A unit heard through the first interface is reached from its address there.
        QUdpSocket* first = nullptr;
        const auto sockets = model.findChildren<QUdpSocket*>();
        for (QUdpSocket* s : sockets) {
            if (s->localAddress() == QHostAddress(QStringLiteral("127.0.0.2")))
                first = s;
        }
        QVERIFY(first);
        QCOMPARE(model.localAddressFor(first, QHostAddress(QStringLiteral("127.9.9.9"))),
                 QHostAddress(QStringLiteral("127.0.0.2")));
        QVERIFY(model.localAddressFor(first, QHostAddress(QStringLiteral("192.0.2.7"))).isNull());
        QVERIFY(model.localAddressFor(nullptr, QHostAddress(QStringLiteral("127.9.9.9"))).isNull());
    }

    void hearsDatagramsOnTheDiscoveryPort()
    {
        // Taken from loopback like from any other interface, and reached from the PC's
        // address on the interface it arrived on.
        DataModel model(m_link);
        QVERIFY(model.isListening());
        QUdpSocket unitSocket;
        unitSocket.writeDatagram(bytes(unit(77)), QHostAddress::LocalHost, m_link.broadcastPort);
        QTRY_COMPARE(model.deviceCount(), 1);
        QCOMPARE(model.device(0)->packet.deviceId, 77u);
        QCOMPARE(model.device(0)->localAddress, QHostAddress(QStringLiteral("127.0.0.2")));
    }
};

KV_TEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
