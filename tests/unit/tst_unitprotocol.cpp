#include "channelprofile.h"
#include "reportrules.h"
#include "testenvironment.h"
#include "unitfixture.h"
#include "wire/commands.h"
#include "wire/records.h"

#include <QtTest>

using Commands = QList<wire::Command>;
Q_DECLARE_METATYPE(wire::Command)
Q_DECLARE_METATYPE(wire::Code)

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

template <typename T> QByteArray rec(const T& value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), int(sizeof value));
}

// A command the application has no builder for, or one with values its builder would change.
wire::Command raw(wire::Code code, const QByteArray& payload = {},
                  quint8 access = wire::AccessWrite)
{
    wire::Command c;
    c.code = code;
    c.payload = payload;
    c.access = access;
    return c;
}

void send(UnitClient& client, const wire::Command& c)
{
    client.send(c.code, c.access, c.payload);
}

QByteArray padded(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), '\0');
}

const wire::HLPF kHpf{1, 1, 2, 120.0f};
const wire::PEQ kPeq{0, 2, 9000.0f, -6.0f, 12};
const wire::Limiter kLimiter{1, -10.0f, 4.0f, 20.0f, 200.0f};

} // namespace

class TestUnitProtocol : public QObject
{
    Q_OBJECT

private slots:
    void login_data();
    void login();
    void commandsWaitForLogin();
    void passwordChange();
    void readsFitTheApplicationsRules_data();
    void readsFitTheApplicationsRules();
    void commandShowsInReport_data();
    void commandShowsInReport();
    void levelEditsSpread_data();
    void levelEditsSpread();
    void meters_data();
    void meters();
};

// The right password is in commandsWaitForLogin; the built-in one, which the unit ignores, is
// tried through the device panel (tst_device_login).
void TestUnitProtocol::login_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<quint8>("atConnect");
    QTest::addColumn<QByteArray>("attempt");
    QTest::addColumn<int>("answer");

    QTest::newRow("open unit, any login") << QString() << quint8(1) << QByteArray("x") << 1;
    QTest::newRow("wrong password") << "secret" << quint8(0) << QByteArray("Secret") << 2;
    QTest::newRow("empty password") << "secret" << quint8(0) << QByteArray("") << 2;
}

void TestUnitProtocol::login()
{
    QFETCH(QString, password);
    QFETCH(quint8, atConnect);
    QFETCH(QByteArray, attempt);
    QFETCH(int, answer);

    UnitFixture f;
    QVERIFY(f.start(0, password));
    const auto first = f.client().take(wire::code::Login);
    QCOMPARE(first.size(), 1);
    QCOMPARE(first[0].header.access, quint8(wire::AccessReport));
    QCOMPARE(first[0].payload, QByteArray(1, char(atConnect)));
    f.client().command(wire::code::Login, attempt);
    const auto reply = f.client().take(wire::code::Login);
    QCOMPARE(reply.size(), 1);
    QCOMPARE(reply[0].payload, QByteArray(1, char(answer)));
}

void TestUnitProtocol::commandsWaitForLogin()
{
    UnitFixture f;
    QVERIFY(f.start(0, "secret"));
    UnitClient& c = f.client();
    c.command(wire::code::InputLevelMute, bytes({0, 1}));
    c.read(wire::code::InputLevelMute);
    QCOMPARE(c.take(wire::code::InputLevelMute).value(0).payload.at(0), char(0));

    c.command(wire::code::Login, "secret");
    QCOMPARE(c.take(wire::code::Login, 2).value(1).payload, bytes({1}));
    c.command(wire::code::InputLevelMute, bytes({0, 1}));
    c.read(wire::code::InputLevelMute);
    QCOMPARE(c.take(wire::code::InputLevelMute).value(0).payload.at(0), char(1));
}

void TestUnitProtocol::passwordChange()
{
    UnitFixture f;
    QVERIFY(f.start(0, "old"));
    f.client().command(wire::code::Login, "old");
    QCOMPARE(f.client().take(wire::code::Login, 2).size(), 2);
    f.client().command(wire::code::PasswordChange, "new");
    QCOMPARE(f.client().take(wire::code::PasswordChange).size(), 1);

    for (const auto& attempt :
         {std::make_pair(QByteArray("old"), 2), std::make_pair(QByteArray("new"), 1)}) {
        QVERIFY(f.reconnect());
        QCOMPARE(f.client().take(wire::code::Login).value(0).payload, bytes({0}));
        f.client().command(wire::code::Login, attempt.first);
        QCOMPARE(f.client().take(wire::code::Login).value(0).payload, bytes({attempt.second}));
    }
}

void TestUnitProtocol::readsFitTheApplicationsRules_data()
{
    QTest::addColumn<int>("profile");
    for (int profile = 0; profile < ChannelProfile::kCount; ++profile)
        QTest::addRow("profile %d", profile) << profile;
}

void TestUnitProtocol::readsFitTheApplicationsRules()
{
    QFETCH(int, profile);
    namespace code = wire::code;
    // Sent unasked, or only inside a transfer (see tst_unitpresets).
    const QSet<quint32> unasked = {code::PasswordChange.key(),  code::PresetLoad.key(),
                                   code::PresetExportAll.key(), code::PresetImportAll.key(),
                                   code::PresetExport.key(),    code::PresetImport.key()};
    // Single-channel records, asked for the last channel (and band) there is.
    const QHash<quint32, QByteArray> selectors = {
        {code::Gate.key(), bytes({17})},          {code::InputHpf.key(), bytes({16})},
        {code::InputLpf.key(), bytes({16})},      {code::InputPeq.key(), bytes({16, 7})},
        {code::InputLimiter.key(), bytes({16})},  {code::MatrixEnable.key(), bytes({15})},
        {code::MatrixGain.key(), bytes({15})},    {code::OutputHpf.key(), bytes({15})},
        {code::OutputLpf.key(), bytes({15})},     {code::OutputPeq.key(), bytes({15, 7})},
        {code::OutputLimiter.key(), bytes({15})}, {code::Agc.key(), bytes({15})}};
    // Lists answered in several reports; the file lists as long as their counts say.
    QHash<quint32, int> counts = {{code::TouchBlock.key(), 8}, {code::StatusRecord4.key(), 4}};
    const QHash<quint32, quint32> listOf = {
        {code::PlayFileCount.key(), code::PlayListEntry.key()},
        {code::RecordFileCount.key(), code::RecordListEntry.key()}};

    UnitFixture f;
    QVERIFY(f.start(profile));
    UnitClient& c = f.client();
    QCOMPARE(c.take(code::Login).size(), 1); // the login state, sent at connect
    c.read(code::FormatGeneration);
    const auto format = c.take(code::FormatGeneration);
    QVERIFY(!format.isEmpty() && !format[0].payload.isEmpty());
    const bool wide = format[0].payload.at(0) == 6;

    const reports::RuleTable table = reports::rules();
    for (const reports::Rule* rule = table.begin; rule != table.end; ++rule) {
        const quint32 key = rule->code.key();
        if (rule->code.type == wire::UpgradeFamily || unasked.contains(key))
            continue;
        const QString what = QStringLiteral("%1,%2,%3")
                                 .arg(rule->code.type)
                                 .arg(rule->code.subType)
                                 .arg(rule->code.funcId);
        const QByteArray selector = selectors.value(key);
        const int expected = counts.value(key, 1);
        c.read(rule->code, selector);
        // Answered in order: once this one is in, every answer to the read above is too.
        const wire::Code sentinel = rule->code == code::DeviceId ? code::Fan : code::DeviceId;
        c.read(sentinel);
        QVERIFY2(c.take(sentinel).size() == 1, qPrintable(what));
        const auto answers = c.take(rule->code, expected + 1, 0);
        QVERIFY2(answers.size() == expected,
                 qPrintable(what + QStringLiteral(": %1 answers").arg(answers.size())));
        for (const auto& answer : answers) {
            const int size = answer.payload.size();
            QVERIFY2(answer.header.access == wire::AccessReport, qPrintable(what));
            QVERIFY2(size >= rule->length.min && size <= rule->length.max,
                     qPrintable(what + QStringLiteral(": %1 bytes").arg(size)));
            QVERIFY2(answer.payload.left(selector.size()) == selector, qPrintable(what));
            // The echo block grows by two bytes in the wide format.
            if (rule->code == code::EchoCancellationSettings)
                QCOMPARE(size, wide ? 19 : 17);
            if (listOf.contains(key))
                counts[listOf[key]] = int(wire::readU32(answer.payload.constData()));
        }
    }
}

// The application's command builders against the unit: every command shows in the unit's next
// report. Raw payloads only where the builder would already have changed the value.
void TestUnitProtocol::commandShowsInReport_data()
{
    using namespace wire::cmd;
    using wire::Path;
    QTest::addColumn<int>("profile");
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<wire::Command>("read");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("expected");

    const auto rd = [](wire::Code code, const QByteArray& p = {}) {
        return raw(code, p, wire::AccessRead);
    };
    const auto row = [](const char* name, const Commands& commands, const wire::Command& read,
                        int offset, const QByteArray& expected, int profile = 0) {
        QTest::newRow(name) << profile << commands << read << offset << expected;
    };
    const wire::HLPF defaultHpf{0, 0, 0, 20.0f};
    const wire::Gate kGate{0, -40.0f, 10.0f, 100.0f};
    const wire::AGC kAgc{1, -50.0f, -10.0f, 3.0f, 40.0f, 400.0f};
    wire::EchoCancellationBlock aec{};
    aec.fill(1);
    aec[0] = 2; // level, then the 16 microphone flags

    row("input mute", {inputMute(3, true)}, rd(wire::code::InputMute), 3, bytes({1}));
    row("input mode", {inputMode(2, 1)}, rd(wire::code::InputMode), 2, bytes({1}));
    row("phantom", {inputPhantom(4, true)}, rd(wire::code::Phantom), 4, bytes({1}));
    row("input gain clamped", {inputGain(1, 70, Path::Now)}, rd(wire::code::InputGain), 4,
        wire::bytesF32(50));
    row("gate", {gate(5, kGate)}, rd(wire::code::Gate, bytes({5})), 1, rec(kGate));
    row("feedback", {feedbackSuppression(6, true)}, rd(wire::code::Feedback), 6, bytes({1}));
    row("input hpf", {inputHpf(2, kHpf)}, rd(wire::code::InputHpf, bytes({2})), 1, rec(kHpf));
    row("input peq", {inputPeq(3, 7, kPeq)}, rd(wire::code::InputPeq, bytes({3, 7})), 2, rec(kPeq));
    row("input peq, bad type", {inputPeq(3, 7, wire::PEQ{0, 3, 900.0f, 1.0f, 1})},
        rd(wire::code::InputPeq, bytes({3, 7})), 2, rec(wire::PEQ{1, 0, 8000.0f, 0.0f, 43}));
    row("input filter copy (u16 masks)", {inputHpf(0, kHpf), copyInputFilter(0, 0x6, 0x1, 4)},
        rd(wire::code::InputHpf, bytes({2})), 1, rec(kHpf));
    row("input filter copy to outputs", {inputHpf(0, kHpf), copyInputFilter(0, 0x6, 0x1, 4)},
        rd(wire::code::OutputHpf, bytes({0})), 1, rec(kHpf));
    row("input filter copy (u32 mask)", {inputHpf(0, kHpf), copyInputFilter(0, 0x20000, 0, 6)},
        rd(wire::code::InputHpf, bytes({17})), 1, rec(kHpf), 1);
    row("input filter reset", {inputHpf(9, kHpf), resetInputFilter(9)},
        rd(wire::code::InputHpf, bytes({9})), 1, rec(defaultHpf));
    row("input limiter", {inputLimiter(4, kLimiter)}, rd(wire::code::InputLimiter, bytes({4})), 1,
        rec(kLimiter));
    row("input limiter copy", {inputLimiter(4, kLimiter), copyInputLimiter(4, 0, 0x8000, 4)},
        rd(wire::code::OutputLimiter, bytes({15})), 1, rec(kLimiter));
    row("input delay", {inputDelay(2, 250)}, rd(wire::code::InputDelay), 8, wire::bytesF32(250));
    row("level mute", {inputLevelMute(0, true)}, rd(wire::code::InputLevelMute), 0, bytes({1}));
    row("level gain", {inputLevelGain(16, -12.5f)}, rd(wire::code::InputLevelGain), 64,
        wire::bytesF32(-12.5f));
    row("level gain off", {raw(wire::code::InputLevelGain, bytes({1}) + wire::bytesF32(-56))},
        rd(wire::code::InputLevelGain), 4, wire::bytesF32(-100));
    row("level invert", {inputLevelInvert(3, true)}, rd(wire::code::InputLevelInvert), 3,
        bytes({1}));
    row("level group", {inputLevelGroup(4, 8)}, rd(wire::code::InputLevelGroup), 4, bytes({8}));
    row("level group 9 refused", {inputLevelGroup(4, 9)}, rd(wire::code::InputLevelGroup), 4,
        bytes({0}));
    row("level step", {inputLevelGain(0, -10), relativeInputLevel(0, 4)},
        rd(wire::code::InputLevelGain), 0, wire::bytesF32(-6));
    row("fader range", {inputFaderRange(2, 6, -40)}, rd(wire::code::InputFaderRange), 16,
        wire::bytesF32(6) + wire::bytesF32(-40));
    row("fader range either way round", {raw(wire::code::InputFaderRange, bytes({2, -40, 6}))},
        rd(wire::code::InputFaderRange), 16, wire::bytesF32(6) + wire::bytesF32(-40));
    row("fader range beyond the travel", {raw(wire::code::OutputFaderRange, bytes({1, 30, -90}))},
        rd(wire::code::OutputFaderRange), 8, wire::bytesF32(12) + wire::bytesF32(-56));
    row("fader range holds gain", {inputLevelGain(2, 10), inputFaderRange(2, 6, -40)},
        rd(wire::code::InputLevelGain), 8, wire::bytesF32(6));
    row("matrix enable", {matrixEnable(2, bytes({0, 1, 3}), true)},
        rd(wire::code::MatrixEnable, bytes({2})), 1, bytes({1, 1, 0, 1}));
    row("matrix gain", {matrixGain(2, bytes({1}), -6)}, rd(wire::code::MatrixGain, bytes({2})), 2,
        bytes({-6}));
    row("matrix gain off", {raw(wire::code::MatrixGain, bytes({2, 0, -56}))},
        rd(wire::code::MatrixGain, bytes({2})), 1, bytes({-70}));
    row("generator routing", {signalGeneratorRouting(5, true)}, rd(wire::code::GeneratorRouting), 5,
        bytes({1}));
    row("generator frequency", {signalGeneratorFrequency(440, Path::Now)},
        rd(wire::code::GeneratorFrequency), 0, wire::bytesF32(440));
    row("generator type", {signalGeneratorType(2)}, rd(wire::code::GeneratorType), 0, bytes({2}));
    row("generator gain", {signalGeneratorGain(-12, Path::Now)}, rd(wire::code::GeneratorGain), 0,
        wire::bytesF32(-12));
    row("generator on", {signalGeneratorOn(true)}, rd(wire::code::GeneratorOn), 0, bytes({1}));
    row("output mute", {outputLevelMute(3, true)}, rd(wire::code::OutputLevelMute), 3, bytes({1}));
    row("output gain", {outputLevelGain(15, 6)}, rd(wire::code::OutputLevelGain), 60,
        wire::bytesF32(6));
    row("output invert", {outputLevelInvert(1, true)}, rd(wire::code::OutputLevelInvert), 1,
        bytes({1}));
    row("output group", {outputLevelGroup(2, 3)}, rd(wire::code::OutputLevelGroup), 2, bytes({3}));
    row("output step at ceiling", {outputLevelGain(0, 10), relativeOutputLevel(0, 5)},
        rd(wire::code::OutputLevelGain), 0, wire::bytesF32(12));
    row("output fader range", {outputFaderRange(1, 0, -20)}, rd(wire::code::OutputFaderRange), 8,
        wire::bytesF32(0) + wire::bytesF32(-20));
    row("output peq", {outputPeq(0, 0, kPeq)}, rd(wire::code::OutputPeq, bytes({0, 0})), 2,
        rec(kPeq));
    row("output filter copy (gen 6)", {outputHpf(1, kHpf), copyOutputFilter(1, 0, 0x0100, 6)},
        rd(wire::code::OutputHpf, bytes({8})), 1, rec(kHpf), 1);
    row("output filter reset", {outputHpf(1, kHpf), resetOutputFilter(1)},
        rd(wire::code::OutputHpf, bytes({1})), 1, rec(defaultHpf));
    row("output limiter reset", {outputLimiter(7, kLimiter), resetOutputLimiter(7)},
        rd(wire::code::OutputLimiter, bytes({7})), 1,
        rec(wire::Limiter{0, 0.0f, 2.0f, 1.0f, 5.0f}));
    row("output delay clamped", {outputDelay(3, 500)}, rd(wire::code::OutputDelay), 12,
        wire::bytesF32(300));
    row("aec on", {echoCancellation(true)}, rd(wire::code::EchoCancellation), 0, bytes({1}));
    row("aec block", {echoCancellationSettings(aec, 4)}, rd(wire::code::EchoCancellationSettings),
        0, bytes({2}) + QByteArray(16, '\1'));
    row("agc", {agc(9, kAgc)}, rd(wire::code::Agc, bytes({9})), 1, rec(kAgc));
    row("agc copy (u16 mask)", {agc(9, kAgc), copyAgc(9, 0x8, 4)}, rd(wire::code::Agc, bytes({3})),
        1, rec(kAgc));
    row("agc copy (u32 mask)", {agc(9, kAgc), copyAgc(9, 0x8, 6)}, rd(wire::code::Agc, bytes({3})),
        1, rec(kAgc), 1);
    row("agc copy, wrong width", {agc(9, kAgc), copyAgc(9, 0x8, 6)},
        rd(wire::code::Agc, bytes({3})), 1, rec(wire::AGC{0, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f}));
    row("agc reset", {agc(9, kAgc), resetAgc(9)}, rd(wire::code::Agc, bytes({9})), 1,
        rec(wire::AGC{0, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f}));
    row("noise reduction", {noiseReduction(4, 2)}, rd(wire::code::NoiseReduction), 0,
        bytes({4, 2}));
    row("am weight clamped", {autoMixerWeight(3, 20, Path::Now)}, rd(wire::code::AutoMixerWeights),
        12, wire::bytesF32(12));
    row("am group", {autoMixerGroup(3, 5)}, rd(wire::code::AutoMixerGroups), 3, bytes({2}));
    row("am switch", {autoMixerEnable(1, true)}, rd(wire::code::AutoMixerSwitches), 0,
        bytes({0, 1}));
    row("am reset", {autoMixerEnable(1, true), autoMixerReset()}, rd(wire::code::AutoMixerSwitches),
        0, bytes({0, 0}));
    row("preset save", {presetSave(4)}, rd(wire::code::PresetTable), 0, bytes({4, 0}));
    row("preset save marks used", {presetSave(4)}, rd(wire::code::PresetTable), 1 + 4 * 17,
        bytes({1}));
    row("preset rename", {presetRename(4, "Stage")}, rd(wire::code::PresetTable), 1 + 4 * 17 + 1,
        padded("Stage", 16));
    row("preset delete", {presetSave(4), presetDelete(4)}, rd(wire::code::PresetTable), 1 + 4 * 17,
        bytes({0}));
    row("preset load",
        {inputLevelMute(5, true), presetSave(1), inputLevelMute(5, false), presetLoad(1)},
        rd(wire::code::InputLevelMute), 5, bytes({1}));
    row("location", {location("Lobby")}, rd(wire::code::Location), 0, "Lobby");
    row("description", {description("Left rack")}, rd(wire::code::Description), 0, "Left rack");
    row("date", {timeSet(QDateTime(QDate(2001, 12, 24), QTime(12, 0)))}, rd(wire::code::DateTime),
        3, bytes({24, 0, 11, 101}));
    row("netmask and gateway", {networkSettings(0x7F000001, 0xFFFF0000, 0x7F000002)},
        rd(wire::code::NetworkSettings), 0,
        wire::bytesU32(0x7F000001) + wire::bytesU32(0xFFFF0000) + wire::bytesU32(0x7F000002));
    row("system mute", {systemMute(true)}, rd(wire::code::SystemMute), 0, bytes({1}));
    row("rs232", {rs232BaudRate(9600)}, rd(wire::code::Rs232Baud), 0, wire::bytesU32(9600));
    row("rs232 odd rate refused", {rs232BaudRate(12345)}, rd(wire::code::Rs232Baud), 0,
        wire::bytesU32(115200));
    row("factory reset", {systemMute(true), factoryReset()}, rd(wire::code::SystemMute), 0,
        bytes({0}));
    row("gate report", {gateReport(true)}, rd(wire::code::GateReport), 0, bytes({1}));
    row("fan test", {fanTest(true)}, rd(wire::code::Fan), 0, bytes({1}));
    row("input label", {inputLabel(5, "Pulpit")}, rd(wire::code::InputLabels), 80,
        padded("Pulpit", 16));
    row("output label", {outputLabel(15, "Foyer")}, rd(wire::code::OutputLabels), 240,
        padded("Foyer", 16));
    row("touch label", {inputSecondaryLabel(1, "Mic 2")}, rd(wire::code::SecondaryLabels), 10,
        padded("Mic 2", 10));
    row("play mode", {usbPlayMode(3)}, rd(wire::code::PlayState), 0, bytes({3, 0}), 1);
    row("play", {usbPlay()}, rd(wire::code::PlayState), 1, bytes({1}), 1);
    row("play file", {usbPlayFile("Closing.ape")}, rd(wire::code::PlayName), 0, "Closing.ape", 1);
    row("record", {usbRecordStart("take1.wav")}, rd(wire::code::RecordState), 0, bytes({1}), 1);
    row("record stop", {usbRecordStart("take1.wav"), usbRecordStop()},
        rd(wire::code::RecordFileCount), 0, wire::bytesU32(3), 1);
    row("touch mode", {raw(wire::code::TouchMode, bytes({2}) + wire::bytesU32(77))},
        rd(wire::code::TouchMode), 0, bytes({2}) + wire::bytesU32(77));
}

void TestUnitProtocol::commandShowsInReport()
{
    QFETCH(int, profile);
    QFETCH(Commands, commands);
    QFETCH(wire::Command, read);
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);

    UnitFixture f;
    QVERIFY(f.start(profile));
    UnitClient& c = f.client();
    for (const wire::Command& command : commands)
        send(c, command);
    send(c, read);
    const auto answers = c.take(read.code);
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers[0].payload.mid(offset, expected.size()).toHex(), expected.toHex());
}

// A level edit of one channel reaches its followers at the unit, each within its own range,
// and no other channel: `channels` show `expected` one after the other in the report.
void TestUnitProtocol::levelEditsSpread_data()
{
    using namespace wire::cmd;
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<wire::Code>("read");
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<QByteArray>("expected");

    const auto f32s = [](std::initializer_list<float> values) {
        QByteArray out;
        for (float v : values)
            out += wire::bytesF32(v);
        return out;
    };
    const wire::Code gain = wire::code::InputLevelGain;
    const wire::Code mute = wire::code::InputLevelMute;
    const Commands stereo = {inputMode(0, 2), inputMode(1, 2)};

    QTest::newRow("input group gain")
        << Commands{inputLevelGroup(6, 3), inputLevelGroup(8, 3), inputLevelGroup(10, 3),
                    inputLevelGain(8, -9.5f)}
        << gain << QList<int>{6, 7, 8, 9, 10} << f32s({-9.5f, 0, -9.5f, 0, -9.5f});
    QTest::newRow("input group invert, other group apart")
        << Commands{inputLevelGroup(2, 1), inputLevelGroup(3, 1), inputLevelGroup(4, 2),
                    inputLevelInvert(3, true)}
        << wire::code::InputLevelInvert << QList<int>{2, 3, 4} << bytes({1, 1, 0});
    QTest::newRow("no group, no spread")
        << Commands{inputLevelMute(6, true)} << mute << QList<int>{5, 6, 7} << bytes({0, 1, 0});
    QTest::newRow("output group mute")
        << Commands{outputLevelGroup(1, 4), outputLevelGroup(5, 4), outputLevelMute(5, true)}
        << wire::code::OutputLevelMute << QList<int>{0, 1, 4, 5} << bytes({0, 1, 0, 1});
    QTest::newRow("each member within its own range")
        << Commands{inputLevelGroup(6, 2), inputLevelGroup(8, 2), inputFaderRange(6, 0, -20),
                    inputLevelGain(8, 6)}
        << gain << QList<int>{6, 8} << f32s({0, 6});
    QTest::newRow("group to the bottom is off")
        << Commands{inputLevelGroup(6, 2), inputLevelGroup(8, 2), inputFaderRange(6, 0, -20),
                    raw(gain, bytes({8}) + wire::bytesF32(-60))}
        << gain << QList<int>{6, 8} << f32s({-100, -100});
    QTest::newRow("linked pair mute from the second")
        << stereo + Commands{inputLevelMute(1, true)} << mute << QList<int>{0, 1, 2}
        << bytes({1, 1, 0});
    QTest::newRow("linked pair gain from the first")
        << Commands{inputMode(0, 2), inputLevelGain(0, -3)} << gain << QList<int>{0, 1, 2}
        << f32s({-3, -3, 0});
    QTest::newRow("line inputs are no pair")
        << Commands{inputMode(0, 1), inputMode(1, 1), inputLevelMute(1, true)} << mute
        << QList<int>{0, 1} << bytes({0, 1});
    QTest::newRow("the partner brings not its group")
        << Commands{inputLevelGroup(1, 3), inputLevelGroup(5, 3), inputMode(0, 2),
                    inputLevelGain(0, -3)}
        << gain << QList<int>{0, 1, 5} << f32s({-3, -3, 0});
    QTest::newRow("linked pair group")
        << stereo + Commands{inputLevelGroup(0, 5)} << wire::code::InputLevelGroup
        << QList<int>{0, 1, 2} << bytes({5, 5, 0});
}

void TestUnitProtocol::levelEditsSpread()
{
    QFETCH(Commands, commands);
    QFETCH(wire::Code, read);
    QFETCH(QList<int>, channels);
    QFETCH(QByteArray, expected);

    UnitFixture f;
    QVERIFY(f.start(0));
    UnitClient& c = f.client();
    for (const wire::Command& command : commands)
        send(c, command);
    c.read(read);
    const auto answers = c.take(read);
    QCOMPARE(answers.size(), 1);
    const int width = expected.size() / channels.size();
    QByteArray shown;
    for (int channel : channels)
        shown += answers[0].payload.mid(channel * width, width);
    QCOMPARE(shown.toHex(), expected.toHex());
}

void TestUnitProtocol::meters_data()
{
    using namespace wire::cmd;
    QTest::addColumn<Commands>("commands");
    QTest::addColumn<wire::Code>("meter");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("silent");

    const wire::Command route = matrixEnable(2, bytes({0, 1}), true);
    const wire::Code inPost = wire::code::InputPostFaderMeters;
    const wire::Code inPre = wire::code::InputPreFaderMeters;
    const wire::Code outPost = wire::code::OutputPostFaderMeters;
    const wire::Code outPre = wire::code::OutputPreFaderMeters;
    QTest::newRow("live input, post") << Commands() << inPost << 4 << false;
    QTest::newRow("live input, pre") << Commands() << inPre << 4 << false;
    QTest::newRow("fader mute, post") << Commands{inputLevelMute(3, true)} << inPost << 3 << true;
    QTest::newRow("fader mute, pre") << Commands{inputLevelMute(3, true)} << inPre << 3 << false;
    QTest::newRow("fader off") << Commands{inputLevelGain(3, -100)} << inPost << 3 << true;
    QTest::newRow("input mute, pre") << Commands{inputMute(3, true)} << inPre << 3 << true;
    QTest::newRow("absent input") << Commands() << inPost << 16 << true;
    QTest::newRow("unrouted output") << Commands() << outPost << 2 << true;
    QTest::newRow("routed output") << Commands{route} << outPost << 2 << false;
    QTest::newRow("routed output, muted input")
        << Commands{route, inputLevelMute(0, true), inputLevelMute(1, true)} << outPre << 2 << true;
    QTest::newRow("routed output, output mute")
        << Commands{route, outputLevelMute(2, true)} << outPost << 2 << true;
    QTest::newRow("routed output, output mute, pre")
        << Commands{route, outputLevelMute(2, true)} << outPre << 2 << false;
    QTest::newRow("system mute") << Commands{route, systemMute(true)} << outPost << 2 << true;
    QTest::newRow("generator") << Commands{signalGeneratorRouting(6, true), signalGeneratorOn(true)}
                               << outPost << 6 << false;
}

void TestUnitProtocol::meters()
{
    QFETCH(Commands, commands);
    QFETCH(wire::Code, meter);
    QFETCH(int, channel);
    QFETCH(bool, silent);

    UnitFixture f;
    QVERIFY(f.start(0));
    UnitClient& c = f.client();
    for (const wire::Command& command : commands)
        send(c, command);
    // Several reads apart: the signal moves, the silence must hold throughout.
    for (int i = 0; i < 3; ++i) {
        c.read(meter);
        const auto answer = c.take(meter);
        QCOMPARE(answer.size(), 1);
        const qint8 level = qint8(answer[0].payload.at(channel));
        if (silent)
            QCOMPARE(level, qint8(-100));
        else
            QVERIFY2(level > -60 && level <= 20, qPrintable(QString::number(level)));
        c.idle(120);
    }
}

KV_TEST_GUILESS_MAIN(TestUnitProtocol)
#include "tst_unitprotocol.moc"
