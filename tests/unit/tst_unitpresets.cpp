#include "testenvironment.h"
#include "unitcore.h"
#include "wire/packetcutter.h"

#include <QtTest>

namespace {

wire::PacketHeader header(wire::Code code, quint8 access = wire::AccessWrite)
{
    wire::PacketHeader h;
    h.setCode(code);
    h.access = access;
    return h;
}

// The payloads of the replies, framing removed; none when a reply is not a report of `code`,
// the request's own code.
QVector<QByteArray> payloads(const Replies& replies, wire::Code code)
{
    QVector<QByteArray> out;
    bool foreign = false;
    wire::PacketCutter cutter;
    for (const QByteArray& frame : replies.frames())
        cutter.append(frame);
    cutter.cut([&](const wire::PacketHeader& h, const char* payload) {
        foreign = foreign || h.code() != code || h.access != wire::AccessReport;
        out.append(QByteArray(payload, h.length));
    });
    if (foreign || out.size() != replies.size())
        return {};
    return out;
}

// Drives an export as the application does: start, then every block in turn.
QByteArray exportImage(UnitCore& unit, wire::Code code, const QByteArray& start)
{
    const auto first = payloads(unit.command(header(code), start), code);
    if (first.size() != 1 || first[0].size() != 4 || wire::readU16(first[0].constData()) != 0)
        return {};
    const int blocks = wire::readU16(first[0].constData() + 2);
    QByteArray image;
    for (int n = 0; n < blocks; ++n) {
        // Block requests come as reads.
        const auto block = payloads(unit.read(header(code, wire::AccessRead),
                                              wire::bytesU16(0x0100) + wire::bytesU16(quint16(n))),
                                    code);
        if (block.size() != 1 || block[0].size() < 5 ||
            wire::readU16(block[0].constData() + 2) != n)
            return {};
        image.append(block[0].mid(4));
    }
    return image;
}

// Drives an import: start, check word, then size / 512 + 1 blocks, the last one short.
bool importImage(UnitCore& unit, wire::Code code, const QByteArray& start, const QByteArray& image,
                 bool checkAtEnd)
{
    const auto first = payloads(unit.command(header(code), start), code);
    if (first.size() != 1 || first[0].size() != 6 || image.size() <= 4)
        return false;
    const quint32 check = wire::readU32(first[0].constData() + 2);
    if (wire::readU32(image.constData() + (checkAtEnd ? image.size() - 4 : 0)) != check)
        return false;
    const int blocks = image.size() / 512 + 1;
    for (int n = 0; n < blocks; ++n) {
        const QByteArray block =
            wire::bytesU16(0x0100) + wire::bytesU16(quint16(n)) + image.mid(n * 512, 512);
        const auto ack = payloads(unit.command(header(code), block), code);
        if (ack.size() != 1 || ack[0] != wire::bytesU16(0x0100) + wire::bytesU16(quint16(n)))
            return false;
    }
    return true;
}

} // namespace

// Presets leave the unit as images and come back into it unchanged.
class TestUnitPresets : public QObject
{
    Q_OBJECT

private slots:
    void transfer_data();
    void transfer();
    void emptySlotExportsNothing();
};

void TestUnitPresets::transfer_data()
{
    QTest::addColumn<bool>("bank");
    QTest::addColumn<int>("damagedByte"); // -1: intact
    QTest::newRow("one preset") << false << -1;
    QTest::newRow("one preset, damaged") << false << 700;
    QTest::newRow("all presets") << true << -1;
    QTest::newRow("all presets, damaged") << true << 5000;
}

void TestUnitPresets::transfer()
{
    QFETCH(bool, bank);
    QFETCH(int, damagedByte);

    UnitCore source(ChannelProfile::forIndex(0), 1);
    source.state().dsp.inputs[3].levelGain = -7.5f;
    source.state().dsp.outputs[9].delay = 42.0f;
    QVERIFY(source.presets().save(2, source.state().dsp));
    QVERIFY(source.presets().rename(2, "Evening"));
    const QByteArray start = bank ? wire::bytesU16(0) : wire::bytesU16(0) + QByteArray(1, char(2));
    QByteArray image =
        exportImage(source, bank ? wire::code::PresetExportAll : wire::code::PresetExport, start);
    QVERIFY(image.size() > 512);
    if (damagedByte >= 0)
        image[damagedByte] = char(image[damagedByte] ^ 0x40);

    UnitCore target(ChannelProfile::forIndex(0), 2);
    const int slot = bank ? 2 : 30;
    const QByteArray importStart =
        bank ? wire::bytesU16(0) : wire::bytesU16(0) + QByteArray(1, char(slot));
    QVERIFY(importImage(target, bank ? wire::code::PresetImportAll : wire::code::PresetImport,
                        importStart, image, bank));
    QCOMPARE(target.presets().isUsed(slot), damagedByte < 0);
    if (damagedByte >= 0)
        return;
    QCOMPARE(target.presets().name(slot), QByteArray("Evening"));
    UnitState::Dsp& dsp = target.state().dsp;
    QVERIFY(target.presets().recall(slot, dsp));
    QCOMPARE(dsp.inputs[3].levelGain, -7.5f);
    QCOMPARE(float(dsp.outputs[9].delay), 42.0f);
    // The table report shows the imported slot.
    const auto table = payloads(target.read(header(wire::code::PresetTable, wire::AccessRead), {}),
                                wire::code::PresetTable);
    QCOMPARE(table.value(0).size(), 545);
    QCOMPARE(table[0].at(1 + slot * 17), char(1));
}

void TestUnitPresets::emptySlotExportsNothing()
{
    UnitCore unit(ChannelProfile::forIndex(0), 1);
    const auto reply = payloads(
        unit.command(header(wire::code::PresetExport), wire::bytesU16(0) + QByteArray(1, char(5))),
        wire::code::PresetExport);
    QCOMPARE(reply.size(), 1);
    QCOMPARE(reply[0], wire::bytesU16(0) + wire::bytesU16(0));
}

KV_TEST_GUILESS_MAIN(TestUnitPresets)
#include "tst_unitpresets.moc"
