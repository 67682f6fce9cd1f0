#include "testenvironment.h"
#include "wire/packetcutter.h"

#include <QtTest>

using wire::PacketCutter;
using wire::PacketHeader;

namespace {

struct Cut
{
    quint8 type, subType, funcId, access;
    QByteArray payload;
};

QList<Cut> cutAll(PacketCutter& cutter)
{
    QList<Cut> cuts;
    cutter.cut([&](const PacketHeader& h, const char* payload) {
        cuts.append({h.type, h.subType, h.funcId, h.access, QByteArray(payload, h.length)});
    });
    return cuts;
}

QByteArray report(quint8 sub, quint8 func, const QByteArray& payload = {})
{
    return wire::packet({3, sub, func}, wire::AccessReport, payload);
}

} // namespace

class TestPacketCutter : public QObject
{
    Q_OBJECT
private slots:
    // The lines of the wire log are what these tests look at; the log is off by default.
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=true")); }

    void buildsExactFrames()
    {
        QCOMPARE(wire::packet({2, 3, 4}, 0x80).toHex(' '),
                 QByteArray("82 7d 01 00 02 03 04 80 00 00 7d 82"));
        const QByteArray withPayload = wire::packet({3, 4, 3}, 1, QByteArray::fromHex("0507"));
        QCOMPARE(withPayload.toHex(' '), QByteArray("82 7d 01 00 03 04 03 01 02 00 05 07 7d 82"));

        QByteArray out;
        PacketHeader h;
        QByteArray largest(wire::kMaxPayloadSize, 'x');
        QVERIFY(wire::buildPacket(out, h, largest.constData(), largest.size()));
        QCOMPARE(out.size(), 2048);
        // One byte more would overflow the unit's 2048-byte packet: refused, nothing built.
        QByteArray tooLong(wire::kMaxPayloadSize + 1, 'x');
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Packet refused"));
        QVERIFY(!wire::buildPacket(out, h, tooLong.constData(), tooLong.size()));
        QVERIFY(out.isEmpty());
    }

    void assemblesSplitAndBatchedPackets()
    {
        PacketCutter cutter;
        const QByteArray a = report(7, 2, QByteArray(68, '\x01'));
        const QByteArray b = report(1, 1, QByteArray(17, '\x02'));
        const QByteArray c = report(11, 9, QByteArray(1, '\x03'));
        const QByteArray stream = a + b + c;

        // Byte by byte: each packet appears exactly when its last byte arrives.
        QList<Cut> got;
        for (int i = 0; i < stream.size(); ++i) {
            cutter.append(stream.mid(i, 1));
            const QList<Cut> now = cutAll(cutter);
            if (i == a.size() - 1 || i == a.size() + b.size() - 1 || i == stream.size() - 1)
                QCOMPARE(now.size(), 1);
            else
                QVERIFY(now.isEmpty());
            got += now;
        }
        QCOMPARE(cutter.size(), 0);

        // All in one read: in order.
        cutter.append(stream);
        got = cutAll(cutter);
        QCOMPARE(got.size(), 3);
        QCOMPARE(int(got[0].subType), 7);
        QCOMPARE(got[0].payload, QByteArray(68, '\x01'));
        QCOMPARE(int(got[1].funcId), 1);
        QCOMPARE(int(got[2].access), 0x80);
        QCOMPARE(got[2].payload, QByteArray(1, '\x03'));
    }

    void waitsAtTheElevenByteBoundary()
    {
        PacketCutter cutter;
        const QByteArray empty = report(2, 1);
        QCOMPARE(empty.size(), 12);
        cutter.append(empty.left(11));
        QVERIFY(cutAll(cutter).isEmpty());
        QCOMPARE(cutter.size(), 11);
        cutter.append(empty.right(1));
        QCOMPARE(cutAll(cutter).size(), 1);
    }

    void skipsGarbageByteByByte()
    {
        PacketCutter cutter;
        const QByteArray good = report(1, 1, "abc");
        cutter.append(QByteArray("\x00\x7d\x82", 3) + good);
        // One line per skipped byte, each with the bytes left at that moment.
        const int total = 3 + good.size();
        for (int left = total; left > good.size(); --left)
            QTest::ignoreMessage(
                QtDebugMsg,
                qPrintable(QStringLiteral("PacketHeader Error!!! total len = %1").arg(left)));
        const QList<Cut> got = cutAll(cutter);
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].payload, QByteArray("abc"));
    }

    void quietResynchronisationFindsTheSamePackets()
    {
        // With the debug log off, garbage is skipped in strides; the packets found, and what
        // is left waiting, must be those of the byte-wise walk.
        QRandomGenerator rng(7);
        QByteArray stream;
        for (int i = 0; i < 200; ++i) {
            QByteArray junk(int(rng.bounded(40)), '\0');
            for (char& c : junk)
                c = rng.bounded(4) == 0 ? '\x82' : char(rng.bounded(0x7D)); // no false headers
            stream += junk + report(quint8(rng.bounded(1, 19)), 1, QByteArray(i % 30, 'p'));
        }
        stream += QByteArray(15, '\x11'); // trailing junk: the walk stops with ten bytes left

        auto run = [&](bool logged, int* left) {
            QLoggingCategory::setFilterRules(logged ? QStringLiteral("kv.wire.debug=true")
                                                    : QStringLiteral("kv.wire.debug=false"));
            QtMessageHandler old =
                qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
            PacketCutter cutter;
            QList<Cut> cuts;
            for (int off = 0; off < stream.size(); off += 97) {
                cutter.append(stream.mid(off, 97));
                cuts += cutAll(cutter);
            }
            qInstallMessageHandler(old);
            QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=true"));
            *left = cutter.size();
            QStringList flat;
            for (const Cut& c : cuts)
                flat << QString::number(c.subType) + QLatin1Char(':') +
                            QString::fromLatin1(c.payload.toHex());
            return flat;
        };
        int leftLogged = 0;
        int leftQuiet = 0;
        const QStringList logged = run(true, &leftLogged);
        const QStringList quiet = run(false, &leftQuiet);
        QVERIFY(logged.size() >= 150);
        QCOMPARE(quiet, logged);
        QCOMPARE(leftQuiet, leftLogged);
    }

    void dropsAPacketWithABadTail()
    {
        PacketCutter cutter;
        QByteArray bad = report(4, 3, QByteArray(13, '\x05'));
        bad[bad.size() - 1] = 0;
        const QByteArray good = report(4, 1, QByteArray(8, '\x06'));
        cutter.append(bad + good);
        QTest::ignoreMessage(
            QtDebugMsg,
            qPrintable(QStringLiteral("PacketTailer Error!!! total len = %1 , pkt len = %2")
                           .arg(bad.size() + good.size())
                           .arg(bad.size())));
        const QList<Cut> got = cutAll(cutter);
        QCOMPARE(got.size(), 1);
        QCOMPARE(int(got[0].funcId), 1);
    }

    void recoversFromADamagedLength()
    {
        // A length of 300 swallows the following packets until 312 bytes are there, then the
        // tail check fails and the stream resynchronises on the next header.
        PacketCutter cutter;
        QByteArray damaged = report(1, 1, QByteArray(16, '\x07'));
        damaged[8] = char(300 & 0xFF);
        damaged[9] = char(300 >> 8);
        const QByteArray filler = report(9, 5, QByteArray(1, '\x01'));
        QByteArray stream = damaged;
        while (stream.size() < 312)
            stream += filler;
        const int swallowedFillers = (stream.size() - damaged.size()) / filler.size();
        const QByteArray after = report(9, 3, QByteArray(1, '\x02'));
        stream += after;

        cutter.append(stream.left(311));
        QVERIFY(cutAll(cutter).isEmpty()); // still waiting for the claimed body

        cutter.append(stream.mid(311));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("PacketTailer Error!!! total len = "
                                                            "\\d+ , pkt len = 312"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("PacketHeader Error!!!"));
        const QList<Cut> got = cutAll(cutter);
        // The cut landed inside a filler packet; whatever complete packets follow are found.
        QVERIFY(!got.isEmpty());
        QVERIFY(got.size() < swallowedFillers + 1);
        QCOMPARE(int(got.last().funcId), 3);
        QCOMPARE(cutter.size(), 0);
    }

    // No packet is longer than 2048 bytes: a header that claims more is bad like a wrong magic,
    // and costs one byte instead of the thousands of good packets behind it.
    void aFalseLengthCostsOneByte_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("waits"); // a possible length: the cutter waits for its body
        QTest::newRow("65535") << 65535 << false;
        QTest::newRow("one above the largest") << 2037 << false;
        QTest::newRow("the largest") << 2036 << true;
    }
    void aFalseLengthCostsOneByte()
    {
        QFETCH(int, length);
        QFETCH(bool, waits);
        QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=false"));
        QByteArray header = report(1, 1).left(10);
        header[8] = char(length & 0xFF);
        header[9] = char(length >> 8);
        QByteArray good;
        for (int i = 0; i < 3000; ++i)
            good += report(7, 2, QByteArray(4, char(i)));
        PacketCutter cutter;
        cutter.append(header + good);
        const QList<Cut> got = cutAll(cutter);
        QLoggingCategory::setFilterRules(QStringLiteral("kv.wire.debug=true"));
        // A possible length swallows what it claims (about 128 packets); an impossible one
        // nothing at all.
        if (waits)
            QVERIFY(got.size() > 2850 && got.size() < 3000);
        else
            QCOMPARE(got.size(), 3000);
        QCOMPARE(got.last().payload, QByteArray(4, char(2999)));
    }

    // A handler that appends (data arriving through a nested event loop) while it still reads
    // its payload: the payload stays valid, and what arrived is cut in the same call.
    void aHandlerMayAppendWhileItReads()
    {
        PacketCutter cutter;
        const QByteArray first = QByteArray(2000, 'a');
        cutter.append(report(1, 1, first));
        QByteArray more;
        for (int i = 0; i < 100; ++i)
            more += report(1, 2, QByteArray(500, char('b' + i % 20)));
        QList<QByteArray> payloads;
        cutter.cut([&](const PacketHeader& h, const char* payload) {
            if (h.funcId == 1)
                cutter.append(more); // large enough to move the buffer
            payloads << QByteArray(payload, h.length);
        });
        QCOMPARE(payloads.size(), 101);
        QCOMPARE(payloads.first(), first);
        QCOMPARE(payloads.last(), QByteArray(500, char('b' + 99 % 20)));
        QCOMPARE(cutter.size(), 0);
    }

    void clearingInsideAHandlerStopsTheCut()
    {
        PacketCutter cutter;
        cutter.append(report(1, 1) + report(1, 2) + report(1, 3));
        int seen = 0;
        cutter.cut([&](const PacketHeader&, const char*) {
            ++seen;
            cutter.clear(); // a new connection drops the old stream
        });
        QCOMPARE(seen, 1);
        QCOMPARE(cutter.size(), 0);
    }
};

KV_TEST_GUILESS_MAIN(TestPacketCutter)
#include "tst_packetcutter.moc"
