// The generated dissector reads a capture of real traffic: commands from the builders, the
// virtual unit's answers to them and its status datagram, framed as loopback IPv4 in a pcap.
#include "testenvironment.h"
#include "unitcore.h"
#include "virtualunit.h"
#include "wire/commands.h"

#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QMultiHash>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

using namespace wire;

namespace {

constexpr quint32 kClient = 0x7F000001; // 127.0.0.1
constexpr quint32 kUnit = 0x7F000002;   // 127.0.0.2
constexpr quint16 kClientPort = 50123;

// A pcap of raw IPv4 packets (link type 101); TCP sequence numbers run on per direction so
// that the dissector's reassembly sees one stream each way.
class Capture
{
public:
    Capture()
    {
        QDataStream s(&m_bytes, QIODevice::WriteOnly);
        s.setByteOrder(QDataStream::LittleEndian);
        s << quint32(0xA1B2C3D4) << quint16(2) << quint16(4) << qint32(0) << quint32(0)
          << quint32(65535) << quint32(101);
    }

    void toUnit(const QByteArray& bytes) { tcp(kClient, kUnit, kClientPort, 2698, m_up, bytes); }
    void toClient(const QByteArray& bytes)
    {
        tcp(kUnit, kClient, 2698, kClientPort, m_down, bytes);
    }
    void datagram(const QByteArray& bytes)
    {
        QByteArray udp;
        QDataStream s(&udp, QIODevice::WriteOnly);
        s << quint16(40000) << quint16(30068) << quint16(8 + bytes.size()) << quint16(0);
        ip(kUnit, kClient, 17, udp + bytes);
    }
    bool save(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(m_bytes) == m_bytes.size();
    }

private:
    void tcp(quint32 src, quint32 dst, quint16 sport, quint16 dport, quint32& seq,
             const QByteArray& data)
    {
        QByteArray segment;
        QDataStream s(&segment, QIODevice::WriteOnly);
        s << sport << dport << seq << quint32(1) << quint8(0x50) << quint8(0x18) << quint16(65535)
          << quint16(0) << quint16(0);
        seq += quint32(data.size());
        ip(src, dst, 6, segment + data);
    }
    void ip(quint32 src, quint32 dst, quint8 protocol, const QByteArray& body)
    {
        QByteArray header;
        QDataStream s(&header, QIODevice::WriteOnly);
        s << quint8(0x45) << quint8(0) << quint16(20 + body.size()) << quint16(++m_id)
          << quint16(0x4000) << quint8(64) << protocol << quint16(0) << src << dst;
        quint32 sum = 0;
        for (int i = 0; i < header.size(); i += 2)
            sum += quint32(quint8(header[i]) << 8 | quint8(header[i + 1]));
        while (sum >> 16)
            sum = (sum & 0xFFFF) + (sum >> 16);
        header[10] = char(~sum >> 8);
        header[11] = char(~sum);
        const QByteArray packet = header + body;
        QDataStream r(&m_bytes, QIODevice::Append);
        r.setByteOrder(QDataStream::LittleEndian);
        r << quint32(1796000000 + m_id) << quint32(0) << quint32(packet.size())
          << quint32(packet.size());
        m_bytes.append(packet);
    }

    QByteArray m_bytes;
    quint32 m_up = 1000;
    quint32 m_down = 5000;
    quint16 m_id = 0;
};

using Fields = QMultiHash<QString, QString>;

// Every field tshark shows, per frame, from its PDML output.
QVector<Fields> decode(const QByteArray& pdml)
{
    QVector<Fields> frames;
    QXmlStreamReader xml(pdml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("packet"))
            frames.append(Fields());
        else if (xml.name() == QLatin1String("field") && !frames.isEmpty())
            frames.last().insert(xml.attributes().value(QLatin1String("name")).toString(),
                                 xml.attributes().value(QLatin1String("show")).toString());
    }
    return frames;
}

QByteArray framed(const Command& c)
{
    return c.packet();
}

QByteArray readRequest(Code code, const QByteArray& payload = {})
{
    return packet(code, AccessRead, payload);
}

} // namespace

class DissectorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decodes_data();
    void decodes();

private:
    QVector<Fields> m_frames;
};

void DissectorTest::initTestCase()
{
    const QString tshark = QStandardPaths::findExecutable(QStringLiteral("tshark"));
    if (tshark.isEmpty())
        QSKIP("tshark is not installed (scripts/ensure-deps.sh installs it)");

    UnitConfig config;
    config.deviceId = 20001;
    VirtualUnit unit(config);
    UnitCore& core = unit.core();
    const auto answer = [&core](const QByteArray& request) {
        PacketHeader h;
        h.setCode({quint8(request[4]), quint8(request[5]), quint8(request[6])});
        h.access = quint8(request[7]);
        h.length = quint16(request.size() - kFrameOverhead);
        const QByteArray body = request.mid(kHeaderSize, h.length);
        const Replies r = h.access == AccessRead ? core.read(h, body) : core.command(h, body);
        QByteArray out;
        for (const QByteArray& f : r.frames())
            out += f;
        return out;
    };

    Capture cap;
    // 1: login, 2: its answer (the control server's one byte)
    cap.toUnit(framed(cmd::login(QStringLiteral("secret"))));
    cap.toClient(packet(code::Login, AccessReport, QByteArray(1, 1)));
    // 3: time set
    cap.toUnit(framed(cmd::timeSet(QDateTime(QDate(2026, 12, 6), QTime(17, 45, 30)))));
    // 4: a gain and a mute in one segment
    const QByteArray gain = framed(cmd::inputLevelGain(2, -10.5f));
    const QByteArray mute = framed(cmd::outputLevelMute(4, true));
    cap.toUnit(gain + mute);
    answer(gain);
    answer(mute);
    // 5 and 6: a filter band split over two segments
    const QByteArray peq = framed(cmd::inputPeq(1, 3, PEQ{1, 0, 1234.5f, -3.0f, 40}));
    answer(peq);
    cap.toUnit(peq.left(7));
    cap.toUnit(peq.mid(7));
    // 7: a high-pass filter
    const QByteArray hpf = framed(cmd::inputHpf(0, HLPF{1, 1, 2, 120.0f}));
    answer(hpf);
    cap.toUnit(hpf);
    // 8, 9: the unit reports the gains it now holds
    const QByteArray readGains = readRequest(code::InputLevelGain);
    cap.toUnit(readGains);
    cap.toClient(answer(readGains));
    // 10, 11: a gate
    const QByteArray readGate = readRequest(code::Gate, QByteArray(1, 5));
    cap.toUnit(readGate);
    cap.toClient(answer(readGate));
    // 12: meters
    cap.toClient(answer(readRequest(code::OutputPostFaderMeters)));
    // 13: the status datagram
    cap.datagram(unit.statusDatagram());

    const QString path = testWorkingDirectory() + QStringLiteral("/traffic.pcap");
    QVERIFY(cap.save(path));
    QProcess p;
    p.start(tshark, {QStringLiteral("-r"), path, QStringLiteral("-X"),
                     QStringLiteral("lua_script:") + QStringLiteral(KV_DISSECTOR_PATH),
                     QStringLiteral("-T"), QStringLiteral("pdml")});
    QVERIFY(p.waitForFinished(60000));
    const QByteArray errors = p.readAllStandardError();
    QVERIFY2(p.exitCode() == 0, errors.constData());
    // The dissector compiles or tshark says so; either way no Lua error may pass.
    QVERIFY2(!errors.contains("Lua"), errors.constData());
    m_frames = decode(p.readAllStandardOutput());
    QCOMPARE(m_frames.size(), 13);
}

void DissectorTest::decodes_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("exact");

    const auto row = [](const char* tag, int frame, const char* field, QStringList values) {
        QTest::newRow(tag) << frame << QString::fromLatin1(field) << values << true;
    };
    row("login name", 1, "kv530418.name", {QStringLiteral("Login")});
    row("login access", 1, "kv530418.access", {QStringLiteral("0x01")});
    row("login password", 1, "kv530418.password", {QStringLiteral("secret")});
    row("login answer", 2, "kv530418.login", {QStringLiteral("1")});
    row("time set", 3, "kv530418.datetime", {QStringLiteral("2026-12-06 17:45:30")});
    row("two in a segment", 4, "kv530418.name",
        {QStringLiteral("InputLevelGain"), QStringLiteral("OutputLevelMute")});
    row("gain channel", 4, "kv530418.channel", {QStringLiteral("2"), QStringLiteral("4")});
    row("gain value", 4, "kv530418.value", {QStringLiteral("-10.5")});
    row("mute flag", 4, "kv530418.flag", {QStringLiteral("1")});
    row("split band reassembled", 6, "kv530418.peq.gain", {QStringLiteral("-3")});
    row("split band frequency", 6, "kv530418.peq.freq", {QStringLiteral("1234.5")});
    row("split band index", 6, "kv530418.band", {QStringLiteral("3")});
    row("filter", 7, "kv530418.hlpf.freq", {QStringLiteral("120")});
    row("filter slope", 7, "kv530418.hlpf.slope", {QStringLiteral("2")});
    row("read request", 8, "kv530418.access", {QStringLiteral("0x00")});
    row("group", 8, "kv530418.group", {QStringLiteral("InputLevel")});
    row("gate", 11, "kv530418.name", {QStringLiteral("Gate")});
    row("gate channel", 11, "kv530418.channel", {QStringLiteral("5")});
    // The unit's report lists every input strip, the edited one with its new gain.
    QTest::newRow("reported gain")
        << 9 << QStringLiteral("kv530418.value")
        << QStringList{QStringLiteral("-10.5"), QStringLiteral("0")} << false;
    row("meters", 12, "kv530418.name", {QStringLiteral("OutputPostFaderMeters")});
    row("status id", 13, "kv530418_status.deviceId", {QStringLiteral("20001")});
    row("status address", 13, "kv530418_status.ipAddress", {QStringLiteral("127.0.0.1")});
    row("status serial", 13, "kv530418_status.serialNumber", {QStringLiteral("VU00020001")});
}

void DissectorTest::decodes()
{
    QFETCH(int, frame);
    QFETCH(QString, field);
    QFETCH(QStringList, values);
    QFETCH(bool, exact);
    QStringList shown = m_frames.value(frame - 1).values(field);
    if (!exact) {
        for (const QString& v : qAsConst(values))
            QVERIFY2(shown.contains(v), qPrintable(shown.join(QLatin1Char(' '))));
        return;
    }
    shown.sort();
    values.sort();
    QCOMPARE(shown, values);
}

KV_TEST_GUILESS_MAIN(DissectorTest)
#include "tst_dissector.moc"
