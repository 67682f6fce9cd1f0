// The level strips against a virtual unit on loopback: what a strip shows and what reaches the
// unit for typed gains, fader drags, level groups, the linked input pair and the unit's fader
// ranges; the USB play strip of the profiles with USB; the meters following the unit.
#include "appsupport.h"
#include "datamodel.h"
#include "fader.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainwindow.h"
#include "meter.h"
#include "meterdialog.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitsession.h"
#include "unitstate.h"
#include "wire/commands.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace wire;

namespace {

QByteArray gainPayload(int channel, float dB)
{
    QByteArray b(1, char(channel));
    wire::appendF32(b, dB);
    return b;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestLevelStrips : public QObject
{
    Q_OBJECT

    using Packet = UnitSession::Packet;

    std::unique_ptr<UnitSession> m_session;
    SystemSettings* m_settings = nullptr;
    DataModel* m_model = nullptr;
    MainWindow* m_window = nullptr;

    LevelContainerWidget* strips() const { return m_window->levelContainer(); }
    LevelWidget* row(bool output) const
    {
        return output ? strips()->outputLevelWidget() : strips()->inputLevelWidget();
    }
    VirtualUnit& unit() { return m_session->unit(); }
    void run(int ms) { m_session->run(ms); }
    bool settle() { return m_session->settle(); }
    int mark() const { return m_session->mark(); }
    QList<Packet> commandsSince(int from, wire::Code code) const
    {
        return m_session->since(from, code);
    }

    void type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }

private slots:
    void initTestCase()
    {
        m_session = std::make_unique<UnitSession>();
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=1\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(unit().controlPort())
                        .arg(UnitSession::freeUdpPort()));

        m_settings = new SystemSettings;
        m_model = new DataModel(m_settings->linkSettings());
        m_session->setModel(m_model);
        m_window = new MainWindow(*m_model, *m_settings);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_window->resize(1400, 900);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));

        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        // The reads fill the mirror; the unit's 16 x 16 configuration shows every strip.
        run(1000);
        QVERIFY(strips()->inputLevelWidget()->isStripShown(16));
        QVERIFY(strips()->outputLevelWidget()->isStripShown(15));
    }

    void cleanupTestCase()
    {
        delete m_window;
        m_session->setModel(nullptr);
        delete m_model;
        delete m_settings;
        m_session.reset();
    }

    // Every test starts after the echo hold of the last one, in line with the unit.
    void init() { run(1700); }

    void metersFollowTheUnit()
    {
        LevelWidget* in = row(false);
        MeterDialog* meters = m_window->meterDialog();
        const auto shownEverywhere = [&](int ch) {
            const int post = std::clamp<int>(m_model->input(ch).postFaderMeter, -40, 24);
            const int pre = std::clamp<int>(m_model->input(ch).preFaderMeter, -40, 24);
            return in->meter(ch)->value() == post &&
                   meters->meter(MeterDialog::InputPostFader, ch)->value() == post &&
                   meters->meter(MeterDialog::InputPreFader, ch)->value() == pre &&
                   in->levelText(ch) == QString::number(post);
        };
        for (int ch = 0; ch < 16; ++ch) {
            QVERIFY2(m_model->input(ch).postFaderMeter > -40, qPrintable(QString::number(ch)));
            QVERIFY2(shownEverywhere(ch), qPrintable(QString::number(ch)));
        }
        // The levels move with the unit's signal and the meters move with them.
        const qint8 before = m_model->input(3).postFaderMeter;
        for (int i = 0; i < 60 && m_model->input(3).postFaderMeter == before; ++i)
            run(500);
        QVERIFY(m_model->input(3).postFaderMeter != before);
        QVERIFY(shownEverywhere(3));

        // Muted at the unit: no signal after the fader, still signal before it.
        unit().state().dsp.inputs[3].levelMute = 1;
        run(300);
        QCOMPARE(in->meter(3)->value(), -40);
        QCOMPARE(meters->valueText(MeterDialog::InputPostFader, 3), QStringLiteral("-40"));
        QVERIFY(meters->meter(MeterDialog::InputPreFader, 3)->value() > -40);
        QVERIFY(in->muteButton(3)->isChecked());
        unit().state().dsp.inputs[3].levelMute = 0;
    }

    void typedGains_data()
    {
        QTest::addColumn<bool>("output");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("sent");
        const auto row = [](const char* name, bool output, const char* text, const char* shown,
                            float sent) {
            QTest::newRow(name) << output << QString(text) << QString(shown) << sent;
        };
        row("one decimal", false, "3.14", "3.1", 3.1f);
        row("negative half rounds away", false, "-7.25", "-7.3", -7.3f);
        row("above the top", false, "20", "12.0", 12.0f);
        row("the bottom is off", false, "-56", "-100.0", -100.0f);
        row("not a number", false, "eleven", "0.0", 0.0f);
        row("output above the top", true, "20", "12.0", 12.0f);
        row("output at the bottom", true, "-56", "-100.0", -100.0f);
    }

    void typedGains()
    {
        QFETCH(bool, output);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(float, sent);
        const int channel = 3;
        QLineEdit* edit = row(output)->gainEdit(channel);
        type(edit, QStringLiteral("-20")); // a start that differs from every row
        run(200);
        const int from = mark();

        type(edit, text);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(row(output)->fader(channel)->value(), std::max(sent, wire::kFaderBottom));
        const float stored =
            output ? m_model->output(channel).levelGain : m_model->input(channel).levelGain;
        QCOMPARE(stored, std::max(sent, wire::kFaderBottom));
        run(200);
        QVERIFY(settle());
        const auto sentGains =
            commandsSince(from, output ? code::OutputLevelGain : code::InputLevelGain);
        QCOMPARE(sentGains.size(), 1);
        QCOMPARE(sentGains[0].payload, gainPayload(channel, sent));

        // Leaving the edit with what it shows is no new value.
        emit edit->editingFinished();
        run(200);
        QVERIFY(settle());
        QCOMPARE(commandsSince(from, output ? code::OutputLevelGain : code::InputLevelGain).size(),
                 1);
        // The unit's reports after the hold leave the strip where the edit put it.
        run(1700);
        QCOMPARE(edit->text(), shown);
    }

    void groupFollows_data()
    {
        QTest::addColumn<bool>("output");
        QTest::addColumn<QString>("action");
        for (bool output : {false, true}) {
            for (const char* action : {"mute", "invert", "gain"})
                QTest::addRow("%s %s", output ? "output" : "input", action)
                    << output << QString::fromLatin1(action);
        }
    }

    void groupFollows()
    {
        QFETCH(bool, output);
        QFETCH(QString, action);
        LevelWidget* strips = row(output);
        const QList<int> members = {6, 8, 10};
        const int outsider = 9;
        for (int ch : members)
            strips->groupComboBox(ch)->setCurrentIndex(output ? 4 : 3);
        strips->groupComboBox(outsider)->setCurrentIndex(0);
        run(200);
        QVERIFY(settle());

        const auto state = [&](int ch) {
            const auto get = [](const auto& c) {
                return std::make_tuple(bool(c.levelMute), bool(c.levelInvert), float(c.levelGain));
            };
            return output ? get(m_model->output(ch)) : get(m_model->input(ch));
        };
        const bool isMute = action == QLatin1String("mute");
        const auto flag = [&](int ch) {
            return isMute ? std::get<0>(state(ch)) : std::get<1>(state(ch));
        };
        const auto button = [&](int ch) {
            return isMute ? strips->muteButton(ch) : strips->invertButton(ch);
        };
        const auto outsiderBefore = state(outsider);
        const int clicked = members[1];
        const int from = mark();
        wire::Code edited = output ? code::OutputLevelGain : code::InputLevelGain;
        if (action == QLatin1String("gain")) {
            const float dB = std::get<2>(state(clicked)) == -9.5f ? -3.0f : -9.5f;
            type(strips->gainEdit(clicked), QString::number(double(dB)));
            for (int ch : members) {
                QCOMPARE(std::get<2>(state(ch)), dB);
                QCOMPARE(strips->fader(ch)->value(), dB);
                QCOMPARE(strips->gainEdit(ch)->text(), QString::number(double(dB), 'f', 1));
            }
        } else {
            const bool on = !flag(clicked);
            button(clicked)->click();
            for (int ch : members) {
                QCOMPARE(flag(ch), on);
                QCOMPARE(button(ch)->isChecked(), on);
            }
            edited = isMute ? (output ? code::OutputLevelMute : code::InputLevelMute)
                            : (output ? code::OutputLevelInvert : code::InputLevelInvert);
        }
        QVERIFY(state(outsider) == outsiderBefore);
        QVector<std::tuple<bool, bool, float>> shown;
        for (int ch : members)
            shown << state(ch);

        // One command, for the channel the user touched.
        run(200);
        QVERIFY(settle());
        const auto sent = commandsSince(from, edited);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(int(quint8(sent[0].payload[0])), clicked);

        // The unit applies a change to the whole group, so its reports after the hold leave
        // every member as it was shown: nothing snaps back.
        run(1900);
        for (int i = 0; i < members.size(); ++i) {
            QVERIFY(state(members[i]) == shown[i]);
            QCOMPARE(button(members[i])->isChecked(), flag(members[i]));
        }
    }

    void linkedPair_data()
    {
        QTest::addColumn<quint32>("mode");
        QTest::addColumn<QString>("action");
        QTest::newRow("stereo group") << 2u << "group";
        QTest::newRow("stereo mute") << 2u << "mute";
        QTest::newRow("stereo invert") << 2u << "invert";
        QTest::newRow("stereo gain") << 2u << "gain";
        QTest::newRow("line group") << 1u << "group";
        QTest::newRow("mic mute") << 0u << "mute";
        QTest::newRow("line gain") << 1u << "gain";
    }

    void linkedPair()
    {
        QFETCH(quint32, mode);
        QFETCH(QString, action);
        LevelWidget* strips = row(false);
        for (int ch : {0, 1})
            strips->groupComboBox(ch)->setCurrentIndex(0);
        run(200);
        const DataModel::InputChannel before = m_model->input(0);
        m_model->input(0).inputMode = mode;
        m_model->input(1).inputMode = mode;
        const bool linked = mode == 2;

        const int from = mark();
        if (action == QLatin1String("group")) {
            strips->groupComboBox(1)->setCurrentIndex(5);
            QCOMPARE(m_model->input(0).levelGroup, quint8(linked ? 5 : 0));
            QCOMPARE(strips->groupComboBox(0)->currentIndex(), linked ? 5 : 0);
        } else if (action != QLatin1String("gain")) {
            const bool isMute = action == QLatin1String("mute");
            const auto field = isMute ? &DataModel::InputChannel::levelMute
                                      : &DataModel::InputChannel::levelInvert;
            const auto button = [&](int ch) {
                return isMute ? strips->muteButton(ch) : strips->invertButton(ch);
            };
            button(1)->click();
            const bool on = m_model->input(1).*field;
            QCOMPARE(m_model->input(0).*field, linked ? on : before.*field);
            QCOMPARE(button(0)->isChecked(), linked ? on : before.*field);
        } else {
            const float dB = m_model->input(1).levelGain == -4.5f ? 2.0f : -4.5f;
            type(strips->gainEdit(1), QString::number(double(dB)));
            QCOMPARE(float(m_model->input(0).levelGain), linked ? dB : before.levelGain);
            QCOMPARE(strips->fader(0)->value(), linked ? dB : before.levelGain);
        }
        // Only channel 2's own command goes out.
        run(200);
        QVERIFY(settle());
        const QList<Packet> sent = m_session->commandsSince(from);
        QCOMPARE(sent.size(), 1);
        QVERIFY(sent[0].code.in(group::InputLevel));
        QCOMPARE(int(quint8(sent[0].payload[0])), 1);
    }

    // The range set in the unit (device setup) becomes the strip's travel and its clamp, within
    // the strip's own limits (0 dB at the top of the USB play strip); the bottom of a raised
    // range is a level, not off.
    void faderRangeOfTheUnit_data()
    {
        QTest::addColumn<bool>("output");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("profile");
        QTest::addColumn<float>("reportedMax");
        QTest::addColumn<float>("reportedMin");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("bottom");
        QTest::newRow("input") << false << 4 << 0 << 6.0f << -30.0f << 6.0f << -30.0f;
        QTest::newRow("output") << true << 2 << 0 << 3.0f << -20.0f << 3.0f << -20.0f;
        QTest::newRow("usb play under a unit top of 12")
            << false << 16 << 1 << 12.0f << -56.0f << 0.0f << -56.0f;
        QTest::newRow("usb play below its own top")
            << false << 16 << 1 << -6.0f << -40.0f << -6.0f << -40.0f;
    }

    void faderRangeOfTheUnit()
    {
        QFETCH(bool, output);
        QFETCH(int, channel);
        QFETCH(int, profile);
        QFETCH(float, reportedMax);
        QFETCH(float, reportedMin);
        QFETCH(float, top);
        QFETCH(float, bottom);
        const auto range = [&](float hi, float lo) {
            wire::deliver(*m_model, output ? wire::cmd::outputFaderRange(channel, hi, lo)
                                           : wire::cmd::inputFaderRange(channel, hi, lo));
        };
        // The profile stays chosen although the unit's presence masks are those of a 16 x 16
        // unit: the model keeps the masks the unit reports, so that they are no news.
        const quint32 inputMask = m_model->system().inputMask;
        const quint32 outputMask = m_model->system().outputMask;
        m_settings->setDeviceVersionSelection(profile);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_model->system().inputMask = inputMask;
        m_model->system().outputMask = outputMask;
        range(reportedMax, reportedMin);
        run(2000);
        Fader* fader = row(output)->fader(channel);
        QCOMPARE(fader->maximum(), top);
        QCOMPARE(fader->minimum(), bottom);

        QLineEdit* edit = row(output)->gainEdit(channel);
        const int from = mark();
        type(edit, QStringLiteral("11"));
        QCOMPARE(edit->text(), LevelWidget::gainText(top));
        const float stored =
            output ? m_model->output(channel).levelGain : m_model->input(channel).levelGain;
        QCOMPARE(stored, top);
        type(edit, QStringLiteral("-60"));
        const float low = bottom > wire::kFaderBottom ? bottom : wire::kLevelOff;
        QCOMPARE(edit->text(), LevelWidget::gainText(low));
        run(200);
        QVERIFY(settle());
        const auto sent =
            commandsSince(from, output ? code::OutputLevelGain : code::InputLevelGain);
        QVERIFY(!sent.isEmpty());
        QCOMPARE(sent.last().payload, gainPayload(channel, low));
        // The unit took it: its reports after the hold leave the strip there.
        run(1700);
        QCOMPARE(edit->text(), LevelWidget::gainText(low));

        range(12.0f, -56.0f);
        m_settings->setDeviceVersionSelection(0);
        m_window->applyDeviceVersion({});
        run(2000);
    }

    void dragIsCoalesced()
    {
        const int channel = 5;
        Fader* fader = row(false)->fader(channel);
        type(row(false)->gainEdit(channel), QStringLiteral("12"));
        run(1700);
        const int from = mark();
        const qint64 start = m_session->now();

        // One second of dragging down, a move every 20 ms.
        QPoint at = fader->handleRect().center();
        const int stride = std::max(1, fader->height() * 4 / 5 / 50);
        sendMouse(fader, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        for (int step = 0; step < 50; ++step) {
            at.ry() += stride;
            sendMouse(fader, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            run(20);
        }
        sendMouse(fader, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        const float last = fader->value();
        QVERIFY(last < 0.0f);
        run(300);
        QVERIFY(settle());

        const auto sent = commandsSince(from, code::InputLevelGain);
        QVERIFY2(sent.size() >= 5 && sent.size() <= 7, qPrintable(QString::number(sent.size())));
        QVERIFY(sent.first().at - start >= 170);
        for (int i = 1; i < sent.size(); ++i)
            QVERIFY2(sent[i].at - sent[i - 1].at >= 170,
                     qPrintable(QString::number(sent[i].at - sent[i - 1].at)));
        QCOMPARE(sent.last().payload, gainPayload(channel, last));

        // The unit took the last value; its reports after the hold leave the strip there.
        run(1700);
        QCOMPARE(float(unit().state().dsp.inputs[channel].levelGain), last);
        QCOMPARE(fader->value(), last);
        QCOMPARE(row(false)->gainEdit(channel)->text(), LevelWidget::gainText(last));
    }

    void usbStripLayout_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("usb");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("outputs");
        QTest::newRow("16 x 8 with USB") << 1 << 16 << 17 << 9;
        QTest::newRow("8 x 8 with USB") << 2 << 8 << 9 << 9;
    }

    void usbStripLayout()
    {
        QFETCH(int, profile);
        QFETCH(int, usb);
        QFETCH(int, inputs);
        QFETCH(int, outputs);
        m_settings->setDeviceVersionSelection(profile);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        LevelWidget* in = row(false);
        LevelWidget* out = row(true);
        for (int i = 0; i < LevelContainerWidget::kInputStrips; ++i) {
            QCOMPARE(in->isStripShown(i), i < inputs);
            QCOMPARE(in->meter(i, 1)->isVisibleTo(in), i == usb);
        }
        for (int i = 0; i < LevelContainerWidget::kOutputStrips; ++i)
            QCOMPARE(out->isStripShown(i), i < outputs);
        QCOMPARE(in->numberLabel(usb)->text(), QStringLiteral("USB PLAY"));
        QCOMPARE(out->numberLabel(outputs - 1)->text(), QStringLiteral("USB REC"));

        // The USB strip shows the stereo pair u, u + 1.
        m_model->input(usb - 1).postFaderMeter = -5;
        m_model->input(usb).postFaderMeter = -12;
        m_model->input(usb + 1).postFaderMeter = -100;
        strips()->refreshInputMeters();
        QCOMPARE(in->levelText(usb - 1), QStringLiteral("-5"));
        QCOMPARE(in->levelText(usb), QStringLiteral("-12/-40")); // the readings of its two meters
        // Typed gains on the USB strip stop at 0 dB.
        type(in->gainEdit(usb), QStringLiteral("5"));
        QCOMPARE(in->gainEdit(usb)->text(), QStringLiteral("0.0"));
        QCOMPARE(float(m_model->input(usb).levelGain), 0.0f);

        // The USB record/playback dialog has already sent its change and written the model: the
        // strips only show it.
        const int from = mark();
        m_model->input(usb).levelMute = true;
        m_model->output(outputs - 1).levelGain = -6.0f;
        strips()->onPlayMuteChanged(true);
        strips()->onRecordGainChanged(-6.0f);
        QVERIFY(in->muteButton(usb)->isChecked());
        QCOMPARE(out->gainEdit(outputs - 1)->text(), QStringLiteral("-6.0"));
        QVERIFY(settle());
        QVERIFY(commandsSince(from, code::InputLevelMute).isEmpty());

        m_settings->setDeviceVersionSelection(0);
        m_window->applyDeviceVersion({});
    }
};

KV_TEST_MAIN(TestLevelStrips)
#include "tst_levelstrips.moc"
