// The life of the control connection: interface cycling, watchdogs, login and periodic reads.
#include "clock.h"
#include "datamodel.h"
#include "fakeinterface.h"
#include "linkpeer.h"
#include "networkinterfaces.h"
#include "testenvironment.h"
#include "wire/commands.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QUdpSocket>
#include <QtTest>

namespace {

DataModel::UDPBrowsingPacket loopbackUnit()
{
    DataModel::UDPBrowsingPacket p{};
    p.deviceId = 9;
    p.ipAddress = 0x7F000001;
    return p;
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 1'700'000'000'000;
    QList<LocalInterface> m_interfaces;

    void ticks(DataModel& model, int n)
    {
        for (int i = 0; i < n; ++i)
            model.timeout();
    }

    // Where the models of the test look for their unit.
    void useControlPort(quint16 port) { m_link.controlPort = port; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_peer.listen());
        useControlPort(m_peer.port());
        Clock::setSource([this] { return m_now; });
        NetworkInterfaces::setSource([this] { return m_interfaces; });
    }

    void cleanupTestCase()
    {
        NetworkInterfaces::resetSource();
        Clock::resetSource();
    }

    void cyclesThroughTheLocalInterfaces()
    {
        // Neither interface holds the unit's subnet, and nothing answers on the port.
        m_interfaces = {fakeInterface(1, "127.0.0.2", 32), fakeInterface(2, "127.0.0.3", 32)};
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        useControlPort(closed.serverPort());
        closed.close();

        DataModel model(m_link);
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
    }

    // A unit that keeps announcing itself on an interface but refuses the connection: every
    // datagram refills the address it was heard on, yet a full round of attempts is still
    // reported, so that the user hears of it.
    void anAnnouncingUnitThatRefusesStillEndsItsRound()
    {
        m_interfaces = {fakeInterface(1, "127.0.0.2", 8)};
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        useControlPort(closed.serverPort());
        closed.close();
        const auto restore = qScopeGuard([this] { useControlPort(m_peer.port()); });

        DataModel model(m_link);
        model.setTickTimerRunning(false);
        QUdpSocket* heardOn = nullptr;
        const auto sockets = model.findChildren<QUdpSocket*>();
        for (QUdpSocket* socket : sockets) {
            if (socket->localAddress() == QHostAddress(QStringLiteral("127.0.0.2")))
                heardOn = socket;
        }
        QVERIFY(heardOn);
        DataModel::UDPBrowsingPacket unit = loopbackUnit();
        unit.header = wire::kBrowsingHeader;
        unit.tail = wire::kBrowsingTail;
        unit.packetType = 4;
        const QByteArray datagram(reinterpret_cast<const char*>(&unit), sizeof unit);
        model.handleBrowsingPacket(heardOn, datagram);
        QCOMPARE(model.device(0)->localAddress, QHostAddress(QStringLiteral("127.0.0.2")));

        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        model.selectDevice(0, false);
        for (int second = 0; second < 7; ++second) {
            m_now += 1000;
            model.handleBrowsingPacket(heardOn, datagram);
            ticks(model, 100);
        }
        QCOMPARE(timeouts.count(), 2);
        QCOMPARE(timeouts[0][0].toBool(), false);
        QCOMPARE(timeouts[1][0].toBool(), true);
    }

    void reconnectsFirstThroughTheInterfaceThatWorked()
    {
        m_interfaces = {fakeInterface(1, "127.0.0.2", 32), fakeInterface(2, "127.0.0.3", 8)};
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        // 127.0.0.3 holds the unit's subnet.
        QCOMPARE(m_peer.socket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));

        // The unit falls silent: after 3 s the link is given up and tried again.
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        m_now += 3000;
        model.timeout();
        QCOMPARE(timeouts.count(), 0);
        m_now += 1;
        model.timeout();
        QCOMPARE(timeouts.count(), 1);
        QVERIFY(m_peer.accept());
        QCOMPARE(m_peer.socket()->peerAddress(), QHostAddress(QStringLiteral("127.0.0.3")));
    }

    void loginAnswers()
    {
        m_interfaces = {};
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);

        // A password is needed and none was ever accepted: no retry.
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QCOMPARE(login.count(), 1);
        QVERIFY(m_peer.take().isEmpty());

        model.login(QStringLiteral("secret"), true);
        model.handleLoginAnswer(QByteArray(1, '\1'));
        QVERIFY(model.isLoggedIn());
        // Then the PC's clock (the command's bytes are checked in tst_commands).
        const QByteArray stamp = wire::cmd::timeSet(QDateTime::fromMSecsSinceEpoch(m_now)).payload;
        QCOMPARE(m_peer.take(), (QStringList{QStringLiteral("w:2,1,1[736563726574]"),
                                             QStringLiteral("w:2,2,12[") +
                                                 QString::fromLatin1(stamp.toHex()) + "]"}));

        // Asked again (e.g. after the unit restarted its session): the accepted password is
        // sent once more without asking the user.
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QVERIFY(!model.isLoggedIn());
        QCOMPARE(m_peer.take(), QStringList{"w:2,1,1[736563726574]"});

        // A wrong password forgets both passwords: the next request is not answered alone.
        model.handleLoginAnswer(QByteArray(1, '\2'));
        model.handleLoginAnswer(QByteArray(1, '\0'));
        QVERIFY(m_peer.take().isEmpty());
        model.handleLoginAnswer(QByteArray(2, '\1')); // not one byte: ignored
        QCOMPARE(login.count(), 5);
        QCOMPARE(login.last()[0].toUInt(), 0u);
    }

    // The whole read sequence of one 200 ms cycle, in order: meters first, then the system
    // values, labels, strips, the visible page's block and the open dialogs' blocks. Codes are
    // spelled as numbers so that a wrong name in the code cannot hide.
    void refreshCycleReadsInOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QByteArray>("recent"); // type, subType, funcId of the last edit
        QTest::addColumn<QStringList>("block"); // after the meters and the fixed reads

        const QStringList meters{"3,1,1", "3,7,7", "3,11,8", "3,11,1", "3,18,5"};
        const QStringList system{"2,2,40", "2,2,5",  "2,2,33", "2,2,34", "2,2,2",  "2,2,3",
                                 "2,2,38", "2,2,10", "2,2,11", "2,2,19", "2,2,16", "2,2,24",
                                 "2,2,4",  "2,2,29", "2,2,14", "2,2,9"};
        const QStringList labels{"2,3,1", "2,3,2"};
        const QStringList touch{"2,16,1", "2,16,2"};
        const QStringList inputs{"3,7,1", "3,7,3", "3,7,2", "3,7,4", "3,7,6"};
        const QStringList outputs{"3,11,2", "3,11,4", "3,11,3", "3,11,5", "3,11,7"};
        const auto cycle = [&](const QStringList& page, bool inputsHeld = false,
                               bool labelsHeld = false) {
            return meters + system + (labelsHeld ? QStringList() : labels) + touch +
                   (inputsHeld ? QStringList() : inputs) + QStringList{"3,1,4"} + outputs + page;
        };
        const auto filter = [](int subType) {
            QStringList out{QStringLiteral("3,%1,1[02]").arg(subType),
                            QStringLiteral("3,%1,2[02]").arg(subType)};
            for (int band = 0; band < 8; ++band)
                out << QStringLiteral("3,%1,3[020%2]").arg(subType).arg(band);
            return out;
        };
        QStringList gates{"3,2,1"};
        for (int ch = 0; ch < 18; ++ch)
            gates << QStringLiteral("3,2,2[%1]").arg(ch, 2, 16, QLatin1Char('0'));
        QStringList matrix;
        for (int out = 0; out < 16; ++out)
            matrix << QStringLiteral("3,8,1[%1]").arg(out, 2, 16, QLatin1Char('0'))
                   << QStringLiteral("3,8,2[%1]").arg(out, 2, 16, QLatin1Char('0'));

        const QByteArray none;
        const auto row = [&](const char* name, int page, int flags, const QByteArray& recent,
                             const QStringList& block) {
            QTest::newRow(name) << page << flags << recent << block;
        };
        row("input setup", 0, 0, none, cycle({"3,1,2", "3,1,4", "3,1,5", "3,1,8"}));
        row("feedback", 1, 0, none, cycle({"3,3,1"}));
        row("agc", 2, 0, none, cycle({"3,16,1[02]"}));
        row("gate", 3, 0, none, cycle(gates));
        row("input filter", 4, 0, none, cycle(filter(4)));
        row("input limiter", 5, 0, none, cycle({"3,5,1[02]"}));
        row("matrix", 6, 0, none, cycle(matrix));
        row("generator", 7, 0, none, cycle({"3,9,5", "3,9,3", "3,9,2", "3,9,4", "3,9,1"}));
        row("echo cancellation", 8, 0, none, cycle({"3,15,2"}));
        row("auto mixer", 9, 0, none, cycle({"3,18,1", "3,18,2", "3,18,3"}));
        row("output filter", 10, 0, none, cycle(filter(12)));
        row("output limiter", 11, 0, none, cycle({"3,13,1[02]"}));
        row("output delay", 12, 0, none, cycle({"3,14,1"}));
        row("no page", 13, 0, none, cycle({}));

        row("labels dialog", 13, 1, none, cycle({"2,3,3"}));
        row("presets dialog", 13, 2, none, cycle({"3,32,1"}));
        row("usb dialog", 13, 4, none,
            cycle({"2,5,5", "2,5,1", "2,5,3", "2,5,20", "2,5,16", "2,5,18", "3,1,4", "3,11,9",
                   "2,2,32"}));
        row("device setup dialog", 13, 8, none,
            cycle({"2,2,1", "2,2,13", "2,2,39", "2,2,6", "2,2,7", "2,2,8", "2,2,12", "2,2,17",
                   "2,2,18", "2,2,23", "3,7,6", "3,11,7", "2,2,25", "2,2,32"}));
        row("touch panel", 13, 16, none, cycle({"2,6,1"}));
        row("status records", 13, 32, none, cycle({"4,1,1", "4,1,3", "4,1,4"}));
        row("every dialog in bit order", 13, 3, none, cycle({"2,3,3", "3,32,1"}));

        // The hold of the last edit leaves out exactly the reads of the edited group.
        row("input strip edit", 0, 0, hex("030702"),
            cycle({"3,1,2", "3,1,4", "3,1,5", "3,1,8"}, true));
        row("label edit", 13, 1, hex("020301"), cycle({}, false, true));
        row("page block edit", 4, 0, hex("030403"), cycle({}));
        row("other block edit", 4, 0, hex("030c03"), cycle(filter(4)));
        row("fader range edit", 13, 8, hex("030706"),
            cycle({"2,2,1", "2,2,13", "2,2,39", "2,2,6", "2,2,7", "2,2,8", "2,2,12", "2,2,17",
                   "2,2,18", "2,2,23", "3,11,7", "2,2,25", "2,2,32"},
                  true));
        row("preset rename", 13, 2, hex("032005"), cycle({}));
        row("preset recall", 13, 2, hex("032003"), cycle({"3,32,1"}));
        row("status record edit", 13, 32, hex("040112"), cycle({"4,1,3", "4,1,4"}));
        row("status record other edit", 13, 32, hex("040114"), cycle({"4,1,1", "4,1,3", "4,1,4"}));
    }

    void refreshCycleReadsInOrder()
    {
        QFETCH(int, page);
        QFETCH(int, flags);
        QFETCH(QByteArray, recent);
        QFETCH(QStringList, block);
        m_interfaces = {};
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        model.setCurrentPage(page, 2);
        for (int bit = 0; bit < 6; ++bit)
            model.setRefreshFlag(DataModel::RefreshFlag(1 << bit), flags & (1 << bit));
        if (!recent.isEmpty())
            model.sendCommand(quint8(recent[0]), quint8(recent[1]), quint8(recent[2]));
        m_peer.take();

        ticks(model, 10);
        QCOMPARE(m_peer.take(), (QStringList{"3,1,1", "3,7,7", "3,11,8", "3,11,1", "3,18,5"}));
        ticks(model, 10);
        QCOMPARE(m_peer.take(), block);
        // Every 500 ms the fan, after the cycle's other reads.
        ticks(model, 30);
        const QStringList fifty = m_peer.take();
        QCOMPARE(fifty.mid(fifty.size() - 6),
                 (QStringList{"3,1,1", "3,7,7", "3,11,8", "3,11,1", "3,18,5", "2,2,37"}));
        QCOMPARE(fifty.count("2,2,37"), 1);
    }

    void theEditHoldEndsAfterOneAndAHalfSeconds()
    {
        m_interfaces = {};
        DataModel model(m_link);
        QVERIFY(m_peer.connectModel(model));
        model.setCurrentPage(4, 2); // input filter of input 3

        // A drag on the filter page holds the page's reads back for 1.5 s after the last edit.
        model.queueCommand(3, 4, 3, 2, 1, QByteArray(13, '\x01'));
        const qint64 edit = m_now;
        m_now += 200;
        ticks(model, 20);
        const QStringList held = m_peer.take();
        QCOMPARE(held.filter(QRegularExpression("^3,4,[123]\\[")).size(), 0);
        QVERIFY(held.contains("w:3,4,3[" + QByteArray(13, '\x01').toHex() + "]"));
        QVERIFY(held.contains("3,7,2")); // other groups are still read

        m_now = edit + 1500;
        ticks(model, 20);
        const QStringList resumed = m_peer.take();
        QCOMPARE(resumed.filter(QRegularExpression("^3,4,[123]\\[")).size(), 10);
    }
};

KV_TEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
