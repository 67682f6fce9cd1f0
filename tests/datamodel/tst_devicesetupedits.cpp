// The setup window's rules without windows: what it shows for the unit's identity and health,
// which edits reach the unit (texts within their bytes, network addresses that differ and make
// sense, matching passwords, fader ranges within their row's range) and the exact packets.
#include "clock.h"
#include "datamodel.h"
#include "devicesetupedits.h"
#include "linkpeer.h"
#include "testenvironment.h"
#include "wire/commands.h"

#include <QTextCodec>
#include <QtTest>

using Edits = DeviceSetupEdits;
using Outcome = Edits::Outcome;
using Address = Edits::Address;
using Version = std::array<quint8, 3>;
Q_DECLARE_METATYPE(Version)

class TestDeviceSetupEdits : public QObject
{
    Q_OBJECT
    LinkPeer m_peer;
    LinkSettings m_link;
    qint64 m_now = 5'000'000;
    std::unique_ptr<DataModel> m_model;

    // What reached the unit since the last look: commands only.
    QStringList sent() { return m_peer.take().filter(QStringLiteral("w:")); }

private slots:
    void initTestCase()
    {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        QVERIFY(m_peer.listen());
        m_link.controlPort = m_peer.port();
        Clock::setSource([this] { return m_now; });
        m_model = std::make_unique<DataModel>(m_link);
        QVERIFY(m_peer.connectModel(*m_model));
    }

    void init()
    {
        auto& s = m_model->system();
        s.ipAddress = 0x7F000001;
        s.netmask = 0xFF000000;
        s.gateway = 0;
        s.location.clear();
        s.description.clear();
        m_peer.take();
    }

    void cleanupTestCase()
    {
        m_model.reset();
        Clock::resetSource();
    }

    void shownTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const Version none{0, 0, 0};
        const Version v127{1, 2, 7};
        QTest::newRow("temperature") << Edits::temperatureText(35.46f) << "35.5 ℃";
        QTest::newRow("temperature rounds up") << Edits::temperatureText(29.95f) << "30.0 ℃";
        QTest::newRow("run time") << Edits::runTimeText(2 * 86400 + 3 * 3600 + 4 * 60 + 5)
                                  << "2day 03:04:05";
        QTest::newRow("run time, first day") << Edits::runTimeText(59) << "0day 00:00:59";
        QTest::newRow("arm short")
            << Edits::armVersionText(v127, 0x1A3, "R1#07 x", false) << "V1.2.7-1a3";
        QTest::newRow("arm short, no build")
            << Edits::armVersionText(v127, 0, "R1#07", false) << "V1.2.7";
        QTest::newRow("arm long") << Edits::armVersionText(v127, 0x1A3, "R1#0#7 virtual", true)
                                  << "V1.2.7(R107)-1a3";
        QTest::newRow("arm long, no build")
            << Edits::armVersionText(v127, 0, "R2", true) << "V1.2.7(R2)";
        QTest::newRow("arm unknown") << Edits::armVersionText(none, 5, "R1", true) << "";
        QTest::newRow("dsp with text") << Edits::dspVersionText({2, 1, 0}, "VU") << "V2.1.0-VU";
        QTest::newRow("dsp bare") << Edits::dspVersionText({2, 1, 0}, "") << "V2.1.0";
        QTest::newRow("dsp unknown") << Edits::dspVersionText(none, "VU") << "";
        QTest::newRow("address") << Edits::addressText(0xC0A80164) << "192.168.1.100";
        QTest::newRow("address unknown") << Edits::addressText(0) << "";
    }

    void shownTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void macRowByControllerVersion_data()
    {
        QTest::addColumn<Version>("version");
        QTest::addColumn<bool>("shown");
        QTest::newRow("1.0.18") << Version{1, 0, 18} << false;
        QTest::newRow("1.0.19") << Version{1, 0, 19} << true;
        QTest::newRow("0.9.200") << Version{0, 9, 200} << false;
        QTest::newRow("1.1.0") << Version{1, 1, 0} << true;
        QTest::newRow("not heard yet") << Version{0, 0, 0} << true;
    }

    void macRowByControllerVersion()
    {
        QFETCH(Version, version);
        QFETCH(bool, shown);
        QCOMPARE(Edits::macRowShown(version), shown);
    }

    // 0x41: DSP (bit 0) and Temp (bit 6) blink between off and error, the rest are normal;
    // without a login every indicator is off.
    void statusIndicators()
    {
        for (bool blinkOn : {true, false}) {
            for (int bit = 0; bit < Edits::kStatusBits; ++bit) {
                const bool faulty = bit == 0 || bit == 6;
                const QString expected = !faulty ? "1" : blinkOn ? "2" : "0";
                QCOMPARE(Edits::indicatorStatus(0x41, bit, true, blinkOn), expected);
                QCOMPARE(Edits::indicatorStatus(0x41, bit, false, blinkOn), QString("0"));
            }
        }
        QVERIFY(Edits::blinks(0x41, true));
        QVERIFY(!Edits::blinks(0x41, false));
        QVERIFY(!Edits::blinks(0, true));
    }

    // Location and description: at most 16 bytes in the local encoding, trimmed; the same
    // text again sends nothing.
    void texts_data()
    {
        QTest::addColumn<bool>("location");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("packet");
        const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
        QTest::newRow("16 ASCII") << true << sixteen << int(Outcome::Sent)
                                  << "w:2,2,10[" + QString(sixteen.toLatin1().toHex()) + "]";
        QTest::newRow("blanks trimmed")
            << false << "  Rack 2 " << int(Outcome::Sent) << "w:2,2,11[5261636b2032]";
        QTest::newRow("8 double-byte characters")
            << true << QString(8, QChar(0x4E2D)) << int(Outcome::Sent)
            << "w:2,2,10[" + QString("d6d0").repeated(8) + "]";
        QTest::newRow("16 characters, 32 bytes")
            << true << QString(16, QChar(0x4E2D)) << int(Outcome::Refused) << "";
        QTest::newRow("17 bytes") << false << "A" + QString(8, QChar(0x4E2D))
                                  << int(Outcome::Refused) << "";
        QTest::newRow("same as the unit's") << true << "" << int(Outcome::Unchanged) << "";
    }

    void texts()
    {
        QFETCH(bool, location);
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QFETCH(QString, packet);
        Edits edits(*m_model);
        QSignalSpy synced(m_model.get(), &DataModel::tcpSyncToUI);
        const Outcome result = location ? edits.setLocation(text) : edits.setDescription(text);
        QCOMPARE(int(result), outcome);
        const QString stored =
            location ? m_model->system().location : m_model->system().description;
        QCOMPARE(stored, result == Outcome::Sent ? text.trimmed() : QString());
        QCOMPARE(sent(), packet.isEmpty() ? QStringList() : QStringList{packet});
        QCOMPARE(synced.count(), result == Outcome::Sent ? 1 : 0);
    }

    // The three addresses travel together, each as a little-endian u32.
    void addresses_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("packet");
        const int ip = int(Address::IpAddress);
        const int mask = int(Address::Netmask);
        const int gateway = int(Address::Gateway);
        QTest::newRow("new address")
            << ip << "127.0.0.9" << int(Outcome::Sent) << "w:2,2,13[0900007f000000ff00000000]";
        QTest::newRow("leading zeros are decimal")
            << ip << "127.0.0.010" << int(Outcome::Sent) << "w:2,2,13[0a00007f000000ff00000000]";
        QTest::newRow("cleared") << ip << "" << int(Outcome::Unchanged) << "";
        QTest::newRow("blanks only") << gateway << "   " << int(Outcome::Unchanged) << "";
        QTest::newRow("the unit's own") << ip << "127.0.0.1" << int(Outcome::Unchanged) << "";
        QTest::newRow("unfinished") << ip << "127.0.0" << int(Outcome::Refused) << "";
        QTest::newRow("octet too big") << ip << "127.0.0.256" << int(Outcome::Refused) << "";
        QTest::newRow("multicast host") << ip << "224.0.0.1" << int(Outcome::Refused) << "";
        QTest::newRow("no host") << ip << "0.0.0.0" << int(Outcome::Refused) << "";
        QTest::newRow("mask") << mask << "255.255.0.0" << int(Outcome::Sent)
                              << "w:2,2,13[0100007f0000ffff00000000]";
        QTest::newRow("mask with a hole") << mask << "255.0.255.0" << int(Outcome::Refused) << "";
        QTest::newRow("mask of nothing") << mask << "0.0.0.0" << int(Outcome::Refused) << "";
        QTest::newRow("gateway") << gateway << "127.0.0.254" << int(Outcome::Sent)
                                 << "w:2,2,13[0100007f000000fffe00007f]";
        QTest::newRow("signs are no digits")
            << gateway << "127.0.0.+2" << int(Outcome::Refused) << "";
    }

    void addresses()
    {
        QFETCH(int, which);
        QFETCH(QString, text);
        QFETCH(int, outcome);
        QFETCH(QString, packet);
        Edits edits(*m_model);
        QCOMPARE(int(edits.setAddress(Address(which), text)), outcome);
        QCOMPARE(sent(), packet.isEmpty() ? QStringList() : QStringList{packet});
        if (outcome != int(Outcome::Sent))
            QCOMPARE(edits.address(Address::IpAddress), 0x7F000001u);
    }

    // Before the unit has told its network settings there is nothing to send the typed
    // address with.
    void addressesWaitForTheUnit()
    {
        m_model->system().ipAddress = 0;
        Edits edits(*m_model);
        QCOMPARE(edits.setAddress(Address::Gateway, "10.0.0.1"), Outcome::Unchanged);
        QCOMPARE(sent(), QStringList());
    }

    void password_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("packet");
        using P = Edits::PasswordOutcome;
        QTest::newRow("mismatch") << "1234"
                                  << "12345" << int(P::Mismatch) << "";
        QTest::newRow("case counts") << "abc"
                                     << "ABC" << int(P::Mismatch) << "";
        QTest::newRow("empty") << ""
                               << "" << int(P::Empty) << "";
        QTest::newRow("empty, confirmation typed") << ""
                                                   << "1" << int(P::Empty) << "";
        QTest::newRow("match") << "1234"
                               << "1234" << int(P::Sent) << "w:2,2,15[31323334]";
    }

    void password()
    {
        QFETCH(QString, password);
        QFETCH(QString, confirmation);
        QFETCH(int, outcome);
        QFETCH(QString, packet);
        Edits edits(*m_model);
        QCOMPARE(int(edits.changePassword(password, confirmation)), outcome);
        QCOMPARE(sent(), packet.isEmpty() ? QStringList() : QStringList{packet});
    }

    // [channel, maximum, minimum] as signed bytes; the USB play row stops at 0 dB; a limit
    // that is already the unit's sends nothing.
    void faderLimits_data()
    {
        QTest::addColumn<bool>("input");
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("maximum");
        QTest::addColumn<int>("dB");
        QTest::addColumn<QString>("packet");
        QTest::newRow("input maximum 6") << true << 3 << true << 6 << "w:3,7,6[0306e2]";
        QTest::newRow("input minimum -56") << true << 3 << false << -56 << "w:3,7,6[030cc8]";
        QTest::newRow("output minimum") << false << 15 << false << -10 << "w:3,11,7[0f0cf6]";
        QTest::newRow("usb play maximum") << true << 16 << true << 12 << "w:3,7,6[1000e2]";
        QTest::newRow("unchanged") << true << 3 << true << 12 << "";
        QTest::newRow("no such channel") << false << 16 << true << 0 << "";
    }

    void faderLimits()
    {
        QFETCH(bool, input);
        QFETCH(int, channel);
        QFETCH(bool, maximum);
        QFETCH(int, dB);
        QFETCH(QString, packet);
        for (int ch = 0; ch < DataModel::kInputCount; ++ch) {
            m_model->input(ch).faderMin = -30.0f;
            m_model->input(ch).faderMax = 12.0f;
        }
        m_model->output(15).faderMin = -56.0f;
        m_model->output(15).faderMax = 12.0f;
        DeviceProfile profile;
        profile.usbPlayInput = 16;
        Edits edits(*m_model);
        const auto strip = input ? Edits::Strip::Input : Edits::Strip::Output;
        const auto limit = maximum ? Edits::Limit::Maximum : Edits::Limit::Minimum;
        QCOMPARE(edits.setFaderLimit(profile, strip, channel, limit, dB), !packet.isEmpty());
        QCOMPARE(sent(), packet.isEmpty() ? QStringList() : QStringList{packet});
    }

    // A range's bottom travels as the whole number -56, while a level at the bottom is the
    // unit's "off" (-100.0); an empty login is the bare 12-byte packet.
    void bottomsAndEmptyTexts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("range bottom") << wire::cmd::inputFaderRange(0, 12.0f, -56.0f).payload
                                      << QByteArray::fromHex("000cc8");
        QTest::newRow("level bottom")
            << wire::cmd::inputLevelGain(0, -56.0f).payload << QByteArray::fromHex("000000c8c2");
        QTest::newRow("empty login") << wire::cmd::login(QString()).packet()
                                     << QByteArray::fromHex("827d0100020101010000"
                                                            "7d82");
    }

    void bottomsAndEmptyTexts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, expected);
        QCOMPARE(bytes.toHex(' '), expected.toHex(' '));
    }

    // Hidden inputs leave the table; of the outputs only those above the first eight can.
    void rowsByProfile()
    {
        DeviceProfile profile;
        profile.hiddenInputs = 0x1FF00; // inputs 8..16
        profile.hiddenOutputs = 0xFF0F; // outputs 0..3 and 8..15
        using S = Edits::Strip;
        QVERIFY(Edits::rowShown(profile, S::Input, 7));
        QVERIFY(!Edits::rowShown(profile, S::Input, 8));
        QVERIFY(!Edits::rowShown(profile, S::Input, 16));
        QVERIFY(Edits::rowShown(profile, S::Output, 0));
        QVERIFY(!Edits::rowShown(profile, S::Output, 8));
        QVERIFY(!Edits::rowShown(profile, S::Output, 16));
        QCOMPARE(Edits::limitRange(profile, S::Input, 16).hi, 12.0f);
        profile.usbPlayInput = 16;
        QCOMPARE(Edits::limitRange(profile, S::Input, 16).hi, 0.0f);
        QCOMPARE(Edits::limitRange(profile, S::Output, 16).hi, 12.0f);
    }
};

KV_TEST_GUILESS_MAIN(TestDeviceSetupEdits)
#include "tst_devicesetupedits.moc"
