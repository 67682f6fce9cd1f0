// The unit's reports as the mirror takes them: lengths, clamps, change detection, echo
// suppression and the signals that tell the views. Packets are injected without sockets.
#include "datamodel.h"
#include "reportrules.h"
#include "testenvironment.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>
#include <limits>
#include <memory>

namespace {

class InjectingModel : public DataModel
{
public:
    using DataModel::DataModel;
    // The payload is copied into a buffer of exactly its size, so that a read beyond it is a
    // read beyond an allocation.
    void inject(quint8 type, quint8 subType, quint8 funcId, const QByteArray& payload,
                quint8 access = wire::AccessReport)
    {
        std::unique_ptr<char[]> exact(new char[std::size_t(payload.size())]);
        std::memcpy(exact.get(), payload.constData(), std::size_t(payload.size()));
        wire::PacketHeader header;
        header.type = type;
        header.subType = subType;
        header.funcId = funcId;
        header.access = access;
        header.length = quint16(payload.size());
        dispatchPacket(header, exact.get());
    }
    void inject(const QByteArray& codeAndPayload)
    {
        inject(quint8(codeAndPayload[0]), quint8(codeAndPayload[1]), quint8(codeAndPayload[2]),
               codeAndPayload.mid(3));
    }
};

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray f32(std::initializer_list<float> values)
{
    QByteArray out;
    for (float v : values)
        wire::appendF32(out, v);
    return out;
}

QByteArray text(const char* s, int width)
{
    QByteArray out(s);
    out.resize(width); // NUL-padded
    return out;
}

QByteArray zeros(int n)
{
    return QByteArray(n, 0);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

template <typename... T> QString str(T... values)
{
    return QStringList{QString::number(double(values))...}.join(QLatin1Char('/'));
}

QString peq(const wire::PEQ& b)
{
    return str(b.enabled, b.type, b.freq, b.gain, b.q);
}

QString limiter(const wire::Limiter& l)
{
    return str(l.enabled, l.threshold, l.ratio, l.attack, l.decay);
}

QStringList eachChannel(const char* code, int count)
{
    QStringList out;
    for (int ch = 0; ch < count; ++ch)
        out << QStringLiteral("%1,%2,255").arg(QLatin1String(code)).arg(ch);
    return out;
}

// "type,subType,funcId,channel,other" and the forwarded data, one entry per signal.
QStringList signalsOf(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy) {
        QString line = QStringLiteral("%1,%2,%3,%4,%5")
                           .arg(args[0].value<uchar>())
                           .arg(args[1].value<uchar>())
                           .arg(args[2].value<uchar>())
                           .arg(args[3].value<uchar>())
                           .arg(args[4].value<uchar>());
        const QVariant any = args[5];
        if (any.type() == QVariant::ByteArray)
            line += QLatin1Char(' ') + QString::fromLatin1(any.toByteArray().toHex());
        else if (any.type() == QVariant::List)
            line += QLatin1Char(' ') + any.toStringList().join(QLatin1Char('|'));
        else if (any.isValid())
            line += QLatin1Char(' ') + any.toString();
        out << line;
    }
    return out;
}

struct Range
{
    template <typename T> Range(T v, double l, double h) : value(double(v)), lo(l), hi(h) {}
    double value, lo, hi;
};

// Every field that a report can reach, against the range it must stay in.
QStringList outOfRange(DataModel& m)
{
    QStringList bad;
    auto check = [&](const char* what, std::initializer_list<Range> ranges) {
        for (const Range& r : ranges) {
            if (!(r.value >= r.lo && r.value <= r.hi)) // NaN fails too
                bad << QStringLiteral("%1=%2").arg(QLatin1String(what)).arg(r.value);
        }
    };
    // clang-format off
    auto filters = [&](const wire::HLPF& h, const wire::HLPF& l, const std::array<wire::PEQ, 8>& p,
                       const wire::Limiter& x) {
        for (const wire::HLPF& f : {h, l})
            check("hlpf", {{f.enabled, 0, 1}, {f.type, 0, 2}, {f.slope, 0, 5},
                           {f.freq, 20, 20000}});
        for (const wire::PEQ& b : p)
            check("peq", {{b.enabled, 0, 1}, {b.type, 0, 2}, {b.freq, 20, 20000},
                          {b.gain, -15, 15}, {b.q, 0, 64}});
        check("limiter", {{x.enabled, 0, 1}, {x.threshold, -100, 18}, {x.ratio, 1, 100},
                          {x.attack, 1, 1000}, {x.decay, 1, 1000}});
    };
    for (int ch = 0; ch < DataModel::kInputCount; ++ch) {
        const DataModel::InputChannel& c = m.input(ch);
        check("input", {{c.inputGain, 0, 50}, {c.levelGroup, 0, 8}, {c.levelGain, -56, 12},
                        {c.faderMin, -56, 12}, {c.faderMax, -56, 12}, {c.inputMode, 0, 2},
                        {c.delay, 0, 1000}});
        check("gate", {{c.gate.enabled, 0, 1}, {c.gate.threshold, -120, 0},
                       {c.gate.attack, 1, 1000}, {c.gate.decay, 1, 1000}});
        check("agc", {{c.agc.enabled, 0, 1}, {c.agc.threshold, -120, 0}, {c.agc.target, -120, 0},
                      {c.agc.ratio, 1, 100}, {c.agc.attack, 20, 1000}, {c.agc.decay, 20, 1000}});
        for (qint8 g : c.mixGain)
            check("mixGain", {{g, -56, 12}});
        filters(c.hpf, c.lpf, c.peq, c.limiter);
    }
    for (int ch = 0; ch < DataModel::kOutputCount; ++ch) {
        const DataModel::OutputChannel& c = m.output(ch);
        check("output", {{c.levelGain, -56, 12}, {c.faderMin, -56, 12}, {c.faderMax, -56, 12},
                         {c.levelGroup, 0, 8}, {c.delay, 0, 300}});
        check("autoMixer", {{m.autoMixer().weight[std::size_t(ch)], -12, 12},
                            {m.autoMixer().group[std::size_t(ch)], 0, 2}});
        filters(c.hpf, c.lpf, c.peq, c.limiter);
    }
    const DataModel::SystemState& s = m.system();
    const auto& g = m.signalGenerator();
    const QList<quint32> rates{9600, 19200, 57600, 115200};
    check("global", {{g.type, 0, 2}, {g.frequency, 0, 24000}, {g.gain, -70, 12},
                     {m.outputMeterMode(), 0, 7}, {s.touchMode, 0, 2}, {s.touchState, 0, 2},
                     {m.usbMedia().mode, 0, 3}, {m.usbMedia().state, 0, 2},
                     {std::isfinite(s.temperature), 1, 1}, {rates.contains(s.rs232Baud), 1, 1},
                     {s.formatGeneration == 4 || s.formatGeneration == 6, 1, 1},
                     {m.noiseReduction().channel, 0, 15}});
    for (quint8 level : m.noiseReduction().levels)
        check("noise reduction", {{level, 0, 3}});
    for (quint8 c : s.componentStates)
        check("component", {{c, 0, 2}});
    // clang-format on
    return bad;
}

struct Case
{
    const char* name;
    QByteArray report; // type, subType, funcId, then the payload
    QString (*probe)(DataModel&);
    QString expected;
    QStringList signalsSeen;
    bool repeats = false; // meters and forwarded messages are announced again; values are not
};

QString nothing(DataModel&)
{
    return {};
}

// clang-format off
const Case kCases[] = {
    {"peq gain and q clamped", hex("0304030502") + hex("0101") + f32({2000, 20}) + hex("50"),
     [](DataModel& m) { return peq(*m.inputPeq(5, 2)); }, "1/1/2000/15/64", {"3,4,3,5,2"}},
    {"peq type 3 keeps type", hex("0304030502") + hex("0003") + f32({300, -6}) + hex("10"),
     [](DataModel& m) { return peq(*m.inputPeq(5, 2)); }, "0/0/300/-6/16", {"3,4,3,5,2"}},
    {"peq band 8 ignored", hex("0304030508") + hex("0101") + f32({2000, 5}) + hex("10"),
     [](DataModel& m) { return peq(*m.inputPeq(5, 7)); }, "1/0/8000/0/43", {}},
    {"peq channel 17 ignored", hex("0304031102") + hex("0101") + f32({2000, 5}) + hex("10"),
     [](DataModel& m) { return peq(*m.inputPeq(17, 2)); }, "1/0/500/0/43", {}},
    {"output peq channel 15", hex("030c030f00") + hex("0102") + f32({60, -3}) + hex("00"),
     [](DataModel& m) { return peq(*m.outputPeq(15, 0)); }, "1/2/60/-3/0", {"3,12,3,15,0"}},
    {"output limiter clamped", hex("030d0103") + hex("05") + f32({30, 0.5f, 5000, -kInf}),
     [](DataModel& m) { return limiter(*m.outputLimiter(3)); }, "1/18/1/1000/1", {"3,13,1,3,255"}},
    {"agc channel 16 ignored", hex("03100110") + hex("01") + f32({-10, -10, 5, 50, 50}),
     [](DataModel& m) { return str(m.inputAgc(16)->enabled); }, "0", {}},
    {"output gains of 60 bytes ignored", hex("030b03") + f32({-3}).repeated(15),
     [](DataModel& m) { return str(m.output(0).levelGain); }, "0", {}},
    {"input gains of 72 bytes reach 17 inputs", hex("030702") + f32({6}).repeated(18),
     [](DataModel& m) { return str(m.input(16).levelGain, m.input(17).levelGain); }, "6/0",
     eachChannel("3,7,2", 17)},
    {"input gain clamped, NaN kept", hex("030108") + f32({60, kNaN, -1}) + zeros(52),
     [](DataModel& m) { return str(m.input(0).inputGain, m.input(1).inputGain); }, "50/0",
     {"3,1,8,0,255"}},
    {"group 9 invalid, 8 taken", hex("0307040908") + zeros(14),
     [](DataModel& m) { return str(m.input(0).levelGroup, m.input(1).levelGroup); }, "0/8",
     {"3,7,4,1,255"}},
    {"fader range: maximum first", hex("030b07") + f32({6, -40}) + f32({12, -56}).repeated(15),
     [](DataModel& m) { return str(m.output(0).faderMax, m.output(0).faderMin); }, "6/-40",
     {"3,11,7,0,255"}},
    {"matrix gain column clamped", hex("03080203") + hex("9c05") + zeros(15),
     [](DataModel& m) { return str(m.input(0).mixGain[3], m.input(1).mixGain[3]); }, "-56/5",
     {"3,8,2,0,3", "3,8,2,1,3"}},
    {"auto mixer group above 2 stored as 2", hex("0312020501") + zeros(14),
     [](DataModel& m) { return str(m.autoMixer().group[0], m.autoMixer().group[1]); }, "2/1",
     {"3,18,2,0,255", "3,18,2,1,255"}},
    {"echo settings: 17 bytes copied", hex("030f02") + QByteArray(17, 7),
     [](DataModel& m) {
         return str(m.echoCancellation().settings[16], m.echoCancellation().settings[17]);
     }, "7/0", {"3,15,2,255,255"}},
    {"noise reduction: the channel and its level", hex("031101") + hex("0402"),
     [](DataModel& m) {
         return str(m.noiseReduction().channel, m.noiseReduction().levels[4]);
     }, "4/2", {"3,17,1,4,2"}},
    {"noise reduction: level 4 or channel 16 ignored", hex("031101") + hex("0304"),
     [](DataModel& m) {
         return str(m.noiseReduction().channel, m.noiseReduction().levels[3]);
     }, "0/0", {}},
    {"meters copied, announced even when equal", hex("030101") + QByteArray(16, char(-20)),
     [](DataModel& m) { return str(m.input(15).postFaderMeter); }, "-20", {"3,1,1,255,255"}, true},
    {"preset table", hex("03200102") + zeros(34) + hex("01") + text("Choir", 16) + zeros(29 * 17),
     [](DataModel& m) {
         const auto& t = m.presets();
         return str(t.current, t.entries[2].used) + t.entries[2].name;
     }, "2/1Choir", {"3,32,1,255,255"}},
    {"preset export block forwarded", hex("032012000100000a"), nothing, {},
     {"3,32,18,255,255 000100000a"}, true},
    {"mac address text", hex("020227001a2b3c4d5e"),
     [](DataModel& m) { return m.system().macAddress; }, "00-1A-2B-3C-4D-5E", {"2,2,39,255,255"}},
    {"network: first octet in the top byte", hex("02020d6401a8c000ffffff0101a8c0"),
     [](DataModel& m) { return QString::number(m.system().ipAddress, 16); }, "c0a80164",
     {"2,2,13,255,255"}},
    {"channel masks: 18 inputs, then 16 outputs",
     hex("020205010001") + zeros(13) + hex("0101") + hex("0101") + zeros(14),
     [](DataModel& m) {
         return QString::number(m.system().inputMask, 16) + '/' +
                QString::number(m.system().outputMask, 16);
     }, "30005/3", {"2,2,5,255,255"}},
    {"format generation 5 stored as 4: no change", hex("02022805"),
     [](DataModel& m) { return str(m.formatGeneration()); }, "4", {}},
    {"format generation 6 and its extra byte", hex("020228060002"),
     [](DataModel& m) { return str(m.formatGeneration(), m.system().formatExtra); }, "6/2",
     {"2,2,40,255,255"}},
    {"unknown RS232 rate kept", hex("020211") + wire::bytesU32(4800),
     [](DataModel& m) { return str(m.system().rs232Baud); }, "115200", {}},
    {"input labels, 16 bytes each", hex("020301") + zeros(48) + text("Mic", 16) + zeros(192),
     [](DataModel& m) { return m.input(3).label; }, "Mic", {"2,3,1,3,255"}},
    {"touch value only in mode 2", hex("02100101") + wire::bytesU32(7),
     [](DataModel& m) { return str(m.system().touchMode, m.system().touchValue); }, "1/0",
     {"2,16,1,255,255"}},
    {"play list entry forwarded", hex("02050203000000") + "song.mp3", nothing, {},
     {"2,5,2,255,255 3|song.mp3"}, true},
    {"status block per index", hex("04010402") + QByteArray(64, 9),
     [](DataModel& m) { return str(m.statusRecords().block4[2].size()); }, "64",
     {"4,1,4,255,2"}},
    {"upgrade block count plus one", hex("010201ff0f"), nothing, {}, {"1,2,1,255,255 4096"}, true},
};
// clang-format on

} // namespace

class TestReports : public QObject
{
    Q_OBJECT
private slots:
    void reportUpdatesMirror_data();
    void reportUpdatesMirror();
    void echoSuppression_data();
    void echoSuppression();
    void playModeWaitsForTransportCommand();
    void firstReportIsAnnouncedOnce();
    void twoSystemReportsAreTakenInAnyAccess();
    void deviceIdIsAnnouncedOnChange();
    void everyReportHasItsLengthRule();
    void wrongLengthsChangeNothing_data();
    void wrongLengthsChangeNothing();
    void randomReportsKeepTheMirrorInRange();
};

void TestReports::reportUpdatesMirror_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kCases)); ++i)
        QTest::newRow(kCases[i].name) << i;
}

void TestReports::reportUpdatesMirror()
{
    QFETCH(int, row);
    const Case& c = kCases[row];
    InjectingModel model;
    QSignalSpy spy(&model, &DataModel::tcpSyncToUI);
    model.inject(c.report);
    QCOMPARE(c.probe(model), c.expected);
    QCOMPARE(signalsOf(spy), c.signalsSeen);

    spy.clear();
    model.inject(c.report);
    QCOMPARE(c.probe(model), c.expected);
    QCOMPARE(signalsOf(spy), c.repeats ? c.signalsSeen : QStringList());
}

void TestReports::echoSuppression_data()
{
    QTest::addColumn<QByteArray>("command"); // type, subType, funcId
    QTest::addColumn<QByteArray>("report");  // type, subType, funcId, then the payload
    QTest::addColumn<bool>("applied");
    auto add = [](const char* name, const char* command, const QByteArray& report, bool applied) {
        QTest::newRow(name) << hex(command) << report << applied;
    };
    const QByteArray peq = hex("0502") + hex("0101") + f32({2000, 5}) + hex("10");
    const QByteArray meters(16, 3);
    const QByteArray labels = text("Out", 16).repeated(16);
    const QByteArray presets = hex("05") + zeros(32 * 17);
    add("filter held by a filter command", "030401", hex("030403") + peq, false);
    add("pre-fader meters never held", "030702", hex("030707") + meters, true);
    add("other block not held", "030401", hex("030c03") + peq, true);
    add("(s) row held by its own code", "02020a", hex("02020a") + "Hall", false);
    add("(s) row free under another code", "02020a", hex("02020b") + "Hall", true);
    add("system state not grouped", "02020c", hex("020209") + f32({40}), true);
    add("output labels free under input labels", "020301", hex("020302") + labels, true);
    add("output labels held by their own code", "020302", hex("020302") + labels, false);
    add("touch group held", "021002", hex("021001") + hex("0100000000"), false);
    add("preset table held by a rename", "032005", hex("032001") + presets, false);
    add("preset table free after a save", "032002", hex("032001") + presets, true);
    add("preset transfer never held", "032012", hex("03201200000300"), true);
    add("status record held by 17", "040111", hex("040101") + QByteArray(81, 1), false);
    add("status record free under 19", "040113", hex("040101") + QByteArray(81, 1), true);
    add("indexed status record free", "040111", hex("040104") + QByteArray(65, 1), true);
    add("upgrade never held", "010101", hex("010102fe"), true);
}

void TestReports::echoSuppression()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, report);
    QFETCH(bool, applied);

    InjectingModel model; // not connected: the command is only recorded
    model.sendCommand(quint8(command[0]), quint8(command[1]), quint8(command[2]));
    QSignalSpy spy(&model, &DataModel::tcpSyncToUI);
    model.inject(report);
    QCOMPARE(spy.count() > 0, applied);
}

void TestReports::playModeWaitsForTransportCommand()
{
    InjectingModel model;
    model.sendCommand(wire::code::PlayControl, hex("07"));
    model.inject(hex("0205030201") + hex("0a002c01"));
    QCOMPARE(int(model.usbMedia().mode), 0);
    QCOMPARE(int(model.usbMedia().state), 1);
    QCOMPARE(int(model.usbMedia().duration), 300);
}

void TestReports::firstReportIsAnnouncedOnce()
{
    InjectingModel model;
    QSignalSpy spy(&model, &DataModel::tcpSyncToUI);
    model.inject(hex("02020e00")); // equal to the default, still announced
    model.inject(hex("0202140000000000"));
    model.inject(hex("02020600000000")); // not one of them
    QCOMPARE(signalsOf(spy), (QStringList{"2,2,14,255,255", "2,2,20,255,255"}));
    spy.clear();
    model.inject(hex("02020e00"));
    model.inject(hex("0202140000000000"));
    QCOMPARE(spy.count(), 0);
    model.inject(hex("0202140103020000")); // the second state is invalid
    QCOMPARE(model.system().componentStates, (std::array<quint8, 5>{1, 0, 2, 0, 0}));
    QCOMPARE(signalsOf(spy), QStringList{"2,2,20,255,255"});
}

void TestReports::twoSystemReportsAreTakenInAnyAccess()
{
    InjectingModel model;
    model.inject(hex("020222") + "R1#07");
    QCOMPARE(model.system().versionText, QStringLiteral("R1#07"));
    QSignalSpy spy(&model, &DataModel::tcpSyncToUI);
    model.inject(2, 2, 34, {}, wire::AccessRead);
    model.inject(2, 2, 161, {}, wire::AccessWrite);
    QCOMPARE(model.system().versionText, QString());
    QCOMPARE(int(model.system().statusByte161), 2);
    QCOMPARE(signalsOf(spy), (QStringList{"2,2,34,255,255", "2,2,161,0,255"}));

    spy.clear(); // any other code needs a report
    model.inject(2, 2, 1, QByteArray("X1"), wire::AccessRead);
    model.inject(3, 9, 5, hex("01"), wire::AccessWrite);
    QCOMPARE(spy.count(), 0);
}

// The login answer's way through the model is in tst_connection and tst_endtoend.
void TestReports::deviceIdIsAnnouncedOnChange()
{
    InjectingModel model;
    QSignalSpy sync(&model, &DataModel::tcpSyncToUI);
    model.inject(hex("02021d34120000"));
    model.inject(hex("02021d34120000"));
    QCOMPARE(model.system().deviceId, 0x1234u);
    QCOMPARE(signalsOf(sync), QStringList{"2,2,29,255,255"});
}

namespace {

// The accepted payload lengths of every report, spelled independently of the code's table:
// "n" exactly n bytes, "a-b" from a to b, "n+" at least n, "-n" at most n, "*" any length.
const char* const kLengths[] = {
    "1,1,1 *",     "1,1,2 1",     "1,1,3 *",    "1,1,4 *",    "1,2,1 2",    "2,1,1 1",
    "2,2,1 *",     "2,2,2 3",     "2,2,3 3",    "2,2,4 *",    "2,2,5 32+",  "2,2,6 4",
    "2,2,7 4",     "2,2,8 4",     "2,2,9 4",    "2,2,10 *",   "2,2,11 *",   "2,2,12 7",
    "2,2,13 12",   "2,2,14 1",    "2,2,15 *",   "2,2,16 1",   "2,2,17 4",   "2,2,18 4",
    "2,2,19 8",    "2,2,20 5",    "2,2,23 1",   "2,2,24 4",   "2,2,25 1",   "2,2,28 1",
    "2,2,29 4",    "2,2,32 1",    "2,2,33 2",   "2,2,34 *",   "2,2,35 4",   "2,2,37 1",
    "2,2,38 *",    "2,2,39 6",    "2,2,40 -3",  "2,2,161 1",  "2,3,1 256+", "2,3,2 256",
    "2,3,3 160+",  "2,4,1 6",     "2,5,1 4",    "2,5,2 4+",   "2,5,3 6",    "2,5,5 *",
    "2,5,16 4",    "2,5,17 8+",   "2,5,18 5",   "2,5,20 *",   "2,6,1 66",   "2,16,1 5",
    "2,16,2 1",    "3,1,1 16-18", "3,1,2 16+",  "3,1,4 16+",  "3,1,5 16+",  "3,1,8 64+",
    "3,2,1 16+",   "3,2,2 14",    "3,3,1 16+",  "3,4,1 8",    "3,4,2 8",    "3,4,3 13",
    "3,5,1 18",    "3,6,1 64+",   "3,7,1 16+",  "3,7,2 64+",  "3,7,3 16+",  "3,7,4 16+",
    "3,7,6 128+",  "3,7,7 16-18", "3,8,1 17+",  "3,8,2 17+",  "3,9,1 16",   "3,9,2 4",
    "3,9,3 1",     "3,9,4 4",     "3,9,5 1",    "3,11,1 16",  "3,11,2 16",  "3,11,3 64",
    "3,11,4 16",   "3,11,5 16",   "3,11,7 128", "3,11,8 16",  "3,11,9 1",   "3,12,1 8",
    "3,12,2 8",    "3,12,3 13",   "3,13,1 18",  "3,14,1 64",  "3,15,1 1",   "3,15,2 17-19",
    "3,16,1 22",   "3,17,1 2",    "3,18,1 64+", "3,18,2 16+", "3,18,3 2",   "3,18,5 32+",
    "3,32,1 545",  "3,32,9 1",    "3,32,16 3+", "3,32,17 4+", "3,32,18 3+", "3,32,19 4+",
    "4,1,1 81-94", "4,1,3 2",     "4,1,4 65+",
};

struct LengthRule
{
    QByteArray code;
    int min = 0;
    int max = -1; // -1: no upper limit
};

LengthRule lengthRule(const char* line)
{
    const QStringList parts = QString::fromLatin1(line).split(QLatin1Char(' '));
    LengthRule rule;
    for (const QString& byte : parts[0].split(QLatin1Char(',')))
        rule.code.append(char(byte.toInt()));
    const QString& n = parts[1];
    if (n == QLatin1String("*"))
        return rule;
    if (n.startsWith(QLatin1Char('-'))) {
        rule.max = n.mid(1).toInt();
    } else if (n.endsWith(QLatin1Char('+'))) {
        rule.min = n.chopped(1).toInt();
    } else if (n.contains(QLatin1Char('-'))) {
        rule.min = n.section(QLatin1Char('-'), 0, 0).toInt();
        rule.max = n.section(QLatin1Char('-'), 1, 1).toInt();
    } else {
        rule.min = rule.max = n.toInt();
    }
    return rule;
}

} // namespace

void TestReports::everyReportHasItsLengthRule()
{
    QSet<QByteArray> golden;
    for (const char* line : kLengths)
        golden.insert(lengthRule(line).code);
    QSet<QByteArray> table;
    const reports::RuleTable rules = reports::rules();
    for (const reports::Rule* rule = rules.begin; rule != rules.end; ++rule)
        table.insert(QByteArray(1, char(rule->code.type)) + char(rule->code.subType) +
                     char(rule->code.funcId));
    QCOMPARE(table, golden);
}

// A report one byte too short or too long is dropped whole, while the same bytes at the nearest
// accepted length do change the mirror (so that every row could fail).
void TestReports::wrongLengthsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("accepted");
    for (const char* line : kLengths) {
        const LengthRule rule = lengthRule(line);
        if (rule.min > 0)
            QTest::addRow("%s too short", line) << rule.code << rule.min - 1 << rule.min;
        if (rule.max >= 0)
            QTest::addRow("%s too long", line) << rule.code << rule.max + 1 << rule.max;
    }
}

void TestReports::wrongLengthsChangeNothing()
{
    QFETCH(QByteArray, code);
    QFETCH(int, length);
    QFETCH(int, accepted);
    const auto changes = [&](const QByteArray& pattern, int size) {
        InjectingModel model;
        QSignalSpy sync(&model, &DataModel::tcpSyncToUI);
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        model.inject(quint8(code[0]), quint8(code[1]), quint8(code[2]),
                     pattern.repeated(size / pattern.size() + 1).left(size));
        return sync.count() + login.count();
    };
    // Plain fills, and a 9600 baud word for the rate rows that take only known rates.
    const QList<QByteArray> patterns{hex("01"), hex("02"), hex("05"), hex("41"),
                                     wire::bytesU32(9600)};
    QByteArray pattern;
    for (const QByteArray& candidate : patterns) {
        if (changes(candidate, accepted) > 0) {
            pattern = candidate;
            break;
        }
    }
    QVERIFY2(!pattern.isEmpty(), "no payload of the accepted length changes the mirror");
    QCOMPARE(changes(pattern, length), 0);
}

void TestReports::randomReportsKeepTheMirrorInRange()
{
    const reports::RuleTable table = reports::rules();
    const int ruleCount = int(table.end - table.begin);
    for (const reports::Rule* rule = table.begin; rule != table.end; ++rule) // sorted, unique
        QCOMPARE(reports::findRule(rule->code), rule);

    InjectingModel model;
    QRandomGenerator random(530418);
    const quint32 specials[] = {0x7FC00000, 0xFF800000, 0x7F800000, 0x80000000, 0xFFFFFFFF};
    for (int i = 0; i < 60000; ++i) {
        // Mostly known codes at lengths around their limits, some unknown codes.
        quint8 code[3] = {quint8(random.bounded(6)), quint8(random.bounded(40)),
                          quint8(random.bounded(256))};
        int length = int(random.bounded(700));
        if (random.bounded(10) != 0) {
            const reports::Rule& rule = table.begin[random.bounded(ruleCount)];
            code[0] = rule.code.type;
            code[1] = rule.code.subType;
            code[2] = rule.code.funcId;
            const int lengths[] = {rule.length.min, rule.length.min - 1, rule.length.min + 1,
                                   qMin<int>(rule.length.max, 600), length};
            length = qMax(0, lengths[random.bounded(5)]);
        }
        QByteArray payload(length, Qt::Uninitialized);
        for (int b = 0; b < length; b += 4) { // random words, often NaN, infinities, -0
            const quint32 word =
                random.bounded(4) ? random.generate() : specials[random.bounded(5)];
            std::memcpy(payload.data() + b, &word, std::size_t(qMin(4, length - b)));
        }
        if (random.bounded(50) == 0)
            model.sendCommand(code[0], code[1], quint8(random.bounded(256)));
        const quint8 access =
            random.bounded(20) ? quint8(wire::AccessReport) : quint8(random.bounded(2));
        model.inject(code[0], code[1], code[2], payload, access);
        if (i % 1000 == 999) {
            const QStringList bad = outOfRange(model);
            QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char(' '))));
        }
    }
}

KV_TEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
