#include "testenvironment.h"
#include "wire/commands.h"

#include <QDateTime>
#include <QTextCodec>
#include <QtTest>

using namespace wire;

Q_DECLARE_METATYPE(wire::Command)

namespace {

QByteArray hex(const QByteArray& spaced)
{
    return QByteArray::fromHex(spaced).toHex(' ');
}

QByteArray list(std::initializer_list<quint8> channels)
{
    QByteArray out;
    for (quint8 c : channels)
        out.append(char(c));
    return out;
}

// Stands in for the model: notes which of its three send paths a command took.
struct FakeSender
{
    QString route;
    QByteArray payload;
    static QString text(Code c)
    {
        return QString("%1,%2,%3").arg(c.type).arg(c.subType).arg(c.funcId);
    }
    void sendCommand(Code c, const QByteArray& p)
    {
        route = "command " + text(c);
        payload = p;
    }
    void sendQuery(Code c, const QByteArray& p)
    {
        route = "query " + text(c);
        payload = p;
    }
    void queueCommand(Code c, quint8 k1, quint8 k2, const QByteArray& p)
    {
        route = QString("queue %1 %2/%3").arg(text(c)).arg(k1).arg(k2);
        payload = p;
    }
};

void row(const char* name, const Command& c, const char* route, const QByteArray& payload)
{
    QTest::newRow(name) << c << QString(route) << hex(payload);
}

const QString kZhong = QString::fromUtf8("中"); // d6 d0 in the local code page
const QByteArray kD6D0 = "d6d0";

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312")); }

    void commands_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QByteArray>("payload");

        // Plain switches, choices and resets are left to switchesAreSentAtOnce.
        // Input setup, gate, feedback.
        row("gain typed", cmd::inputGain(3, 48.5f, Path::Now), "command 3,1,8", "03 00004242");
        row("gain knob", cmd::inputGain(3, 48.5f, Path::Queued), "queue 3,1,8 3/255",
            "03 00004242");
        row("gate", cmd::gate(4, Gate{1, -65.0f, 1.0f, 20.0f}), "command 3,2,2",
            "04 01 000082c2 0000803f 0000a041");

        // Filters, limiters, delays: the record image after the channel (and band).
        row("input hpf", cmd::inputHpf(1, HLPF{1, 2, 5, 150.0f}), "queue 3,4,1 1/255",
            "01 01 02 05 00001643");
        row("input lpf", cmd::inputLpf(1, HLPF{0, 1, 3, 20000.0f}), "queue 3,4,2 1/255",
            "01 00 01 03 00409c46");
        row("input peq", cmd::inputPeq(16, 7, PEQ{1, 2, 1000.0f, -3.5f, 43}), "queue 3,4,3 16/7",
            "10 07 01 02 00007a44 000060c0 2b");
        row("input limiter", cmd::inputLimiter(2, Limiter{1, -12.0f, 2.0f, 1.0f, 5.0f}),
            "queue 3,5,1 2/255", "02 01 000040c1 00000040 0000803f 0000a040");
        row("input limiter reset", cmd::resetInputLimiter(2), "command 3,5,3", "02");
        row("input delay", cmd::inputDelay(9, 7.5f), "queue 3,6,1 9/255", "09 0000f040");
        row("output hpf", cmd::outputHpf(15, HLPF{1, 0, 0, 20.0f}), "queue 3,12,1 15/255",
            "0f 01 00 00 0000a041");
        row("output lpf", cmd::outputLpf(15, HLPF{0, 1, 3, 20000.0f}), "queue 3,12,2 15/255",
            "0f 00 01 03 00409c46");
        row("output peq", cmd::outputPeq(0, 3, PEQ{0, 1, 20000.0f, 12.5f, 64}), "queue 3,12,3 0/3",
            "00 03 00 01 00409c46 00004841 40");
        row("output limiter", cmd::outputLimiter(3, Limiter{0, 0.0f, 2.0f, 1.0f, 5.0f}),
            "queue 3,13,1 3/255", "03 00 00000000 00000040 0000803f 0000a040");
        row("output delay", cmd::outputDelay(11, 0.25f), "queue 3,14,1 11/255", "0b 0000803e");

        // Copy masks (inputs 0, 1, 16; outputs 0, 15): generation 4 has 16-bit masks.
        const quint32 in = 0x10003, out = 0x8001;
        row("in filter copy 4", cmd::copyInputFilter(2, in, out, 4), "command 3,4,4",
            "02 0300 0180");
        row("in filter copy 6", cmd::copyInputFilter(2, in, out, 6), "command 3,4,4",
            "02 03000100");
        row("in limiter copy 4", cmd::copyInputLimiter(2, in, out, 4), "command 3,5,2",
            "02 0300 0180");
        row("in limiter copy 6", cmd::copyInputLimiter(2, in, out, 6), "command 3,5,2",
            "02 03000100 0180");
        row("out filter copy 4", cmd::copyOutputFilter(2, in, out, 4), "command 3,12,4",
            "02 0300 0180");
        row("out filter copy 6", cmd::copyOutputFilter(2, in, out, 6), "command 3,12,4", "02 0180");
        row("out limiter copy 4", cmd::copyOutputLimiter(2, in, out, 4), "command 3,13,2",
            "02 0300 0180");
        row("out limiter copy 6", cmd::copyOutputLimiter(2, in, out, 6), "command 3,13,2",
            "02 03000100 0180");
        row("agc copy 4", cmd::copyAgc(2, in, 4), "command 3,16,2", "02 0300");
        row("agc copy 6", cmd::copyAgc(2, in, 6), "command 3,16,2", "02 03000100");

        // Level strips: the fader bottom is off (-100 dB); ranges in whole dB toward zero.
        row("level gain", cmd::inputLevelGain(1, 3.1f), "queue 3,7,2 1/255", "01 66664640");
        row("level gain near bottom", cmd::inputLevelGain(1, -55.9f), "queue 3,7,2 1/255",
            "01 9a995fc2");
        row("level gain bottom", cmd::inputLevelGain(1, -56.0f), "queue 3,7,2 1/255",
            "01 0000c8c2");
        row("relative input", cmd::relativeInputLevel(2, -6.0f), "command 3,7,5", "02 0000c0c0");
        row("input fader range", cmd::inputFaderRange(3, 11.9f, -55.7f), "command 3,7,6",
            "03 0b c9");
        row("output gain below bottom", cmd::outputLevelGain(15, -60.0f), "queue 3,11,3 15/255",
            "0f 0000c8c2");
        row("relative output", cmd::relativeOutputLevel(0, 2.0f), "command 3,11,6", "00 00000040");
        row("output fader range", cmd::outputFaderRange(0, 6.0f, -0.5f), "command 3,11,7",
            "00 06 00");

        // Matrix: one output, the selected inputs, the value; gains below -55 are off (-70).
        row("matrix enable", cmd::matrixEnable(2, list({0, 1, 2, 3}), true), "command 3,8,1",
            "02 00 01 02 03 01");
        row("matrix off", cmd::matrixGain(1, list({4}), -56), "queue 3,8,2 1/255", "01 04 ba");
        row("matrix lowest", cmd::matrixGain(1, list({4, 5}), -55), "queue 3,8,2 1/255",
            "01 04 05 c9");
        row("matrix top", cmd::matrixGain(0, list({16}), 12), "queue 3,8,2 0/255", "00 10 0c");

        // Signal generator and conference blocks.
        row("generator freq knob", cmd::signalGeneratorFrequency(1000.0f, Path::Queued),
            "queue 3,9,2 255/255", "00007a44");
        row("generator gain typed", cmd::signalGeneratorGain(-30.0f, Path::Now), "command 3,9,4",
            "0000f0c1");
        EchoCancellationBlock aec{};
        aec[0] = 3;  // level
        aec[1] = 1;  // input 1 is a local microphone
        aec[16] = 1; // and input 16
        aec[17] = 0xAA;
        aec[18] = 0x55;
        const QByteArray aecNarrow = "03 01 0000000000000000000000000000 01";
        row("aec settings 4", cmd::echoCancellationSettings(aec, 4), "command 3,15,2", aecNarrow);
        row("aec settings 6", cmd::echoCancellationSettings(aec, 6), "command 3,15,2",
            aecNarrow + "aa 55");
        row("agc", cmd::agc(6, AGC{1, -30.0f, -20.0f, 2.0f, 20.0f, 20.0f}), "queue 3,16,1 6/255",
            "06 01 0000f0c1 0000a0c1 00000040 0000a041 0000a041");
        row("automix weight drag", cmd::autoMixerWeight(4, -12.0f, Path::Queued),
            "queue 3,18,1 4/255", "04 000040c1");

        // Presets; exports are read requests.
        row("preset recall", cmd::presetRecall(0), "command 3,32,3", "00");
        row("export all", cmd::presetExportAllStart(), "query 3,32,16", "00 00");
        row("export all block", cmd::presetExportBlockRequest(true, 1), "query 3,32,16",
            "0001 0100");
        row("export", cmd::presetExportStart(4), "query 3,32,18", "00 00 04");
        row("export block", cmd::presetExportBlockRequest(false, 9), "query 3,32,18", "0001 0900");
        row("import all", cmd::presetImportAllStart(), "command 3,32,17", "00 00");
        row("import all block", cmd::presetImportBlock(true, 258, "abc"), "command 3,32,17",
            "0001 0201 616263");
        row("import", cmd::presetImportStart(7), "command 3,32,19", "00 00 07");

        // System.
        row("time set", cmd::timeSet(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7))),
            "command 2,2,12", "07 05 0e 09 00 02 7c");
        row("network", cmd::networkSettings(0xC0A80164, 0xFFFFFF00, 0xC0A80101), "command 2,2,13",
            "64 01 a8 c0 00 ff ff ff 01 01 a8 c0");
        row("password", cmd::passwordChange("8888"), "command 2,2,15", "38383838");
        row("rs232", cmd::rs232BaudRate(115200), "command 2,2,17", "00 c2 01 00");

        // Texts: limited in bytes of the local code page, never cut inside a character.
        const QString z8 = kZhong.repeated(8), z9 = kZhong.repeated(9); // 16 and 18 bytes
        row("label 17 ascii", cmd::inputLabel(3, "ABCDEFGHIJKLMNOPQ"), "command 2,3,1",
            "03 4142434445464748494a4b4c4d4e4f50");
        row("label 9 double", cmd::outputLabel(1, z9), "command 2,3,2", "01" + kD6D0.repeated(8));
        row("label odd byte", cmd::inputLabel(0, "A" + z8), "command 2,3,1",
            "00 41" + kD6D0.repeated(7));
        row("label cleared", cmd::inputLabel(4, QString()), "command 2,3,1", "04");
        row("secondary label", cmd::inputSecondaryLabel(2, "A" + kZhong.repeated(5)),
            "command 2,3,3", "02 41" + kD6D0.repeated(4));
        row("location", cmd::location("x" + z8), "command 2,2,10", "78" + kD6D0.repeated(7));
        row("description", cmd::description(z8), "command 2,2,11", kD6D0.repeated(8));
        row("preset name", cmd::presetRename(9, "AB" + z8), "command 3,32,5",
            "09 4142" + kD6D0.repeated(7));
        row("login is never cut", cmd::login(z9), "command 2,1,1", kD6D0.repeated(9));

        // USB media: names in UTF-8.
        row("usb stop", cmd::usbStop(), "command 2,5,4", "00");
        row("usb pause", cmd::usbPause(), "command 2,5,4", "02");
        row("usb play file", cmd::usbPlayFile(QString::fromUtf8("录音.wav")), "command 2,5,4",
            "03 e5bd95e99fb3 2e776176");
        row("usb previous", cmd::usbPrevious(), "command 2,5,4", "04");
        row("usb next", cmd::usbNext(), "command 2,5,4", "05");
        row("usb seek", cmd::usbSeek(300), "command 2,5,4", "06 2c01");
        row("usb record", cmd::usbRecordStart("a.wav"), "command 2,5,19", "00 612e776176");
        row("usb record select", cmd::usbRecordSelect("b"), "command 2,5,19", "02 62");

        // Firmware upgrade.
        row("upgrade request", cmd::upgradeRequest(), "command 1,1,1", "00 00");
        row("dsp block", cmd::upgradeBlock(UpgradeKind::Dsp, 258, "abc"), "command 1,1,3",
            "0001 0201 616263");
        row("forced empty block", cmd::upgradeBlock(UpgradeKind::Forced, 2, {}), "command 1,1,4",
            "0001 0200");
    }

    void commands()
    {
        QFETCH(Command, command);
        QFETCH(QString, route);
        QFETCH(QByteArray, payload);
        FakeSender sender;
        deliver(sender, command);
        QCOMPARE(sender.route, route);
        QCOMPARE(sender.payload.toHex(' '), payload);
    }

    // Whole packets as the command assistant shows them: a command and a read request.
    void packets_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("mute input 0")
            << cmd::inputLevelMute(0, true) << hex("82 7d 01 00 03 07 01 01 02 00 00 01 7d 82");
        QTest::newRow("export start")
            << cmd::presetExportStart(4) << hex("82 7d 01 00 03 20 12 00 03 00 00 00 04 7d 82");
    }

    void packets()
    {
        QFETCH(Command, command);
        QFETCH(QByteArray, packet);
        QCOMPARE(command.packet().toHex(' '), packet);
    }

    // Switches, choices and resets go out at once, never queued behind a drag. Their bytes
    // are checked against the virtual unit (tst_unitprotocol, commandShowsInReport).
    void switchesAreSentAtOnce()
    {
        QList<Command> plain;
        plain << cmd::inputMute(0, true) << cmd::inputMode(0, 1) << cmd::inputPhantom(0, true)
              << cmd::feedbackSuppression(0, true) << cmd::resetInputFilter(0)
              << cmd::resetOutputFilter(0) << cmd::resetOutputLimiter(0)
              << cmd::inputLevelMute(0, true) << cmd::inputLevelInvert(0, true)
              << cmd::inputLevelGroup(0, 1) << cmd::outputLevelMute(0, true)
              << cmd::outputLevelInvert(0, true) << cmd::outputLevelGroup(0, 1)
              << cmd::signalGeneratorRouting(0, true) << cmd::signalGeneratorType(1)
              << cmd::signalGeneratorOn(true) << cmd::echoCancellation(true) << cmd::resetAgc(0)
              << cmd::noiseReduction(0, 1) << cmd::autoMixerGroup(0, 1)
              << cmd::autoMixerEnable(0, true) << cmd::autoMixerReset() << cmd::presetSave(0)
              << cmd::presetDelete(0) << cmd::presetLoad(0) << cmd::systemMute(true)
              << cmd::factoryReset() << cmd::gateReport(true) << cmd::fanTest(true)
              << cmd::usbPlay() << cmd::usbPlayMode(1) << cmd::usbRecordStop();
        for (const Command& c : qAsConst(plain)) {
            FakeSender sender;
            deliver(sender, c);
            QVERIFY2(sender.route.startsWith("command "), qPrintable(sender.route));
        }
    }

    void transferBlocksAreAtMost512Bytes()
    {
        const QByteArray file = QByteArray(512, 'a') + QByteArray(88, 'b');
        QCOMPARE(cmd::presetImportBlock(false, 0, file).payload.mid(4), QByteArray(512, 'a'));
        QCOMPARE(cmd::upgradeBlock(UpgradeKind::System, 0, file).payload.mid(4),
                 QByteArray(512, 'a'));
    }
};

KV_TEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
