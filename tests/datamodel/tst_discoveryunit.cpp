// Discovery against the virtual unit in this process, over real loopback datagrams: the model
// lists the unit with what it announces, follows its changes and the network-settings
// command, and ages it to offline once it falls silent.
#include "announcer.h"
#include "clock.h"
#include "controlserver.h"
#include "datamodel.h"
#include "networkinterfaces.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "udpcommandreceiver.h"
#include "unitstate.h"
#include "virtualunit.h"

#include <QNetworkInterface>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString text(const char* field, int width)
{
    return DeviceRegistry::fieldText(field, width);
}

} // namespace

class TestDiscoveryUnit : public QObject
{
    Q_OBJECT
    SystemSettings* m_settings = nullptr;
    quint16 m_port = 0;
    qint64 m_now = 9'000'000;

    static void secondTick(DataModel& model)
    {
        for (int i = 0; i < 100; ++i)
            model.timeout();
    }

private slots:
    void initTestCase()
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
        m_port = probe.localPort();
        probe.close();
        {
            QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Broadcast/Port"), m_port);
        }
        m_settings = new SystemSettings;

        // Loopback stands for the PC's one network interface, 127.0.0.2/8, so that datagrams
        // from the unit are attributed to it and the command has a socket to leave through.
        int loopback = -1;
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& ni : interfaces) {
            if (ni.flags() & QNetworkInterface::IsLoopBack)
                loopback = ni.index();
        }
        if (loopback < 0)
            QSKIP("no loopback interface");
        NetworkInterfaces::setSource([loopback] {
            LocalInterface li;
            li.index = loopback;
            li.name = QStringLiteral("lo");
            li.active = true;
            QNetworkAddressEntry e;
            e.setIp(QHostAddress(QStringLiteral("127.0.0.2")));
            e.setPrefixLength(8);
            li.entries = {e};
            return QList<LocalInterface>{li};
        });
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase()
    {
        Clock::resetSource();
        NetworkInterfaces::resetSource();
        delete m_settings;
    }

    void unitIsListedFollowedAndAgedOut()
    {
        DataModel model;
        model.setTickTimerRunning(false);
        QVERIFY(model.isListening());

        UnitConfig config;
        config.controlPort = 0;
        config.discoveryPort = m_port;
        config.announceIntervalMs = 600000; // announcements only when the test asks
        config.deviceId = 31001;
        config.profile = 1;
        config.model = QStringLiteral("VU-1608U");
        config.serialNumber = QStringLiteral("SN-31001");
        VirtualUnit unit(config);
        QSignalSpy added(&model, &DataModel::deviceListAdd);
        QVERIFY(unit.start()); // announces once at once

        QTRY_COMPARE(model.deviceCount(), 1);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added[0][1].toBool(), true);
        const DeviceRecord* record = model.device(0);
        const UnitState::System& s = unit.state().system;
        QCOMPARE(record->packet.deviceId, 31001u);
        QCOMPARE(int(record->online), 1);
        QCOMPARE(QHostAddress(record->packet.ipAddress), QHostAddress(QHostAddress::LocalHost));
        QCOMPARE(text(record->packet.model, 18), QStringLiteral("VU-1608U"));
        QCOMPARE(text(record->packet.serialNumber, 18), QStringLiteral("SN-31001"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(record->packet.dspVersion), 3),
                 QByteArray(reinterpret_cast<const char*>(s.dspVersion.data()), 3));
        QVERIFY(text(record->packet.armVersion, 20).startsWith(QLatin1Char('V')));
        // Heard on the loopback interface: reached from the PC's address there.
        QCOMPARE(record->localAddress, QHostAddress(QStringLiteral("127.0.0.2")));

        // What changes on the unit shows in the record with its next datagram.
        QSignalSpy location(&model, &DataModel::deviceListLocationChanged);
        QSignalSpy fault(&model, &DataModel::deviceListFaultChanged);
        QSignalSpy runTime(&model, &DataModel::deviceListRunTimeChanged);
        unit.state().system.location = "Hall B";
        unit.state().system.deviceStatus = 0x80;
        QVERIFY(unit.announcer().announce());
        QTRY_COMPARE(runTime.count(), 1);
        QCOMPARE(location.count(), 1);
        QCOMPARE(location[0][1].toString(), QStringLiteral("Hall B"));
        QCOMPARE(fault.count(), 1);
        QCOMPARE(fault[0][1].toBool(), true);

        // The network-settings command reaches the unit, which moves and announces the new
        // address; the record keeps it.
        UdpCommandReceiver receiver;
        QVERIFY(receiver.bind(QHostAddress::LocalHost, 0));
        connect(&receiver, &UdpCommandReceiver::networkSettingsReceived, &unit,
                [&unit](const UdpCommandReceiver::NetworkSettings& n) {
                    unit.handleUdpCommand(n.deviceId, n.ipAddress, n.netmask, n.gateway);
                });
        model.setUdpCommandTarget(QHostAddress::LocalHost, receiver.port());
        QSignalSpy ip(&model, &DataModel::deviceListIPAddressChanged);
        const QHostAddress moved(QStringLiteral("127.0.0.9"));
        model.setDeviceNetwork(0, moved.toIPv4Address(), 0xFF000000, 0);
        QTRY_COMPARE(unit.address(), moved);
        QCOMPARE(unit.server().address(), moved);
        QVERIFY(unit.announcer().announce());
        QTRY_COMPARE(runTime.count(), 2);
        QCOMPARE(QHostAddress(model.device(0)->packet.ipAddress), moved);
        QCOMPARE(ip.count(), 1); // the model's own change; the unit's datagram agrees

        // Silent for more than 2 s: offline, with the fault indication cleared.
        unit.stop();
        QSignalSpy network(&model, &DataModel::deviceListNetworkChanged);
        m_now += DataModel::kOfflineAfterMs;
        secondTick(model);
        QCOMPARE(network.count(), 0);
        m_now += 1;
        secondTick(model);
        QCOMPARE(network.count(), 1);
        QCOMPARE(int(model.device(0)->online), 0);
        QCOMPARE(fault.count(), 2);
        QCOMPARE(fault[1][1].toBool(), false);
        QCOMPARE(model.deviceCount(), 1);
    }
};

KV_TEST_GUILESS_MAIN(TestDiscoveryUnit)
#include "tst_discoveryunit.moc"
