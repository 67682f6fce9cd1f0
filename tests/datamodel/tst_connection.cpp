// The life of the control connection: interface cycling, watchdogs, login and periodic reads.
#include "clock.h"
#include "datamodel.h"
#include "fakeinterface.h"
#include "networkinterfaces.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "wire/commands.h"
#include "wire/packetcutter.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

namespace {

DataModel::UDPBrowsingPacket loopbackUnit()
{
    DataModel::UDPBrowsingPacket p{};
    p.deviceId = 9;
    p.ipAddress = 0x7F000001;
    return p;
}

struct Read
{
    quint8 type, subType, funcId, access;
    QByteArray payload;
    QString text() const
    {
        // Commands are marked "w:", reads are plain.
        QString s = QStringLiteral("%1%2,%3,%4")
                        .arg(access == 1 ? QStringLiteral("w:") : QString())
                        .arg(type)
                        .arg(subType)
                        .arg(funcId);
        if (!payload.isEmpty())
            s += QLatin1Char('[') + QString::fromLatin1(payload.toHex()) + QLatin1Char(']');
        return s;
    }
};

// Everything the unit's end of the connection has received so far.
QList<Read> drain(QTcpSocket* peer, wire::PacketCutter& cutter)
{
    QList<Read> got;
    QCoreApplication::processEvents();
    while (peer->waitForReadyRead(50))
        cutter.append(peer->readAll());
    cutter.append(peer->readAll());
    cutter.cut([&](const wire::PacketHeader& h, const char* p) {
        got.append({h.type, h.subType, h.funcId, h.access, QByteArray(p, h.length)});
    });
    return got;
}

QStringList texts(const QList<Read>& reads)
{
    QStringList out;
    for (const Read& r : reads)
        out << r.text();
    return out;
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT
    QTcpServer m_server;
    SystemSettings* m_settings = nullptr;
    qint64 m_now = 1'700'000'000'000;
    QList<LocalInterface> m_interfaces;

    void ticks(DataModel& model, int n)
    {
        for (int i = 0; i < n; ++i)
            model.timeout();
    }

    // Points cfg.ini, and the settings read from it, at a control port.
    void useControlPort(quint16 port)
    {
        {
            QSettings ini(QStringLiteral("cfg.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Control/Port"), port);
        }
        delete m_settings;
        m_settings = new SystemSettings;
    }

    // Connects `model` to its one unit; returns the unit's end of the link.
    QTcpSocket* connectModel(DataModel& model)
    {
        model.setTickTimerRunning(false);
        model.appendDevice(loopbackUnit(), true);
        model.selectDevice(0, false);
        if (!m_server.waitForNewConnection(3000))
            return nullptr;
        QTcpSocket* unit = m_server.nextPendingConnection();
        const bool up = QTest::qWaitFor(
            [&] { return model.device(0)->socket->state() == QAbstractSocket::ConnectedState; });
        return up ? unit : nullptr;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        useControlPort(m_server.serverPort());
        Clock::setSource([this] { return m_now; });
        NetworkInterfaces::setSource([this] { return m_interfaces; });
    }

    void cleanupTestCase()
    {
        NetworkInterfaces::resetSource();
        Clock::resetSource();
        delete m_settings;
    }

    void cyclesThroughTheLocalInterfaces()
    {
        // Neither interface holds the unit's subnet, and nothing answers on the port.
        m_interfaces = {fakeInterface(1, "127.0.0.2", 32), fakeInterface(2, "127.0.0.3", 32)};
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        useControlPort(closed.serverPort());
        closed.close();

        DataModel model;
        model.setTickTimerRunning(false);
        model.appendDevice(loopbackUnit(), true);
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        model.selectDevice(0, false);
        QCOMPARE(model.bindAddress(), QHostAddress(QStringLiteral("127.0.0.2")));

        ticks(model, 299);
        QCOMPARE(timeouts.count(), 0);
        ticks(model, 1); // the 300th tick
        QCOMPARE(timeouts.count(), 1);
        QCOMPARE(timeouts[0][0].toBool(), false);
        QCOMPARE(model.bindAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
        ticks(model, 300);
        QCOMPARE(timeouts.count(), 2);
        QCOMPARE(timeouts[1][0].toBool(), false);
        QCOMPARE(model.bindAddress(), QHostAddress(QStringLiteral("127.0.0.2")));
        ticks(model, 300);
        QCOMPARE(timeouts.count(), 3);
        QCOMPARE(timeouts[2][0].toBool(), true); // every interface tried

        // With one interface, the second time-out already says so.
        m_interfaces = {fakeInterface(1, "127.0.0.2", 32)};
        model.selectDevice(-1, false);
        timeouts.clear();
        model.selectDevice(0, false);
        ticks(model, 600);
        QCOMPARE(timeouts.count(), 2);
        QCOMPARE(timeouts[0][0].toBool(), false);
        QCOMPARE(timeouts[1][0].toBool(), true);
        useControlPort(m_server.serverPort());
    }

    void reconnectsFirstThroughTheInterfaceThatWorked()
    {
        m_interfaces = {fakeInterface(1, "127.0.0.2", 32), fakeInterface(2, "127.0.0.3", 8)};
        DataModel model;
        QScopedPointer<QTcpSocket> first(connectModel(model));
        QVERIFY(first);
        // 127.0.0.3 holds the unit's subnet.
        QCOMPARE(first->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));

        // The unit falls silent: after 3 s the link is given up and tried again.
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        m_now += 3000;
        model.timeout();
        QCOMPARE(timeouts.count(), 0);
        m_now += 1;
        model.timeout();
        QCOMPARE(timeouts.count(), 1);
        QVERIFY(m_server.waitForNewConnection(3000));
        QScopedPointer<QTcpSocket> second(m_server.nextPendingConnection());
        QCOMPARE(second->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
    }

    void loginAnswers()
    {
        m_interfaces = {};
        DataModel model;
        QScopedPointer<QTcpSocket> unit(connectModel(model));
        QVERIFY(unit);
        wire::PacketCutter cutter;
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);

        // A password is needed and none was ever accepted: no retry.
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QCOMPARE(login.count(), 1);
        QVERIFY(drain(unit.data(), cutter).isEmpty());

        model.login(QStringLiteral("secret"), true);
        model.handleLoginAnswer(QByteArray(1, '\1'));
        QVERIFY(model.isLoggedIn());
        // Then the PC's clock (the command's bytes are checked in tst_commands).
        const QByteArray stamp = wire::cmd::timeSet(QDateTime::fromMSecsSinceEpoch(m_now)).payload;
        QList<Read> got = drain(unit.data(), cutter);
        QCOMPARE(texts(got), (QStringList{QStringLiteral("w:2,1,1[736563726574]"),
                                          QStringLiteral("w:2,2,12[") +
                                              QString::fromLatin1(stamp.toHex()) + "]"}));

        // Asked again (e.g. after the unit restarted its session): the accepted password is
        // sent once more without asking the user.
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QVERIFY(!model.isLoggedIn());
        QCOMPARE(texts(drain(unit.data(), cutter)), QStringList{"w:2,1,1[736563726574]"});

        // A wrong password forgets both passwords: the next request is not answered alone.
        model.handleLoginAnswer(QByteArray(1, '\2'));
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QVERIFY(drain(unit.data(), cutter).isEmpty());
        model.handleLoginAnswer(QByteArray(2, '\1')); // not one byte: ignored
        QCOMPARE(login.count(), 5);
        QCOMPARE(login.last()[0].toUInt(), 0u);
    }

    void periodicReadsAndTheEditHold()
    {
        m_interfaces = {};
        DataModel model;
        QScopedPointer<QTcpSocket> unit(connectModel(model));
        QVERIFY(unit);
        wire::PacketCutter cutter;
        model.setCurrentPage(4, 2); // input filter of input 3

        ticks(model, 10);
        QCOMPARE(texts(drain(unit.data(), cutter)),
                 (QStringList{"3,1,1", "3,7,7", "3,11,8", "3,11,1", "3,18,5"}));
        ticks(model, 10);
        QStringList twenty = texts(drain(unit.data(), cutter));
        QCOMPARE(twenty.mid(5, 3), (QStringList{"2,2,40", "2,2,5", "2,2,33"}));
        QVERIFY(twenty.contains("3,4,3[0207]"));
        QVERIFY(twenty.contains("3,7,2"));
        QVERIFY(!twenty.contains("2,2,37"));

        // A drag on the filter page holds the page's reads back for 1.5 s after the last edit.
        model.queueCommand(3, 4, 3, 2, 1, QByteArray(13, '\x01'));
        const qint64 edit = m_now;
        m_now += 200;
        ticks(model, 20);
        const QStringList held = texts(drain(unit.data(), cutter));
        QCOMPARE(held.filter(QRegularExpression("^3,4,[123]\\[")).size(), 0);
        QVERIFY(held.contains("w:3,4,3[" + QByteArray(13, '\x01').toHex() + "]"));
        QVERIFY(held.contains("3,7,2")); // other groups are still read

        m_now = edit + 1500;
        ticks(model, 20);
        const QStringList resumed = texts(drain(unit.data(), cutter));
        QCOMPARE(resumed.filter(QRegularExpression("^3,4,[123]\\[")).size(), 10);
        QCOMPARE(resumed.count("2,2,37"), 1); // the fan, every 500 ms

        // Dialog flags add their reads.
        model.setRefreshFlag(DataModel::RefreshPresets, true);
        ticks(model, 20);
        QVERIFY(texts(drain(unit.data(), cutter)).contains("3,32,1"));
    }
};

KV_TEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
