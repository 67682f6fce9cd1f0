// Sending and receiving through DataModel over real loopback sockets.
#include "clock.h"
#include "datamodel.h"
#include "testenvironment.h"
#include "wire/packetcutter.h"

#include <QTcpServer>
#include <QtTest>

using namespace wire;

namespace {

// Records what the model dispatches, in order.
class RecordingModel : public DataModel
{
public:
    using DataModel::DataModel;
    struct Seen
    {
        wire::Code code;
        quint8 access;
        QByteArray payload;
    };
    QList<Seen> seen;

protected:
    void dispatchPacket(const wire::PacketHeader& h, const char* payload) override
    {
        seen.append({h.code(), h.access, QByteArray(payload, h.length)});
        DataModel::dispatchPacket(h, payload);
    }
};

DataModel::UDPBrowsingPacket loopbackUnit(quint32 id)
{
    DataModel::UDPBrowsingPacket p{};
    p.header = wire::kBrowsingHeader;
    p.tail = wire::kBrowsingTail;
    p.packetType = 4;
    p.deviceId = id;
    p.ipAddress = 0x7F000001;
    return p;
}

} // namespace

class TestDataModelLink : public QObject
{
    Q_OBJECT
    QTcpServer m_server;
    LinkSettings m_link;
    qint64 m_now = 1'000'000;

    // Accepts the model's connection to the current unit.
    QTcpSocket* accept()
    {
        if (!m_server.hasPendingConnections())
            m_server.waitForNewConnection(3000);
        return m_server.nextPendingConnection();
    }

    QList<wire::PacketHeader> readPackets(QTcpSocket* peer, int expected,
                                          QList<QByteArray>* payloads = nullptr)
    {
        wire::PacketCutter cutter;
        QList<wire::PacketHeader> headers;
        QElapsedTimer limit;
        limit.start();
        while (headers.size() < expected && limit.elapsed() < 3000) {
            if (!peer->bytesAvailable())
                peer->waitForReadyRead(100);
            cutter.append(peer->readAll());
            cutter.cut([&](const wire::PacketHeader& h, const char* p) {
                headers.append(h);
                if (payloads)
                    payloads->append(QByteArray(p, h.length));
            });
        }
        return headers;
    }

    void connectModel(DataModel& model, int index)
    {
        model.selectDevice(index, false);
        QTRY_COMPARE(model.device(index)->socket->state(), QAbstractSocket::ConnectedState);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        m_link.controlPort = m_server.serverPort();
        Clock::setSource([this] { return m_now; });
    }

    void cleanupTestCase() { Clock::resetSource(); }

    void sendsCommandsAndQueries()
    {
        DataModel model(m_link);
        model.appendDevice(loopbackUnit(1), true);
        // Nothing to write to yet: silently skipped.
        QVERIFY(model.sendCommand(code::InputLevelMute, QByteArray::fromHex("0001")) < 1);
        connectModel(model, 0);
        QScopedPointer<QTcpSocket> peer(accept());
        QVERIFY(peer);

        model.sendCommand(code::InputLevelMute, QByteArray::fromHex("0201"));
        model.sendQuery(code::PresetExportAll, QByteArray::fromHex("05"));
        QList<QByteArray> payloads;
        const auto got = readPackets(peer.data(), 2, &payloads);
        QCOMPARE(got.size(), 2);
        QCOMPARE(int(got[0].access), 1);
        QCOMPARE(payloads[0], QByteArray::fromHex("0201"));
        QCOMPARE(int(got[1].access), 0);
        QCOMPARE(got[1].code(), code::PresetExportAll);
        // Only the command is remembered for echo suppression.
        QVERIFY(model.recentCommand().holds(code::InputLevelMute));

        // A payload the unit cannot take is refused whole, not truncated or overflowed.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Packet refused"));
        model.sendCommand(code::MatrixEnable, QByteArray(3000, 'x'));
        model.sendQuery(code::Fan);
        const auto after = readPackets(peer.data(), 1);
        QCOMPARE(after.size(), 1);
        QCOMPARE(after[0].code(), code::Fan);
    }

    void coalescesQueuedCommandsAndExpiresTheRecentCommand()
    {
        RecordingModel model(m_link);
        model.appendDevice(loopbackUnit(1), true);
        connectModel(model, 0);
        QScopedPointer<QTcpSocket> peer(accept());

        const qint64 t0 = m_now;
        model.queueCommand(code::InputPeq, 2, 5, "first");
        m_now = t0 + 50;
        model.queueCommand(code::InputPeq, 2, 5, "second"); // same key: replaces, keeps t0
        model.queueCommand(code::InputPeq, 3, 5, "other");  // other channel: its own entry
        m_now = t0 + 179;
        model.timeout();
        QCOMPARE(model.pendingCommandCount(), 2); // due only once 179 ms have fully passed
        m_now = t0 + 180;
        model.timeout();
        QCOMPARE(model.pendingCommandCount(), 1);
        m_now = t0 + 230;
        model.timeout();
        QCOMPARE(model.pendingCommandCount(), 0);

        QList<QByteArray> payloads;
        const auto got = readPackets(peer.data(), 2, &payloads);
        QCOMPARE(got.size(), 2);
        QCOMPARE(payloads, (QList<QByteArray>{"second", "other"}));
        QCOMPARE(int(got[0].access), 1);

        // The record of the last edit holds for 1499 ms, then clears.
        m_now = t0 + 50 + 1499;
        model.timeout();
        QVERIFY(model.recentCommand().holdsGroup(group::InputFilter));
        m_now = t0 + 50 + 1500;
        model.timeout();
        QVERIFY(!model.recentCommand().holdsGroup(group::InputFilter));

        // Closing the connection forgets what was still waiting.
        model.queueCommand(code::InputLevelGain, 0, 255, "drag");
        model.selectDevice(-1, false);
        QCOMPARE(model.pendingCommandCount(), 0);
    }

    // Two continuous edits within the coalescing delay share a packet only when all five of
    // type, subType, funcId and the two keys agree: two bands of one channel are two packets.
    void queuedCommandsAreKeyedByEveryByte_data()
    {
        QTest::addColumn<QByteArray>("second"); // type, subType, funcId, key1, key2
        QTest::addColumn<QList<QByteArray>>("sent");
        using L = QList<QByteArray>;
        QTest::newRow("same keys: the latest value")
            << QByteArray::fromHex("0304030205") << L{"second"};
        QTest::newRow("another band") << QByteArray::fromHex("0304030206") << L{"first", "second"};
        QTest::newRow("another channel")
            << QByteArray::fromHex("0304030305") << L{"first", "second"};
        QTest::newRow("another funcId")
            << QByteArray::fromHex("0304020205") << L{"first", "second"};
        QTest::newRow("another subType")
            << QByteArray::fromHex("030c030205") << L{"first", "second"};
        QTest::newRow("another type") << QByteArray::fromHex("0204030205") << L{"first", "second"};
    }

    void queuedCommandsAreKeyedByEveryByte()
    {
        QFETCH(QByteArray, second);
        QFETCH(QList<QByteArray>, sent);
        DataModel model(m_link);
        model.appendDevice(loopbackUnit(1), true);
        connectModel(model, 0);
        QScopedPointer<QTcpSocket> peer(accept());

        const auto at = [&](int i) { return quint8(second[i]); };
        model.queueCommand(code::InputPeq, 2, 5, "first");
        m_now += 100;
        model.queueCommand(at(0), at(1), at(2), at(3), at(4), "second");
        m_now += 200;
        model.timeout();
        QCOMPARE(model.pendingCommandCount(), 0);
        QList<QByteArray> payloads;
        readPackets(peer.data(), sent.size(), &payloads);
        QVERIFY(!peer->waitForReadyRead(50)); // and nothing more
        std::sort(payloads.begin(), payloads.end());
        QCOMPARE(payloads, sent);
    }

    void dispatchesThePacketsOfTheCurrentUnitOnly()
    {
        RecordingModel model(m_link);
        model.appendDevice(loopbackUnit(1), true);
        model.appendDevice(loopbackUnit(2), true);
        connectModel(model, 0);
        QScopedPointer<QTcpSocket> current(accept());

        // The other unit's socket is connected too, but it is not the current unit.
        QTcpSocket* otherSocket = model.device(1)->socket;
        otherSocket->connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        QScopedPointer<QTcpSocket> other(accept());
        QTRY_COMPARE(otherSocket->state(), QAbstractSocket::ConnectedState);

        other->write(
            wire::packet(code::InputPostFaderMeters, AccessReport, QByteArray(17, '\x10')));
        const QByteArray a =
            wire::packet(code::OutputPostFaderMeters, AccessReport, QByteArray(16, ' '));
        const QByteArray b = wire::packet(code::Fan, AccessReport, QByteArray(1, '\x01'));
        // A packet split over two reads, then another packet.
        current->write(a.left(5));
        current->flush();
        current->write(a.mid(5) + b);
        current->flush();
        QTRY_COMPARE(model.seen.size(), 2);
        QCOMPARE(model.seen[0].code, code::OutputPostFaderMeters);
        QCOMPARE(model.seen[0].payload, QByteArray(16, ' '));
        QCOMPARE(model.seen[1].code, code::Fan);

        // The other unit's bytes are left in its socket, unread.
        QTRY_VERIFY(otherSocket->bytesAvailable() > 0);
        QCOMPARE(model.seen.size(), 2);
    }
};

KV_TEST_GUILESS_MAIN(TestDataModelLink)
#include "tst_datamodellink.moc"
