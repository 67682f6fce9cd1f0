// The USB window against a virtual unit with a USB stick: the lists, the transport, the play
// mode and the position as the unit runs them; recordings named as the unit stores them; the
// gain and mute of the USB channels in step with the level strips; the times as shown.
#include "appsupport.h"
#include "datamodel.h"
#include "fader.h"
#include "levelcontainerwidget.h"
#include "levelwidget.h"
#include "mainwindow.h"
#include "recplaydialog.h"
#include "systemsettings.h"
#include "testenvironment.h"
#include "unitcore.h"
#include "unitsession.h"
#include "unitstate.h"
#include "usbmedia.h"
#include "usbmediaedits.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace wire;

class TestRecPlay : public QObject
{
    Q_OBJECT

    std::unique_ptr<UnitSession> m_session;
    SystemSettings* m_settings = nullptr;
    DataModel* m_model = nullptr;
    MainWindow* m_window = nullptr;
    QString m_typedName;

    RecPlayDialog* dialog() const { return m_window->recPlayDialog(); }
    UsbMedia& usb() { return m_session->unit().core().usb(); }
    qint64 unitNow() const { return m_session->now() - 1'760'000'000'000; }

private slots:
    void initTestCase()
    {
        m_session = std::make_unique<UnitSession>(1); // 16 x 8 with USB
        QString error;
        QVERIFY2(m_session->start(&error), qPrintable(error));
        writeConfig(QStringLiteral("[Language]\nSupport=3\nCurrent=1\n"
                                   "[DeviceVersionSelection]\nShowAtStartup=false\nCurrent=1\n"
                                   "[Control]\nPort=%1\n[Broadcast]\nPort=%2\n")
                        .arg(m_session->unit().controlPort())
                        .arg(UnitSession::freeUdpPort()));
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("GB2312"));
        m_settings = new SystemSettings;
        m_model = new DataModel(m_settings->linkSettings());
        m_session->setModel(m_model);
        m_window = new MainWindow(*m_model, *m_settings);
        m_window->applyDeviceVersion(m_settings->deviceProfile());
        m_window->show();
        dialog()->setNameAsker([this] { return m_typedName; });
        m_model->addDeviceByAddress(0x7F000001);
        m_model->selectDevice(m_model->deviceCount() - 1, false);
        QTRY_VERIFY(m_model->isLoggedIn());
        m_window->recPlayTriggered();
        QVERIFY(dialog()->isVisible());
        m_session->run(1000);
    }

    void cleanupTestCase()
    {
        delete m_window;
        m_session->setModel(nullptr);
        delete m_model;
        delete m_settings;
        m_session.reset();
    }

    void init() { m_session->run(1700); }

    void timesAsShown_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("duration");
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("record");
        QTest::newRow("under an hour") << 3599 << 3599 << "59:59 / 59:59"
                                       << "59:59";
        QTest::newRow("an hour") << 65 << 3600 << "0:01:05 / 1:00:00"
                                 << "1:00:00";
        QTest::newRow("start") << 0 << 95 << "00:00 / 01:35"
                               << "01:35";
    }

    void timesAsShown()
    {
        QFETCH(int, position);
        QFETCH(int, duration);
        QFETCH(QString, play);
        QFETCH(QString, record);
        QCOMPARE(UsbMediaEdits::playTime(quint16(position), quint16(duration)), play);
        QCOMPARE(UsbMediaEdits::recordTime(duration), record);
    }

    // The unit's files are listed; a click plays one, the play button pauses and resumes,
    // stop stops, the mode follows the button, and the position runs with the unit.
    void transportRunsTheUnit()
    {
        QTRY_COMPARE(dialog()->playTable()->rowCount(), 5);
        QTRY_COMPARE(dialog()->playTable()->item(2, 0)->text(), QStringLiteral("Announcement.aac"));
        QCOMPARE(dialog()->recordTable()->rowCount(), 2);
        QCOMPARE(dialog()->recordTable()->item(1, 0)->text(), QStringLiteral("record002.wav"));

        dialog()->usbPlayTableWidgetItemClicked(dialog()->playTable()->item(2, 0));
        m_session->run(3000);
        QVERIFY(usb().isPlaying(unitNow()));
        QCOMPARE(usb().currentPlayName(unitNow()), QByteArray("Announcement.aac"));
        QTRY_COMPARE(dialog()->timeLabel()->text().right(5), QStringLiteral("00:32"));
        QVERIFY(dialog()->timeLabel()->text().startsWith(QStringLiteral("00:0")));
        QVERIFY(dialog()->playButton()->property("status").toBool());

        dialog()->playButton()->click();
        m_session->run(300);
        QVERIFY(!usb().isPlaying(unitNow()));
        dialog()->playButton()->click();
        m_session->run(300);
        QVERIFY(usb().isPlaying(unitNow()));

        dialog()->modeButton()->click();
        QCOMPARE(dialog()->modeButton()->text(), QStringLiteral("Shuffle"));
        m_session->run(2000);
        QCOMPARE(quint8(usb().playStatePayload(unitNow())[0]), quint8(UsbMedia::Shuffle));
        dialog()->usbStopButtonClicked();
        m_session->run(300);
        QVERIFY(!usb().isPlaying(unitNow()));
    }

    // Recordings take ".wav" unless they end so already; names beyond 32 bytes are refused.
    void recordingsAreNamedAsStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored"); // empty: refused
        QTest::newRow("no extension") << "take one" << QByteArray("take one.wav");
        QTest::newRow("capital extension") << "LOUD.WAV" << QByteArray("LOUD.WAV");
        QTest::newRow("32 bytes") << QString(32, QLatin1Char('a')) << QByteArray(32, 'a') + ".wav";
        QTest::newRow("33 bytes") << QString(33, QLatin1Char('a')) << QByteArray();
        QTest::newRow("cancelled") << QString() << QByteArray();
    }

    void recordingsAreNamedAsStored()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        m_typedName = typed;
        const int before = usb().recordList().size();
        const int from = m_session->mark();
        dialog()->recordButton()->click();
        if (stored.isEmpty()) {
            if (!typed.isEmpty()) {
                QTRY_VERIFY(dialog()->findChild<QMessageBox*>());
                QCOMPARE(dialog()->findChild<QMessageBox*>()->text(),
                         QStringLiteral("The file name's length can not be greater than 32 "
                                        "bytes, please enter again!"));
                dialog()->findChild<QMessageBox*>()->accept();
            }
            QVERIFY(m_session->settle());
            QVERIFY(m_session->since(from, code::RecordControl).isEmpty());
            return;
        }
        m_session->run(2300);
        QCOMPARE(usb().currentRecordName(), stored);
        QCOMPARE(dialog()->recordTimeLabel()->text(), QStringLiteral("00:02"));
        dialog()->recordButton()->click(); // stops
        m_session->run(1000);
        QCOMPARE(usb().recordList().size(), before + 1);
        QTRY_COMPARE(dialog()->recordTable()->rowCount(), before + 1);
        QTRY_COMPARE(dialog()->recordTable()->item(before, 0)->text(), QString::fromUtf8(stored));
        QVERIFY(dialog()->recordTimeLabel()->text().isEmpty());
    }

    // The USB channels' gain and mute move with the strips, both ways.
    void channelsFollowTheStrips()
    {
        const int play = m_window->profile().usbPlayInput;
        const int record = m_window->profile().usbRecordOutput;
        QVERIFY(play >= 0 && record >= 0);
        dialog()->gainFader(false)->setValue(-12.0f);
        emit dialog()->gainFader(false)->valueChanged(-12.0f);
        LevelWidget* inputs = m_window->levelContainer()->inputLevelWidget();
        QCOMPARE(inputs->fader(play)->value(), -12.0f);
        QCOMPARE(dialog()->gainEdit(false)->text(), QStringLiteral("-12.0"));

        dialog()->muteButton(true)->click();
        QVERIFY(m_model->output(record).levelMute);
        m_session->run(300);
        QVERIFY(m_session->unit().state().dsp.outputs[std::size_t(record)].levelMute);

        // From the strips: typed at the record strip, shown in the window.
        LevelWidget* outputs = m_window->levelContainer()->outputLevelWidget();
        outputs->gainEdit(record)->setText(QStringLiteral("-56"));
        emit outputs->gainEdit(record)->editingFinished();
        QCOMPARE(dialog()->gainEdit(true)->text(), QStringLiteral("-100.0"));
        // The play strip stops at unity, and so does the window's fader.
        QCOMPARE(dialog()->gainFader(false)->maximum(), 0.0f);
    }
};

KV_TEST_MAIN(TestRecPlay)
#include "tst_recplay.moc"
