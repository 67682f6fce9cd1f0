// The road of a unit from its first datagram to a logged-in, refreshed, edited link, against
// the virtual unit over loopback.
#include "clock.h"
#include "controlserver.h"
#include "datamodel.h"
#include "fakeinterface.h"
#include "networkinterfaces.h"
#include "testenvironment.h"
#include "virtualunit.h"
#include "wire/commands.h"

#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

namespace {

struct Received
{
    wire::Code code;
    quint8 access;
    QByteArray payload;
    qint64 at; // the model's clock when it arrived
};

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT
    std::unique_ptr<VirtualUnit> m_unit;
    LinkSettings m_link;
    qint64 m_now = 1'750'000'000'000;
    QList<Received> m_received; // what the unit got, type 2 and 3 only

    // Advances the model's clock by `ms` in 10 ms ticks, letting the sockets work in between.
    void run(DataModel& model, int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            m_now += 10;
            model.timeout();
            QCoreApplication::processEvents();
        }
    }

    QList<Received> receivedSince(qint64 from, wire::Group group, quint8 access) const
    {
        QList<Received> out;
        for (const Received& r : m_received) {
            if (r.at >= from && r.code.in(group) && r.access == access)
                out << r;
        }
        return out;
    }

private slots:
    void initTestCase()
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::LocalHost, 0));
        const quint16 discoveryPort = probe.localPort();
        probe.close();

        UnitConfig config;
        config.controlPort = 0;
        config.discoveryPort = discoveryPort;
        config.announceIntervalMs = 100;
        config.password = QStringLiteral("4321");
        config.deviceId = 515;
        m_unit = std::make_unique<VirtualUnit>(config);
        QString error;
        QVERIFY2(m_unit->start(&error), qPrintable(error));
        connect(&m_unit->server(), &ControlServer::packetReceived,
                [this](const wire::PacketHeader& h, const QByteArray& payload) {
                    if (h.type == wire::DspFamily || h.type == wire::SystemFamily)
                        m_received.append({h.code(), h.access, payload, m_now});
                });
        m_link.controlPort = m_unit->controlPort();
        m_link.broadcastPort = discoveryPort;
        Clock::setSource([this] { return m_now; });
        // The PC as far as this test is concerned: loopback, plus an address that cannot
        // reach the unit's subnet.
        NetworkInterfaces::setSource([] {
            return QList<LocalInterface>{fakeInterface(1, "127.0.0.1", 8, false),
                                         fakeInterface(2, "127.0.0.2", 32, false)};
        });
    }

    void cleanupTestCase()
    {
        NetworkInterfaces::resetSource();
        Clock::resetSource();
        m_unit.reset();
    }

    void fromDiscoveryToAnEditedLink()
    {
        DataModel model(m_link);
        model.setTickTimerRunning(false);
        QTRY_COMPARE(model.deviceCount(), 1);
        QCOMPARE(model.device(0)->packet.deviceId, 515u);
        QVERIFY(model.device(0)->online);

        // The unit wants a password.
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        model.selectDevice(0, false);
        QTRY_COMPARE(login.count(), 1);
        QCOMPARE(login[0][0].toUInt(), 0u);

        // The built-in guest password gets no answer at all; a read of the login state that
        // follows it is answered, so had the guest been answered we would see two signals.
        model.login(QStringLiteral("%+guest+"), false);
        model.sendQuery(wire::code::Login);
        QTRY_COMPARE(login.count(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(login.count(), 2);

        const qint64 loginAt = m_now;
        model.login(QStringLiteral("4321"), true);
        QTRY_COMPARE(login.count(), 3);
        QCOMPARE(login.last()[0].toUInt(), 1u);
        QVERIFY(model.isLoggedIn());
        QTRY_VERIFY([&] {
            for (const Received& r : qAsConst(m_received))
                if (r.code == wire::code::DateTime && r.access == 1 && r.at == loginAt)
                    return true;
            return false;
        }());
        const QDateTime pc = QDateTime::fromMSecsSinceEpoch(loginAt);
        for (const Received& r : qAsConst(m_received)) {
            if (r.code == wire::code::DateTime) {
                QCOMPARE(int(quint8(r.payload[3])), pc.date().day());
                QCOMPARE(int(quint8(r.payload[5])), pc.date().month() - 1);
                QCOMPARE(int(quint8(r.payload[6])), pc.date().year() - 1900);
            }
        }

        // The periodic reads fill the mirror.
        run(model, 400);
        QTRY_VERIFY(!model.system().serialNumber.isEmpty());
        QVERIFY(model.system().armVersion != (std::array<quint8, 3>{}));
        QTRY_VERIFY(model.input(0).postFaderMeter > -100);

        // A PEQ drag on input 3, band 2: the page shows the input filter.
        model.setCurrentPage(int(EditorPage::InputFilter), 2);
        run(model, 200);
        const qint64 dragStart = m_now;
        // The mirror is left alone here, so only the unit's own report can change it.
        DataModel::Filter::PEQ band = *model.inputPeq(2, 1);
        const float before = band.gain;
        for (int step = 0; step < 50; ++step) { // 1 s, a new position every 20 ms
            band.gain = -10.0f + step * 0.4f;
            wire::deliver(model, wire::cmd::inputPeq(2, 1, band));
            run(model, 20);
        }
        const qint64 lastEdit = m_now - 20;
        run(model, 200);
        QCoreApplication::processEvents();
        const QList<Received> drags = receivedSince(dragStart, wire::group::InputFilter, 1);
        QVERIFY2(drags.size() >= 5 && drags.size() <= 7, qPrintable(QString::number(drags.size())));
        for (int i = 1; i < drags.size(); ++i)
            QVERIFY(drags[i].at - drags[i - 1].at >= 180);
        QCOMPARE(drags.last().payload.mid(2), QByteArray(reinterpret_cast<const char*>(&band),
                                                         sizeof band)); // the latest value

        // The filter page is not read back while the edit is recent (reads sent just before
        // the drag may still be on their way in the first tick)...
        QVERIFY(receivedSince(dragStart + 20, wire::group::InputFilter, 0).isEmpty());
        run(model, 1200);
        QVERIFY(receivedSince(dragStart + 20, wire::group::InputFilter, 0).isEmpty());
        QVERIFY(m_now - lastEdit < 1500 + 20 * 10);
        // ...and is once the hold is over; the unit's answer shows what it took.
        run(model, 400);
        QVERIFY(!receivedSince(lastEdit + 1499, wire::group::InputFilter, 0).isEmpty());
        QVERIFY(band.gain != before);
        QTRY_COMPARE(float(model.inputPeq(2, 1)->gain), float(band.gain)); // packed: copies

        // A unit that falls silent: time-out, and a new attempt from the address that worked.
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        const QHostAddress worked = model.bindAddress();
        m_unit->setSilent(true);
        // The unit recovers as the application gives up on the old link.
        connect(&model, &DataModel::tcpConnectTimeout, m_unit.get(),
                [this] { m_unit->setSilent(false); });
        run(model, 3100);
        QCOMPARE(timeouts.count(), 1);
        QCOMPARE(model.bindAddress(), worked);
        // The unit asks for the password again; the accepted one is sent without asking.
        QTRY_VERIFY(model.isLoggedIn());

        // Switched off: no more datagrams, and the list shows it offline at the once-a-second
        // check after 2 s of silence (the link's own time-outs restart that count).
        QTRY_VERIFY(model.device(0)->online); // heard again since the last clock jump
        m_unit->stop();
        run(model, 3100);
        QVERIFY(!model.device(0)->online);
    }
};

KV_TEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
